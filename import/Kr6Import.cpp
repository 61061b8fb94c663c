#include "import/Kr6Import.h"

#include "import/Kr6Head.h"
#include "import/Kr6ImportProgress.h"
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
#include "support/StringList.h"
#include "support/TextCompare.h"
#include "support/ZipArchive.h"

#include <algorithm>
#include <array>
#include <string>

namespace kr6 {
namespace {

constexpr int PriceFieldCount = 5;
constexpr int TargetGlass = 0;
constexpr int TargetCoating = 1;

const TMaterialSet RealMaterials{Tdex6Material::Silikat, Tdex6Material::Kunststoff,
                                 Tdex6Material::Polycarbonat, Tdex6Material::Trivex};
const TSmallSet<Tdex6LensKind> AllLensKinds{Tdex6LensKind::Einstaerken, Tdex6LensKind::Bifo,
                                            Tdex6LensKind::Trifo, Tdex6LensKind::Gleitsicht,
                                            Tdex6LensKind::Office};
const TCoatingKindSet AllCoatingKinds{Tdex6CoatingKind::AntiReflection, Tdex6CoatingKind::Tint,
                                      Tdex6CoatingKind::Other, Tdex6CoatingKind::Special};

// The work lists of one import.
struct TWorkLists {
    TStringList UngroupedGlasses{true};
    TStringList UngroupedCoatings{true};
    TStringList NoGroupGlasses{true};
    TStringList NoGroupCoatings{true};
    TStringList Scratch;
};

// A price field is filled when a description with its number describes something.
bool IsPriceFieldFilled(const Tdex6Dataobject& Root, int Field) {
    const Tdex6DataPreisbezeichnung* Description = Root.Preisbezeichnungsliste()->FindByID(Field);
    return Description != nullptr && Description->PFT != Tdex6PriceField::NichtGefuellt;
}

void GlassCodes(const Tdex6Dataobject& Root, TStringList& Codes) {
    Root.Glasliste()->GetCodes(Codes, false, RealMaterials, AllLensKinds, "", 0);
}

void CoatingCodes(const Tdex6Dataobject& Root, TStringList& Codes) {
    Root.Beschichtungsliste()->GetCodes(Codes, false, RealMaterials, AllCoatingKinds, 0);
}

// The maker's address, the prism and cylinder groups and the price descriptions.
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

void ImportGlasses(Tdex6Dataobject& Root, const TStringList& Lines, TImportProgressMeter& Meter) {
    TKr6DataLensType Rec;
    for (const auto& Line : Lines) {
        Meter.Step();
        Tdex6DataGlas& Glas = *Root.Glasliste()->NewGlas();
        ParseKr6LensType(Rec, Line.Text);
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
    }
}

void ImportPowerRanges(Tdex6Dataobject& Root, const TStringList& Lines,
                       TImportProgressMeter& Meter) {
    TKr6DataLensRange Rec;
    for (const auto& Line : Lines) {
        Meter.Step();
        ParseKr6LensRange(Rec, Line.Text);
        const Tdex6DataGlas* Glas = Root.Glasliste()->FindByEDV(Rec.Code);
        if (Glas == nullptr)
            continue;
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

void ImportGeometries(Tdex6Dataobject& Root, const TStringList& Lines,
                      TImportProgressMeter& Meter) {
    TKr6DataLensGeo Rec;
    for (const auto& Line : Lines) {
        Meter.Step();
        ParseKr6LensGeo(Rec, Line.Text);
        const Tdex6DataGlas* Glas = Root.Glasliste()->FindByEDV(Rec.Code);
        if (Glas == nullptr)
            continue;
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

void ImportGlassPrices(Tdex6Dataobject& Root, const TStringList& Lines, std::int32_t Version,
                       TImportProgressMeter& Meter) {
    std::array<bool, PriceFieldCount> Filled{};
    for (int K = 0; K < PriceFieldCount; ++K)
        Filled[K] = IsPriceFieldFilled(Root, K + 1);
    TKr6DataLensPrice Rec;
    for (const auto& Line : Lines) {
        Meter.Step();
        ParseKr6LensPrice(Rec, Line.Text, Version);
        const Tdex6DataGlas* Glas = Root.Glasliste()->FindByEDV(Rec.Code);
        if (Glas == nullptr)
            continue;
        Glas->Preisgruppen()->SetS(Rec.SphereGroup, true);
        Glas->Preisgruppen()->SetC(Rec.CylinderGroup, true);
        for (int K = 0; K < PriceFieldCount; ++K) {
            if (!Filled[K])
                continue;
            Tdex6DataGlasPreis* Price = Glas->GlasPreisListe()->FindPrice(
                Rec.SphereGroup, Rec.CylinderGroup, Rec.Diameter, K + 1, Rec.DeliveryRangeId, true);
            if (Price != nullptr)
                Price->SetPR(Rec.Price[K]);
        }
    }
}

void ImportCoatings(Tdex6Dataobject& Root, const TStringList& Lines, TImportProgressMeter& Meter) {
    TKr6Dataoptions Rec;
    for (const auto& Line : Lines) {
        Meter.Step();
        ParseKr6Options(Rec, Line.Text);
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

void ImportCoatingPrices(Tdex6Dataobject& Root, const TStringList& Lines,
                         TImportProgressMeter& Meter) {
    std::array<bool, PriceFieldCount> Filled{};
    for (int K = 0; K < PriceFieldCount; ++K)
        Filled[K] = IsPriceFieldFilled(Root, K + 1);
    TKr6DataoptionsPrice Rec;
    for (const auto& Line : Lines) {
        Meter.Step();
        ParseKr6OptionsPrice(Rec, Line.Text);
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

void ImportRules(Tdex6Dataobject& Root, const TStringList& Lines, TImportProgressMeter& Meter) {
    TKr6DataCombination Rec;
    for (const auto& Line : Lines) {
        Meter.Step();
        ParseKr6Combination(Rec, Line.Text);
        Root.KombinationsListe()->AddRule(Rec.LensCode, Rec.OptionCode1, Rec.OptionCode2,
                                          Rec.OptionCode3, Rec.Delivery);
    }
}

void ImportColours(Tdex6Dataobject& Root, const TStringList& Lines, TImportProgressMeter& Meter) {
    TKr6DataoptionsColor Rec;
    for (const auto& Line : Lines) {
        Meter.Step();
        ParseKr6OptionsColor(Rec, Line.Text);
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

template <class TRec> Tdex6DataInfo* InfoOf(const Tdex6Dataobject& Root, const TRec& Rec) {
    if (Rec.Target == TargetGlass) {
        const Tdex6DataGlas* Glas = Root.Glasliste()->FindByEDV(Rec.Code);
        return Glas != nullptr ? Glas->Info() : nullptr;
    }
    if (Rec.Target == TargetCoating) {
        const Tdex6DataBeschichtung* Coating = Root.Beschichtungsliste()->FindByEDV(Rec.Code);
        return Coating != nullptr ? Coating->Info() : nullptr;
    }
    return nullptr;
}

void ImportInformation(Tdex6Dataobject& Root, const TStringList& Lines,
                       TImportProgressMeter& Meter) {
    TKr6DataInformation Rec;
    for (const auto& Line : Lines) {
        Meter.Step();
        ParseKr6Information(Rec, Line.Text);
        Tdex6DataInfo* Info = InfoOf(Root, Rec);
        if (Info == nullptr)
            continue;
        std::string Text = Info->GetInfoText(1, Rec.InfoKind);
        if (!Text.empty())
            Text += "\r\n";
        Text += Rec.Text;
        Info->SetInfoText(1, Rec.InfoKind, Text);
    }
}

void ImportOrderOptions(Tdex6Dataobject& Root, const TStringList& Lines,
                        TImportProgressMeter& Meter) {
    TKr6DataOrderOptions Rec;
    for (const auto& Line : Lines) {
        Meter.Step();
        ParseKr6OrderOptions(Rec, Line.Text);
        Tdex6DataOrderOptions* Options = nullptr;
        if (Rec.Target == TargetGlass) {
            if (const Tdex6DataGlas* Glas = Root.Glasliste()->FindByEDV(Rec.Code))
                Options = Glas->OrderOptions();
        } else if (Rec.Target == TargetCoating) {
            if (const Tdex6DataBeschichtung* Coating =
                    Root.Beschichtungsliste()->FindByEDV(Rec.Code))
                Options = Coating->OrderOptions();
        }
        if (Options == nullptr)
            continue;
        switch (Rec.Usage) {
        case 1:
            Options->SetMUTE(Options->MUTE() + Rec.OrderOption);
            break;
        case 5:
            Options->SetKADU(Options->KADU() + Rec.OrderOption);
            break;
        case 6:
            Options->SetMUDU(Options->MUDU() + Rec.OrderOption);
            break;
        default:
            break;
        }
    }
}

// Each group's code lists end up naming the glasses and coatings that
// belong to other groups.
void ImportProductGroups(Tdex6Dataobject& Root, const TStringList& Lines, TWorkLists& Work,
                         TImportProgressMeter& Meter) {
    GlassCodes(Root, Work.UngroupedGlasses);
    CoatingCodes(Root, Work.UngroupedCoatings);

    Tdex6DataProduktgruppenliste& Groups = *Root.Produktgruppenliste();
    TKr6DataProductgroup Rec;
    for (const auto& Line : Lines) {
        Meter.Step();
        ParseKr6Productgroup(Rec, Line.Text);
        if (Rec.GroupName.empty()) {
            if (Rec.Target == TargetGlass)
                Work.NoGroupGlasses.Add(Rec.Code);
            else if (Rec.Target == TargetCoating)
                Work.NoGroupCoatings.Add(Rec.Code);
            continue;
        }
        Tdex6DataProduktgruppe* Group = Groups.FindByName(Rec.GroupName);
        if (Group == nullptr) {
            Group = Groups.AddNumbered();
            Group->Bez = Rec.GroupName;
            GlassCodes(Root, Work.Scratch);
            Group->LieferbareGlaeser()->AddOrRemoveAll(Work.Scratch, false);
            CoatingCodes(Root, Work.Scratch);
            Group->LieferbareBeschichtungen()->AddOrRemoveAll(Work.Scratch, false);
        }
        if (Rec.Target == TargetGlass) {
            Work.UngroupedGlasses.Remove(Rec.Code);
            Group->LieferbareGlaeser()->AddOrRemove(Rec.Code, true);
        } else if (Rec.Target == TargetCoating) {
            Work.UngroupedCoatings.Remove(Rec.Code);
            Group->LieferbareBeschichtungen()->AddOrRemove(Rec.Code, true);
        }
    }

    for (const auto& Group : Groups) {
        Group->LieferbareGlaeser()->AddOrRemoveAll(Work.UngroupedGlasses, true);
        Group->LieferbareGlaeser()->AddOrRemoveAll(Work.NoGroupGlasses, true);
        Group->LieferbareBeschichtungen()->AddOrRemoveAll(Work.UngroupedCoatings, true);
        Group->LieferbareBeschichtungen()->AddOrRemoveAll(Work.NoGroupCoatings, true);
    }
}

void ImportCodeSubstitutions(Tdex6Dataobject& Root, const TStringList& Lines,
                             TImportProgressMeter& Meter) {
    TKr6DataCodeSubst Rec;
    for (const auto& Line : Lines) {
        Meter.Step();
        ParseKr6CodeSubst(Rec, Line.Text);
        if (Rec.Target == TargetGlass) {
            Tdex6DataCodeSubstGlas& Row = *Root.CodeSubstGlasList()->NewItem();
            Row.CA = Rec.OldCode;
            Row.AKT = Rec.Action;
            Row.CN = Rec.NewCode1;
        } else if (Rec.Target == TargetCoating) {
            Tdex6DataCodeSubstBesch& Row = *Root.CodeSubstBeschList()->NewItem();
            Row.CA = Rec.OldCode;
            Row.AKT = Rec.Action;
            Row.CN1 = Rec.NewCode1;
            Row.CN2 = Rec.NewCode2;
            Row.CN3 = Rec.NewCode3;
        }
    }
}

// The members in the order they are read. Cost is what building the model from one byte
// of the member costs beside reading (inflating and splitting) that byte, so that the
// reported fraction moves with the time taken.
struct TMember {
    std::string_view Name;
    double BuildCost;
};
constexpr std::size_t Head = 0, LensType = 1, LensGeo = 2, LensPrice = 3, Options = 4,
                      OptionsColor = 5, OptionsPrice = 6, Combination = 7, LensRange = 8,
                      Information = 9, OrderOptions = 10, Productgroup = 11, CodeSubstitution = 12;
constexpr std::array<TMember, 14> Members = {{{"Head.dat", 1},
                                              {"LensType.Dat", 4},
                                              {"LensGeo.Dat", 1},
                                              {"LensPrice.Dat", 7},
                                              {"Options.Dat", 2},
                                              {"OptionsColor.Dat", 2},
                                              {"OptionsPrice.Dat", 14},
                                              {"Combination.Dat", 5},
                                              {"LensRange.Dat", 0.5},
                                              {"Information.Dat", 0.3},
                                              {"OrderOptions.Dat", 1},
                                              {"Productgroup.Dat", 100},
                                              {"CodeSubstitution.Dat", 1},
                                              {"OeCodes.Dat", 0}}};
// Sorting lenses and rules at the end, per byte of their members.
constexpr double SortCost = 0.3;

using TMemberLines = std::array<const TStringList*, Members.size()>;
using TMemberBytes = std::array<double, Members.size()>;

bool IsMemberName(std::string_view Name) {
    return std::any_of(Members.begin(), Members.end(),
                       [&](const TMember& Member) { return SameText(Member.Name, Name); });
}

// An archive without any KR6 member would import as an empty list, a failure that looks
// like success. Zipping a folder instead of its files is the usual cause, so a member of
// a KR6 name inside a folder is named.
void RequirePriceList(TOXVCLZip& Archive) {
    if (std::any_of(Members.begin(), Members.end(),
                    [&](const TMember& Member) { return Archive.FileExists(Member.Name); }))
        return;
    std::string Text = "'" + Archive.ZipName() + "' holds no KR6 price list (none of ";
    for (const TMember& Member : Members) {
        Text += Member.Name;
        Text += Member.Name == Members.back().Name ? " at the top level)" : ", ";
    }
    TStringList Names;
    Archive.GetMemberNames(Names);
    for (const auto& Entry : Names) {
        const std::size_t Slash = Entry.Text.find_last_of("/\\");
        if (Slash != std::string::npos &&
            IsMemberName(std::string_view(Entry.Text).substr(Slash + 1))) {
            Text += "; found '" + Entry.Text + "' inside a folder";
            break;
        }
    }
    throw EArchiveError(Text);
}

TKr6DataHead BuildModel(Tdex6Dataobject& Root, const TMemberLines& Lines, const TMemberBytes& Bytes,
                        TImportProgressMeter& Meter) {
    const auto Begin = [&](std::string_view Stage, std::size_t Member) {
        Meter.Begin(std::string(Stage), Bytes[Member] * Members[Member].BuildCost,
                    static_cast<std::size_t>(Lines[Member]->Count()));
    };
    Begin("building the header", Head);
    // The rules are sorted once at the end rather than after every one that comes in.
    TWorkLists Work;
    Root.KombinationsListe()->SetSortEnabled(false);
    Root.ClearAll(true);
    // The header, whose KR6 version decides how the prices are read.
    TKr6DataHead HeadRecord;
    ParseKr6Head(HeadRecord, *Lines[Head]);
    const std::int32_t Version = Kr6VersionNumber(HeadRecord.Version);
    ImportHead(Root, HeadRecord);
    Begin("building the lenses", LensType);
    ImportGlasses(Root, *Lines[LensType], Meter);
    Begin("building the power ranges", LensRange);
    ImportPowerRanges(Root, *Lines[LensRange], Meter);
    Begin("building the lens geometries", LensGeo);
    ImportGeometries(Root, *Lines[LensGeo], Meter);
    Begin("building the lens prices", LensPrice);
    ImportGlassPrices(Root, *Lines[LensPrice], Version, Meter);
    Begin("building the coatings", Options);
    ImportCoatings(Root, *Lines[Options], Meter);
    Begin("building the coating prices", OptionsPrice);
    ImportCoatingPrices(Root, *Lines[OptionsPrice], Meter);
    Begin("building the combination rules", Combination);
    ImportRules(Root, *Lines[Combination], Meter);
    Begin("building the colours", OptionsColor);
    ImportColours(Root, *Lines[OptionsColor], Meter);
    Begin("building the information texts", Information);
    ImportInformation(Root, *Lines[Information], Meter);
    Begin("building the order options", OrderOptions);
    ImportOrderOptions(Root, *Lines[OrderOptions], Meter);
    Begin("building the product groups", Productgroup);
    ImportProductGroups(Root, *Lines[Productgroup], Work, Meter);
    Begin("building the code substitutions", CodeSubstitution);
    ImportCodeSubstitutions(Root, *Lines[CodeSubstitution], Meter);
    // The lenses get their sort numbers in the order of their codes.
    Meter.Begin("sorting the lenses and rules", (Bytes[LensType] + Bytes[Combination]) * SortCost);
    Root.Glasliste()->AutoSort = true;
    Root.Glasliste()->Renumber();
    // Price descriptions that describe nothing go.
    Root.Preisbezeichnungsliste()->DeleteEmpty();
    Root.KombinationsListe()->SetSortEnabled(true);
    return HeadRecord;
}

} // namespace

TKr6DataHead LoadKr6File(Tdex6Dataobject& Root, std::string_view FileName,
                         const TImportProgressFn& Progress) {
    TOXVCLZip Archive;
    Archive.SetZipName(FileName);
    return ReadKr6Archive(Root, Archive, Progress);
}

TKr6DataHead LoadKr6Data(Tdex6Dataobject& Root, std::string Bytes, std::string_view Name,
                         const TImportProgressFn& Progress) {
    TOXVCLZip Archive;
    Archive.OpenBytes(std::move(Bytes), Name);
    return ReadKr6Archive(Root, Archive, Progress);
}

TKr6DataHead ReadKr6Archive(Tdex6Dataobject& Root, TOXVCLZip& Archive,
                            const TImportProgressFn& Progress) {
    RequirePriceList(Archive);
    // The declared sizes only share out the fraction; a member's size is checked when read.
    TMemberBytes Bytes{};
    double Total = 0;
    if (Progress) {
        for (std::size_t I = 0; I < Members.size(); ++I) {
            Bytes[I] = static_cast<double>(
                std::min(Archive.UncompressedFilesizeFromFilename(Members[I].Name), MaxMemberSize));
            Total += Bytes[I] * (1 + Members[I].BuildCost);
        }
        Total += (Bytes[LensType] + Bytes[Combination]) * SortCost;
    }
    TImportProgressMeter Meter(Progress, Total);

    std::array<TStringList, Members.size()> Lines;
    TMemberLines Read{};
    for (std::size_t I = 0; I < Members.size(); ++I) {
        Meter.Begin("reading " + std::string(Members[I].Name), Bytes[I]);
        Archive.ExtractTextfileToStrings(Members[I].Name, Lines[I]);
        Read[I] = &Lines[I];
    }
    TKr6DataHead Head = BuildModel(Root, Read, Bytes, Meter);
    Meter.Finish();
    return Head;
}

TKr6DataHead BuildKr6Model(Tdex6Dataobject& Root, const TKr6Files& Files) {
    const TImportProgressFn None;
    TImportProgressMeter Meter(None, 0);
    return BuildModel(Root,
                      {&Files.Head, &Files.LensType, &Files.LensGeo, &Files.LensPrice,
                       &Files.Options, &Files.OptionsColor, &Files.OptionsPrice, &Files.Combination,
                       &Files.LensRange, &Files.Information, &Files.OrderOptions,
                       &Files.Productgroup, &Files.CodeSubstitution, &Files.OeCodes},
                      {}, Meter);
}

} // namespace kr6
