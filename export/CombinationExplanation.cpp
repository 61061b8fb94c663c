#include "export/CombinationExplanation.h"

#include "model/Coatings.h"
#include "model/Combinations.h"
#include "model/Glasses.h"
#include "model/Root.h"

#include <utility>

namespace kr6 {
namespace {

class TCheckRecorder : public TCoatingReasons {
public:
    explicit TCheckRecorder(TCombinationExplanation& Explanation) : FExplanation(Explanation) {}

    void RuleTaken(const Tdex6DataKombination& Rule, bool Matches) override {
        FExplanation.Rules.push_back({RuleText(Rule), Matches, {}});
    }
    void ProblemAdded(std::string_view Code) override {
        Effect(TRuleEffectKind::ProblemAdded, Code);
    }
    void ProblemRemoved(std::string_view Code) override {
        Effect(TRuleEffectKind::ProblemRemoved, Code);
    }
    void RequiredOffered(std::string_view Code) override {
        Effect(TRuleEffectKind::RequiredOffered, Code);
    }
    void RequiredWithdrawn(std::string_view Code) override {
        Effect(TRuleEffectKind::RequiredWithdrawn, Code);
    }
    void SetForbidden(std::string_view Key) override { Effect(TRuleEffectKind::SetForbidden, Key); }
    void SetLifted(std::string_view Key) override { Effect(TRuleEffectKind::SetLifted, Key); }
    void ForbiddenSetFound(std::string_view Key) override {
        FExplanation.ForbiddenSets.emplace_back(Key);
    }
    void FeatureShared(std::string_view CodeA, const Tdex6DataBeschichtung& A,
                       std::string_view CodeB, const Tdex6DataBeschichtung& B) override {
        FExplanation.Clashes.push_back(
            {std::string(CodeA), std::string(CodeB), SharedFeatures(A, B)});
    }
    void RequirementUnmet(const TStringList& /*Offered*/) override {
        FExplanation.RequirementUnmet = true;
    }

private:
    // Every effect belongs to the rule taken last.
    void Effect(TRuleEffectKind Kind, std::string_view Code) {
        if (!FExplanation.Rules.empty())
            FExplanation.Rules.back().Effects.push_back({Kind, std::string(Code)});
    }

    TCombinationExplanation& FExplanation;
};

} // namespace

TCombinationExplanation ExplainCombination(const Tdex6Dataobject& Root, std::string_view Glass,
                                           const TStringList& Coatings) {
    TCombinationExplanation Explanation;
    TCheckRecorder Recorder(Explanation);
    Explanation.Result = Root.KombinationsListe()->CheckCombination(
        Glass, Coatings, Explanation.Problems, &Explanation.Required, &Recorder);

    if (const Tdex6DataGlas* Lens = Recorder.Lens())
        Explanation.Lens = {true, Lens->EDV(), Lens->MAT};
    else
        Explanation.Lens.Code = Glass;

    TStringList Set(true);
    Set.AddStrings(Coatings);
    for (const auto& Code : Set) {
        TCoatingFinding Finding;
        Finding.Code = Code.Text;
        if (const Tdex6DataBeschichtung* Coating =
                Root.Beschichtungsliste()->FindByEDV(Code.Text)) {
            Finding.Found = true;
            Finding.Kinds = Coating->Kinds();
            Finding.Materials = Coating->MAT;
        }
        Finding.Reason = Recorder.ReasonOf(Code.Text);
        Explanation.Coatings.push_back(std::move(Finding));
    }
    return Explanation;
}

TKeyCheck CheckKey(const Tdex6Dataobject& Root, std::string_view Lens,
                   const std::vector<std::string>& Coatings) {
    TKeyCheck Check;
    Check.Key = FindEvaluationKey(Root, Lens, Coatings);
    Check.Explanation = ExplainCombination(Root, Check.Key.CheckedLens, Check.Key.Coatings);
    return Check;
}

} // namespace kr6
