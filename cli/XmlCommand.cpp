#include "cli/Commands.h"
#include "cli/RowOutput.h"

#include "import/Kr6Import.h"
#include "model/Root.h"
#include "model/XmlWriter.h"

namespace kr6 {

void RunXml(const TXmlOptions& Options) {
    Tdex6Dataobject Root;
    LoadKr6File(Root, Options.Archive);
    TXmlStream Stream;
    Root.WriteXml(Stream);
    // The element form is plain ASCII: it passes through unchanged.
    const std::unique_ptr<TRowOutput> Output = OpenOutput(Options.OutputFile);
    Output->Write(Stream);
    Output->Finish();
}

} // namespace kr6
