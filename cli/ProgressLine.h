#pragma once

#include "model/KombiCounts.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace kr6 {

inline constexpr std::size_t Unlimited = std::numeric_limits<std::size_t>::max();

// "H:MM:SS", whole seconds, hours unbounded.
std::string FormatDuration(double Seconds);
// The text of the line in UTF-8, at most Width columns: the lens under test (or the counting
// of the combinations before the first test), the counts of all lenses (All), the elapsed and,
// once something was tested, the expected duration of the whole evaluation. A narrow line
// drops the elapsed time first, then the deliverable count, then shortens the lens code and
// drops it.
std::string FormatProgress(std::string_view Lens, const TKombiTally& All, double ElapsedSeconds,
                           std::size_t Width = Unlimited);
// The same for the import: what it is doing and how far the whole import is; Subject, when
// given, names the list being imported.
std::string FormatImportProgress(std::string_view Stage, double Fraction, double ElapsedSeconds,
                                 std::size_t Width = Unlimited, std::string_view Subject = {});

// Whether a progress line belongs on standard error: not when asked to be quiet, not when
// standard error is no terminal or one that does not understand the erase sequence (TERM
// unset or "dumb"), and not when the data go to the same terminal, where the rows would
// break into the line and the line into the rows.
bool WantsProgressLine(bool Quiet, bool DataOnStandardOutput);

// One self-updating line on a terminal, fitted to the terminal's width at every redraw and
// redrawn at once when the width changes. Disabled, it does nothing at all, so that a log
// file or pipe receives no carriage returns.
class TProgressLine {
public:
    using TClock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds Interval{100};

    TProgressLine(int Fd, bool Enabled);
    ~TProgressLine();
    TProgressLine(const TProgressLine&) = delete;
    TProgressLine& operator=(const TProgressLine&) = delete;

    // Redraw the line unless it was drawn less than Interval ago.
    void Update(std::string_view Lens, const TKombiTally& All);
    void UpdateImport(std::string_view Stage, double Fraction);
    // Names the list the import lines are about (UTF-8), when there is more than one.
    void SetSubject(std::string Subject) { FSubject = std::move(Subject); }
    // Starts the elapsed time anew, for the next phase of the work.
    void Restart();
    // Removes the line; nothing when none is shown.
    void Clear();
    double ElapsedSeconds() const;

private:
    bool DueForRedraw();
    std::size_t Width() const;
    void Draw(std::string_view Text);

    int FFd;
    bool FEnabled;
    bool FShown = false;
    static constexpr std::uint64_t UpdatesPerLook = 64;
    std::uint64_t FUpdates = 0;
    TClock::time_point FStart;
    TClock::time_point FLastDraw;
    std::string FSubject;
};

} // namespace kr6
