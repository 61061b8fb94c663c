#include "cli/CheckCommand.h"
#include "cli/ArchiveInput.h"
#include "cli/Commands.h"
#include "cli/ProgressLine.h"
#include "cli/RowOutput.h"

#include "export/CombinationExplanation.h"
#include "export/LensOverview.h"
#include "model/Root.h"
#include "support/Cp1252.h"
#include "support/FileDescriptor.h"

#include <memory>

namespace kr6 {
namespace {

constexpr int ExitNotDeliverable = 3;

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
    const std::unique_ptr<TRowOutput> Output = OpenOutput({}, {TLineEnd::Lf, !Options.Json});
    int Status = 0;
    if (Coatings.empty()) {
        const TLensOverview Overview = OverviewOfLens(Root, Lens);
        Output->Write(Options.Json ? OverviewJson(Overview, Options.Lens).dump(2) + "\n"
                                   : OverviewText(Overview));
    } else {
        const TKeyCheck Check = CheckKey(Root, Lens, Coatings);
        Output->Write(Options.Json ? CheckJson(Check, Options.Lens, Options.Coatings).dump(2) + "\n"
                                   : CheckText(Check));
        Status = Check.Deliverable() ? 0 : ExitNotDeliverable;
    }
    Output->Finish();
    return Status;
}

} // namespace kr6
