#include "cli/CheckCommand.h"
#include "cli/ArchiveInput.h"
#include "cli/Commands.h"
#include "cli/NearestWords.h"
#include "cli/ProgressLine.h"
#include "cli/RowOutput.h"

#include "export/CombinationExplanation.h"
#include "export/LensOverview.h"
#include "model/Coatings.h"
#include "model/Glasses.h"
#include "model/Root.h"
#include "support/Cp1252.h"
#include "support/FileDescriptor.h"

#include <memory>

namespace kr6 {
namespace {

constexpr int ExitNotDeliverable = 3;

// As many codes as a line holds when several are equally near.
constexpr std::size_t SuggestedCodes = 3;

std::vector<std::string> LensCodes(const Tdex6Dataobject& Root) {
    std::vector<std::string> Codes;
    for (const auto& Glass : *Root.Glasliste())
        Codes.push_back(Glass->EDV());
    return Codes;
}

std::vector<std::string> CoatingCodes(const Tdex6Dataobject& Root) {
    std::vector<std::string> Codes;
    for (const auto& Coating : *Root.Beschichtungsliste())
        Codes.push_back(Coating->EDV());
    return Codes;
}

// Codes are typed in any letter case, as the lookups ignore it.
void Suggest(TCodeSuggestions& Suggestions, const std::string& Code,
             const std::vector<std::string>& Codes) {
    if (Code.empty())
        return;
    if (std::vector<std::string> Nearest = NearestWords(Code, Codes, SuggestedCodes, true);
        !Nearest.empty())
        Suggestions[Code] = std::move(Nearest);
}

} // namespace

int RunCheck(const TCheckOptions& Options) {
    Tdex6Dataobject Root;
    {
        TProgressLine Line(StandardErrorFd, WantsProgressLine(false, true));
        LoadArchive(Root, Options.Archive, &Line);
    }
    const std::string Lens = Utf8ToCp1252(Options.Lens);
    std::vector<std::string> Coatings;
    for (const std::string& Coating : Options.Coatings)
        Coatings.push_back(Utf8ToCp1252(Coating));

    // The texts are Windows-1252 and converted on the way out; JSON is UTF-8 already.
    const std::unique_ptr<TRowOutput> Output =
        OpenOutput({}, {TLineEnd::Lf, !Options.Json, Options.Json});
    int Status = 0;
    if (Coatings.empty()) {
        const TLensOverview Overview = OverviewOfLens(Root, Lens);
        TCodeSuggestions Suggestions;
        if (!Overview.Lens.Found)
            Suggest(Suggestions, Overview.Lens.Code, LensCodes(Root));
        Output->Write(Options.Json ? OverviewJson(Overview, Options.Lens, Suggestions).dump() + "\n"
                                   : OverviewText(Overview, Suggestions));
        Status = Overview.Lens.Found ? 0 : ExitNotDeliverable;
    } else {
        const TKeyCheck Check = CheckKey(Root, Lens, Coatings);
        TCodeSuggestions Suggestions;
        if (!Check.Explanation.Lens.Found)
            Suggest(Suggestions, Check.Explanation.Lens.Code, LensCodes(Root));
        for (const TCoatingFinding& Coating : Check.Explanation.Coatings)
            if (!Coating.Found)
                Suggest(Suggestions, Coating.Code, CoatingCodes(Root));
        Output->Write(Options.Json
                          ? CheckJson(Check, Options.Lens, Options.Coatings, Suggestions).dump() +
                                "\n"
                          : CheckText(Check, Suggestions));
        Status = Check.Deliverable() ? 0 : ExitNotDeliverable;
    }
    Output->Finish();
    return Status;
}

} // namespace kr6
