#include "import/Kr6ImportSteps.h"

#include "import/Kr6LensRecords.h"
#include "import/Kr6OptionRecords.h"
#include "model/Addresses.h"
#include "model/CoatingParts.h"
#include "model/Coatings.h"
#include "model/Combinations.h"
#include "model/DeliveryRanges.h"
#include "model/DescriptionDefaults.h"
#include "model/GlassParts.h"
#include "model/Glasses.h"
#include "model/Info.h"
#include "model/OrderOptions.h"
#include "model/ProductGroups.h"
#include "model/Root.h"
#include "support/TextCompare.h"

#include <algorithm>
#include <array>
#include <string>

namespace kr6::kr6_import {

void ImportCoatings(Tdex6Dataobject& Root, const TKr6MemberLines& Lines,
                    TImportProgressMeter& Meter) {
    TKr6Dataoptions Rec;
    for (const std::string_view Line : Lines) {
        Meter.Step();
        ParseKr6Options(Rec, Line);
        // These codes name the prism and cylinder surcharge groups, not coatings.
        if (IsGroupCode(Rec.Code))
            continue;
        Tdex6DataBeschichtung& Coating = *Root.Beschichtungsliste()->NewItem();
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

void ImportCoatingPrices(Tdex6Dataobject& Root, const TKr6MemberLines& Lines,
                         TImportProgressMeter& Meter) {
    std::array<bool, PriceFieldCount> Filled{};
    for (int K = 0; K < PriceFieldCount; ++K)
        Filled[K] = IsPriceFieldFilled(Root, K + 1);
    TKr6DataoptionsPrice Rec;
    for (const std::string_view Line : Lines) {
        Meter.Step();
        ParseKr6OptionsPrice(Rec, Line);
        Tdex6DataBeschichtung* Coating = Root.Beschichtungsliste()->FindByEDV(Rec.OptionCode);
        if (Coating == nullptr)
            continue;
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

void ImportRules(Tdex6Dataobject& Root, const TKr6MemberLines& Lines, TImportProgressMeter& Meter) {
    TKr6DataCombination Rec;
    for (const std::string_view Line : Lines) {
        Meter.Step();
        ParseKr6Combination(Rec, Line);
        Root.KombinationsListe()->AddRule(Rec.LensCode, Rec.OptionCode1, Rec.OptionCode2,
                                          Rec.OptionCode3, Rec.Delivery);
    }
}

void ImportColours(Tdex6Dataobject& Root, const TKr6MemberLines& Lines,
                   TImportProgressMeter& Meter) {
    TKr6DataoptionsColor Rec;
    for (const std::string_view Line : Lines) {
        Meter.Step();
        ParseKr6OptionsColor(Rec, Line);
        const Tdex6DataBeschichtung* Coating = Root.Beschichtungsliste()->FindByEDV(Rec.OptionCode);
        if (Coating == nullptr)
            continue;
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
