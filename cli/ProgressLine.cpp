#include "cli/ProgressLine.h"

#include "cli/Terminal.h"

#include "support/Cp1252.h"
#include "support/FileDescriptor.h"

#include <cstdio>

namespace kr6 {
namespace {

constexpr std::string_view Ellipsis = "\xE2\x80\xA6";

bool IsContinuationByte(char Byte) {
    return (static_cast<unsigned char>(Byte) & 0xC0) == 0x80;
}

// Terminal columns of UTF-8 text; the line holds no wide or combining characters that
// would make a character other than one column.
std::size_t Columns(std::string_view Text) {
    std::size_t Count = 0;
    for (const char Byte : Text)
        Count += IsContinuationByte(Byte) ? 0 : 1;
    return Count;
}

// The first Width columns of Text, never cutting a character in two.
std::string_view FirstColumns(std::string_view Text, std::size_t Width) {
    std::size_t Count = 0;
    for (std::size_t I = 0; I < Text.size(); ++I) {
        if (IsContinuationByte(Text[I]))
            continue;
        if (Count++ == Width)
            return Text.substr(0, I);
    }
    return Text;
}

// The first candidate that fits, else the last one cut to the width.
std::string FirstThatFits(std::initializer_list<std::string> Candidates, std::size_t Width) {
    for (const std::string& Candidate : Candidates)
        if (Columns(Candidate) <= Width)
            return Candidate;
    return std::string(FirstColumns(*(Candidates.end() - 1), Width));
}

std::string Count(std::int64_t Value) {
    return std::to_string(Value);
}

} // namespace

std::string FormatDuration(double Seconds) {
    const auto Whole = static_cast<long long>(Seconds < 0 ? 0 : Seconds);
    char Text[32];
    std::snprintf(Text, sizeof Text, "%lld:%02lld:%02lld", Whole / 3600, Whole / 60 % 60,
                  Whole % 60);
    return Text;
}

std::string FormatProgress(std::string_view Lens, const TKombiTally& All, double ElapsedSeconds,
                           std::size_t Width) {
    const std::string Elapsed = "elapsed " + FormatDuration(ElapsedSeconds);
    if (All.Tested == 0) {
        const std::string Counting = "counting combinations: " + Count(All.Total);
        return FirstThatFits({Counting + ", " + Elapsed, Counting, Count(All.Total)}, Width);
    }
    const double ExpectedSeconds =
        ElapsedSeconds * static_cast<double>(All.Total) / static_cast<double>(All.Tested);
    const std::string Code = Cp1252ToUtf8(Lens);
    // The counts are those of all lenses, not of the one under test.
    const std::string Tested =
        "all lenses: " + Count(All.Tested) + " of " + Count(All.Total) + " tested";
    const std::string Deliverable = Count(All.Deliverable) + " deliverable";
    const std::string Expected = "about " + FormatDuration(ExpectedSeconds) + " in all";
    const std::string Times = FormatDuration(ElapsedSeconds) + " of " + Expected;

    const std::string Counts = Tested + " | " + Expected;
    // The code shortened to what is left beside the counts; below one column of the code and
    // the ellipsis it is no help, and the counts stand alone.
    std::string Shortened = Counts;
    const std::size_t Fixed = Columns(" | " + Counts) + 1;
    if (Width > Fixed && Width != Unlimited)
        Shortened =
            std::string(FirstColumns(Code, Width - Fixed)) + std::string(Ellipsis) + " | " + Counts;
    return FirstThatFits({Code + " | " + Tested + ", " + Deliverable + " | " + Times,
                          Code + " | " + Tested + ", " + Deliverable + " | " + Expected,
                          Code + " | " + Counts, Shortened, Counts, Tested},
                         Width);
}

std::string FormatImportProgress(std::string_view Stage, double Fraction, double ElapsedSeconds,
                                 std::size_t Width, std::string_view Subject) {
    const int Percent = static_cast<int>(Fraction * 100);
    const std::string Share = std::to_string(Percent < 0 ? 0 : Percent > 100 ? 100 : Percent) + "%";
    const std::string Import =
        Subject.empty() ? std::string("import") : "import of " + std::string(Subject);
    const std::string Doing = Import + ": " + std::string(Stage) + ", " + Share;
    return FirstThatFits({Doing + ", elapsed " + FormatDuration(ElapsedSeconds), Doing,
                          Import + " " + Share, "import " + Share, Share},
                         Width);
}

bool WantsProgressLine(bool Quiet, bool DataOnStandardOutput) {
    return !Quiet && IsTerminal(StandardErrorFd) && TerminalErases(StandardErrorFd) &&
           !(DataOnStandardOutput && IsTerminal(StandardOutputFd));
}

TProgressLine::TProgressLine(int Fd, bool Enabled)
    : FFd(Fd), FEnabled(Enabled), FStart(TClock::now()), FLastDraw(FStart - Interval) {
    if (FEnabled)
        WatchTerminalWidth(true);
}

TProgressLine::~TProgressLine() {
    Clear();
    if (FEnabled)
        WatchTerminalWidth(false);
}

double TProgressLine::ElapsedSeconds() const {
    return std::chrono::duration<double>(TClock::now() - FStart).count();
}

void TProgressLine::Restart() {
    FStart = TClock::now();
}

void TProgressLine::Update(std::string_view Lens, const TKombiTally& All) {
    // The evaluation reports every deliverable combination, millions a second: reading
    // the clock each time would cost more than the rest of the report.
    if (++FUpdates % UpdatesPerLook != 1)
        return;
    if (DueForRedraw())
        Draw(FormatProgress(Lens, All, ElapsedSeconds(), Width()));
}

void TProgressLine::UpdateImport(std::string_view Stage, double Fraction) {
    if (DueForRedraw())
        Draw(FormatImportProgress(Stage, Fraction, ElapsedSeconds(), Width(), FSubject));
}

void TProgressLine::Clear() {
    if (!FShown)
        return;
    FShown = false;
    Draw({});
}

bool TProgressLine::DueForRedraw() {
    if (!FEnabled)
        return false;
    const TClock::time_point Now = TClock::now();
    if (Now - FLastDraw < Interval && !TerminalWidthChanged())
        return false;
    FLastDraw = Now;
    FShown = true;
    return true;
}

std::size_t TProgressLine::Width() const {
    const std::size_t Columns = TerminalColumns(FFd);
    // Writing into the last column makes some terminals wrap at once.
    return (Columns > 0 ? Columns : 80) - 1;
}

void TProgressLine::Draw(std::string_view Text) {
    // Return to the line's start, write, and erase what a longer text left behind.
    std::string Line;
    Line.reserve(Text.size() + 8);
    Line += '\r';
    Line += Text;
    Line += "\x1b[K";
    if (WriteToConsole(FFd, Line, true))
        return;
    // The line is a courtesy: a failing terminal must not end the work.
    std::string_view Rest = Line;
    std::error_code Error;
    while (!Rest.empty()) {
        const std::size_t Written = WriteSome(FFd, Rest, Error);
        if (Written == 0)
            return;
        Rest.remove_prefix(Written);
    }
}

} // namespace kr6
