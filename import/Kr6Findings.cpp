#include "import/Kr6Findings.h"

#include "import/Kr6Members.h"
#include "model/Coatings.h"
#include "model/Glasses.h"
#include "support/TextCompare.h"

#include <algorithm>

namespace kr6 {
namespace {

void AppendCount(std::string& Text, std::int64_t Count, std::string_view One) {
    if (Count == 0)
        return;
    if (!Text.empty())
        Text += ", ";
    Text += std::to_string(Count);
    Text += ' ';
    Text += One;
    if (Count != 1)
        Text += 's';
}

} // namespace

std::size_t Kr6MemberRank(std::string_view Name) {
    const auto Found =
        std::find_if(Kr6MemberNames.begin(), Kr6MemberNames.end(),
                     [&](std::string_view Member) { return SameText(Member, Name); });
    return static_cast<std::size_t>(Found - Kr6MemberNames.begin());
}

std::string CountsText(const TKr6FindingCounts& Counts) {
    std::string Text;
    AppendCount(Text, Counts.Of(TKr6Severity::Error), "error");
    AppendCount(Text, Counts.Of(TKr6Severity::Warning), "warning");
    AppendCount(Text, Counts.Of(TKr6Severity::Note), "note");
    return Text.empty() ? "no findings" : Text;
}

void TKr6Findings::Found(TKr6Finding Finding) {
    ++FCounts.BySeverity[static_cast<std::size_t>(SeverityOf(Finding.Code))];
    ++FCounts.ByCode[static_cast<std::size_t>(Finding.Code)];
    if (FKeepItems)
        FItems.push_back(std::move(Finding));
}

void TKr6Findings::Made(const Tdex6DataGlas& Glas, int Line, std::string_view Text) {
    FOrigins[&Glas] = {Line, std::string(Text)};
}

void TKr6Findings::Made(const Tdex6DataBeschichtung& Coating, int Line, std::string_view Text) {
    FOrigins[&Coating] = {Line, std::string(Text)};
}

void TKr6Findings::AddDeliveryNotes(std::span<const Tdex6DataGlas* const> Lenses,
                                    std::span<const Tdex6DataBeschichtung* const> Coatings) {
    const auto Report = [&](const void* Object, std::string_view Member, TKr6FindingCode Code,
                            std::string Message) {
        const auto Origin = FOrigins.find(Object);
        if (Origin == FOrigins.end())
            return;
        Found({std::string(Member), Origin->second.Line, 0, Code, std::move(Message),
               Origin->second.Text});
    };
    for (const Tdex6DataGlas* Glas : Lenses)
        Report(Glas, "LensType.Dat", TKr6FindingCode::LensNeverDeliverable,
               "lens '" + Glas->EDV() +
                   "' has no deliverable combination, not even without coatings");
    for (const Tdex6DataBeschichtung* Coating : Coatings)
        Report(Coating, "Options.Dat", TKr6FindingCode::CoatingNeverDeliverable,
               "coating '" + Coating->EDV() + "' is in no deliverable combination");
}

std::vector<TKr6Finding> TKr6Findings::Items() const {
    std::vector<TKr6Finding> Sorted = FItems;
    std::stable_sort(Sorted.begin(), Sorted.end(), [](const TKr6Finding& A, const TKr6Finding& B) {
        const std::size_t RankA = Kr6MemberRank(A.Member);
        const std::size_t RankB = Kr6MemberRank(B.Member);
        if (RankA != RankB)
            return RankA < RankB;
        return RankA < Kr6MemberNames.size() && A.Line < B.Line;
    });
    return Sorted;
}

} // namespace kr6
