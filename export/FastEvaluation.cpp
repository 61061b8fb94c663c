#include "export/FastEvaluation.h"

#include "export/LensPlan.h"
#include "export/LiteralEvaluation.h"
#include "model/Root.h"
#include "support/StringList.h"

#include <array>
#include <string>

namespace kr6 {

TFastEvaluator::TFastEvaluator(const Tdex6Dataobject& Root) : FRoot(Root), FTables(Root) {}

std::int64_t TFastEvaluator::CountKeys(std::string_view Glass) const {
    std::vector<int> Rules;
    FTables.RulesOf(Glass, Rules);
    const TLensPlan Plan(FTables, Glass, Rules);
    if (!Plan.NeedsLiteral())
        return Plan.KeyCount();
    TStringList Keys(true);
    BuildLensKeys(FRoot, Glass, Keys);
    return Keys.Count();
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

void TFastEvaluator::EvaluateRules(std::string_view Glass, const std::vector<int>& Rules,
                                   TLensOutcome& Outcome) const {
    TLensPlan Plan(FTables, Glass, Rules);
    if (Plan.NeedsLiteral()) {
        EvaluateLensLiteral(FRoot, Glass, Outcome);
        return;
    }
    Outcome.Clear();
    Outcome.KeyCount = Plan.KeyCount();
    Plan.PlanKeys(Rules);
    TKeyState State;
    Plan.PrepareState(State);
    const std::vector<int>& AntiReflections = Plan.KindEntries(0);
    const std::vector<int>& Tints = Plan.KindEntries(1);
    const std::vector<int>& Further = Plan.KindEntries(2);
    const auto TextOf = [&](int Entry) {
        return Entry < 0 ? std::string_view() : Plan.Entry(Entry).Text;
    };

    // The keys in the order of the sorted key list: fields compare one after the other,
    // and within each kind the lists are sorted with the empty entry first.
    std::int64_t Position = 0;
    std::string Head;
    std::string Middle;
    const auto TestKey = [&](int A, int T, int P1, int P2) {
        ++Position;
        const std::array<int, 4> Named = {A, T, P1, P2};
        std::array<int, 4> Work{};
        int Count = 0;
        if (Plan.ClassesRepeat()) {
            Count = Plan.CollectWork(Named, Work);
        } else {
            for (const int Entry : Named) {
                if (Entry >= 0)
                    Work[Count++] = Entry;
            }
        }
        if (!Plan.IsDeliverable(Work.data(), Count, State))
            return;
        Outcome.Rows.Add(Head, Middle, TextOf(P2));
        Outcome.Positions.push_back(Position);
        Outcome.OfferRows();
    };
    for (const int A : AntiReflections) {
        for (const int T : Tints) {
            Head.assign(Glass).append(1, '\t').append(TextOf(A)).append(1, '\t');
            Head.append(TextOf(T)).append(1, '\t');
            for (std::size_t P1 = 0; P1 < Further.size(); ++P1) {
                Middle.assign(TextOf(Further[P1])).append(1, '\t');
                TestKey(A, T, Further[P1], -1);
                for (std::size_t P2 = P1 + 1; P1 > 0 && P2 < Further.size(); ++P2)
                    TestKey(A, T, Further[P1], Further[P2]);
            }
        }
    }
}

} // namespace kr6
