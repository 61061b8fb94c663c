#include "cli/ArchiveInput.h"
#include "cli/Commands.h"
#include "cli/ProgressLine.h"
#include "cli/RowOutput.h"

#include "model/Root.h"
#include "model/XmlWriter.h"
#include "support/FileDescriptor.h"

namespace kr6 {

void RunXml(const TXmlOptions& Options) {
    RefuseOutputOverInput(Options.OutputFile, Options.Archive);
    const std::unique_ptr<TRowOutput> Output = OpenOutput(Options.OutputFile);
    Tdex6Dataobject Root;
    {
        TProgressLine Line(StandardErrorFd,
                           WantsProgressLine(Options.Quiet, IsStandardOutput(Options.OutputFile)));
        LoadArchive(Root, Options.Archive, &Line);
    }
    TXmlStream Stream;
    Root.WriteXml(Stream);
    // The element form is plain ASCII: it passes through unchanged. A text file ends its
    // last line.
    Output->Write(Stream);
    Output->Write("\n");
    Output->Finish();
}

} // namespace kr6
