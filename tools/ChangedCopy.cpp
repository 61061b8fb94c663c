#include "tools/ChangedCopy.h"

#include "import/Kr6LensRecords.h"
#include "import/Kr6OptionRecords.h"
#include "tools/RecordFields.h"
#include "tools/SplitMix.h"

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>

namespace kr6 {
namespace {

constexpr std::string_view AnyCode = "******";

namespace layouts = kr6_layouts;

constexpr TKr6Place RuleLens = Kr6PlaceOf<layouts::Combination, &TKr6DataCombination::LensCode>;
constexpr TKr6Place RuleDelivery = Kr6PlaceOf<layouts::Combination, &TKr6DataCombination::Delivery>;
// The texts, order options and groups name in their first column whether a lens or a
// coating owns the line; every such layout has it in the same place.
constexpr TKr6Place TargetPlace = Kr6PlaceOf<layouts::Information, &TKr6DataInformation::Target>;

// Where a member holds the code of the lens or coating a line belongs to.
struct TCodeColumn {
    std::string_view Member;
    TKr6Place Place;
    int Target; // 0 lens, 1 coating
    bool TargetColumn;
};

constexpr TCodeColumn CodeColumns[] = {
    {"LensType.Dat", Kr6PlaceOf<layouts::LensType, &TKr6DataLensType::Code>, 0, false},
    {"LensGeo.Dat", Kr6PlaceOf<layouts::LensGeo, &TKr6DataLensGeo::Code>, 0, false},
    {"LensPrice.Dat", Kr6PlaceOf<layouts::LensPrice, &TKr6DataLensPrice::Code>, 0, false},
    {"LensRange.Dat", Kr6PlaceOf<layouts::LensRange, &TKr6DataLensRange::Code>, 0, false},
    {"Options.Dat", Kr6PlaceOf<layouts::Options, &TKr6Dataoptions::Code>, 1, false},
    {"OptionsColor.Dat", Kr6PlaceOf<layouts::OptionsColor, &TKr6DataoptionsColor::OptionCode>, 1,
     false},
    {"OptionsPrice.Dat", Kr6PlaceOf<layouts::OptionsPrice, &TKr6DataoptionsPrice::OptionCode>, 1,
     false},
    // A special price belongs to its lens as well: it goes and comes with it.
    {"OptionsPrice.Dat", Kr6PlaceOf<layouts::OptionsPrice, &TKr6DataoptionsPrice::LensCode>, 0,
     false},
    {"Information.Dat", Kr6PlaceOf<layouts::Information, &TKr6DataInformation::Code>, 0, true},
    {"OrderOptions.Dat", Kr6PlaceOf<layouts::OrderOptions, &TKr6DataOrderOptions::Code>, 0, true},
    {"Productgroup.Dat", Kr6PlaceOf<layouts::Productgroup, &TKr6DataProductgroup::Code>, 0, true},
    {"CodeSubstitution.Dat", Kr6PlaceOf<layouts::CodeSubst, &TKr6DataCodeSubst::NewCode1>, 0, true},
};

// The code a line belongs to as a lens (Target 0) or coating (1); empty when neither.
std::string OwnerOf(const TCodeColumn& Column, const std::string& Line, int Target) {
    if (Column.TargetColumn) {
        if (RecordField(Line, TargetPlace) != std::to_string(Target))
            return {};
    } else if (Column.Target != Target) {
        return {};
    }
    return RecordField(Line, Column.Place);
}

class TChanger {
public:
    TChanger(const std::vector<TKr6Member>& Members, std::uint64_t Seed)
        : FMembers(Members), FRandom(Seed * 0x5DEECE66Dull + 11) {}

    std::vector<TKr6Member> Build() {
        const std::vector<std::string> Lenses = Codes("LensType.Dat");
        const std::vector<std::string> Coatings = Codes("Options.Dat");
        Copy(0, Lenses, Pick(Lenses, Lenses.size() / 12 + 1));
        const std::vector<std::string> NewCoatings =
            Copy(1, Coatings, Pick(Coatings, Coatings.size() / 12 + 1));
        Remove(0, Pick(Lenses, Lenses.size() / 12 + 1));
        Remove(1, Pick(Coatings, Coatings.size() / 12 + 1));
        ChangeRules(Lenses, NewCoatings);
        RaisePrices("LensPrice.Dat", Kr6PlaceOf<layouts::LensPrice, &TKr6DataLensPrice::Price>, 50);
        RaisePrices("OptionsPrice.Dat",
                    Kr6PlaceOf<layouts::OptionsPrice, &TKr6DataoptionsPrice::Price>, 8);
        return FMembers;
    }

private:
    std::vector<std::string>& Lines(std::string_view Name) {
        for (TKr6Member& Member : FMembers)
            if (Member.Name == Name)
                return Member.Lines;
        FMembers.push_back({std::string(Name), {}});
        return FMembers.back().Lines;
    }

    static const TCodeColumn& CodeColumnOf(std::string_view Member) {
        return *std::find_if(std::begin(CodeColumns), std::end(CodeColumns),
                             [&](const TCodeColumn& Column) { return Column.Member == Member; });
    }

    std::vector<std::string> Codes(std::string_view Member) {
        std::vector<std::string> Codes;
        for (const std::string& Line : Lines(Member))
            Codes.push_back(RecordField(Line, CodeColumnOf(Member).Place));
        return Codes;
    }

    std::set<std::string> Pick(const std::vector<std::string>& Codes, std::size_t Count) {
        std::set<std::string> Picked;
        for (std::size_t K = 0; K < Count && !Codes.empty(); ++K)
            Picked.insert(Codes[static_cast<std::size_t>(FRandom.Below(Codes.size()))]);
        return Picked;
    }

    // Copies every line of the picked lenses or coatings under a new code: the first four
    // characters kept, so that pattern rules treat the copy like its original, then "Z"
    // and a running character. Returns the new codes.
    std::vector<std::string> Copy(int Target, const std::vector<std::string>& Existing,
                                  const std::set<std::string>& Picked) {
        const std::set<std::string> Taken(Existing.begin(), Existing.end());
        std::map<std::string, std::string> NewCode;
        int Serial = 0;
        for (const std::string& Code : Picked) {
            std::string Candidate;
            do {
                Candidate =
                    Code.substr(0, 4) + "Z" +
                    "123456789ABCDEFGHIJKLMNOPQRSTUVWXY"[static_cast<std::size_t>(Serial % 34)];
                ++Serial;
            } while (Taken.contains(Candidate) && Serial < 34);
            if (!Taken.contains(Candidate))
                NewCode[Code] = Candidate;
        }
        for (const TCodeColumn& Column : CodeColumns) {
            if (Column.Member == "CodeSubstitution.Dat")
                continue;
            std::vector<std::string>& Member = Lines(Column.Member);
            const std::size_t Count = Member.size();
            for (std::size_t I = 0; I < Count; ++I) {
                const auto Found = NewCode.find(OwnerOf(Column, Member[I], Target));
                if (Found == NewCode.end())
                    continue;
                std::string Line = Member[I];
                SetRecordField(Line, Column.Place, Found->second);
                Member.push_back(std::move(Line));
            }
        }
        std::vector<std::string>& Rules = Lines("Combination.Dat");
        const std::size_t RuleCount = Rules.size();
        for (std::size_t I = 0; I < RuleCount; ++I) {
            const auto Found = NewCode.find(RecordField(Rules[I], RuleLens));
            if (Target == 0 && Found != NewCode.end()) {
                std::string Line = Rules[I];
                SetRecordField(Line, RuleLens, Found->second);
                Rules.push_back(std::move(Line));
            }
        }
        std::vector<std::string> Codes;
        Codes.reserve(NewCode.size());
        for (const auto& [Old, New] : NewCode)
            Codes.push_back(New);
        return Codes;
    }

    // Drops every line of the picked lenses or coatings but the rules naming them, which
    // a price list may well keep.
    void Remove(int Target, const std::set<std::string>& Picked) {
        for (const TCodeColumn& Column : CodeColumns) {
            std::erase_if(Lines(Column.Member), [&](const std::string& Line) {
                return Picked.contains(OwnerOf(Column, Line, Target));
            });
        }
    }

    // Removes and changes rules, and offers each new coating with a few lenses.
    void ChangeRules(const std::vector<std::string>& Lenses,
                     const std::vector<std::string>& NewCoatings) {
        std::vector<std::string>& Rules = Lines("Combination.Dat");
        std::vector<std::string> Kept;
        for (std::string& Line : Rules) {
            // Rules of lens patterns stay: without a family's clearing rule its lenses
            // would allow every coating, a list no maker publishes.
            const int Turn =
                RecordField(Line, RuleLens).find('*') == std::string::npos ? FRandom.Below(20) : 2;
            if (Turn == 0)
                continue;
            if (Turn == 1) {
                const std::string Delivery = RecordField(Line, RuleDelivery);
                SetRecordField(Line, RuleDelivery, Delivery == "0" ? "1" : "0");
            }
            Kept.push_back(std::move(Line));
        }
        for (const std::string& Coating : NewCoatings) {
            // Three lenses, fewer when the list has fewer: a lens named twice would repeat
            // its rule.
            for (const std::string& Lens : Pick(Lenses, 3)) {
                using R = TKr6DataCombination;
                Kept.push_back(TKr6LineWriter<layouts::Combination>()
                                   .Set<&R::LensCode>(Lens)
                                   .Set<&R::Delivery>(1)
                                   .Set<&R::OptionCode1>(Coating)
                                   .Set<&R::OptionCode2>(AnyCode)
                                   .Set<&R::OptionCode3>(AnyCode)
                                   .Line());
            }
        }
        Rules = std::move(Kept);
    }

    // Raises the list purchase price of about one line in Every by a euro.
    void RaisePrices(std::string_view Member, TKr6Place FirstPrice, int Every) {
        for (std::string& Line : Lines(Member)) {
            if (FRandom.Below(static_cast<std::size_t>(Every)) != 0 ||
                Line.size() < static_cast<std::size_t>(FirstPrice.First + FirstPrice.Width - 1))
                continue;
            const long long Price = std::stoll(RecordField(Line, FirstPrice)) + 100;
            std::string Digits = std::to_string(Price);
            const auto Width = static_cast<std::size_t>(FirstPrice.Width);
            if (Digits.size() > Width)
                continue;
            Digits.insert(0, Width - Digits.size(), '0');
            SetRecordField(Line, FirstPrice, Digits);
        }
    }

    std::vector<TKr6Member> FMembers;
    TRandom FRandom;
};

} // namespace

std::vector<TKr6Member> ChangedCopy(const std::vector<TKr6Member>& Members, std::uint64_t Seed) {
    return TChanger(Members, Seed).Build();
}

} // namespace kr6
