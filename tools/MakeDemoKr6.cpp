#include "cli/UsageWords.h"
#include "support/FileDescriptor.h"
#include "support/OutputFile.h"
#include "support/SystemReason.h"
#include "support/ZipArchive.h"
#include "tools/ChangedCopy.h"
#include "tools/DefectCopy.h"
#include "tools/DemoPriceList.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <ctime>
#include <exception>
#include <string>
#include <string_view>
#include <system_error>

namespace {

constexpr int ExitUsage = 2;
// Seeds are typed, so a few digits are plenty.
constexpr unsigned Seeds = 999999999;

// 1 January 2025, 00:00 local time: ZIP stores local time, so the archive holds the same
// date in every time zone.
std::time_t FixedMemberTime() {
    std::tm Fixed{};
    Fixed.tm_year = 2025 - 1900;
    Fixed.tm_mday = 1;
    Fixed.tm_isdst = -1;
    return std::mktime(&Fixed);
}

void WriteAll(int Fd, std::string_view Bytes, const std::string& Name) {
    while (!Bytes.empty()) {
        std::error_code Error;
        const std::size_t Written = kr6::WriteSome(Fd, Bytes, Error);
        if (Error || Written == 0)
            throw kr6::EOutputError("cannot write to " + Name + ": " +
                                    (Error ? kr6::SystemReason(Error) : "nothing was written"));
        Bytes.remove_prefix(Written);
    }
}

// The archive goes to standard output for "-", otherwise to a file that is replaced only
// once it is whole; a folder or the like is refused, never removed.
void WriteArchive(const std::string& Path, const std::vector<kr6::TKr6Member>& Members) {
    std::vector<kr6::TArchiveMember> Archived;
    for (const kr6::TKr6Member& Member : Members) {
        std::string Bytes;
        for (const std::string& Line : Member.Lines)
            Bytes.append(Line).append("\r\n");
        Archived.push_back({Member.Name, std::move(Bytes)});
    }
    // Level 9 takes ten times as long on large price tables for a few per cent.
    const std::string Bytes = kr6::ArchiveBytes(Archived, FixedMemberTime(), 6);
    if (Path == "-") {
        kr6::SetBinaryMode(kr6::StandardOutputFd);
        WriteAll(kr6::StandardOutputFd, Bytes, "standard output");
        return;
    }
    kr6::TOutputFile File(Path);
    WriteAll(File.Fd(), Bytes, File.Name());
    File.Commit();
}

int Main(int argc, char** argv) {
    CLI::App App{"Writes a made-up KR6 price list of the invented maker Beispielhersteller.",
                 "make-demo-kr6"};
    std::string Output;
    kr6::TDemoSize Size;
    App.add_option("OUT", Output,
                   "Archive to write (.zip), replaced only once it is written whole; - writes "
                   "it to standard output")
        ->required();
    App.add_option("--lenses", Size.Lenses, "Number of lenses")
        ->capture_default_str()
        ->option_text("N")
        ->check(kr6::NumberFrom(1, 40000));
    App.add_option("--coatings", Size.Coatings, "Number of coatings")
        ->capture_default_str()
        ->option_text("N")
        ->check(kr6::NumberFrom(1, 10000));
    App.add_option("--rules", Size.Rules, "Number of combination rules")
        ->capture_default_str()
        ->option_text("N")
        ->check(kr6::NumberFrom(0, 10000000));
    App.add_option("--price-lines", Size.PriceLines, "Number of lens price lines")
        ->capture_default_str()
        ->option_text("N")
        ->check(kr6::NumberFrom(0, 50000000));
    App.add_option("--seed", Size.Seed, "Seed of the choices of coatings per lens")
        ->capture_default_str()
        ->option_text("N")
        ->check(kr6::NumberFrom(0, Seeds));
    std::string Shape = "standard";
    App.add_option("--shape", Shape,
                   "standard; deep: few lenses with dozens of coatings of each kind (300 "
                   "lenses, 72 coatings, 40000 rules, 3000 price lines); one-lens: one lens "
                   "with 10 anti-reflection coatings, 10 tints and hundreds of further "
                   "coatings (1280 coatings, 2400 rules, 10 price lines); large: a large "
                   "maker's list (20000 lenses, 800 coatings, 40000 rules, 10 million "
                   "price lines). Sizes given explicitly win")
        ->capture_default_str()
        ->option_text("standard|deep|one-lens|large")
        ->check(kr6::OneOf({"standard", "deep", "one-lens", "large"}));
    std::uint64_t Changes = 0;
    App.add_option("--changes", Changes,
                   "Write a later season of the list instead: lenses, coatings and rules "
                   "added, removed and changed, some prices raised; the number picks which")
        ->option_text("SEED")
        ->check(kr6::NumberFrom(1, Seeds));
    std::uint64_t Defects = 0;
    App.add_option("--defects", Defects,
                   "Write a copy with lines that kr6csv lint reports, of every kind of finding; "
                   "the number picks which lines and values")
        ->option_text("SEED")
        ->check(kr6::NumberFrom(1, Seeds));
    kr6::UseProgramWords(App, "make-demo-kr6", std::vector<std::string>(argv + 1, argv + argc));
    try {
        App.parse(argc, argv);
    } catch (const CLI::ParseError& Error) {
        // Help ends with 0; everything else is a usage error.
        return App.exit(Error) == 0 ? 0 : ExitUsage;
    }
    // The shape's sizes, where none was given.
    const auto Preset = [&](const char* Option, int& Value, int ShapeValue) {
        if (App.count(Option) == 0)
            Value = ShapeValue;
    };
    if (Shape == "deep") {
        Preset("--lenses", Size.Lenses, 300);
        Preset("--coatings", Size.Coatings, 72);
        Preset("--rules", Size.Rules, 40000);
        Preset("--price-lines", Size.PriceLines, 3000);
    } else if (Shape == "one-lens") {
        Size.Mix = kr6::TDemoMix::OneLens;
        Preset("--lenses", Size.Lenses, 1);
        Preset("--coatings", Size.Coatings, 1280);
        Preset("--rules", Size.Rules, 2400);
        Preset("--price-lines", Size.PriceLines, 10);
    } else if (Shape == "large") {
        Preset("--lenses", Size.Lenses, 20000);
        Preset("--coatings", Size.Coatings, 800);
        Preset("--rules", Size.Rules, 40000);
        Preset("--price-lines", Size.PriceLines, 10000000);
    }

    std::vector<kr6::TKr6Member> Members = kr6::MakeDemoPriceList(Size);
    if (Changes != 0)
        Members = kr6::ChangedCopy(Members, Changes);
    if (App.count("--defects") != 0)
        Members = kr6::DefectCopy(Members, Defects).Members;
    WriteArchive(Output, Members);
    for (const kr6::TKr6Member& Member : Members)
        std::fprintf(stderr, "%-22s %9zu lines\n", Member.Name.c_str(), Member.Lines.size());
    return 0;
}

} // namespace

// Setting up the options can fail as well as the writing; both end with one line.
int main(int argc, char** argv) {
    try {
        return Main(argc, argv);
    } catch (const std::exception& Error) {
        std::fprintf(stderr, "make-demo-kr6: %s\n", Error.what());
        return 1;
    }
}
