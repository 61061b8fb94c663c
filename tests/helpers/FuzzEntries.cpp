#include "helpers/FuzzEntries.h"

#include "export/EvaluateCombinations.h"
#include "export/EvaluationLists.h"
#include "export/FastEvaluation.h"
#include "helpers/ElementTestSupport.h"
#include "helpers/TestArchive.h"
#include "import/Kr6Findings.h"
#include "import/Kr6Head.h"
#include "import/Kr6Import.h"
#include "import/Kr6LensRecords.h"
#include "import/Kr6OptionRecords.h"
#include "model/Coatings.h"
#include "model/ElementReader.h"
#include "model/Glasses.h"
#include "model/Root.h"
#include "support/StringList.h"
#include "support/ZipArchive.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>

namespace kr6::test {
namespace {

// Small enough that a decompression bomb costs little, large enough for any fuzzed member.
constexpr std::uint64_t FuzzMemberLimit = 1 << 20;

// Above these the evaluation is skipped: the work grows with the fourth power of the
// coatings and would only slow the fuzzer down.
constexpr int MaxEvaluatedGlasses = 32;
constexpr int MaxEvaluatedCoatings = 32;
constexpr std::int64_t MaxEvaluatedKeys = 20000;

void Check(bool Condition, const char* What) {
    if (!Condition)
        throw std::logic_error(What);
}

std::int64_t KeyCount(const Tdex6Dataobject& Root) {
    TStringList Lenses;
    ListEvaluatedLenses(Root, Lenses);
    const TFastEvaluator Evaluator(Root);
    std::int64_t Total = 0;
    for (const auto& Lens : Lenses)
        Total += Evaluator.CountKeys(Lens.Text);
    return Total;
}

void EvaluateBothWays(Tdex6Dataobject& Root) {
    if (Root.Glasliste()->Count() > MaxEvaluatedGlasses ||
        Root.Beschichtungsliste()->Count() > MaxEvaluatedCoatings)
        return;
    const std::int64_t Keys = KeyCount(Root);
    if (Keys > MaxEvaluatedKeys)
        return;
    std::int64_t Reported = -1;
    Root.SetKombiProgress(
        [&Reported](Tdex6Dataobject&, const TKombiCounts& Counts) { Reported = Counts.All.Total; });
    TStringList Literal;
    EvaluateCombinations(Root, Literal, {TEvaluationEngine::Literal, 1});
    Check(Reported == -1 || Reported == Keys, "literal total differs from the key count");
    TStringList Fast;
    EvaluateCombinations(Root, Fast, {TEvaluationEngine::Fast, 1});
    Root.SetKombiProgress(nullptr);
    Check(Literal.Count() <= Keys, "more rows than keys");
    Check(Literal.Text() == Fast.Text(), "the engines disagree");
}

} // namespace

void FuzzArchiveBytes(std::string_view Bytes) {
    static const TTempFile File("", ".zip");
    File.Write(Bytes);
    try {
        TOXVCLZip Archive({.MaxBytes = FuzzMemberLimit});
        Archive.SetZipName(File.Path());
        Archive.FileExists("Head.dat");
        Archive.UncompressedFilesizeFromFilename("LensType.Dat");
        Tdex6Dataobject Root;
        TKr6Findings Findings;
        ReadKr6Archive(Root, Archive, {}, &Findings);
    } catch (const EArchiveError&) {
    }
}

void FuzzRecordLine(std::string_view Line) {
    const auto Parse = [Line]<class Record>(void (*Parser)(Record&, std::string_view)) {
        Record Rec;
        Parser(Rec, Line);
    };
    [&](auto... Parsers) {
        (Parse(Parsers), ...);
    }(ParseKr6LensType, ParseKr6LensRange, ParseKr6LensGeo, ParseKr6Options, ParseKr6OptionsColor,
      ParseKr6OptionsPrice, ParseKr6Combination, ParseKr6Information, ParseKr6OrderOptions,
      ParseKr6Productgroup, ParseKr6CodeSubst);
    TKr6DataLensPrice LensPrice;
    ParseKr6LensPrice(LensPrice, Line, 0);
    ParseKr6LensPrice(LensPrice, Line, Kr6LongPriceDiameterVersion);

    TStringList Lines;
    Lines.SetText(Line);
    TKr6DataHead Head;
    ParseKr6Head(Head, Lines);
    Kr6VersionNumber(Head.Version);
    Kr6VersionNumber(Line);
}

TKr6Files FuzzImportFiles(std::string_view Bytes) {
    TKr6Files Files;
    // The members in the order of the archive, each ended by a zero byte.
    for (TStringList TKr6Files::*Member : TKr6Files::Members) {
        const std::size_t End = std::min(Bytes.find('\0'), Bytes.size());
        (Files.*Member).SetText(Bytes.substr(0, End));
        Bytes.remove_prefix(std::min(End + 1, Bytes.size()));
    }
    return Files;
}

void FuzzImport(std::string_view Bytes) {
    const TKr6Files Files = FuzzImportFiles(Bytes);
    Tdex6Dataobject Root;
    BuildKr6Model(Root, Files);
    // Whatever the lines hold, telling an observer of them changes nothing in the model.
    Tdex6Dataobject Observed;
    TKr6Findings Findings;
    BuildKr6Model(Observed, Files, &Findings);
    Check(XmlOf(Observed) == XmlOf(Root), "the observer changes the model");
    EvaluateBothWays(Root);
}

void FuzzElementText(std::string_view Bytes) {
    Tdex6Dataobject Root;
    TElementReader Reader;
    try {
        Reader.Read(Bytes, Root);
    } catch (const EElementFormError&) {
    }
}

} // namespace kr6::test
