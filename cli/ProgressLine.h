#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace kr6 {

// The state of an evaluation as the progress line shows it.
struct TProgressState {
    std::string Lens;
    std::int64_t Total = 0;
    std::int64_t Tested = 0;
    std::int64_t Deliverable = 0;
};

// "H:MM:SS", whole seconds, hours unbounded.
std::string FormatDuration(double Seconds);
// The text of the line: the lens under test (or the counting of the combinations before
// the first test), the counts, the elapsed and, once something was tested, the expected
// duration of the whole evaluation.
std::string FormatProgress(const TProgressState& State, double ElapsedSeconds);

// One self-updating line on a terminal. Disabled, it does nothing at all, so that a log
// file or pipe receives no carriage returns.
class TProgressLine {
public:
    using TClock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds Interval{100};

    TProgressLine(int Fd, bool Enabled);
    ~TProgressLine();
    TProgressLine(const TProgressLine&) = delete;
    TProgressLine& operator=(const TProgressLine&) = delete;

    // Redraws the line with State unless it was drawn less than Interval ago.
    void Update(const TProgressState& State);
    // Removes the line; nothing when none is shown.
    void Clear();
    double ElapsedSeconds() const;

private:
    void Draw(std::string_view Text);

    int FFd;
    bool FEnabled;
    bool FShown = false;
    TClock::time_point FStart;
    TClock::time_point FLastDraw;
};

} // namespace kr6
