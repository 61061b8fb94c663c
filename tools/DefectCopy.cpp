#include "tools/DefectCopy.h"

#include "import/Kr6LensRecords.h"
#include "import/Kr6OptionRecords.h"
#include "support/TextCompare.h"
#include "tools/DemoGenerator.h"
#include "tools/RecordFields.h"
#include "tools/SplitMix.h"

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>

namespace kr6 {
namespace {

namespace layouts = kr6_layouts;
using F = TKr6FindingCode;

struct TFindingAt {
    F Code;
    int Column = 0;
};

struct TEntry {
    std::string Text;
    std::vector<TFindingAt> Findings;
    // A defect changed the line or made it: no other takes it, nor copies it.
    bool Changed = true;
    // A defect copied it: it may be copied again, but not changed.
    bool Copied = false;
};

struct TDraft {
    std::string Name;
    std::vector<TEntry> Entries;
};

using TLineTest = std::function<bool(const std::string&)>;

template <class Layout, auto Member> constexpr TKr6Place At = Kr6PlaceOf<Layout, Member>;

constexpr TKr6Place LensCode = At<layouts::LensType, &TKr6DataLensType::Code>;
constexpr TKr6Place LensMaterial = At<layouts::LensType, &TKr6DataLensType::Material>;
constexpr TKr6Place CoatingCode = At<layouts::Options, &TKr6Dataoptions::Code>;
constexpr TKr6Place CoatingMaterials = At<layouts::Options, &TKr6Dataoptions::Materials>;
constexpr TKr6Place RuleLens = At<layouts::Combination, &TKr6DataCombination::LensCode>;
constexpr TKr6Place RuleDelivery = At<layouts::Combination, &TKr6DataCombination::Delivery>;
constexpr TKr6Place RuleSlots[] = {At<layouts::Combination, &TKr6DataCombination::OptionCode1>,
                                   At<layouts::Combination, &TKr6DataCombination::OptionCode2>,
                                   At<layouts::Combination, &TKr6DataCombination::OptionCode3>};
constexpr TKr6Place LensPriceFirst = At<layouts::LensPrice, &TKr6DataLensPrice::Price>;
constexpr TKr6Place CoatingPriceFirst = At<layouts::OptionsPrice, &TKr6DataoptionsPrice::Price>;
constexpr TKr6Place CoatingPriceLens = At<layouts::OptionsPrice, &TKr6DataoptionsPrice::LensCode>;
// The texts, order options, groups and substitutions name in their first column whether a
// lens or a coating owns the line; every such layout has it in the same place.
constexpr TKr6Place TargetPlace = At<layouts::Information, &TKr6DataInformation::Target>;
constexpr TKr6Place OwnerPlace = At<layouts::Information, &TKr6DataInformation::Code>;
static_assert(At<layouts::OrderOptions, &TKr6DataOrderOptions::Code>.First == OwnerPlace.First &&
              At<layouts::Productgroup, &TKr6DataProductgroup::Code>.First == OwnerPlace.First &&
              At<layouts::CodeSubst, &TKr6DataCodeSubst::Target>.First == TargetPlace.First);

// Days that do not exist, as a slip of the hand writes them.
constexpr std::string_view BadDates[] = {"20251399", "20250230", "20251301", "20240931"};

// The last position of a record: where its last field ends.
constexpr int EndOf(TKr6Place Last) {
    return Last.First + Last.Width - 1;
}

std::string Lowercase(std::string Text) {
    for (char& C : Text)
        if (C >= 'A' && C <= 'Z')
            C = static_cast<char>(C - 'A' + 'a');
    return Text;
}

// Blanks to the record's full length, then Beyond.
std::string Lengthened(std::string Line, int FullLength, std::string_view Beyond) {
    Line.resize(static_cast<std::size_t>(FullLength), ' ');
    Line += Beyond;
    return Line;
}

class TDefectMaker {
public:
    TDefectMaker(const std::vector<TKr6Member>& Members, std::uint64_t Seed)
        : FRandom(Seed * 0x2545F4914F6CDD1Dull + 29) {
        for (const TKr6Member& Member : Members) {
            TDraft& Draft = FDrafts.emplace_back();
            Draft.Name = Member.Name;
            for (const std::string& Line : Member.Lines)
                Draft.Entries.push_back({Line, {}, false, false});
        }
        for (const TEntry& Entry : Draft("LensType.Dat").Entries)
            FTaken.insert(Entry.Text.substr(0, 6));
        for (const TEntry& Entry : Draft("Options.Dat").Entries)
            FTaken.insert(Entry.Text.substr(0, 6));
    }

    TDefectList Build() {
        HeadDefects();
        LensDefects();
        GeometryDefects();
        LensPriceDefects();
        CoatingDefects();
        ColourDefects();
        CoatingPriceDefects();
        RuleDefects();
        PowerRangeDefects();
        TextDefects();
        OrderOptionDefects();
        GroupDefects();
        SubstitutionDefects();
        MemberDefects();
        return Result();
    }

private:
    // The member of that name, added empty when the list has none.
    TDraft& Draft(std::string_view Name) {
        for (TDraft& Draft : FDrafts)
            if (Draft.Name == Name)
                return Draft;
        FDrafts.push_back({std::string(Name), {}});
        return FDrafts.back();
    }

    int Below(std::size_t N) { return FRandom.Below(N); }
    bool Coin() { return Below(2) == 0; }
    template <class T> T OneOf(std::initializer_list<T> Choices) {
        return *(Choices.begin() + Below(Choices.size()));
    }
    std::string_view BadDate() {
        return BadDates[static_cast<std::size_t>(Below(std::size(BadDates)))];
    }
    // Digits with a letter among them, as wide as the field.
    std::string BadNumber(int Width) {
        std::string Text(static_cast<std::size_t>(Width), '0');
        Text.back() = '5';
        Text[static_cast<std::size_t>(Below(static_cast<std::size_t>(Width)))] =
            OneOf({'O', 'X', 'l'});
        return Text;
    }
    // How often a defect that lists often have is made.
    int Often() { return 1 + Below(3); }

    // A code no lens and no coating has: no generated code starts with Q.
    std::string UnknownCode(char Kind) {
        return std::string{'Q', Kind} + demo::Base36(Below(std::size_t{36} * 36 * 36 * 36), 4);
    }
    // A new code that a copy of Line gets: its first four characters kept, so that the
    // pattern rules treat it like the original.
    std::string NewCode(const std::string& Line) {
        for (;;) {
            std::string Code = Line.substr(0, 4) + "Y" + demo::Base36(Below(36), 1);
            Code.resize(6, ' ');
            if (FTaken.insert(Code).second)
                return std::string(TrimRightBlanks(Code));
        }
    }

    // A line of Member as the list had it that Test accepts, to change (one no defect
    // copied) or to copy; none when there is none.
    std::optional<std::size_t> Pick(TDraft& Member, const TLineTest& Test, bool ToChange) {
        std::vector<std::size_t> Candidates;
        for (std::size_t I = 0; I < Member.Entries.size(); ++I) {
            const TEntry& Entry = Member.Entries[I];
            if (!Entry.Changed && !(ToChange && Entry.Copied) &&
                !TrimRightBlanks(Entry.Text).empty() && (!Test || Test(Entry.Text)))
                Candidates.push_back(I);
        }
        if (Candidates.empty())
            return std::nullopt;
        const std::size_t Picked = Candidates[static_cast<std::size_t>(Below(Candidates.size()))];
        (ToChange ? Member.Entries[Picked].Changed : Member.Entries[Picked].Copied) = true;
        return Picked;
    }

    // Text at a random place of Member, after line After when given; returns its index.
    std::size_t Insert(TDraft& Member, std::string Text, std::vector<TFindingAt> Findings,
                       std::optional<std::size_t> After = std::nullopt) {
        const std::size_t First = After ? *After + 1 : 0;
        const std::size_t Place =
            First + static_cast<std::size_t>(Below(Member.Entries.size() - First + 1));
        Member.Entries.insert(Member.Entries.begin() + static_cast<std::ptrdiff_t>(Place),
                              {std::move(Text), std::move(Findings), true, false});
        return Place;
    }

    // A copy of a picked line changed by Change, with its findings; false when Member has
    // no such line.
    bool Copy(TDraft& Member, const TLineTest& Test,
              const std::function<void(std::string&)>& Change, std::vector<TFindingAt> Findings,
              bool AfterOriginal = false) {
        const std::optional<std::size_t> I = Pick(Member, Test, false);
        if (!I)
            return false;
        std::string Line = Member.Entries[*I].Text;
        Change(Line);
        Insert(Member, std::move(Line), std::move(Findings), AfterOriginal ? I : std::nullopt);
        return true;
    }

    // A picked line changed in place.
    bool Change(TDraft& Member, const TLineTest& Test,
                const std::function<void(std::string&)>& Change, std::vector<TFindingAt> Findings) {
        const std::optional<std::size_t> I = Pick(Member, Test, true);
        if (!I)
            return false;
        TEntry& Entry = Member.Entries[*I];
        Change(Entry.Text);
        Entry.Findings.insert(Entry.Findings.end(), Findings.begin(), Findings.end());
        return true;
    }

    // A picked line with Text in the field at Place, which gives Code there.
    void FieldText(TDraft& Member, TKr6Place Place, std::string Text, F Code) {
        Change(Member, {}, [&](std::string& Line) { SetRecordField(Line, Place, Text); },
               {{Code, Place.First}});
    }
    void LongLines(TDraft& Member, int FullLength) {
        for (int N = Often(); N > 0; --N) {
            const std::string Beyond = OneOf<std::string>({"X", "\t", "  1", "0"});
            Change(Member, {},
                   [&](std::string& Line) { Line = Lengthened(Line, FullLength, Beyond); },
                   {{F::LongLine, FullLength + 1}});
        }
        // Blanks beyond the record are no text.
        Change(Member, {}, [&](std::string& Line) { Line = Lengthened(Line, FullLength, "   "); },
               {});
    }
    void EmptyLines(TDraft& Member, F Code = F::EmptyLine,
                    std::optional<std::size_t> After = std::nullopt) {
        for (int N = Often(); N > 0; --N)
            Insert(Member, OneOf<std::string>({"", "  ", " "}), {{Code, 0}}, After);
    }
    // Copies of lines whose owner (lens or coating, in Place) the list does not hold.
    void UnknownOwners(TDraft& Member, TKr6Place Place, char Kind, F Code,
                       const TLineTest& Test = {}) {
        for (int N = Often(); N > 0; --N) {
            const std::string Code6 = UnknownCode(Kind);
            Copy(Member, Test, [&](std::string& Line) { SetRecordField(Line, Place, Code6); },
                 {{Code, 0}});
        }
    }

    static TLineTest TargetIs(char Target) {
        return [Target](const std::string& Line) {
            return !Line.empty() && Line[0] == Target;
        };
    }

    void HeadDefects() {
        TDraft& Head = Draft("Head.dat");
        const auto Key = [](const std::string& Line) {
            return std::string(TrimRightBlanks(Kr6Field(Line, 1, 30)));
        };
        const auto [Misspelt, Value] = OneOf<std::pair<const char*, const char*>>(
            {{"valid-form", "20250101"}, {"pricefield-06", "10"}, {"manufacturer", "BSP"}});
        Insert(Head, demo::HeadLine(Misspelt, Value), {{F::UnknownHeaderKey, 0}});
        Insert(Head, "   ", {});
        // Only the day of a date counts.
        Change(
            Head, [&](const std::string& Line) { return SameText(Key(Line), "Valid-from"); },
            [](std::string& Line) { Line += " 25:61"; }, {});
        // Given again with a day that does not exist: the last value counts.
        Copy(
            Head, [&](const std::string& Line) { return SameText(Key(Line), "Valid-until"); },
            [&](std::string& Line) {
                Line = demo::HeadLine(Coin() ? "Valid-until" : "valid-until", BadDate());
            },
            {{F::RepeatedHeaderKey, 0}, {F::InvalidDate, 31}}, true);
        Change(
            Head,
            [&](const std::string& Line) {
                const std::string K = Key(Line);
                return K.starts_with("prismgroup-") || K.starts_with("cylindergroup-");
            },
            [&](std::string& Line) {
                Line = demo::HeadLine(Key(Line),
                                      OneOf<std::string_view>({"1O", "99999999999", "4,5"}));
            },
            {{F::InvalidNumber, 31}});
        // No such price field kind: the fifth field reads as not filled, and its amounts
        // are cleared below but on a few lines.
        Change(
            Head, [&](const std::string& Line) { return SameText(Key(Line), "pricefield-05"); },
            [&](std::string& Line) {
                Line = demo::HeadLine("pricefield-05", OneOf<std::string_view>({"77", "30", "99"}));
            },
            {{F::UnknownCode, 31}});
    }

    void LensDefects() {
        using T = TKr6DataLensType;
        using L = layouts::LensType;
        TDraft& Lenses = Draft("LensType.Dat");
        const auto Tested = [](const std::string& Line) {
            return RecordField(Line, LensMaterial) != "0";
        };
        // Every later line of the code attaches to the second lens, which leaves the first
        // without prices.
        if (const std::optional<std::size_t> I = Pick(Lenses, {}, false)) {
            Lenses.Entries[*I].Findings.push_back({F::LensWithoutPrice, 0});
            const std::string Line = Lenses.Entries[*I].Text;
            Insert(Lenses, Coin() ? Lowercase(Line.substr(0, 6)) + Line.substr(6) : Line,
                   {{F::DuplicateLens, 0}}, I);
        }
        // The empty lines after it make lenses without code too, and the last of them takes
        // the prices of the empty price lines below.
        if (const std::optional<std::size_t> I = Pick(Lenses, {}, false)) {
            std::string Line = Lenses.Entries[*I].Text;
            SetRecordField(Line, LensCode, "");
            EmptyLines(Lenses, F::EmptyCode,
                       Insert(Lenses, Line, {{F::EmptyCode, 0}, {F::LensWithoutPrice, 0}}));
        }
        FieldText(Lenses, At<L, &T::ValidUntil>, std::string(BadDate()), F::InvalidDate);
        for (int N = Often(); N > 0; --N) {
            const TKr6Place Place =
                OneOf({At<L, &T::RefractiveIndex>, At<L, &T::SortNumber>, At<L, &T::AGKG>});
            FieldText(Lenses, Place, BadNumber(Place.Width), F::InvalidNumber);
        }
        for (int N = Often(); N > 0; --N) {
            const auto [Place, Code] = OneOf<std::pair<TKr6Place, const char*>>(
                {{At<L, &T::BrandLine>, "7"}, {At<L, &T::KDM>, "5"}, {At<L, &T::EGB>, "8"}});
            FieldText(Lenses, Place, Code, F::UnknownCode);
        }
        LongLines(Lenses, EndOf(At<L, &T::FKB>));
        std::string Code;
        Copy(Lenses, {}, [&](std::string& Line) { SetRecordField(Line, LensCode, NewCode(Line)); },
             {{F::LensWithoutPrice, 0}});
        // Deliverable only with a coating the list does not have: never.
        const std::string Missing = UnknownCode('C');
        if (Copy(Lenses, Tested,
                 [&](std::string& Line) {
                     Code = NewCode(Line);
                     SetRecordField(Line, LensCode, Code);
                 },
                 {{F::LensWithoutPrice, 0}, {F::LensNeverDeliverable, 0}}))
            Insert(Draft("Combination.Dat"),
                   TKr6LineWriter<layouts::Combination>()
                       .Set<&TKr6DataCombination::LensCode>(Code)
                       .Set<&TKr6DataCombination::Delivery>(demo::OnlyDeliverable)
                       .Set<&TKr6DataCombination::OptionCode1>(Missing)
                       .Line(),
                   {{F::RuleMatchesNoCoating, 0}});
    }

    void GeometryDefects() {
        using G = TKr6DataLensGeo;
        using L = layouts::LensGeo;
        TDraft& Geometries = Draft("LensGeo.Dat");
        UnknownOwners(Geometries, At<L, &G::Code>, 'L', F::UnknownLens);
        for (int N = Often(); N > 0; --N) {
            const TKr6Place Place = OneOf({At<L, &G::VAFB>, At<L, &G::URN>, At<L, &G::HZ>});
            FieldText(Geometries, Place, BadNumber(Place.Width), F::InvalidNumber);
        }
        FieldText(Geometries, At<L, &G::NTT>, OneOf<std::string>({"5", "7", "9"}), F::UnknownCode);
        LongLines(Geometries, EndOf(At<L, &G::MHANP>));
        EmptyLines(Geometries);
    }

    // No price field 5 is named any more.
    static void ClearFifthAmount(TDraft& Member, TKr6Place FirstPrice) {
        const TKr6Place Fifth = ElementPlace(FirstPrice, 4);
        for (TEntry& Entry : Member.Entries)
            if (Entry.Text.size() >= static_cast<std::size_t>(Fifth.First + Fifth.Width - 1))
                SetRecordField(Entry.Text, Fifth,
                               std::string(static_cast<std::size_t>(Fifth.Width), '0'));
    }

    void UnnamedAmounts(TDraft& Member, TKr6Place FirstPrice) {
        const TKr6Place Fifth = ElementPlace(FirstPrice, 4);
        for (int N = Often(); N > 0; --N)
            FieldText(Member, Fifth, OneOf<std::string>({"0000450", "0001200", "0000090"}),
                      F::PriceColumnUnnamed);
    }

    void LensPriceDefects() {
        using P = TKr6DataLensPrice;
        using L = layouts::LensPrice;
        TDraft& Prices = Draft("LensPrice.Dat");
        ClearFifthAmount(Prices, LensPriceFirst);
        UnknownOwners(Prices, At<L, &P::Code>, 'L', F::UnknownLens);
        for (int N = Often(); N > 0; --N) {
            const std::pair<TKr6Place, const char*> Keys =
                OneOf<std::pair<TKr6Place, const char*>>({{At<L, &P::SphereGroup>, "77"},
                                                          {At<L, &P::SphereGroup>, "51"},
                                                          {At<L, &P::CylinderGroup>, "60"},
                                                          {At<L, &P::DeliveryRangeId>, "007"},
                                                          {At<L, &P::DeliveryRangeId>, "001"}});
            Copy(
                Prices, {},
                [&](std::string& Line) { SetRecordField(Line, Keys.first, Keys.second); },
                {{F::PriceNotImported, 0}}, true);
        }
        // The same keys again, the lens code perhaps in other letters.
        for (int N = Often(); N > 0; --N) {
            const bool Lower = Coin();
            Copy(
                Prices, {},
                [&](std::string& Line) {
                    if (Lower)
                        Line = Lowercase(Line.substr(0, 6)) + Line.substr(6);
                    SetRecordField(Line, LensPriceFirst, "0099900");
                },
                {{F::DuplicatePrice, 0}}, true);
        }
        // An elliptical diameter is another diameter.
        constexpr TKr6Place Elliptical{At<L, &P::Diameter>.First + 4, 1};
        Copy(
            Prices, [&](const std::string& Line) { return RecordField(Line, Elliptical).empty(); },
            [&](std::string& Line) { SetRecordField(Line, Elliptical, "E"); }, {}, true);
        UnnamedAmounts(Prices, LensPriceFirst);
        for (int N = Often(); N > 0; --N)
            FieldText(Prices, ElementPlace(LensPriceFirst, Below(4)), BadNumber(7),
                      F::InvalidNumber);
        LongLines(Prices, EndOf(ElementPlace(LensPriceFirst, 4)));
        EmptyLines(Prices);
    }

    void CoatingDefects() {
        using O = TKr6Dataoptions;
        using L = layouts::Options;
        TDraft& Coatings = Draft("Options.Dat");
        const auto NotGroup = [](const std::string& Line) {
            return !IsGroupCode(RecordField(Line, CoatingCode));
        };
        if (const std::optional<std::size_t> I = Pick(Coatings, NotGroup, false)) {
            Coatings.Entries[*I].Findings.push_back({F::CoatingWithoutPrice, 0});
            const std::string Line = Coatings.Entries[*I].Text;
            Insert(Coatings, Coin() ? Lowercase(Line.substr(0, 6)) + Line.substr(6) : Line,
                   {{F::DuplicateCoating, 0}}, I);
        }
        EmptyLines(Coatings, F::EmptyCode);
        Copy(Coatings, NotGroup, [](std::string& Line) { SetRecordField(Line, CoatingCode, ""); },
             {{F::EmptyCode, 0}, {F::CoatingWithoutPrice, 0}, {F::CoatingNeverDeliverable, 0}});
        FieldText(Coatings, At<L, &O::ValidFrom>, std::string(BadDate()), F::InvalidDate);
        for (int N = Often(); N > 0; --N) {
            const TKr6Place Place = OneOf({At<L, &O::UVA>, At<L, &O::SortNumber>, At<L, &O::FKB>});
            FieldText(Coatings, Place, BadNumber(Place.Width), F::InvalidNumber);
        }
        for (int N = Often(); N > 0; --N) {
            const auto [Place, Code] =
                OneOf<std::pair<TKr6Place, const char*>>({{At<L, &O::BrandLine>, "7"},
                                                          {At<L, &O::EdgeFinish>, "8"},
                                                          {At<L, &O::Bonus>, "9"},
                                                          {At<L, &O::FormChange>, "6"}});
            FieldText(Coatings, Place, Code, F::UnknownCode);
        }
        LongLines(Coatings, EndOf(At<L, &O::OLB>));
        Copy(Coatings, NotGroup,
             [&](std::string& Line) { SetRecordField(Line, CoatingCode, NewCode(Line)); },
             {{F::CoatingWithoutPrice, 0}});
        // Made for no material: no lens takes it.
        Copy(Coatings, NotGroup,
             [&](std::string& Line) {
                 SetRecordField(Line, CoatingCode, NewCode(Line));
                 SetRecordField(Line, CoatingMaterials, "0000");
             },
             {{F::CoatingWithoutPrice, 0}, {F::CoatingNeverDeliverable, 0}});
        // A surcharge group is no coating of the list, but its fields are read all the same.
        Copy(Coatings, NotGroup,
             [&](std::string& Line) {
                 SetRecordField(Line, CoatingCode,
                                OneOf<std::string_view>({"Z1", "z2", "P3", "p6"}));
                 SetRecordField(Line, At<L, &O::SortNumber>, "X1");
             },
             {{F::InvalidNumber, At<L, &O::SortNumber>.First}});
    }

    void ColourDefects() {
        using C = TKr6DataoptionsColor;
        using L = layouts::OptionsColor;
        TDraft& Colours = Draft("OptionsColor.Dat");
        UnknownOwners(Colours, At<L, &C::OptionCode>, 'C', F::UnknownCoating);
        const TKr6Place Place = OneOf({At<L, &C::AbO>, TKr6Place{At<L, &C::RgbTop>.First, 3}});
        FieldText(Colours, Place, BadNumber(Place.Width), F::InvalidNumber);
        FieldText(Colours, At<L, &C::RoadTraffic>, OneOf<std::string>({"7", "9"}), F::UnknownCode);
        LongLines(Colours, EndOf(At<L, &C::UVB>));
        EmptyLines(Colours);
    }

    // A special price for a lens the list holds, then again in other letters and of
    // another kind: one price of that coating and lens.
    // A special price of a general price's coating for a lens the list holds and the
    // coating has none for, then again in other letters and of another kind: one price of
    // that coating and lens.
    void SpecialPriceTwice(TDraft& Prices, const TLineTest& General) {
        using P = TKr6DataoptionsPrice;
        using L = layouts::OptionsPrice;
        const std::optional<std::size_t> I = Pick(Prices, General, false);
        if (!I)
            return;
        std::string Special = Prices.Entries[*I].Text;
        const std::string Coating = RecordField(Special, At<L, &P::OptionCode>);
        std::set<std::string> Priced;
        for (const TEntry& Entry : Prices.Entries)
            if (SameText(RecordField(Entry.Text, At<L, &P::OptionCode>), Coating))
                Priced.insert(AnsiUpperCase(RecordField(Entry.Text, CoatingPriceLens)));
        std::string Lens;
        for (const TEntry& Entry : Draft("LensType.Dat").Entries) {
            const std::string Code = RecordField(Entry.Text, LensCode);
            if (!Entry.Changed && !Priced.contains(AnsiUpperCase(Code)))
                Lens = Code;
        }
        if (Lens.empty())
            return;
        SetRecordField(Special, CoatingPriceLens, Lens);
        const std::size_t First = Insert(Prices, Special, {}, I);
        SetRecordField(Special, CoatingPriceLens, Lowercase(Lens));
        SetRecordField(Special, At<L, &P::SphTor>, OneOf<std::string_view>({"1", "2"}));
        Insert(Prices, Special, {{F::DuplicatePrice, 0}}, First);
    }

    void CoatingPriceDefects() {
        using P = TKr6DataoptionsPrice;
        using L = layouts::OptionsPrice;
        constexpr TKr6Place Materials = At<L, &P::Materials>;
        constexpr TKr6Place SphTor = At<L, &P::SphTor>;
        TDraft& Prices = Draft("OptionsPrice.Dat");
        ClearFifthAmount(Prices, CoatingPriceFirst);
        const auto General = [&](const std::string& Line) {
            return RecordField(Line, CoatingPriceLens).empty() &&
                   RecordField(Line, Materials) != "0000";
        };
        // The coating is looked for first: a lens code of no lens beside it changes nothing.
        UnknownOwners(Prices, At<L, &P::OptionCode>, 'C', F::UnknownCoating);
        Copy(Prices, {},
             [&](std::string& Line) {
                 SetRecordField(Line, At<L, &P::OptionCode>, UnknownCode('C'));
                 SetRecordField(Line, CoatingPriceLens, UnknownCode('L'));
             },
             {{F::UnknownCoating, 0}});
        for (int N = Often(); N > 0; --N)
            Copy(Prices, General,
                 [&](std::string& Line) {
                     SetRecordField(Line, CoatingPriceLens, UnknownCode('L'));
                 },
                 {{F::UnknownLens, 0}});
        Copy(Prices, General, [&](std::string& Line) { SetRecordField(Line, Materials, "0000"); },
             {{F::PriceNotImported, 0}});
        // The same kind for one material in common.
        for (int N = Often(); N > 0; --N)
            Copy(
                Prices, General,
                [&](std::string& Line) {
                    std::string Set = RecordField(Line, Materials);
                    const std::size_t Keep = Set.find('1', static_cast<std::size_t>(Below(4)));
                    std::string One = "0000";
                    One[Keep == std::string::npos ? Set.find('1') : Keep] = '1';
                    SetRecordField(Line, Materials, Coin() ? Set : One);
                    SetRecordField(Line, CoatingPriceFirst, "0077700");
                },
                {{F::DuplicatePrice, 0}}, true);
        SpecialPriceTwice(Prices, General);
        UnnamedAmounts(Prices, CoatingPriceFirst);
        for (int N = Often(); N > 0; --N)
            FieldText(Prices, ElementPlace(CoatingPriceFirst, Below(4)), BadNumber(7),
                      F::InvalidNumber);
        // Read as "egal", which it was.
        Change(
            Prices, [&](const std::string& Line) { return RecordField(Line, SphTor) == "0"; },
            [&](std::string& Line) { SetRecordField(Line, SphTor, "9"); },
            {{F::UnknownCode, SphTor.First}});
        LongLines(Prices, EndOf(ElementPlace(CoatingPriceFirst, 4)));
        EmptyLines(Prices);
    }

    static std::string RuleSet(const std::string& Line, int Turn, bool Lower) {
        std::string Copy = Line;
        for (int K = 0; K < 3; ++K)
            SetRecordField(Copy, RuleSlots[(K + Turn) % 3], RecordField(Line, RuleSlots[K]));
        return Lower ? Lowercase(Copy) : Copy;
    }

    void RuleDefects() {
        TDraft& Rules = Draft("Combination.Dat");
        for (int N = Often(); N > 0; --N) {
            const int Turn = Below(3);
            const bool Lower = Coin();
            Copy(
                Rules, {}, [&](std::string& Line) { Line = RuleSet(Line, Turn, Lower); },
                {{F::DuplicateRule, 0}}, true);
        }
        for (int N = Often(); N > 0; --N) {
            const int Turn = Below(3);
            Copy(
                Rules, {},
                [&](std::string& Line) {
                    const std::string Delivery = RecordField(Line, RuleDelivery);
                    Line = RuleSet(Line, Turn, false);
                    SetRecordField(Line, RuleDelivery, Delivery == "0" ? "1" : "0");
                },
                {{F::ConflictingRule, 0}}, true);
        }
        FieldText(Rules, RuleDelivery, OneOf<std::string>({"3", "7", "9"}), F::UnknownCode);
        FieldText(Rules, RuleDelivery, OneOf<std::string>({"X", "N", "l"}), F::InvalidNumber);
        // Nothing to forbid: the lens pattern or a coating names nothing of the list.
        const auto Forbidding = [&](std::string& Line) {
            SetRecordField(Line, RuleDelivery, std::to_string(demo::NotDeliverable));
        };
        Copy(Rules, {},
             [&](std::string& Line) {
                 Forbidding(Line);
                 SetRecordField(Line, RuleLens,
                                OneOf<std::string>({"QQ****", "Q*****", UnknownCode('L')}));
             },
             {{F::RuleMatchesNoLens, 0}});
        const auto OwnLens = [](const std::string& Line) {
            return RecordField(Line, RuleLens).find('*') == std::string::npos;
        };
        Copy(Rules, OwnLens,
             [&](std::string& Line) {
                 Forbidding(Line);
                 SetRecordField(Line, RuleSlots[Below(3)],
                                OneOf<std::string>({"QQ****", UnknownCode('C')}));
             },
             {{F::RuleMatchesNoCoating, 0}});
        // The surcharge groups are coatings every list holds.
        Copy(Rules, OwnLens,
             [&](std::string& Line) {
                 Forbidding(Line);
                 SetRecordField(Line, RuleSlots[0], OneOf<std::string_view>({"Z1", "p2", "P6"}));
                 SetRecordField(Line, RuleSlots[1], demo::AnyCode);
                 SetRecordField(Line, RuleSlots[2], "");
             },
             {});
        // A delivery that does not read as written is compared as read: 7 as lieferbar,
        // letters as nicht lieferbar.
        struct TMisread {
            const char* Written;
            const char* Read;
            F Code;
        };
        for (const TMisread& Delivery :
             {TMisread{"7", "1", F::UnknownCode}, TMisread{"X", "0", F::InvalidNumber}})
            Copy(
                Rules,
                [&](const std::string& Line) {
                    return RecordField(Line, RuleDelivery) == Delivery.Read;
                },
                [&](std::string& Line) { SetRecordField(Line, RuleDelivery, Delivery.Written); },
                {{Delivery.Code, RuleDelivery.First}, {F::DuplicateRule, 0}}, true);
        // A blank lens code names the lenses without code, which the list has.
        Copy(Rules, OwnLens,
             [&](std::string& Line) {
                 Forbidding(Line);
                 SetRecordField(Line, RuleLens, "");
             },
             {});
        LongLines(Rules, EndOf(RuleSlots[2]));
        EmptyLines(Rules);
    }

    void PowerRangeDefects() {
        using R = TKr6DataLensRange;
        using L = layouts::LensRange;
        TDraft& Ranges = Draft("LensRange.Dat");
        UnknownOwners(Ranges, At<L, &R::Code>, 'L', F::UnknownLens);
        FieldText(Ranges, OneOf({At<L, &R::ValidFrom>, At<L, &R::ValidUntil>}),
                  std::string(BadDate()), F::InvalidDate);
        const TKr6Place Place = OneOf({At<L, &R::DeliveryTime>, At<L, &R::Prism>});
        FieldText(Ranges, Place, BadNumber(Place.Width), F::InvalidNumber);
        FieldText(Ranges, At<L, &R::AdditionStep>, OneOf<std::string>({"3", "5", "9"}),
                  F::UnknownCode);
        // A diameter is two numbers; the second starts two columns on.
        const TKr6Place Diameter = At<L, &R::Diameter>;
        const bool Second = Coin();
        FieldText(Ranges, {Diameter.First + (Second ? 2 : 0), 2}, Second ? "7X" : "6O",
                  F::InvalidNumber);
        // Zeros, and a day written with blanks, are no slip.
        Change(Ranges, {},
               [&](std::string& Line) {
                   SetRecordField(Line, At<L, &R::ValidFrom>, "2025 1 5");
                   SetRecordField(Line, At<L, &R::ValidUntil>, "0000");
               },
               {});
        LongLines(Ranges, EndOf(At<L, &R::DeliveryRangeId>));
        EmptyLines(Ranges);
    }

    // The findings of a member whose lines name a lens (target 0) or a coating (1).
    void OwnedLines(TDraft& Member) {
        UnknownOwners(Member, OwnerPlace, 'L', F::UnknownLens, TargetIs('0'));
        if (!Copy(Member, TargetIs('1'),
                  [&](std::string& Line) { SetRecordField(Line, OwnerPlace, UnknownCode('C')); },
                  {{F::UnknownCoating, 0}}))
            Copy(Member, TargetIs('0'),
                 [](std::string& Line) { SetRecordField(Line, TargetPlace, "1"); },
                 {{F::UnknownCoating, 0}});
        Copy(Member, {},
             [&](std::string& Line) {
                 SetRecordField(Line, TargetPlace, OneOf<std::string_view>({"2", "5", "9"}));
             },
             {{F::UnknownTarget, 0}});
        // A blank target is a lens.
        Copy(Member, TargetIs('0'),
             [](std::string& Line) { SetRecordField(Line, TargetPlace, ""); }, {});
    }

    void TextDefects() {
        using I = TKr6DataInformation;
        using L = layouts::Information;
        TDraft& Texts = Draft("Information.Dat");
        OwnedLines(Texts);
        FieldText(Texts, At<L, &I::LineNo>, BadNumber(3), F::InvalidNumber);
        FieldText(Texts, At<L, &I::InfoKind>, OneOf<std::string>({"04", "08", "99"}),
                  F::UnknownCode);
        LongLines(Texts, EndOf(At<L, &I::Text>));
        EmptyLines(Texts);
    }

    void OrderOptionDefects() {
        using O = TKr6DataOrderOptions;
        using L = layouts::OrderOptions;
        TDraft& Options = Draft("OrderOptions.Dat");
        OwnedLines(Options);
        FieldText(Options, At<L, &O::Usage>, OneOf<std::string>({"0", "2", "9", " "}),
                  F::UnknownCode);
        FieldText(Options, At<L, &O::OrderOption>, OneOf<std::string>({"9999", "0015", "0099"}),
                  F::UnknownCode);
        LongLines(Options, EndOf(At<L, &O::Usage>));
        EmptyLines(Options);
    }

    void GroupDefects() {
        using L = layouts::Productgroup;
        TDraft& Groups = Draft("Productgroup.Dat");
        OwnedLines(Groups);
        Copy(Groups, TargetIs('1'), [](std::string& Line) { SetRecordField(Line, OwnerPlace, ""); },
             {{F::UnknownCoating, 0}});
        // A letter reads as 0, the lens it names.
        Copy(Groups, TargetIs('0'),
             [](std::string& Line) { SetRecordField(Line, TargetPlace, "X"); },
             {{F::InvalidNumber, TargetPlace.First}});
        // Groups compare codes in any letter case.
        Copy(Groups, TargetIs('0'),
             [](std::string& Line) {
                 SetRecordField(Line, OwnerPlace, Lowercase(RecordField(Line, OwnerPlace)));
             },
             {});
        LongLines(Groups, EndOf(At<L, &TKr6DataProductgroup::GroupName>));
        EmptyLines(Groups);
    }

    void SubstitutionDefects() {
        using S = TKr6DataCodeSubst;
        using L = layouts::CodeSubst;
        TDraft& Substitutions = Draft("CodeSubstitution.Dat");
        Copy(Substitutions, {},
             [&](std::string& Line) {
                 SetRecordField(Line, TargetPlace, OneOf<std::string_view>({"2", "7"}));
             },
             {{F::UnknownTarget, 0}});
        FieldText(Substitutions, At<L, &S::Action>, OneOf<std::string>({"0", "3", "9"}),
                  F::UnknownCode);
        FieldText(Substitutions, TargetPlace, "X", F::InvalidNumber);
        LongLines(Substitutions, EndOf(At<L, &S::NewCode3>));
        EmptyLines(Substitutions);
    }

    void MemberDefects() {
        Draft("OeCodes.Dat").Entries = {{"BSP   ES5201  4011111000017", {}, true},
                                        {"BSP   ARMF01  4011111000024", {}, true}};
        FMemberFindings.push_back({"OeCodes.Dat", 0, 0, F::UnusedMember});
        const std::string Foreign =
            OneOf<std::string>({"Liesmich.txt", "readme.txt", "Preisliste.pdf"});
        Draft(Foreign).Entries = {{"Preisliste Beispielhersteller", {}, true}};
        FMemberFindings.push_back({Foreign, 0, 0, F::ForeignMember});
        // A folder zipped beside the files: its members are not read.
        const std::string Folder = OneOf<std::string>({"alt/", "2024/", "Sicherung/"});
        TDraft Old = Draft("Options.Dat");
        Old.Name = Folder + Old.Name;
        for (TEntry& Entry : Old.Entries)
            Entry.Findings.clear();
        FMemberFindings.push_back({Old.Name, 0, 0, F::ForeignMember});
        FDrafts.push_back(std::move(Old));
        // One member left out, of those whose findings others have too.
        const std::string Missing = OneOf<std::string>(
            {"OrderOptions.Dat", "CodeSubstitution.Dat", "OptionsColor.Dat", "LensRange.Dat"});
        std::erase_if(FDrafts, [&](const TDraft& Draft) { return Draft.Name == Missing; });
        FMemberFindings.push_back({Missing, 0, 0, F::MissingMember});
    }

    TDefectList Result() const {
        TDefectList List;
        List.Planted = FMemberFindings;
        for (const TDraft& Draft : FDrafts) {
            TKr6Member& Member = List.Members.emplace_back();
            Member.Name = Draft.Name;
            for (std::size_t I = 0; I < Draft.Entries.size(); ++I) {
                Member.Lines.push_back(Draft.Entries[I].Text);
                for (const TFindingAt& Finding : Draft.Entries[I].Findings)
                    List.Planted.push_back(
                        {Draft.Name, static_cast<int>(I) + 1, Finding.Column, Finding.Code});
            }
        }
        return List;
    }

    TRandom FRandom;
    std::vector<TDraft> FDrafts;
    std::vector<TPlantedFinding> FMemberFindings;
    // Lens and coating codes, six characters, that copies must not take.
    std::set<std::string> FTaken;
};

} // namespace

TDefectList DefectCopy(const std::vector<TKr6Member>& Members, std::uint64_t Seed) {
    return TDefectMaker(Members, Seed).Build();
}

} // namespace kr6
