#include "support/StringList.h"
#include "support/ZipArchive.h"
#include "tools/ChangedCopy.h"
#include "tools/DefectCopy.h"
#include "tools/DemoPriceList.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <ctime>
#include <exception>
#include <filesystem>

namespace {

// 1 January 2025, 00:00 local time: ZIP stores local time, so the archive holds the same
// date in every time zone.
std::time_t FixedMemberTime() {
    std::tm Fixed{};
    Fixed.tm_year = 2025 - 1900;
    Fixed.tm_mday = 1;
    Fixed.tm_isdst = -1;
    return std::mktime(&Fixed);
}

void WriteArchive(const std::string& Path, const std::vector<kr6::TKr6Member>& Members) {
    // The archive writer adds to an existing archive; the result must hold these
    // members only.
    std::filesystem::remove(Path);
    kr6::TOXVCLZip Zip;
    Zip.SetZipName(Path);
    Zip.SetMemberTime(FixedMemberTime());
    // Level 9 takes ten times as long on large price tables for a few per cent.
    Zip.SetCompressionLevel(6);
    for (const kr6::TKr6Member& Member : Members) {
        kr6::TStringList Lines(false, kr6::TStringList::TDuplicates::Accept);
        Lines.Reserve(Member.Lines.size());
        for (const std::string& Line : Member.Lines)
            Lines.Add(Line);
        Zip.StringsToTextfile(Member.Name, Lines);
    }
}

int Main(int argc, char** argv) {
    CLI::App App{"Writes a made-up KR6 price list of the invented maker Beispielhersteller.",
                 "make-demo-kr6"};
    std::string Output;
    kr6::TDemoSize Size;
    App.add_option("OUT", Output, "Archive to write (.zip); replaced when it exists")->required();
    App.add_option("--lenses", Size.Lenses, "Number of lenses")
        ->capture_default_str()
        ->check(CLI::Range(1, 40000));
    App.add_option("--coatings", Size.Coatings, "Number of coatings")
        ->capture_default_str()
        ->check(CLI::Range(1, 10000));
    App.add_option("--rules", Size.Rules, "Number of combination rules")
        ->capture_default_str()
        ->check(CLI::Range(0, 10000000));
    App.add_option("--price-lines", Size.PriceLines, "Number of lens price lines")
        ->capture_default_str()
        ->check(CLI::Range(0, 50000000));
    App.add_option("--seed", Size.Seed, "Seed of the choices of coatings per lens")
        ->capture_default_str();
    std::string Shape = "standard";
    App.add_option("--shape", Shape,
                   "standard; deep: few lenses with dozens of coatings of each kind (300 "
                   "lenses, 72 coatings, 40000 rules, 3000 price lines); one-lens: one lens "
                   "with 10 anti-reflection coatings, 10 tints and hundreds of further "
                   "coatings (1280 coatings, 2400 rules, 10 price lines). Sizes given "
                   "explicitly win")
        ->capture_default_str()
        ->check(CLI::IsMember({"standard", "deep", "one-lens"}));
    std::uint64_t Changes = 0;
    App.add_option("--changes", Changes,
                   "Write a later season of the list instead: lenses, coatings and rules "
                   "added, removed and changed, some prices raised; the number picks which")
        ->option_text("SEED");
    std::uint64_t Defects = 0;
    App.add_option("--defects", Defects,
                   "Write a copy with lines that kr6csv lint reports, of every kind of finding; "
                   "the number picks which lines and values")
        ->option_text("SEED");
    CLI11_PARSE(App, argc, argv);
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
