#include "import/Kr6ImportSteps.h"

#include "import/Kr6FieldChecks.h"
#include "import/Kr6LensRecords.h"
#include "import/Kr6OptionRecords.h"
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
#include "support/Conversions.h"
#include "support/TextCompare.h"

#include <algorithm>
#include <array>
#include <string>
#include <tuple>
#include <unordered_map>
#include <unordered_set>

namespace kr6::kr6_import {
namespace {

// The keys that the prices of a price line share: all but the price description.
TGlassPriceKey KeysOf(const TKr6DataLensPrice& Rec) {
    return {Rec.SphereGroup, Rec.CylinderGroup, Rec.Diameter, 0, Rec.DeliveryRangeId};
}

// Room in each glass's price list for the prices of all its lines among Lines, so that
// lists of thousands of prices are not grown and moved again and again.
void ReservePrices(const Tdex6Dataobject& Root, const TKr6MemberLines& Lines, std::size_t PerLine) {
    constexpr TKr6Place CodePlace = Kr6PlaceOf<kr6_layouts::LensPrice, &TKr6DataLensPrice::Code>;
    static_assert(
        Kr6PlaceOf<kr6_layouts::OldLensPrice, &TKr6DataLensPrice::Code>.First == CodePlace.First &&
        Kr6PlaceOf<kr6_layouts::OldLensPrice, &TKr6DataLensPrice::Code>.Width == CodePlace.Width);
    std::unordered_map<Tdex6DataGlas*, std::size_t> Counts;
    std::string_view RunCode;
    Tdex6DataGlas* RunGlas = nullptr;
    std::size_t RunLines = 0;
    for (const std::string_view Line : Lines) {
        const std::string_view Code =
            TrimRightBlanks(Kr6Field(Line, CodePlace.First, CodePlace.Width));
        if (RunLines == 0 || Code != RunCode) {
            if (RunGlas != nullptr)
                Counts[RunGlas] += RunLines;
            RunCode = Code;
            RunGlas = Root.Glasliste()->FindByEDV(Code);
            RunLines = 0;
        }
        ++RunLines;
    }
    if (RunGlas != nullptr)
        Counts[RunGlas] += RunLines;
    for (const auto& [Glas, Count] : Counts)
        Glas->GlasPreisListe()->Reserve(Count * PerLine, Count);
}

// Why no price of a line was made, of the three reasons there are.
std::string DroppedPricesMessage(const Tdex6Dataobject& Root, const TKr6DataLensPrice& Rec) {
    std::string Why;
    const auto Add = [&](const std::string& Reason) {
        Why += Why.empty() ? "" : ", ";
        Why += Reason;
    };
    const auto Outside = [](std::int32_t Group) {
        return Group < 0 || Group > 50;
    };
    if (Outside(Rec.SphereGroup))
        Add("sphere group " + std::to_string(Rec.SphereGroup) + " is outside 0-50");
    if (Outside(Rec.CylinderGroup))
        Add("cylinder group " + std::to_string(Rec.CylinderGroup) + " is outside 0-50");
    if (Root.Lieferbereichsbezeichnungsliste()->FindByID(Rec.DeliveryRangeId) == nullptr)
        Add("delivery range " + std::to_string(Rec.DeliveryRangeId) +
            " is none the list names (a KR6 list names only 0)");
    return Why + ": the prices of this line are not imported";
}

std::string PriceKeysText(const TKr6DataLensPrice& Rec) {
    const std::string Diameter = DiameterToText(Rec.Diameter);
    return "lens " + Quoted(Rec.Code) + ", diameter " + (Diameter.empty() ? "0" : Diameter) +
           ", sphere group " + std::to_string(Rec.SphereGroup) + ", cylinder group " +
           std::to_string(Rec.CylinderGroup) + ", delivery range " +
           std::to_string(Rec.DeliveryRangeId);
}

void CheckLensType(TKr6LineReport& Report, std::string_view Line, const TKr6DataLensType& Rec,
                   std::unordered_map<std::string, int>& FirstLines) {
    Report.Next(Line);
    if (IsEmptyLine(Line)) {
        Report.Add(TKr6FindingCode::EmptyCode, 0, "empty line: a lens without code");
        return;
    }
    CheckKr6Fields<kr6_layouts::LensType>(Report, Line);
    if (TrimRightBlanks(Rec.Code).empty()) {
        Report.Add(TKr6FindingCode::EmptyCode, 0, "the code is blank: a lens without code");
        return;
    }
    ReportKr6RepeatedCode(Report, FirstLines, Rec.Code, TKr6FindingCode::DuplicateLens, "lens");
}

} // namespace

void ReportUnpriced(const TWorkLists& Work) {
    if (Work.Observer == nullptr)
        return;
    for (const auto& Made : Work.Lenses) {
        if (Made.Object->GlasPreisListe()->IsEmpty())
            Work.Observer->Found({"LensType.Dat", Made.Line, 0, TKr6FindingCode::LensWithoutPrice,
                                  "lens " + Quoted(Made.Object->EDV()) + " has no glass price",
                                  std::string(Made.Text)});
    }
    for (const auto& Made : Work.Coatings) {
        if (Made.Object->PreisListe()->IsEmpty())
            Work.Observer->Found({"Options.Dat", Made.Line, 0, TKr6FindingCode::CoatingWithoutPrice,
                                  "coating " + Quoted(Made.Object->EDV()) +
                                      " has no price, neither general nor special",
                                  std::string(Made.Text)});
    }
}

void ImportHead(Tdex6Dataobject& Root, const TKr6DataHead& Head) {
    Tdex6DataAdresse& Address = *Root.Adressliste()->AddNew();
    Address.Comment = Head.Comment;
    Address.GA = Head.ValidFrom;
    Address.GB = Head.ValidUntil;
    Address.LAND = Head.Country;
    Address.UIDM = Head.UidManufacturer;
    Address.EDV = Head.ManufacturerCode;
    Address.EDV2 = Head.ManufacturerSubcode;
    Address.Name = Head.ManufacturerName[0];
    Address.Name1 = Head.ManufacturerName[1];
    Address.Name2 = Head.ManufacturerName[2];
    Address.Str = Head.Street;
    Address.Plz = Head.ZipCode;
    Address.Ort = Head.City;
    Address.PlzPf = Head.PoBoxZipCode;
    Address.PF = Head.PoBoxText;
    Address.TelZent = Head.Phone;
    Address.FaxZent = Head.Fax;
    Address.TelBest = Head.PhoneOrder;
    Address.FaxBest = Head.FaxOrder;
    Address.MailTo = Head.Mail;
    Address.Url = Head.Url;
    Address.PrDefCyl = Head.PriceDefinitionCylinder;
    Root.Bezeichnungsvorgaben()->SetLang(1, Head.Language);

    Tdex6DataPrismenCylinder& Groups = *Root.PrismenCylinder();
    Groups.ZB = Head.CylinderGroupBase;
    Groups.ZG1 = Head.CylinderGroup[0];
    Groups.ZG2 = Head.CylinderGroup[1];
    Groups.PG1 = Head.PrismGroup[0];
    Groups.PG2 = Head.PrismGroup[1];
    Groups.PG3 = Head.PrismGroup[2];
    Groups.PG4 = Head.PrismGroup[3];
    Groups.PG5 = Head.PrismGroup[4];

    Address.WVK = Head.CurrencyDescription;
    Address.WNK = Head.CurrencyDescriptionDecimals;

    Tdex6DataPreisbezeichnungsliste& Descriptions = *Root.Preisbezeichnungsliste();
    Descriptions.Reset(false);
    for (int K = 0; K < PriceFieldCount; ++K) {
        Tdex6DataPreisbezeichnung& Description = *Descriptions.NewItem();
        Description.PFT = Head.PriceField[K];
        Description.WVK = Head.CurrencyDescription;
        Description.WNK = Head.CurrencyDescriptionDecimals;
        const bool OwnName = Description.PFT == Tdex6PriceField::SonstigesEK ||
                             Description.PFT == Tdex6PriceField::SonstigesVK;
        Description.BEZ = OwnName ? Head.PriceFieldDescription[K] : PriceFieldText(Description.PFT);
    }

    Address.PrBezId1 = 1;
    Address.PrBezId2 = 2;
    Address.PrBezId3 = 3;
    Address.PrBezId4 = 4;
    Address.PrBezId5 = 5;
}

void ImportGlasses(Tdex6Dataobject& Root, const TKr6MemberLines& Lines, TWorkLists& Work,
                   TImportProgressMeter& Meter) {
    TKr6LineReport Report(Work.Observer, "LensType.Dat");
    // The first line of each code, as the lookup by code compares them.
    std::unordered_map<std::string, int> FirstLines;
    TKr6DataLensType Rec;
    for (const std::string_view Line : Lines) {
        Meter.Step();
        Tdex6DataGlas& Glas = *Root.Glasliste()->NewGlas();
        ParseKr6LensType(Rec, Line);
        if (Report.Active())
            CheckLensType(Report, Line, Rec, FirstLines);
        Glas.Clear(true);
        Glas.SetEDV(Rec.Code);
        Glas.SetB(1, Rec.Name);
        Glas.LA = Rec.ValidFrom;
        Glas.LB = Rec.ValidUntil;
        Glas.EM = Rec.LensKind;
        Glas.AG = Rec.AG;
        Glas.AGKG = Rec.AGKG;
        Glas.AGKB = Rec.AGKB;
        Glas.ME = Rec.BrandLine;
        Glas.MAT = Rec.Material;
        Glas.BR = Rec.RefractiveIndex;
        Glas.DI = Rec.Density;
        Glas.AB = Rec.AbbeNumber;
        Glas.AS = Rec.AS;
        Glas.ST = Rec.ST;
        Glas.ET = Rec.AntiReflection;
        Glas.FA = Rec.Tint;
        Glas.PH = Rec.Photochromic;
        Glas.HA = Rec.HardCoat;
        Glas.CL = Rec.CleanCoat;
        Glas.UV = Rec.UVCoat;
        Glas.VS = Rec.Mirror;
        Glas.MDM = Rec.MDM;
        Glas.KDM = Rec.KDM;
        Glas.AD = Rec.AD;
        Glas.Vers = Rec.Insurance;
        Glas.Pri = Rec.Pri;
        Glas.FK = Rec.FilterCategory;
        Glas.STV = Rec.RoadTraffic;
        Glas.UVK = Rec.UVEdge;
        Glas.UVA = Rec.UVA;
        Glas.UVB = Rec.UVB;
        Glas.EG = Rec.EG;
        Glas.EGB = Rec.EGB;
        Glas.TS = Rec.TS;
        Glas.SetCSNR(Rec.SortNumber);
        Glas.SetKB(1, Rec.ShortName);
        Glas.KMDM = Rec.KMDM;
        Glas.KDMA = Rec.KDMA;
        Glas.FKB = Rec.FKB;
        if (Report.Active() && !IsEmptyLine(Line)) {
            Work.Lenses.push_back({&Glas, Report.Line(), Line});
            Report.Observer().Made(Glas, Report.Line(), Line);
        }
    }
    if (Report.Active() && Lines.Count() == 0)
        Report.AddMember(TKr6FindingCode::NoLenses,
                         "the list holds no lens: there is nothing to evaluate");
}

void ImportPowerRanges(Tdex6Dataobject& Root, const TKr6MemberLines& Lines, TWorkLists& Work,
                       TImportProgressMeter& Meter) {
    TKr6LineReport Report(Work.Observer, "LensRange.Dat");
    TKr6DataLensRange Rec;
    for (const std::string_view Line : Lines) {
        Meter.Step();
        ParseKr6LensRange(Rec, Line);
        const bool Checked = Report.Active() && CheckKr6Line<kr6_layouts::LensRange>(Report, Line);
        const Tdex6DataGlas* Glas = Root.Glasliste()->FindByEDV(Rec.Code);
        if (Glas == nullptr) {
            if (Checked)
                ReportKr6UnknownLens(Report, "power range", Rec.Code);
            continue;
        }
        Tdex6DataGlasWirkung& Power = *Glas->GlasWirkungsListe()->AddNew();
        Power.DM = Rec.Diameter;
        Power.SetSph(Rec.SphereFrom, Rec.SphereTo);
        Power.SetCyl(Rec.Cylinder1, Rec.Cylinder2);
        Power.cylWV = Rec.FromAxis;
        Power.CylWB = Rec.ToAxis;
        Power.PV = Rec.Prism;
        Power.SetAdd(Rec.Addition1, Rec.Addition2);
        Power.AddS = Rec.AdditionStep;
        Power.BEDV1 = Rec.BEDV1;
        Power.BEDV2 = Rec.BEDV2;
        Power.BEDV3 = Rec.BEDV3;
        Power.BEDV4 = Rec.BEDV4;
        Power.BEDV5 = Rec.BEDV5;
        Power.SIP = Rec.SIP;
        Power.LA = Rec.ValidFrom;
        Power.LB = Rec.ValidUntil;
        Power.Lag = Rec.Stock;
        Power.LZ = Rec.DeliveryTime;
        Power.ELief = Rec.ELief;
        Power.BF = Rec.BF;
        Power.DFUR = Rec.DFUR;
        Power.OLB = Rec.OLB;
        Power.LBI = Rec.DeliveryRangeId;
    }
}

void ImportGeometries(Tdex6Dataobject& Root, const TKr6MemberLines& Lines, TWorkLists& Work,
                      TImportProgressMeter& Meter) {
    TKr6LineReport Report(Work.Observer, "LensGeo.Dat");
    TKr6DataLensGeo Rec;
    for (const std::string_view Line : Lines) {
        Meter.Step();
        ParseKr6LensGeo(Rec, Line);
        const bool Checked = Report.Active() && CheckKr6Line<kr6_layouts::LensGeo>(Report, Line);
        const Tdex6DataGlas* Glas = Root.Glasliste()->FindByEDV(Rec.Code);
        if (Glas == nullptr) {
            if (Checked)
                ReportKr6UnknownLens(Report, "geometry", Rec.Code);
            continue;
        }
        Tdex6DataGlasGeometrie& Geometry = *Glas->GlasGeometrieListe()->AddNew();
        Geometry.GeometryKind = static_cast<Tdex6GeometryKind>(Rec.GeometryKind);
        Geometry.Dm = Rec.Diameter;
        Geometry.WK = Rec.AllPowers;
        Geometry.WSV = Rec.SphereFrom;
        Geometry.WSB = Rec.SphereTo;
        Geometry.DM1H = Rec.DM1H;
        Geometry.DM2H = Rec.DM2H;
        Geometry.NTT = Rec.NTT;
        Geometry.VAFB = Rec.VAFB;
        Geometry.HAFB = Rec.HAFB;
        Geometry.VAT = Rec.VAT;
        Geometry.HAT = Rec.HAT;
        Geometry.VAMN = Rec.VAMN;
        Geometry.URN = Rec.URN;
        Geometry.ORN = Rec.ORN;
        Geometry.BN = Rec.BN;
        Geometry.HN = Rec.HN;
        Geometry.HZ = Rec.HZ;
        Geometry.VAZK = Rec.VAZK;
        Geometry.BLR = Rec.ViewDirection;
        Geometry.MVANB = Rec.MVANB;
        Geometry.VANB = Rec.VANB;
        Geometry.MHANP = Rec.MHANP;
        Geometry.HANP = Rec.HANP;
    }
}

void ImportGlassPrices(Tdex6Dataobject& Root, const TKr6LineBatches& Batches, std::int32_t Version,
                       TWorkLists& Work, TImportProgressMeter& Meter) {
    TKr6LineReport Report(Work.Observer, "LensPrice.Dat");
    const bool LongDiameter = Version >= Kr6LongPriceDiameterVersion;
    constexpr TKr6Place PricePlace = Kr6PlaceOf<kr6_layouts::LensPrice, &TKr6DataLensPrice::Price>;
    const int FirstPriceColumn = LongDiameter ? PricePlace.First : PricePlace.First - 1;
    std::array<bool, PriceFieldCount> Filled{};
    for (int K = 0; K < PriceFieldCount; ++K)
        Filled[K] = IsPriceFieldFilled(Root, K + 1);
    const auto FirstFilled = std::find(Filled.begin(), Filled.end(), true);
    const int FirstField = static_cast<int>(FirstFilled - Filled.begin()) + 1;
    // The price descriptions of the filled fields, in field order, with a line's amounts.
    std::array<TPriceAmount, PriceFieldCount> Amounts{};
    std::size_t FilledCount = 0;
    for (int K = 0; K < PriceFieldCount; ++K)
        if (Filled[K])
            Amounts[FilledCount++].PBID = K + 1;
    // The lines of one glass follow each other, so the glass of the line before is
    // nearly always the one wanted.
    std::string Code;
    Tdex6DataGlas* Glas = nullptr;
    Tdex6DataGlas* RunGlas = nullptr;
    // While the lines of a glass come in ascending order of their keys, as price files are
    // written, no line can have the keys of an earlier one: its prices are added without
    // looking for them.
    bool Ascending = false;
    TGlassPriceKey Last;
    TKr6DataLensPrice Rec;
    const auto ImportPriceLine = [&](std::string_view Line) {
        Meter.Step();
        ParseKr6LensPrice(Rec, Line, Version);
        bool Checked = false;
        if (Report.Active()) {
            Checked = LongDiameter ? CheckKr6Line<kr6_layouts::LensPrice>(Report, Line)
                                   : CheckKr6Line<kr6_layouts::OldLensPrice>(Report, Line);
            if (Checked)
                CheckKr6UnnamedPrices(Report, Line, Rec.Price, Filled, FirstPriceColumn,
                                      PricePlace.Width);
        }
        if (Glas == nullptr || Rec.Code != Code) {
            Code = Rec.Code;
            Glas = Root.Glasliste()->FindByEDV(Code);
        }
        if (Glas == nullptr) {
            if (Checked)
                ReportKr6UnknownLens(Report, "price line", Rec.Code);
            return;
        }
        Tdex6DataGlasPreisListe& Prices = *Glas->GlasPreisListe();
        const TGlassPriceKey Keys = KeysOf(Rec);
        if (Glas != RunGlas) {
            // Prices from lines before the run are looked for.
            RunGlas = Glas;
            Ascending = Prices.IsEmpty();
        } else if (!(PriceFileOrder(Last) < PriceFileOrder(Keys))) {
            Ascending = false;
        }
        Last = Keys;
        Glas->Preisgruppen()->SetS(Rec.SphereGroup, true);
        Glas->Preisgruppen()->SetC(Rec.CylinderGroup, true);
        if (Checked && !Ascending && FirstFilled != Filled.end() &&
            Prices.FindPrice(Rec.SphereGroup, Rec.CylinderGroup, Rec.Diameter, FirstField,
                             Rec.DeliveryRangeId, false) != nullptr)
            Report.Add(TKr6FindingCode::DuplicatePrice, 0,
                       "an earlier line set the prices of " + PriceKeysText(Rec) +
                           " already: these amounts replace them");
        bool Dropped = false;
        if (Ascending) {
            for (std::size_t I = 0; I < FilledCount; ++I)
                Amounts[I].Amount = Rec.Price[static_cast<std::size_t>(Amounts[I].PBID - 1)];
            Dropped = Prices.AddAmounts(Rec.SphereGroup, Rec.CylinderGroup, Rec.Diameter,
                                        Rec.DeliveryRangeId,
                                        {Amounts.data(), FilledCount}) != FilledCount;
        } else {
            for (std::size_t I = 0; I < FilledCount; ++I) {
                const std::int32_t PBID = Amounts[I].PBID;
                Tdex6DataGlasPreis* Price =
                    Prices.FindPrice(Rec.SphereGroup, Rec.CylinderGroup, Rec.Diameter, PBID,
                                     Rec.DeliveryRangeId, true);
                if (Price != nullptr)
                    Price->SetPR(Rec.Price[static_cast<std::size_t>(PBID - 1)]);
                else
                    Dropped = true;
            }
        }
        if (Checked && Dropped)
            Report.Add(TKr6FindingCode::PriceNotImported, 0, DroppedPricesMessage(Root, Rec));
    };
    while (const std::optional<TKr6MemberLines> Lines = Batches()) {
        ReservePrices(Root, *Lines, FilledCount);
        for (const std::string_view Line : *Lines)
            ImportPriceLine(Line);
    }
}

} // namespace kr6::kr6_import
