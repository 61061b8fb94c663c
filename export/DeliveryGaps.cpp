#include "export/DeliveryGaps.h"

#include "export/EvaluationLists.h"
#include "model/Coatings.h"
#include "model/Glasses.h"
#include "model/Root.h"
#include "support/StringList.h"

#include <string>
#include <string_view>
#include <unordered_set>

namespace kr6 {
namespace {

// The coatings not yet seen in a row, compared as the evaluation's sorted lists compare
// codes. Rows repeat the same few codes millions of times: a code's bytes are looked up
// once, and once every coating was seen the rows are no longer read.
class TUnseenCoatings {
public:
    explicit TUnseenCoatings(const Tdex6Dataobject& Root) {
        for (const auto& Coating : *Root.Beschichtungsliste())
            FUnseen.Add(Coating->EDV(), Coating.get());
    }

    bool AllSeen() const { return FUnseen.IsEmpty(); }

    void See(std::string_view Code) {
        if (Code.empty() || !FCodes.emplace(Code).second)
            return;
        for (int I = FUnseen.IndexOf(Code); I >= 0; I = FUnseen.IndexOf(Code))
            FUnseen.Delete(I);
    }

    std::vector<const Tdex6DataBeschichtung*> Rest() const {
        std::vector<const Tdex6DataBeschichtung*> Coatings;
        for (const auto& Entry : FUnseen)
            Coatings.push_back(static_cast<const Tdex6DataBeschichtung*>(Entry.Object));
        return Coatings;
    }

private:
    TStringList FUnseen{true, TStringList::TDuplicates::Accept};
    std::unordered_set<std::string> FCodes;
};

} // namespace

TDeliveryGaps FindDeliveryGaps(Tdex6Dataobject& Root, const TEvaluationOptions& Options) {
    TStringList Lenses;
    ListEvaluatedLenses(Root, Lenses);
    TUnseenCoatings Coatings(Root);
    TDeliveryGaps Gaps;
    int Lens = 0;
    bool LensHasRows = false;
    EvaluateCombinations(
        Root,
        [&](const TRowBlock& Rows, bool LensDone) {
            LensHasRows = LensHasRows || !Rows.IsEmpty();
            if (!Coatings.AllSeen()) {
                for (const TRow& Row : Rows) {
                    for (std::size_t Field = 1; Field < Row.size(); ++Field)
                        Coatings.See(Row[Field]);
                }
            }
            if (!LensDone)
                return;
            if (!LensHasRows)
                Gaps.Lenses.push_back(Root.Glasliste()->FindByEDV(Lenses[Lens]));
            ++Lens;
            LensHasRows = false;
        },
        Options);
    Gaps.Coatings = Coatings.Rest();
    return Gaps;
}

} // namespace kr6
