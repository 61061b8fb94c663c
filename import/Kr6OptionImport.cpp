#include "import/Kr6ImportSteps.h"

#include "import/Kr6FieldChecks.h"
#include "import/Kr6LensRecords.h"
#include "import/Kr6OptionRecords.h"
#include "import/Kr6RuleChecks.h"
#include "model/Addresses.h"
#include "model/CoatingParts.h"
#include "model/Coatings.h"
#include "model/CodeIndex.h"
#include "model/Combinations.h"
#include "model/DeliveryRanges.h"
#include "model/DescriptionDefaults.h"
#include "model/GlassParts.h"
#include "model/Glasses.h"
#include "model/Info.h"
#include "model/OrderOptions.h"
#include "model/ProductGroups.h"
#include "model/Root.h"
#include "model/RuleCodes.h"
#include "support/TextCompare.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace kr6::kr6_import {
namespace {

// An Options line's own findings; false for a line that makes no coating of Options.Dat
// (an empty one still makes a coating, without code).
bool CheckOptions(TKr6LineReport& Report, std::string_view Line, const TKr6Dataoptions& Rec,
                  std::unordered_map<std::string, int>& FirstLines) {
    Report.Next(Line);
    if (IsEmptyLine(Line)) {
        Report.Add(TKr6FindingCode::EmptyCode, 0, "empty line: a coating without code");
        return false;
    }
    CheckKr6Fields<kr6_layouts::Options>(Report, Line);
    if (IsGroupCode(Rec.Code))
        return false;
    if (Rec.Code.empty()) {
        Report.Add(TKr6FindingCode::EmptyCode, 0, "the code is blank: a coating without code");
        return true;
    }
    ReportKr6RepeatedCode(Report, FirstLines, Rec.Code, TKr6FindingCode::DuplicateCoating,
                          "coating");
    return true;
}

bool HoldsMaterial(const TMaterialSet& Materials) {
    for (const Tdex6Material Material : {Tdex6Material::Silikat, Tdex6Material::Kunststoff,
                                         Tdex6Material::Polycarbonat, Tdex6Material::Trivex})
        if (Materials.Contains(Material))
            return true;
    return false;
}

// The content findings of an OptionsPrice line whose coating the list holds, before its
// prices are set.
void CheckCoatingPrice(const TKr6LineReport& Report, const Tdex6Dataobject& Root,
                       Tdex6DataBeschichtung& Coating, const TKr6DataoptionsPrice& Rec,
                       int FirstField) {
    const bool Special = !Rec.LensCode.empty();
    if (Special && Root.Glasliste()->FindByEDV(Rec.LensCode) == nullptr)
        Report.Add(TKr6FindingCode::UnknownLens, 0,
                   "special price of coating " + Quoted(Rec.OptionCode) + " for lens " +
                       Quoted(Rec.LensCode) +
                       ", which the list does not hold: kept with the coating, it applies to "
                       "no lens");
    if (FirstField == 0)
        return;
    if (!Special && !HoldsMaterial(Rec.Materials)) {
        Report.Add(TKr6FindingCode::PriceNotImported, 0,
                   "general price of coating " + Quoted(Rec.OptionCode) +
                       " for no material (0000): no price is made");
        return;
    }
    Tdex6DataBeschichtungspreisListe& Prices = *Coating.PreisListe();
    bool Repeated = false;
    for (int M = 0; M <= static_cast<int>(Tdex6Material::Trivex) && !Repeated; ++M) {
        const auto Material = static_cast<Tdex6Material>(M);
        Repeated = Rec.Materials.Contains(Material) &&
                   Prices.FindPrice(Rec.SphTor, Rec.SingleMulti, false, Rec.LensCode, FirstField,
                                    Material) != nullptr;
    }
    if (Repeated)
        Report.Add(
            TKr6FindingCode::DuplicatePrice, 0,
            Special ? "an earlier line set the special price of coating " + Quoted(Rec.OptionCode) +
                          " for lens " + Quoted(Rec.LensCode) + " already: these amounts replace it"
                    : "an earlier line set a general price of coating " + Quoted(Rec.OptionCode) +
                          " of this kind for one of these materials already: these "
                          "amounts replace it");
}

} // namespace

void ImportCoatings(Tdex6Dataobject& Root, const TKr6MemberLines& Lines, TWorkLists& Work,
                    TImportProgressMeter& Meter) {
    TKr6LineReport Report(Work.Observer, "Options.Dat");
    // The first line of each code, as the lookup by code compares them.
    std::unordered_map<std::string, int> FirstLines;
    TKr6Dataoptions Rec;
    for (const std::string_view Line : Lines) {
        Meter.Step();
        ParseKr6Options(Rec, Line);
        const bool Made = Report.Active() && CheckOptions(Report, Line, Rec, FirstLines);
        // These codes name the prism and cylinder surcharge groups, not coatings.
        if (IsGroupCode(Rec.Code))
            continue;
        Tdex6DataBeschichtung& Coating = *Root.Beschichtungsliste()->NewItem();
        if (Made) {
            Work.Coatings.push_back({&Coating, Report.Line(), Line});
            Report.Observer().Made(Coating, Report.Line(), Line);
        }
        Coating.SetEDV(Rec.Code);
        Coating.SetB(1, Rec.Name);
        Coating.LA = Rec.ValidFrom;
        Coating.LB = Rec.ValidUntil;
        Coating.ME = Rec.BrandLine;
        Coating.MAT = Rec.Materials;
        Coating.ET = Rec.AntiReflection;
        Coating.FA = Rec.Tint;
        Coating.PH = Rec.Photochromic;
        Coating.HA = Rec.HardCoat;
        Coating.CL = Rec.CleanCoat;
        Coating.UV = Rec.UVCoat;
        Coating.VS = Rec.Mirror;
        Coating.ER = Rec.EdgeFinish;
        Coating.ADU = Rec.DiameterChange;
        Coating.AD = Rec.ThicknessChange;
        Coating.ADB = Rec.ADB;
        Coating.AAD = Rec.AAD;
        Coating.AF = Rec.FormChange;
        Coating.WAL = Rec.WAL;
        Coating.DEZ = Rec.Decentration;
        Coating.PRH = Rec.PRH;
        Coating.MATT = Rec.Matting;
        Coating.BENT = Rec.RemoveCoating;
        Coating.BTOR = Rec.BTOR;
        Coating.ATOR = Rec.ATOR;
        Coating.BF = Rec.Bonus;
        Coating.Vers = Rec.Insurance;
        Coating.Stvo = Rec.RoadTraffic;
        Coating.FK = static_cast<std::uint8_t>(Rec.FilterCategory);
        Coating.UVK = Rec.UVEdge;
        Coating.UVA = Rec.UVA;
        Coating.UVB = Rec.UVB;
        Coating.SphVon = Rec.SphereFrom;
        Coating.SphBis = Rec.SphereTo;
        Coating.DMVon = Rec.DiameterFrom;
        Coating.DMBis = Rec.DiameterTo;
        Coating.SetCSNR(Rec.SortNumber);
        Coating.SetKB(1, Rec.ShortName);
        Coating.FKB = Rec.FKB;
        Coating.OLB = Rec.OLB;
    }
}

void ImportCoatingPrices(Tdex6Dataobject& Root, const TKr6MemberLines& Lines, TWorkLists& Work,
                         TImportProgressMeter& Meter) {
    TKr6LineReport Report(Work.Observer, "OptionsPrice.Dat");
    constexpr TKr6Place PricePlace =
        Kr6PlaceOf<kr6_layouts::OptionsPrice, &TKr6DataoptionsPrice::Price>;
    std::array<bool, PriceFieldCount> Filled{};
    for (int K = 0; K < PriceFieldCount; ++K)
        Filled[K] = IsPriceFieldFilled(Root, K + 1);
    const int FirstField =
        static_cast<int>(std::find(Filled.begin(), Filled.end(), true) - Filled.begin()) + 1;
    TKr6DataoptionsPrice Rec;
    for (const std::string_view Line : Lines) {
        Meter.Step();
        ParseKr6OptionsPrice(Rec, Line);
        const bool Checked =
            Report.Active() && CheckKr6Line<kr6_layouts::OptionsPrice>(Report, Line);
        if (Checked)
            CheckKr6UnnamedPrices(Report, Line, Rec.Price, Filled, PricePlace.First,
                                  PricePlace.Width);
        Tdex6DataBeschichtung* Coating = Root.Beschichtungsliste()->FindByEDV(Rec.OptionCode);
        if (Coating == nullptr) {
            if (Checked)
                ReportKr6UnknownCoating(Report, "price line", Rec.OptionCode);
            continue;
        }
        if (Checked)
            CheckCoatingPrice(Report, Root, *Coating, Rec,
                              FirstField <= PriceFieldCount ? FirstField : 0);
        if (!Rec.LensCode.empty()) {
            Coating->SpecialPriceCodes().Add(Rec.LensCode);
        } else {
            Coating->SetSTEG(Rec.SphTor == Tdex6SphTor::Egal);
            Coating->SetEMEG(Rec.SingleMulti == Tdex6SingleMulti::Egal);
        }
        for (int K = 0; K < PriceFieldCount; ++K) {
            if (!Filled[K])
                continue;
            for (int M = 0; M <= static_cast<int>(Tdex6Material::Trivex); ++M) {
                const auto Material = static_cast<Tdex6Material>(M);
                if (!Rec.Materials.Contains(Material))
                    continue;
                Tdex6DataBeschichtungspreis* Price = Coating->PreisListe()->FindPrice(
                    Rec.SphTor, Rec.SingleMulti, true, Rec.LensCode, K + 1, Material);
                if (Price != nullptr)
                    Price->SetPR(Rec.Price[K]);
            }
        }
    }
}

void ImportRules(Tdex6Dataobject& Root, const TKr6MemberLines& Lines, TWorkLists& Work,
                 TImportProgressMeter& Meter) {
    TKr6LineReport Report(Work.Observer, "Combination.Dat");
    std::optional<TRuleChecks> Checks;
    if (Report.Active())
        Checks.emplace(Root);
    TKr6DataCombination Rec;
    for (const std::string_view Line : Lines) {
        Meter.Step();
        ParseKr6Combination(Rec, Line);
        const bool Checked =
            Report.Active() && CheckKr6Line<kr6_layouts::Combination>(Report, Line);
        const Tdex6DataKombination* Standing = Root.KombinationsListe()->AddRule(
            Rec.LensCode, Rec.OptionCode1, Rec.OptionCode2, Rec.OptionCode3, Rec.Delivery);
        if (Checked)
            Checks->Check(Report, Rec, Standing);
    }
}

void ImportColours(Tdex6Dataobject& Root, const TKr6MemberLines& Lines, TWorkLists& Work,
                   TImportProgressMeter& Meter) {
    TKr6LineReport Report(Work.Observer, "OptionsColor.Dat");
    TKr6DataoptionsColor Rec;
    for (const std::string_view Line : Lines) {
        Meter.Step();
        ParseKr6OptionsColor(Rec, Line);
        const bool Checked =
            Report.Active() && CheckKr6Line<kr6_layouts::OptionsColor>(Report, Line);
        const Tdex6DataBeschichtung* Coating = Root.Beschichtungsliste()->FindByEDV(Rec.OptionCode);
        if (Coating == nullptr) {
            if (Checked)
                ReportKr6UnknownCoating(Report, "colour " + Quoted(Rec.ColorCode), Rec.OptionCode);
            continue;
        }
        Tdex6DataFarbe& Colour = *Coating->FarbListe()->AddNew();
        Colour.EDV = Rec.ColorCode;
        Colour.SetB(1, Rec.Name);
        Colour.AbO = static_cast<std::uint8_t>(Rec.AbO);
        Colour.AbV = static_cast<std::uint8_t>(Rec.AbV);
        Colour.RGBOben = static_cast<TColorValue>(Rec.RgbTop);
        Colour.RGBMitte = static_cast<TColorValue>(Rec.RgbMiddle);
        Colour.RGBUnten = static_cast<TColorValue>(Rec.RgbBottom);
        Colour.Stvo = Rec.RoadTraffic;
        Colour.FK = static_cast<std::uint8_t>(Rec.FilterCategory);
        Colour.UVK = Rec.UVEdge;
        Colour.UVA = Rec.UVA;
        Colour.UVB = Rec.UVB;
    }
}

} // namespace kr6::kr6_import
