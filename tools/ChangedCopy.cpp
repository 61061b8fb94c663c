#include "tools/ChangedCopy.h"

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

std::string Field(const std::string& Line, std::size_t Pos, std::size_t Width) {
    if (Line.size() < Pos)
        return {};
    std::string Text = Line.substr(Pos - 1, Width);
    Text.erase(Text.find_last_not_of(' ') + 1);
    return Text;
}

void SetField(std::string& Line, std::size_t Pos, std::size_t Width, std::string_view Text) {
    if (Line.size() < Pos - 1 + Width)
        Line.resize(Pos - 1 + Width, ' ');
    std::string Padded(Text.substr(0, Width));
    Padded.resize(Width, ' ');
    Line.replace(Pos - 1, Width, Padded);
}

// Where a member holds the code of the lens or coating a line belongs to; for the texts,
// options and groups the first column says which of the two.
struct TCodeColumn {
    std::string_view Member;
    std::size_t Pos;
    int Target; // 0 lens, 1 coating
    bool TargetColumn;
};

constexpr TCodeColumn CodeColumns[] = {
    {"LensType.Dat", 1, 0, false},        {"LensGeo.Dat", 1, 0, false},
    {"LensPrice.Dat", 1, 0, false},       {"LensRange.Dat", 1, 0, false},
    {"Options.Dat", 1, 1, false},         {"OptionsColor.Dat", 4, 1, false},
    {"OptionsPrice.Dat", 1, 1, false},    {"Information.Dat", 2, 0, true},
    {"OrderOptions.Dat", 2, 0, true},     {"Productgroup.Dat", 2, 0, true},
    {"CodeSubstitution.Dat", 9, 0, true},
};

// The code a line belongs to as a lens (Target 0) or coating (1); empty when neither.
std::string OwnerOf(const TCodeColumn& Column, const std::string& Line, int Target) {
    if (Column.TargetColumn) {
        if (Field(Line, 1, 1) != std::to_string(Target))
            return {};
    } else if (Column.Target != Target) {
        return {};
    }
    return Field(Line, Column.Pos, 6);
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
        RaisePrices("LensPrice.Dat", 50);
        RaisePrices("OptionsPrice.Dat", 8);
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

    std::vector<std::string> Codes(std::string_view Member) {
        std::vector<std::string> Codes;
        for (const std::string& Line : Lines(Member))
            Codes.push_back(Field(Line, 1, 6));
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
                SetField(Line, Column.Pos, 6, Found->second);
                Member.push_back(std::move(Line));
            }
        }
        std::vector<std::string>& Rules = Lines("Combination.Dat");
        const std::size_t RuleCount = Rules.size();
        for (std::size_t I = 0; I < RuleCount; ++I) {
            const auto Found = NewCode.find(Field(Rules[I], 1, 6));
            if (Target == 0 && Found != NewCode.end()) {
                std::string Line = Rules[I];
                SetField(Line, 1, 6, Found->second);
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
                Field(Line, 1, 6).find('*') == std::string::npos ? FRandom.Below(20) : 2;
            if (Turn == 0)
                continue;
            if (Turn == 1) {
                const std::string Delivery = Field(Line, 7, 1);
                SetField(Line, 7, 1, Delivery == "0" ? "1" : "0");
            }
            Kept.push_back(std::move(Line));
        }
        for (const std::string& Coating : NewCoatings) {
            for (int K = 0; K < 3 && !Lenses.empty(); ++K) {
                std::string Line(25, ' ');
                SetField(Line, 1, 6,
                         Lenses[static_cast<std::size_t>(FRandom.Below(Lenses.size()))]);
                SetField(Line, 7, 1, "1");
                SetField(Line, 8, 6, Coating);
                SetField(Line, 14, 6, AnyCode);
                SetField(Line, 20, 6, AnyCode);
                Kept.push_back(std::move(Line));
            }
        }
        Rules = std::move(Kept);
    }

    // Raises the list purchase price of about one line in Every by a euro.
    void RaisePrices(std::string_view Member, int Every) {
        for (std::string& Line : Lines(Member)) {
            if (FRandom.Below(static_cast<std::size_t>(Every)) != 0 || Line.size() < 25)
                continue;
            const long long Price = std::stoll(Field(Line, 19, 7)) + 100;
            std::string Digits = std::to_string(Price);
            if (Digits.size() > 7)
                continue;
            Digits.insert(0, 7 - Digits.size(), '0');
            SetField(Line, 19, 7, Digits);
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
