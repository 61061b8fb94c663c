#include "import/Kr6ImportSteps.h"

#include "import/Kr6FieldChecks.h"
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
#include <unordered_map>

namespace kr6::kr6_import {

namespace {

const TMaterialSet RealMaterials{Tdex6Material::Silikat, Tdex6Material::Kunststoff,
                                 Tdex6Material::Polycarbonat, Tdex6Material::Trivex};
const TSmallSet<Tdex6LensKind> AllLensKinds{Tdex6LensKind::Einstaerken, Tdex6LensKind::Bifo,
                                            Tdex6LensKind::Trifo, Tdex6LensKind::Gleitsicht,
                                            Tdex6LensKind::Office};
const TCoatingKindSet AllCoatingKinds{Tdex6CoatingKind::AntiReflection, Tdex6CoatingKind::Tint,
                                      Tdex6CoatingKind::Other, Tdex6CoatingKind::Special};

} // namespace

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

namespace {

// The lookup findings of an Information or OrderOptions line; What says what it holds.
template <class TRec>
void CheckTarget(const TKr6LineReport& Report, const Tdex6Dataobject& Root, const TRec& Rec,
                 std::string_view What) {
    if (Rec.Target == TargetGlass) {
        if (Root.Glasliste()->FindByEDV(Rec.Code) == nullptr)
            ReportKr6UnknownLens(Report, What, Rec.Code);
    } else if (Rec.Target == TargetCoating) {
        if (Root.Beschichtungsliste()->FindByEDV(Rec.Code) == nullptr)
            ReportKr6UnknownCoating(Report, What, Rec.Code);
    } else {
        ReportKr6UnknownTarget(Report, Rec.Target);
    }
}

constexpr TKr6Place UsagePlace =
    Kr6PlaceOf<kr6_layouts::OrderOptions, &TKr6DataOrderOptions::Usage>;

// Usages other than these change nothing.
void CheckUsage(const TKr6LineReport& Report, std::string_view Line) {
    const std::string_view Usage = TrimBlanks(Kr6Field(Line, UsagePlace.First, UsagePlace.Width));
    if (Usage == "1" || Usage == "5" || Usage == "6")
        return;
    Report.Add(TKr6FindingCode::UnknownCode, UsagePlace.First,
               "usage " + Quoted(Usage) + " is none of 1, 5 and 6: the line changes nothing");
}

// The codes of the lenses and coatings as the product groups compare them.
struct TGroupCodes {
    TStringList Lenses{true};
    TStringList Coatings{true};
};

void CheckGroupLine(const TKr6LineReport& Report, const TGroupCodes& Codes,
                    const TKr6DataProductgroup& Rec) {
    const std::string What = "product group " + Quoted(Rec.GroupName) + " line";
    if (Rec.Target == TargetGlass) {
        if (!Codes.Lenses.Contains(Rec.Code))
            ReportKr6UnknownLens(Report, What, Rec.Code);
    } else if (Rec.Target == TargetCoating) {
        if (Rec.Code.empty() || !Codes.Coatings.Contains(Rec.Code))
            ReportKr6UnknownCoating(Report, What, Rec.Code);
    } else {
        ReportKr6UnknownTarget(Report, Rec.Target,
                               Rec.GroupName.empty()
                                   ? "the line is ignored"
                                   : "the line is ignored, but its group is made");
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

} // namespace

void ImportInformation(Tdex6Dataobject& Root, const TKr6MemberLines& Lines, TWorkLists& Work,
                       TImportProgressMeter& Meter) {
    TKr6LineReport Report(Work.Observer, "Information.Dat");
    TKr6DataInformation Rec;
    for (const std::string_view Line : Lines) {
        Meter.Step();
        ParseKr6Information(Rec, Line);
        if (Report.Active() && CheckKr6Line<kr6_layouts::Information>(Report, Line))
            CheckTarget(Report, Root, Rec, "information text");
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

void ImportOrderOptions(Tdex6Dataobject& Root, const TKr6MemberLines& Lines, TWorkLists& Work,
                        TImportProgressMeter& Meter) {
    TKr6LineReport Report(Work.Observer, "OrderOptions.Dat");
    TKr6DataOrderOptions Rec;
    for (const std::string_view Line : Lines) {
        Meter.Step();
        ParseKr6OrderOptions(Rec, Line);
        if (Report.Active() && CheckKr6Line<kr6_layouts::OrderOptions>(Report, Line)) {
            CheckUsage(Report, Line);
            CheckTarget(Report, Root, Rec, "order option");
        }
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
// belong to other groups. Codes leave the sorted lists all at once at the end: one by one,
// each would move the entries behind it.
void ImportProductGroups(Tdex6Dataobject& Root, const TKr6MemberLines& Lines, TWorkLists& Work,
                         TImportProgressMeter& Meter) {
    GlassCodes(Root, Work.UngroupedGlasses);
    CoatingCodes(Root, Work.UngroupedCoatings);

    Tdex6DataProduktgruppenliste& Groups = *Root.Produktgruppenliste();
    // The codes each group's lines name, and all of them.
    struct TNamed {
        TStringList Glasses;
        TStringList Coatings;
    };
    std::unordered_map<const Tdex6DataProduktgruppe*, TNamed> Named;
    TNamed Grouped;
    TKr6LineReport Report(Work.Observer, "Productgroup.Dat");
    TGroupCodes Codes;
    if (Report.Active()) {
        for (const auto& Glas : *Root.Glasliste())
            Codes.Lenses.Add(Glas->EDV());
        for (const auto& Coating : *Root.Beschichtungsliste())
            Codes.Coatings.Add(Coating->EDV());
    }
    TKr6DataProductgroup Rec;
    for (const std::string_view Line : Lines) {
        Meter.Step();
        ParseKr6Productgroup(Rec, Line);
        if (Report.Active() && CheckKr6Line<kr6_layouts::Productgroup>(Report, Line))
            CheckGroupLine(Report, Codes, Rec);
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
            Grouped.Glasses.Add(Rec.Code);
            Named[Group].Glasses.Add(Rec.Code);
        } else if (Rec.Target == TargetCoating) {
            Grouped.Coatings.Add(Rec.Code);
            Named[Group].Coatings.Add(Rec.Code);
        }
    }
    Work.UngroupedGlasses.RemoveAll(Grouped.Glasses);
    Work.UngroupedCoatings.RemoveAll(Grouped.Coatings);

    for (const auto& Group : Groups) {
        const TNamed& Own = Named[Group.get()];
        Group->LieferbareGlaeser()->AddOrRemoveAll(Own.Glasses, true);
        Group->LieferbareGlaeser()->AddOrRemoveAll(Work.UngroupedGlasses, true);
        Group->LieferbareGlaeser()->AddOrRemoveAll(Work.NoGroupGlasses, true);
        Group->LieferbareBeschichtungen()->AddOrRemoveAll(Own.Coatings, true);
        Group->LieferbareBeschichtungen()->AddOrRemoveAll(Work.UngroupedCoatings, true);
        Group->LieferbareBeschichtungen()->AddOrRemoveAll(Work.NoGroupCoatings, true);
    }
}

void ImportCodeSubstitutions(Tdex6Dataobject& Root, const TKr6MemberLines& Lines, TWorkLists& Work,
                             TImportProgressMeter& Meter) {
    TKr6LineReport Report(Work.Observer, "CodeSubstitution.Dat");
    TKr6DataCodeSubst Rec;
    for (const std::string_view Line : Lines) {
        Meter.Step();
        ParseKr6CodeSubst(Rec, Line);
        if (Report.Active() && CheckKr6Line<kr6_layouts::CodeSubst>(Report, Line) &&
            Rec.Target != TargetGlass && Rec.Target != TargetCoating)
            ReportKr6UnknownTarget(Report, Rec.Target);
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

} // namespace kr6::kr6_import
