#include "import/Kr6Import.h"

#include "import/Kr6Head.h"
#include "import/Kr6ImportProgress.h"
#include "import/Kr6ImportSteps.h"
#include "import/Kr6LensRecords.h"
#include "import/Kr6LineReport.h"
#include "import/Kr6Members.h"
#include "import/Kr6StreamedMember.h"
#include "model/Addresses.h"
#include "model/CoatingParts.h"
#include "model/Combinations.h"
#include "model/DeliveryRanges.h"
#include "model/Formulas.h"
#include "model/GlassParts.h"
#include "model/Glasses.h"
#include "model/Info.h"
#include "model/OrderOptions.h"
#include "model/Root.h"
#include "support/StringList.h"
#include "support/TextCompare.h"
#include "support/ZipArchive.h"

#include <algorithm>
#include <array>
#include <memory_resource>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kr6 {
namespace {

using namespace kr6_import;

// The members in the order they are read. Cost is what building the model from one byte
// of the member costs beside reading (inflating and splitting) that byte, so that the
// reported fraction moves with the time taken.
constexpr std::size_t Head = 0, LensType = 1, LensGeo = 2, LensPrice = 3, Options = 4,
                      OptionsColor = 5, OptionsPrice = 6, Combination = 7, LensRange = 8,
                      Information = 9, OrderOptions = 10, Productgroup = 11, CodeSubstitution = 12,
                      OeCodes = 13;
constexpr auto& Members = Kr6MemberNames;
constexpr std::array<double, Members.size()> BuildCosts = {1, 4,   1,   7, 2,   2, 14,
                                                           5, 0.5, 0.3, 1, 100, 1, 0};
// Sorting lenses and rules at the end, per byte of their members.
constexpr double SortCost = 0.3;

using TMemberLines = std::array<TKr6MemberLines, Members.size()>;
using TMemberBytes = std::array<double, Members.size()>;

bool IsMemberName(std::string_view Name) {
    return Kr6MemberRank(Name) < Members.size();
}

// An archive without any KR6 member would import as an empty list, a failure that looks
// like success. Zipping a folder instead of its files is the usual cause, so a member of
// a KR6 name inside a folder is named.
void RequirePriceList(TOXVCLZip& Archive) {
    if (std::any_of(Members.begin(), Members.end(),
                    [&](std::string_view Member) { return Archive.FileExists(Member); }))
        return;
    std::string Text = "'" + Archive.ZipName() + "' holds no KR6 price list (none of ";
    for (const std::string_view Member : Members) {
        Text += Member;
        Text += Member == Members.back() ? " at the top level)" : ", ";
    }
    TStringList Names;
    Archive.GetMemberNames(Names);
    for (const auto& Entry : Names) {
        const std::size_t Slash = Entry.Text.find_last_of("/\\");
        if (Slash != std::string::npos &&
            IsMemberName(std::string_view(Entry.Text).substr(Slash + 1))) {
            Text += "; found '" + Entry.Text + "' inside a folder";
            break;
        }
    }
    throw EArchiveError(Text);
}

// The archive's members as a whole: KR6 members it lacks or does not use, and others.
void ReportMembers(TOXVCLZip& Archive, TKr6ImportObserver& Observer) {
    for (const std::string_view Member : Members) {
        const TKr6LineReport Report(&Observer, Member);
        if (!Archive.FileExists(Member)) {
            if (Member != Members[OeCodes])
                Report.AddMember(TKr6FindingCode::MissingMember, "the archive holds no " +
                                                                     std::string(Member) +
                                                                     ": read as an empty file");
        } else if (Member == Members[OeCodes]) {
            Report.AddMember(TKr6FindingCode::UnusedMember, "read, but nothing in it is used");
        }
    }
    TStringList Names;
    Archive.GetMemberNames(Names);
    for (const auto& Entry : Names) {
        const std::string_view Name = Entry.Text;
        const bool Folder = !Name.empty() && (Name.back() == '/' || Name.back() == '\\');
        const bool TopLevel = Name.find_first_of("/\\") == std::string_view::npos;
        if (Folder || (TopLevel && IsMemberName(Name)))
            continue;
        TKr6LineReport(&Observer, Name)
            .AddMember(TKr6FindingCode::ForeignMember,
                       TopLevel ? "not a member of a KR6 price list: not read"
                                : "not at the top level of the archive, where KR6 members are: "
                                  "not read");
    }
}

// Room in the import arena for the objects the lines can make, each line at most what its
// member's step makes of one: the glasses with their parts, the lens prices packed, the
// geometries, power ranges and rules, and the coating prices with their formulas, one for
// each filled price field and material.
std::size_t ArenaBytes(const TMemberLines& Lines, std::size_t PriceLines,
                       std::size_t FilledFields) {
    const auto Count = [&](std::size_t Member) {
        return static_cast<std::size_t>(Lines[Member].Count());
    };
    constexpr std::size_t Materials = static_cast<std::size_t>(Tdex6Material::Trivex) + 1;
    constexpr std::size_t Glass =
        sizeof(Tdex6DataGlas) + sizeof(Tdex6DataOrderOptions) + sizeof(Tdex6DataGlasWirkungsListe) +
        sizeof(Tdex6DataGlasGeometrieListe) + sizeof(Tdex6DataGlasPreisListe) +
        sizeof(Tdex6DataPreisgruppen) + sizeof(Tdex6DataInfo) + sizeof(Tdex6DataImageListe) +
        sizeof(Tdex6DataFormelZuweisung);
    constexpr std::size_t CoatingPrice = sizeof(Tdex6DataBeschichtungspreis) +
                                         sizeof(Tdex6DataFormelLokalBeschichtung) +
                                         sizeof(Tdex6DataFormelCalc);
    return Count(LensType) * Glass +
           Tdex6DataGlasPreisListe::PackedBytes(FilledFields * PriceLines, PriceLines) +
           Count(LensGeo) * sizeof(Tdex6DataGlasGeometrie) +
           Count(LensRange) * sizeof(Tdex6DataGlasWirkung) +
           Count(Combination) * sizeof(Tdex6DataKombination) +
           Count(OptionsPrice) * FilledFields * Materials * CoatingPrice;
}

// The arena is open for one import, whichever way it ends.
class TArenaScope {
public:
    TArenaScope(TImportArena& Arena, std::size_t Bytes) : FArena(Arena) { FArena.Open(Bytes); }
    ~TArenaScope() { FArena.Close(); }
    TArenaScope(const TArenaScope&) = delete;
    TArenaScope& operator=(const TArenaScope&) = delete;

private:
    TImportArena& FArena;
};

// How many lines a lens price member of Bytes holds, judged by the long line form with its
// CR LF; for the room set aside and the progress before the lines are counted.
std::size_t EstimatedPriceLines(double Bytes) {
    constexpr double LineBytes = kr6_layouts::LensPrice::Length + 2;
    return static_cast<std::size_t>(Bytes / LineBytes) + 1;
}

// Prices, when given, reads the lens prices while they are built, and Lines holds none of
// them; their text is let go once they are built.
TKr6DataHead BuildModel(Tdex6Dataobject& Root, const TStringList& HeadLines,
                        const TMemberLines& Lines, const TMemberBytes& Bytes,
                        TImportProgressMeter& Meter, TKr6ImportObserver* Observer,
                        TKr6StreamedMember* Prices = nullptr) {
    const std::size_t PriceLines = Prices != nullptr
                                       ? EstimatedPriceLines(Bytes[LensPrice])
                                       : static_cast<std::size_t>(Lines[LensPrice].Count());
    // Lens prices read while they are built take the time of both.
    const auto Begin = [&](std::string_view Stage, std::size_t Member) {
        const bool Streamed = Prices != nullptr && Member == LensPrice;
        Meter.Begin(std::string(Stage), Bytes[Member] * (BuildCosts[Member] + (Streamed ? 1 : 0)),
                    Member == LensPrice ? PriceLines
                                        : static_cast<std::size_t>(Lines[Member].Count()));
    };
    Begin("building the header", Head);
    // The rules are sorted once at the end rather than after every one that comes in.
    TWorkLists Work;
    Work.Observer = Observer;
    Root.KombinationsListe()->SetSortEnabled(false);
    Root.ClearAll(true);
    // The header, whose KR6 version decides how the prices are read.
    TKr6DataHead HeadRecord;
    ParseKr6Head(HeadRecord, HeadLines);
    if (Observer != nullptr) {
        TKr6LineReport Report(Observer, Members[Head]);
        CheckKr6Head(HeadLines, Report);
    }
    const std::int32_t Version = Kr6VersionNumber(HeadRecord.Version);
    ImportHead(Root, HeadRecord);
    // The lens prices take most of the model's memory, which is made present on another
    // thread meanwhile. A line gives at most one price per filled price field.
    std::size_t FilledFields = 0;
    for (int K = 1; K <= PriceFieldCount; ++K)
        FilledFields += IsPriceFieldFilled(Root, K) ? 1 : 0;
    const TArenaScope Arena(Root.ImportArena(), ArenaBytes(Lines, PriceLines, FilledFields));
    Begin("building the lenses", LensType);
    ImportGlasses(Root, Lines[LensType], Work, Meter);
    Begin("building the power ranges", LensRange);
    ImportPowerRanges(Root, Lines[LensRange], Work, Meter);
    Begin("building the lens geometries", LensGeo);
    ImportGeometries(Root, Lines[LensGeo], Work, Meter);
    Begin("building the lens prices", LensPrice);
    bool Given = false;
    ImportGlassPrices(
        Root,
        [&]() -> std::optional<TKr6MemberLines> {
            if (Prices != nullptr)
                return Prices->Next();
            if (std::exchange(Given, true))
                return std::nullopt;
            return Lines[LensPrice];
        },
        Version, Work, Meter);
    if (Prices != nullptr)
        Prices->Release();
    Begin("building the coatings", Options);
    ImportCoatings(Root, Lines[Options], Work, Meter);
    Begin("building the coating prices", OptionsPrice);
    ImportCoatingPrices(Root, Lines[OptionsPrice], Work, Meter);
    Begin("building the combination rules", Combination);
    ImportRules(Root, Lines[Combination], Work, Meter);
    Begin("building the colours", OptionsColor);
    ImportColours(Root, Lines[OptionsColor], Work, Meter);
    Begin("building the information texts", Information);
    ImportInformation(Root, Lines[Information], Work, Meter);
    Begin("building the order options", OrderOptions);
    ImportOrderOptions(Root, Lines[OrderOptions], Work, Meter);
    Begin("building the product groups", Productgroup);
    ImportProductGroups(Root, Lines[Productgroup], Work, Meter);
    Begin("building the code substitutions", CodeSubstitution);
    ImportCodeSubstitutions(Root, Lines[CodeSubstitution], Work, Meter);
    ReportUnpriced(Work);
    // The lenses are numbered 0, 1, 2, ... in the order of the sort numbers they came with.
    Meter.Begin("sorting the lenses and rules", (Bytes[LensType] + Bytes[Combination]) * SortCost);
    Root.Glasliste()->AutoSort = true;
    Root.Glasliste()->Renumber();
    // Price descriptions that describe nothing go.
    Root.Preisbezeichnungsliste()->DeleteEmpty();
    Root.KombinationsListe()->SetSortEnabled(true);
    return HeadRecord;
}

} // namespace

TKr6DataHead LoadKr6File(Tdex6Dataobject& Root, std::string_view FileName,
                         const TImportProgressFn& Progress, TKr6ImportObserver* Observer) {
    TOXVCLZip Archive;
    Archive.SetZipName(FileName);
    return ReadKr6Archive(Root, Archive, Progress, Observer);
}

TKr6DataHead LoadKr6Data(Tdex6Dataobject& Root, std::string Bytes, std::string_view Name,
                         const TImportProgressFn& Progress, TKr6ImportObserver* Observer) {
    TOXVCLZip Archive;
    Archive.OpenBytes(std::move(Bytes), Name);
    return ReadKr6Archive(Root, Archive, Progress, Observer);
}

TKr6DataHead ReadKr6Archive(Tdex6Dataobject& Root, TOXVCLZip& Archive,
                            const TImportProgressFn& Progress, TKr6ImportObserver* Observer) {
    RequirePriceList(Archive);
    // The declared sizes share out the fraction and set room aside for the texts; a
    // member's size is checked when read.
    TMemberBytes Bytes{};
    double Total = 0;
    for (std::size_t I = 0; I < Members.size(); ++I) {
        Bytes[I] = static_cast<double>(
            std::min(Archive.UncompressedFilesizeFromFilename(Members[I]), MaxMemberSize));
        Total += Bytes[I] * (1 + BuildCosts[I]);
    }
    Total += (Bytes[LensType] + Bytes[Combination]) * SortCost;
    TImportProgressMeter Meter(Progress, Total);

    // The members' texts, each in room set aside for it, which goes at the end of the
    // import. The lens prices, by far the most, are read last, on a thread of their own,
    // while the model is built, and are never held whole.
    TImportArena TextMemory;
    std::pmr::vector<std::pmr::string> Texts(Members.size(), &TextMemory);
    TMemberLines Lines;
    for (std::size_t I = 0; I < Members.size(); ++I) {
        if (I == LensPrice)
            continue;
        Meter.Begin("reading " + std::string(Members[I]), Bytes[I]);
        TextMemory.Open(static_cast<std::size_t>(Bytes[I]) + TOXVCLZip::ReadChunkBytes);
        const std::optional<std::size_t> Count = Archive.ExtractTextfile(Members[I], Texts[I]);
        Lines[I] = TKr6MemberLines(Texts[I], Count.value_or(0));
    }
    TStringList HeadLines;
    HeadLines.SetText(Texts[Head]);
    if (Observer != nullptr)
        ReportMembers(Archive, *Observer);
    Meter.Begin("reading " + std::string(Members[LensPrice]), 0);
    TextMemory.Close();
    TKr6DataHead HeadRecord;
    {
        TKr6StreamedMember Prices(Archive, Members[LensPrice]);
        try {
            HeadRecord = BuildModel(Root, HeadLines, Lines, Bytes, Meter, Observer, &Prices);
        } catch (...) {
            // Lens prices that cannot be read are known only after many were built: a
            // failed import leaves an empty model, never a part of a list.
            Root.ClearAll(true);
            throw;
        }
    }
    Meter.Finish();
    return HeadRecord;
}

TKr6DataHead BuildKr6Model(Tdex6Dataobject& Root, const TKr6Files& Files,
                           TKr6ImportObserver* Observer) {
    static_assert(TKr6Files::Members.size() == Members.size());
    const TImportProgressFn None;
    TImportProgressMeter Meter(None, 0);
    TMemberLines Lines;
    for (std::size_t I = 0; I < Members.size(); ++I)
        Lines[I] = TKr6MemberLines(Files.*TKr6Files::Members[I]);
    return BuildModel(Root, Files.Head, Lines, {}, Meter, Observer);
}

} // namespace kr6
