#include "cli/ProgressLine.h"

#include "support/Cp1252.h"

#include <cstdio>
#include <unistd.h>

namespace kr6 {

std::string FormatDuration(double Seconds) {
    const auto Whole = static_cast<long long>(Seconds < 0 ? 0 : Seconds);
    char Text[32];
    std::snprintf(Text, sizeof Text, "%lld:%02lld:%02lld", Whole / 3600, Whole / 60 % 60,
                  Whole % 60);
    return Text;
}

std::string FormatProgress(const TProgressState& State, double ElapsedSeconds) {
    char Counts[160];
    if (State.Tested == 0) {
        std::snprintf(Counts, sizeof Counts, "counting combinations: %lld",
                      static_cast<long long>(State.Total));
        return std::string(Counts) + ", elapsed " + FormatDuration(ElapsedSeconds);
    }
    std::snprintf(Counts, sizeof Counts, ": %lld of %lld tested, %lld deliverable",
                  static_cast<long long>(State.Tested), static_cast<long long>(State.Total),
                  static_cast<long long>(State.Deliverable));
    const double Expected =
        ElapsedSeconds * static_cast<double>(State.Total) / static_cast<double>(State.Tested);
    return "lens " + Cp1252ToUtf8(State.Lens) + Counts + ", elapsed " +
           FormatDuration(ElapsedSeconds) + ", expected " + FormatDuration(Expected);
}

TProgressLine::TProgressLine(int Fd, bool Enabled)
    : FFd(Fd), FEnabled(Enabled), FStart(TClock::now()), FLastDraw(FStart - Interval) {}

TProgressLine::~TProgressLine() {
    Clear();
}

double TProgressLine::ElapsedSeconds() const {
    return std::chrono::duration<double>(TClock::now() - FStart).count();
}

void TProgressLine::Update(const TProgressState& State) {
    if (!FEnabled)
        return;
    const TClock::time_point Now = TClock::now();
    if (Now - FLastDraw < Interval)
        return;
    FLastDraw = Now;
    // Erase to the end of the line, so that a shorter text leaves nothing of the longer.
    Draw("\r" + FormatProgress(State, ElapsedSeconds()) + "\x1b[K");
    FShown = true;
}

void TProgressLine::Clear() {
    if (!FShown)
        return;
    FShown = false;
    Draw("\r\x1b[K");
}

void TProgressLine::Draw(std::string_view Text) {
    // The line is a courtesy: a failing terminal must not end the evaluation.
    while (!Text.empty()) {
        const ssize_t Written = ::write(FFd, Text.data(), Text.size());
        if (Written <= 0)
            return;
        Text.remove_prefix(static_cast<std::size_t>(Written));
    }
}

} // namespace kr6
