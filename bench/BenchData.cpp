#include "bench/BenchData.h"

#include "export/EvaluationLists.h"
#include "export/FastEvaluation.h"
#include "import/Kr6Import.h"
#include "model/Root.h"
#include "support/ZipArchive.h"
#include "tools/DemoPriceList.h"

#include <array>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>

namespace kr6::bench {
namespace {

TDemoSize SizeOf(TBenchList List) {
    TDemoSize Size;
    if (List == TBenchList::Deep) {
        Size.Lenses = 300;
        Size.Coatings = 72;
        Size.Rules = 40000;
        Size.PriceLines = 3000;
        return Size;
    }
    if (List == TBenchList::Large) {
        Size.Lenses = 20000;
        Size.Coatings = 800;
        Size.Rules = 40000;
        Size.PriceLines = 10000000;
        return Size;
    }
    Size.Lenses = 3000;
    Size.Coatings = 400;
    Size.Rules = 20000;
    Size.PriceLines = 500000;
    Size.Seed = 1;
    if (List == TBenchList::Double) {
        Size.Lenses *= 2;
        Size.Coatings *= 2;
        Size.Rules *= 2;
        Size.PriceLines *= 2;
    }
    return Size;
}

// Removes the generated archives when the process ends.
class TScratchDir {
public:
    TScratchDir() {
        std::mt19937_64 Generator{std::random_device{}()};
        for (int Attempt = 0; Attempt < 100 && FPath.empty(); ++Attempt) {
            const std::filesystem::path Candidate = std::filesystem::temp_directory_path() /
                                                    ("kr6-bench-" + std::to_string(Generator()));
            if (std::filesystem::create_directory(Candidate))
                FPath = Candidate;
        }
        if (FPath.empty())
            throw std::runtime_error("cannot create a temporary directory for the archives");
    }
    ~TScratchDir() {
        std::error_code Ignored;
        std::filesystem::remove_all(FPath, Ignored);
    }
    TScratchDir(const TScratchDir&) = delete;
    TScratchDir& operator=(const TScratchDir&) = delete;

    const std::filesystem::path& Path() const { return FPath; }

private:
    std::filesystem::path FPath;
};

const char* NameOf(TBenchList List) {
    switch (List) {
    case TBenchList::Standard:
        return "bench";
    case TBenchList::Double:
        return "bench-2x";
    case TBenchList::Deep:
        return "deep";
    case TBenchList::Large:
        return "large";
    }
    return "bench";
}

std::string GenerateArchive(TBenchList List) {
    static const TScratchDir Scratch;
    const std::string Path = (Scratch.Path() / (std::string(NameOf(List)) + ".zip")).string();
    TOXVCLZip Zip;
    Zip.SetZipName(Path);
    // The level the generator writes with, so that inflating costs the same.
    Zip.SetCompressionLevel(6);
    for (const TKr6Member& Member : MakeDemoPriceList(SizeOf(List))) {
        TStringList Lines(false, TStringList::TDuplicates::Accept);
        Lines.Reserve(Member.Lines.size());
        for (const std::string& Line : Member.Lines)
            Lines.Add(Line);
        Zip.StringsToTextfile(Member.Name, Lines);
    }
    return Path;
}

std::string FindOrGenerate(TBenchList List) {
    const char* Variable = List == TBenchList::Double  ? "KR6_BENCH_ARCHIVE_2X"
                           : List == TBenchList::Deep  ? "KR6_BENCH_ARCHIVE_DEEP"
                           : List == TBenchList::Large ? "KR6_BENCH_ARCHIVE_LARGE"
                                                       : "KR6_BENCH_ARCHIVE";
    const char* Given = std::getenv(Variable);
    return Given != nullptr && *Given != '\0' ? std::string(Given) : GenerateArchive(List);
}

// The standard and the deep list are loaded; the double one is only imported.
std::size_t LoadedIndex(TBenchList List) {
    return List == TBenchList::Deep ? 1 : 0;
}

} // namespace

const std::string& BenchArchive(TBenchList List) {
    static const std::string Standard = FindOrGenerate(TBenchList::Standard);
    if (List == TBenchList::Standard)
        return Standard;
    if (List == TBenchList::Deep) {
        static const std::string Deep = FindOrGenerate(TBenchList::Deep);
        return Deep;
    }
    if (List == TBenchList::Large) {
        static const std::string Large = FindOrGenerate(TBenchList::Large);
        return Large;
    }
    static const std::string Double = FindOrGenerate(TBenchList::Double);
    return Double;
}

Tdex6Dataobject& LoadedBenchList(TBenchList List) {
    static std::array<std::unique_ptr<Tdex6Dataobject>, 2> Roots;
    std::unique_ptr<Tdex6Dataobject>& Root = Roots[LoadedIndex(List)];
    if (!Root) {
        Root = std::make_unique<Tdex6Dataobject>();
        LoadKr6File(*Root, BenchArchive(List));
    }
    return *Root;
}

const TStringList& EvaluatedBenchLenses(TBenchList List) {
    static std::array<std::optional<TStringList>, 2> Lenses;
    std::optional<TStringList>& Codes = Lenses[LoadedIndex(List)];
    if (!Codes) {
        Codes.emplace();
        ListEvaluatedLenses(LoadedBenchList(List), *Codes);
    }
    return *Codes;
}

TStringList SampleBenchLenses(int Count, TBenchList List) {
    const TStringList& All = EvaluatedBenchLenses(List);
    TStringList Sample;
    if (Count <= 0 || All.IsEmpty())
        return Sample;
    const double Step = static_cast<double>(All.Count()) / Count;
    for (int I = 0; I < Count && I < All.Count(); ++I)
        Sample.Add(All[static_cast<int>(I * Step)]);
    return Sample;
}

std::int64_t BenchListKeys(TBenchList List) {
    const TFastEvaluator Evaluator(LoadedBenchList(List));
    std::int64_t Sum = 0;
    for (const auto& Lens : EvaluatedBenchLenses(List))
        Sum += Evaluator.CountKeys(Lens.Text);
    return Sum;
}

int EnvCount(const char* Name, int Default) {
    const char* Text = std::getenv(Name);
    if (Text == nullptr)
        return Default;
    const int Value = std::atoi(Text);
    return Value > 0 ? Value : Default;
}

} // namespace kr6::bench
