#include "cli/ArchiveInput.h"
#include "cli/Commands.h"
#include "cli/ProgressLine.h"
#include "cli/RowOutput.h"

#include "model/Addresses.h"
#include "model/CoatingParts.h"
#include "model/Coatings.h"
#include "model/Combinations.h"
#include "model/GlassParts.h"
#include "model/Glasses.h"
#include "model/ProductGroups.h"
#include "model/Root.h"
#include "support/StringList.h"

#include <cstdio>
#include <stdexcept>
#include <unistd.h>

namespace kr6 {
namespace {

std::string DateText(TDateTime Date) {
    if (Date <= HalfSecond)
        return "none";
    int Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;
    try {
        DecodeDateTime(Date, Year, Month, Day, Hour, Minute, Second);
    } catch (const std::invalid_argument&) {
        return "invalid";
    }
    char Text[16];
    std::snprintf(Text, sizeof Text, "%04d-%02d-%02d", Year, Month, Day);
    return Text;
}

std::string CountLine(std::string_view Label, std::int64_t Count) {
    char Text[64];
    std::snprintf(Text, sizeof Text, "%-20.*s%lld\n", static_cast<int>(Label.size()), Label.data(),
                  static_cast<long long>(Count));
    return Text;
}

} // namespace

std::string FormatInfo(const Tdex6Dataobject& Root, const std::string& Version) {
    std::string Text;
    if (const Tdex6DataAdresse* Maker = Root.Adressliste()->Items(0)) {
        const std::string Code = Maker->EDVText("/", false);
        std::string Name = Maker->Name.empty() ? std::string("none") : Maker->Name;
        if (!Code.empty())
            Name += " (" + Code + ")";
        Text += "Maker:              " + Name + "\n";
        Text += "Valid:              " + DateText(Maker->GA) + " to " + DateText(Maker->GB) + "\n";
    }
    Text += "KR6 version:        " + (Version.empty() ? std::string("none") : Version) + "\n";
    Text += "Price descriptions:\n";
    for (const auto& Description : *Root.Preisbezeichnungsliste())
        Text += "  " + std::to_string(Description->ID) + "  " + Description->BEZ + "\n";

    std::int64_t GlassPrices = 0;
    for (const auto& Glass : *Root.Glasliste())
        GlassPrices += Glass->GlasPreisListe()->Count();
    std::int64_t Colours = 0;
    std::int64_t CoatingPrices = 0;
    for (const auto& Coating : *Root.Beschichtungsliste()) {
        Colours += Coating->FarbListe()->Count();
        CoatingPrices += Coating->PreisListe()->Count();
    }
    Text += CountLine("Lenses:", Root.Glasliste()->Count());
    Text += CountLine("Coatings:", Root.Beschichtungsliste()->Count());
    Text += CountLine("Rules:", Root.KombinationsListe()->Count());
    Text += CountLine("Colours:", Colours);
    Text += CountLine("Glass prices:", GlassPrices);
    Text += CountLine("Coating prices:", CoatingPrices);
    Text += CountLine("Product groups:", Root.Produktgruppenliste()->Count());
    return Text;
}

void RunInfo(const TInfoOptions& Options) {
    Tdex6Dataobject Root;
    std::string Version;
    {
        TProgressLine Line(STDERR_FILENO, WantsProgressLine(Options.Quiet, true));
        Version = LoadArchive(Root, Options.Archive, &Line);
    }
    const std::string Text = FormatInfo(Root, Version);
    const std::unique_ptr<TRowOutput> Output = OpenOutput({}, {TLineEnd::Lf, Options.Utf8});
    Output->Write(Text);
    Output->Finish();
}

} // namespace kr6
