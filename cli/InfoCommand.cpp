#include "cli/ArchiveInput.h"
#include "cli/Commands.h"
#include "cli/ProgressLine.h"
#include "cli/RowOutput.h"

#include "import/Kr6Findings.h"
#include "model/Addresses.h"
#include "model/CoatingParts.h"
#include "model/Coatings.h"
#include "model/Combinations.h"
#include "model/GlassParts.h"
#include "model/Glasses.h"
#include "model/ProductGroups.h"
#include "model/Root.h"
#include "support/Cp1252.h"
#include "support/FileDescriptor.h"
#include "support/StringList.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <stdexcept>

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

struct TModelCounts {
    std::int64_t Lenses = 0;
    std::int64_t Coatings = 0;
    std::int64_t Rules = 0;
    std::int64_t Colours = 0;
    std::int64_t GlassPrices = 0;
    std::int64_t CoatingPrices = 0;
    std::int64_t ProductGroups = 0;
};

TModelCounts CountModel(const Tdex6Dataobject& Root) {
    TModelCounts Counts;
    Counts.Lenses = Root.Glasliste()->Count();
    Counts.Coatings = Root.Beschichtungsliste()->Count();
    Counts.Rules = Root.KombinationsListe()->Count();
    Counts.ProductGroups = Root.Produktgruppenliste()->Count();
    for (const auto& Glass : *Root.Glasliste())
        Counts.GlassPrices += Glass->GlasPreisListe()->Count();
    for (const auto& Coating : *Root.Beschichtungsliste()) {
        Counts.Colours += Coating->FarbListe()->Count();
        Counts.CoatingPrices += Coating->PreisListe()->Count();
    }
    return Counts;
}

} // namespace

std::string FormatInfo(const Tdex6Dataobject& Root, const std::string& Version,
                       const TKr6FindingCounts& Findings) {
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

    const TModelCounts Counts = CountModel(Root);
    Text += CountLine("Lenses:", Counts.Lenses);
    Text += CountLine("Coatings:", Counts.Coatings);
    Text += CountLine("Rules:", Counts.Rules);
    Text += CountLine("Colours:", Counts.Colours);
    Text += CountLine("Glass prices:", Counts.GlassPrices);
    Text += CountLine("Coating prices:", Counts.CoatingPrices);
    Text += CountLine("Product groups:", Counts.ProductGroups);
    Text += "Findings:           " +
            (Findings.Total() == 0 ? std::string("none")
                                   : CountsText(Findings) + " (kr6csv lint lists them)") +
            "\n";
    return Text;
}

std::string FormatInfoJson(const Tdex6Dataobject& Root, const std::string& Version,
                           const TKr6FindingCounts& Findings) {
    using TJson = nlohmann::ordered_json;
    const auto Date = [](TDateTime Value) {
        const std::string Text = DateText(Value);
        return Text == "none" ? TJson() : TJson(Text);
    };
    TJson Info;
    if (const Tdex6DataAdresse* Maker = Root.Adressliste()->Items(0)) {
        Info["maker"] = {{"name", Cp1252ToUtf8(Maker->Name)},
                         {"code", Cp1252ToUtf8(Maker->EDVText("/", false))}};
        Info["valid_from"] = Date(Maker->GA);
        Info["valid_until"] = Date(Maker->GB);
    } else {
        Info["maker"] = nullptr;
    }
    Info["kr6_version"] = Version.empty() ? TJson() : TJson(Cp1252ToUtf8(Version));
    TJson Descriptions = TJson::array();
    for (const auto& Description : *Root.Preisbezeichnungsliste())
        Descriptions.push_back({{"id", Description->ID}, {"name", Cp1252ToUtf8(Description->BEZ)}});
    Info["price_descriptions"] = std::move(Descriptions);
    const TModelCounts Counts = CountModel(Root);
    Info["lenses"] = Counts.Lenses;
    Info["coatings"] = Counts.Coatings;
    Info["rules"] = Counts.Rules;
    Info["colours"] = Counts.Colours;
    Info["glass_prices"] = Counts.GlassPrices;
    Info["coating_prices"] = Counts.CoatingPrices;
    Info["product_groups"] = Counts.ProductGroups;
    TJson ByCode = TJson::object();
    for (std::size_t I = 0; I < Kr6FindingCodeCount; ++I) {
        const auto Code = static_cast<TKr6FindingCode>(I);
        if (Findings.Of(Code) > 0)
            ByCode[std::string(FindingCodeName(Code))] = Findings.Of(Code);
    }
    Info["findings"] = {{"error", Findings.Of(TKr6Severity::Error)},
                        {"warning", Findings.Of(TKr6Severity::Warning)},
                        {"note", Findings.Of(TKr6Severity::Note)},
                        {"by_code", std::move(ByCode)}};
    return Info.dump();
}

void RunInfo(const TInfoOptions& Options) {
    Tdex6Dataobject Root;
    TKr6Findings Findings(false);
    const std::string Version = FindFindings(Root, Options.Archive, Options.Quiet, Findings);
    if (Options.Json) {
        const std::unique_ptr<TRowOutput> Output = OpenOutput({}, {TLineEnd::Lf, false});
        Output->WriteRow(FormatInfoJson(Root, Version, Findings.Counts()));
        Output->Finish();
        return;
    }
    const std::unique_ptr<TRowOutput> Output = OpenOutput({}, {TLineEnd::Lf, Options.Utf8});
    Output->Write(FormatInfo(Root, Version, Findings.Counts()));
    Output->Finish();
}

} // namespace kr6
