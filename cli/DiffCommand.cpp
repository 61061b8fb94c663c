#include "cli/ArchiveInput.h"
#include "cli/Commands.h"
#include "cli/ProgressLine.h"
#include "cli/RowOutput.h"

#include "export/ListComparer.h"
#include "import/Kr6Findings.h"
#include "model/Root.h"
#include "support/Cp1252.h"
#include "support/FileDescriptor.h"

#include <nlohmann/json.hpp>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <thread>
#include <utility>

namespace kr6 {
namespace {

// Frees models on a thread of their own: a large model takes a while to free, and only
// the end of the command needs to wait for that.
class TModelDisposal {
public:
    // One model at a time: the one before is long gone when the next one comes.
    void Free(std::unique_ptr<Tdex6Dataobject> Root) {
        if (FThread.joinable())
            FThread.join();
        FThread = std::jthread([Root = std::move(Root)]() mutable { Root.reset(); });
    }

private:
    std::jthread FThread;
};

// Imports one list, hands it to Take (of the comparer) and gives the model to Disposal, so
// that only one model is in memory at a time.
void ReadList(const std::string& Archive, bool ShowProgress, TKr6Findings& Findings,
              TModelDisposal& Disposal,
              const std::function<void(const Tdex6Dataobject&, const TSpoolProgress&)>& Take) {
    TProgressLine Line(StandardErrorFd, ShowProgress);
    // Both lines name the list they are about.
    const std::string FileName = std::filesystem::path(Archive).filename().string();
    const std::string Label = " of " + Utf8ToCp1252(FileName);
    Line.SetSubject(FileName);

    auto Root = std::make_unique<Tdex6Dataobject>();
    LoadArchive(*Root, Archive, &Line, &Findings);
    Line.Restart();
    Take(*Root, [&](std::string_view Lens, const TKombiTally& All) {
        Line.Update(std::string(Lens) + Label, All);
    });
    Line.Clear();
    Disposal.Free(std::move(Root));
}

nlohmann::ordered_json JsonCodes(const std::vector<std::string>& Codes, const TListDigest& From,
                                 bool Lenses, bool Names) {
    nlohmann::ordered_json List = nlohmann::ordered_json::array();
    for (const std::string& Code : Codes) {
        if (!Names) {
            List.push_back(Cp1252ToUtf8(Code));
            continue;
        }
        List.push_back(
            {{"code", Cp1252ToUtf8(Code)},
             {"name", Cp1252ToUtf8(Lenses ? From.Names.Lens(Code) : From.Names.Coating(Code))}});
    }
    return List;
}

nlohmann::ordered_json JsonRule(const TRuleDigest& Rule) {
    return {
        {"lens", Cp1252ToUtf8(Rule.Lens)},
        {"slots",
         {Cp1252ToUtf8(Rule.Slots[0]), Cp1252ToUtf8(Rule.Slots[1]), Cp1252ToUtf8(Rule.Slots[2])}},
        {"delivery", Cp1252ToUtf8(DeliveryText(Rule.Delivery))}};
}

nlohmann::ordered_json JsonRules(const std::vector<TRuleDigest>& Rules) {
    nlohmann::ordered_json List = nlohmann::ordered_json::array();
    for (const TRuleDigest& Rule : Rules)
        List.push_back(JsonRule(Rule));
    return List;
}

nlohmann::ordered_json JsonPrices(const TPriceChanges& Prices) {
    return {{"changed", Prices.Changed}, {"added", Prices.Added}, {"removed", Prices.Removed}};
}

std::string JsonSummary(const TListComparer& Comparer, bool Names) {
    const TModelChanges Changes = Comparer.Changes();
    const TPriceComparison& Prices = Comparer.Prices();
    const TListDigest& Old = Comparer.Old();
    const TListDigest& New = Comparer.New();
    nlohmann::ordered_json Changed = nlohmann::ordered_json::array();
    for (const TRuleChange& Change : Changes.RulesChanged) {
        nlohmann::ordered_json Rule = JsonRule(Change.Rule);
        Rule.erase("delivery");
        Rule["old_delivery"] = Cp1252ToUtf8(DeliveryText(Change.OldDelivery));
        Rule["new_delivery"] = Cp1252ToUtf8(DeliveryText(Change.Rule.Delivery));
        Changed.push_back(std::move(Rule));
    }
    nlohmann::ordered_json CountList = nlohmann::ordered_json::array();
    for (const TCountChange& Count : Comparer.CountChanges())
        CountList.push_back(
            {{"lens", Cp1252ToUtf8(Count.Lens)}, {"old", Count.Old}, {"new", Count.New}});
    const nlohmann::ordered_json Summary = {
        {"lenses_added", JsonCodes(Changes.LensesAdded, New, true, Names)},
        {"lenses_removed", JsonCodes(Changes.LensesRemoved, Old, true, Names)},
        {"coatings_added", JsonCodes(Changes.CoatingsAdded, New, false, Names)},
        {"coatings_removed", JsonCodes(Changes.CoatingsRemoved, Old, false, Names)},
        {"rules_added", JsonRules(Changes.RulesAdded)},
        {"rules_removed", JsonRules(Changes.RulesRemoved)},
        {"rules_changed", Changed},
        {"deliverable_counts_changed", CountList},
        {"glass_prices", JsonPrices(Prices.Glass)},
        {"coating_prices", JsonPrices(Prices.Coating)}};
    return nlohmann::ordered_json{{"summary", Summary}}.dump();
}

TRowChangeCount WriteDifferences(const TDiffOptions& Options, const TListComparer& Comparer) {
    const std::unique_ptr<TRowOutput> Output =
        OpenOutput(Options.OutputFile, OutputFormatFor(Options.Layout, Options.Lf, Options.Utf8));
    const bool Json = Options.Layout.Syntax == TRowSyntax::Jsonl;
    if (!Options.RowsOnly) {
        if (Json)
            Output->WriteRow(JsonSummary(Comparer, Options.Layout.Names));
        else
            Comparer.WriteSummary(*Output, Options.Layout.Names);
        // An empty line between the summary and a table of rows.
        if (!Json && !Options.SummaryOnly)
            Output->WriteRow("");
    }

    TRowEncoder Encoder(*Output, Options.Layout);
    TRowChangeCount Count;
    if (Options.SummaryOnly) {
        Count = Comparer.CompareRows({});
    } else {
        Encoder.WriteHeader();
        Count = Comparer.CompareRows([&](char Change, const TRow& Row) {
            Encoder.WriteRow(Row, Change,
                             Change == '+' ? &Comparer.New().Names : &Comparer.Old().Names);
        });
    }
    Output->Finish();
    return Count;
}

} // namespace

bool RunDiff(const TDiffOptions& Options) {
    const auto Start = std::chrono::steady_clock::now();
    RefuseOutputOverInput(Options.OutputFile, Options.OldArchive);
    RefuseOutputOverInput(Options.OutputFile, Options.NewArchive);
    const bool ShowProgress =
        WantsProgressLine(Options.Quiet, IsStandardOutput(Options.OutputFile));
    TListComparer Comparer;
    TModelDisposal Disposal;
    TKr6Findings OldFindings(false);
    TKr6Findings NewFindings(false);
    ReadList(Options.OldArchive, ShowProgress, OldFindings, Disposal,
             [&](const Tdex6Dataobject& Root, const TSpoolProgress& Progress) {
                 Comparer.TakeOld(Root, Options.Threads, Progress);
             });
    ReadList(Options.NewArchive, ShowProgress, NewFindings, Disposal,
             [&](const Tdex6Dataobject& Root, const TSpoolProgress& Progress) {
                 Comparer.TakeNew(Root, Options.Threads, Progress);
             });

    TRowChangeCount Count;
    try {
        Count = WriteDifferences(Options, Comparer);
    } catch (const EOutputClosed&) {
        // The reader has gone, but the status still tells whether the rows differ.
        Count = Comparer.CompareRows({});
        return Count.Added != 0 || Count.Removed != 0;
    }

    if (!Options.Quiet) {
        const double Seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
        char Text[160];
        std::snprintf(Text, sizeof Text,
                      "kr6csv: %lld rows only in the new list, %lld only in the old, %.1f s",
                      static_cast<long long>(Count.Added), static_cast<long long>(Count.Removed),
                      Seconds);
        std::string Summary = Text;
        std::string NotImported;
        for (const auto& [Label, Findings] :
             {std::pair{"old list: ", &OldFindings}, std::pair{"new list: ", &NewFindings}}) {
            const std::string Lines = NotImportedText(Findings->Counts());
            if (!Lines.empty())
                NotImported += (NotImported.empty() ? "" : ", ") + std::string(Label) + Lines;
        }
        if (!NotImported.empty())
            Summary += "; " + NotImported + " (kr6csv lint)";
        Summary += "\n";
        std::fputs(Summary.c_str(), stderr);
    }
    return Count.Added != 0 || Count.Removed != 0;
}

} // namespace kr6
