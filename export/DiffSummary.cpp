#include "export/DiffSummary.h"

namespace kr6 {
namespace {

std::string RuleText(const TRuleDigest& Rule) {
    return Rule.Lens + " | " + Rule.Slots[0] + " | " + Rule.Slots[1] + " | " + Rule.Slots[2] +
           " | ";
}

} // namespace

void TDiffSummaryText::Write(const TModelChanges& Changes, const std::vector<TCountChange>& Counts,
                             const TPriceComparison& PriceChanges) {
    Codes("Lenses added", Changes.LensesAdded, FNew, true);
    Codes("Lenses removed", Changes.LensesRemoved, FOld, true);
    Codes("Coatings added", Changes.CoatingsAdded, FNew, false);
    Codes("Coatings removed", Changes.CoatingsRemoved, FOld, false);
    Heading("Rules added", Changes.RulesAdded.size());
    for (const TRuleDigest& Rule : Changes.RulesAdded)
        Line("  " + RuleText(Rule) + DeliveryText(Rule.Delivery));
    Heading("Rules removed", Changes.RulesRemoved.size());
    for (const TRuleDigest& Rule : Changes.RulesRemoved)
        Line("  " + RuleText(Rule) + DeliveryText(Rule.Delivery));
    Heading("Rules changed", Changes.RulesChanged.size());
    for (const TRuleChange& Change : Changes.RulesChanged)
        Line("  " + RuleText(Change.Rule) + DeliveryText(Change.OldDelivery) + " -> " +
             DeliveryText(Change.Rule.Delivery));
    Heading("Lenses with other deliverable counts", Counts.size());
    for (const TCountChange& Count : Counts)
        Line("  " + Count.Lens + "  " + std::to_string(Count.Old) + " -> " +
             std::to_string(Count.New));
    Prices("Glass prices", PriceChanges.Glass);
    Prices("Coating prices", PriceChanges.Coating);
}

void TDiffSummaryText::Heading(std::string_view Title, std::size_t Count) {
    Line(std::string(Title) + ": " + std::to_string(Count));
}

void TDiffSummaryText::Codes(std::string_view Title, const std::vector<std::string>& Codes,
                             const TListDigest& From, bool Lenses) {
    Heading(Title, Codes.size());
    for (const std::string& Code : Codes) {
        std::string Text = "  " + Code;
        if (FNames)
            Text.append("  ").append(Lenses ? From.Names.Lens(Code) : From.Names.Coating(Code));
        Line(Text);
    }
}

void TDiffSummaryText::Prices(std::string_view Title, const TPriceChanges& Prices) {
    Line(std::string(Title) + ": " + std::to_string(Prices.Changed) + " changed, " +
         std::to_string(Prices.Added) + " added, " + std::to_string(Prices.Removed) + " removed");
}

} // namespace kr6
