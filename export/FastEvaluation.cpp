#include "export/FastEvaluation.h"

#include "export/LensPlan.h"
#include "export/LiteralEvaluation.h"
#include "model/Root.h"
#include "support/StringList.h"

#include <array>
#include <string>

namespace kr6 {

TFastEvaluator::TFastEvaluator(const Tdex6Dataobject& Root) : FRoot(Root), FTables(Root) {}

TLensShape TFastEvaluator::Shape(std::string_view Glass) const {
    std::vector<int> Rules;
    FTables.RulesOf(Glass, Rules);
    const TLensPlan Plan(FTables, Glass, Rules);
    if (!Plan.NeedsLiteral())
        return {Plan.KeyCount(), Plan.GroupCount(), true};
    TLensKindLists Lists;
    std::vector<TLensKey> Keys;
    BuildLensKeys(FRoot, Glass, Lists, Keys);
    return {static_cast<std::int64_t>(Keys.size()), 1, false};
}

void TFastEvaluator::EvaluateLens(std::string_view Glass, TLensOutcome& Outcome) const {
    std::vector<int> Rules;
    FTables.RulesOf(Glass, Rules);
    EvaluateRules(Glass, Rules, Outcome);
}

void TFastEvaluator::EvaluateLens(std::string_view Glass, const TKombinationRefs& Rules,
                                  TLensOutcome& Outcome) const {
    std::vector<int> Numbers;
    Numbers.reserve(Rules.size());
    for (const Tdex6DataKombination* Rule : Rules)
        Numbers.push_back(FTables.RuleNumber(Rule));
    EvaluateRules(Glass, Numbers, Outcome);
}

std::unique_ptr<const TLensPlan> TFastEvaluator::PlanLens(std::string_view Glass) const {
    std::vector<int> Rules;
    FTables.RulesOf(Glass, Rules);
    auto Plan = std::make_unique<TLensPlan>(FTables, Glass, Rules);
    Plan->PlanKeys(Rules);
    return Plan;
}

void TFastEvaluator::EvaluateRules(std::string_view Glass, const std::vector<int>& Rules,
                                   TLensOutcome& Outcome) const {
    TLensPlan Plan(FTables, Glass, Rules);
    if (Plan.NeedsLiteral()) {
        EvaluateLensLiteral(FRoot, Glass, Outcome);
        return;
    }
    Plan.PlanKeys(Rules);
    EvaluateGroups(Plan, 0, Plan.GroupCount(), Outcome);
}

void TFastEvaluator::EvaluateGroups(const TLensPlan& Plan, std::int64_t First, std::int64_t End,
                                    TLensOutcome& Outcome) const {
    Outcome.Clear();
    Outcome.KeyCount = Plan.KeyCount();
    TKeyState State;
    Plan.PrepareState(State);
    const std::vector<int>& AntiReflections = Plan.KindEntries(0);
    const std::vector<int>& Tints = Plan.KindEntries(1);
    const std::vector<int>& Further = Plan.KindEntries(2);
    const auto TextOf = [&](int Entry) {
        return Entry < 0 ? std::string_view() : Plan.Entry(Entry).Text;
    };

    // The keys in the order of the sorted key list: fields compare one after the other,
    // and within each kind the lists are sorted with the empty entry first; a group is
    // an anti-reflection coating with a tint, anti-reflection coating first. The slots
    // the first three coatings meet are worked out once for all second further coatings.
    std::int64_t Position = First * Plan.KeysPerGroup();
    TRow Row{Plan.Glass()};
    std::vector<std::uint64_t> FirstMet(Plan.SlotWords());
    std::vector<std::uint64_t> KeyMet(Plan.SlotWords());
    const auto TestKey = [&](int P2, const int* Work, int Count, const std::uint64_t* Met) {
        ++Position;
        if (!Plan.IsDeliverable(Work, Count, Met, State))
            return;
        Row[4] = TextOf(P2);
        Outcome.Rows.Add(Row, Position);
        Outcome.OfferRows();
    };
    // A coating of two kinds may stand in a key twice; the rule check sees it once.
    const auto TestRepeatingKey = [&](int A, int T, int P1, int P2) {
        std::array<int, 4> Work{};
        const int Count = Plan.CollectWork({A, T, P1, P2}, Work);
        Plan.MeetSlots(Work.data(), Count, KeyMet.data());
        TestKey(P2, Work.data(), Count, KeyMet.data());
    };
    for (std::int64_t Group = First; Group < End; ++Group) {
        const auto Index = static_cast<std::size_t>(Group);
        const int A = AntiReflections[Index / Tints.size()];
        const int T = Tints[Index % Tints.size()];
        Row[1] = TextOf(A);
        Row[2] = TextOf(T);
        for (std::size_t P1 = 0; P1 < Further.size(); ++P1) {
            Row[3] = TextOf(Further[P1]);
            if (Plan.ClassesRepeat()) {
                TestRepeatingKey(A, T, Further[P1], -1);
                for (std::size_t P2 = P1 + 1; P1 > 0 && P2 < Further.size(); ++P2)
                    TestRepeatingKey(A, T, Further[P1], Further[P2]);
                continue;
            }
            std::array<int, 4> Work{};
            int Count = 0;
            for (const int Entry : {A, T, Further[P1]}) {
                if (Entry >= 0)
                    Work[Count++] = Entry;
            }
            Plan.MeetSlots(Work.data(), Count, FirstMet.data());
            TestKey(-1, Work.data(), Count, FirstMet.data());
            for (std::size_t P2 = P1 + 1; P1 > 0 && P2 < Further.size(); ++P2) {
                Work[Count] = Further[P2];
                Plan.AddEntry(FirstMet.data(), Further[P2], KeyMet.data());
                TestKey(Further[P2], Work.data(), Count + 1, KeyMet.data());
            }
        }
    }
}

} // namespace kr6
