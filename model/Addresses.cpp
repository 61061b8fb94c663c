#include "model/Addresses.h"

#include "model/CoatingParts.h"
#include "model/Coatings.h"
#include "model/DescriptionDefaults.h"
#include "model/ElementReader.h"
#include "model/GlassParts.h"
#include "model/Glasses.h"
#include "model/Root.h"
#include "support/Conversions.h"
#include "support/TextCompare.h"
#include "texts/Language.h"

#include <algorithm>

namespace kr6 {
namespace {

constexpr std::size_t EDVWidth = 3;

void AddDefault(Tdex6DataPreisbezeichnungsliste& List, std::int32_t ID, Tdex6PriceField PFT,
                std::uint16_t Description) {
    Tdex6DataPreisbezeichnung* Item = List.AddNew();
    Item->ID = ID;
    Item->PFT = PFT;
    Item->BEZ = PriceFieldText(PFT);
    Item->WNK = "ct";
    Item->WVK = "EUR";
    Item->BE = GetText(Description);
}

bool HasDescription(const Tdex6Dataobject* Root, std::int32_t ID) {
    return Root != nullptr && Root->Preisbezeichnungsliste() != nullptr &&
           Root->Preisbezeichnungsliste()->FindByID(ID) != nullptr;
}

} // namespace

Tdex6DataPreisbezeichnung::Tdex6DataPreisbezeichnung(Tdex6Dataobject* Root, Tdex6Node* Parent,
                                                     bool /*NewOID*/)
    : TCustomdex6Object(Root, Parent, true) {
    Tdex6DataPreisbezeichnung::Clear(false);
}

void Tdex6DataPreisbezeichnung::WriteTags(TXmlStream& Writer) const {
    TCustomdex6Object::WriteTags(Writer);
    WriteIntElement(Writer, "ID", ID);
    WriteIntElement(Writer, "PFT", Code(PFT));
    WriteStrElement(Writer, "BEZ", BEZ);
    WriteStrElement(Writer, "WVK", WVK);
    WriteStrElement(Writer, "WNK", WNK);
    WriteStrElement(Writer, "BE", BE);
}

void Tdex6DataPreisbezeichnung::ReadTag(TElementReader& Reader, TPartType PartType,
                                        std::string_view Name, std::string_view Content) {
    TCustomdex6Object::ReadTag(Reader, PartType, Name, Content);
    if (!IsContent(PartType))
        return;
    if (SameText(Name, "ID"))
        ID = TextToInt(Content);
    else if (SameText(Name, "PFT"))
        PFT = FromCode<Tdex6PriceField>(TextToInt(Content));
    else if (SameText(Name, "Bez"))
        BEZ = Content;
    else if (SameText(Name, "WVK"))
        WVK = Content;
    else if (SameText(Name, "WNK"))
        WNK = Content;
    else if (SameText(Name, "BE"))
        BE = Content;
}

std::string Tdex6DataPreisbezeichnung::ProtocolPrefix(int Action, std::string_view /*Name*/) const {
    return TCustomdex6Object::ProtocolPrefix(Action, GetText(321)) + BEZ;
}

void Tdex6DataPreisbezeichnung::Clear(bool /*WithDefaults*/) {
    BEZ.clear();
    WNK.clear();
    WVK.clear();
    BE.clear();
    ID = 0;
    PFT = Tdex6PriceField::ListenEK;
}

Tdex6DataPreisbezeichnung* Tdex6DataPreisbezeichnungsliste::NewItem() {
    Tdex6DataPreisbezeichnung* Item = AddNew();
    std::int32_t ID = 1;
    while (FindByID(ID) != nullptr)
        ++ID;
    Item->ID = ID;
    return Item;
}

Tdex6DataPreisbezeichnung* Tdex6DataPreisbezeichnungsliste::FindByID(std::int32_t ID) const {
    for (auto It = FItems.rbegin(); It != FItems.rend(); ++It) {
        if ((*It)->ID == ID)
            return It->get();
    }
    return nullptr;
}

bool Tdex6DataPreisbezeichnungsliste::Remove(Tdex6DataPreisbezeichnung* Item) {
    if (IndexOf(Item) < 0)
        return false;
    if (Root() != nullptr)
        DeletePricesOf(Item->ID);
    return Tdex6ObjectList::Remove(Item);
}

void Tdex6DataPreisbezeichnungsliste::DeletePricesOf(std::int32_t ID) {
    for (const auto& Glas : *Root()->Glasliste())
        Glas->GlasPreisListe()->DeleteByPBID(ID);
    for (const auto& Beschichtung : *Root()->Beschichtungsliste())
        Beschichtung->PreisListe()->DeleteByPBID(ID);
}

void Tdex6DataPreisbezeichnungsliste::Reset(bool WithDefaults) {
    Tdex6ObjectList::Reset(WithDefaults);
    if (!WithDefaults)
        return;
    AddDefault(*this, 1, Tdex6PriceField::ListenEK, 299);
    AddDefault(*this, 2, Tdex6PriceField::EmpfVK, 300);
}

void Tdex6DataPreisbezeichnungsliste::DeleteEmpty() {
    for (int I = Count() - 1; I >= 0; --I) {
        if (Items(I)->PFT == Tdex6PriceField::NichtGefuellt)
            Delete(I);
    }
}

void Tdex6DataPreisbezeichnungsliste::ReadTag(TElementReader& Reader, TPartType PartType,
                                              std::string_view Name, std::string_view Content) {
    Tdex6ObjectList::ReadTag(Reader, PartType, Name, Content);
    if (PartType == TPartType::StartTag && SameText(Name, "DPB"))
        NewItem()->BeginRead(Reader, this);
}

Tdex6DataAdresse::Tdex6DataAdresse(Tdex6Dataobject* Root, Tdex6Node* Parent, bool /*NewOID*/)
    : TCustomdex6Object(Root, Parent, true) {
    FLieferbareGlaeser = std::make_unique<Tdex6DataLieferbareGlaeser>(Root, this, true);
    FLieferbareBeschichtungen =
        std::make_unique<Tdex6DataLieferbareBeschichtungen>(Root, this, true);
    Tdex6DataAdresse::Clear(false);
}

void Tdex6DataAdresse::SetBEZNR(std::int32_t Value) {
    FBEZNR = std::clamp(Value, 1, 3);
}

std::string Tdex6DataAdresse::EDVText(std::string_view Separator, bool Padded) const {
    if (Padded)
        return PadRight(EDV, EDVWidth) + PadRight(EDV2, EDVWidth);
    if (EDV2.empty())
        return EDV;
    return EDV + std::string(Separator) + EDV2;
}

std::string Tdex6DataAdresse::Language() const {
    if (Root() == nullptr)
        return {};
    return Root()->Bezeichnungsvorgaben()->GetLang(FBEZNR);
}

void Tdex6DataAdresse::WriteTags(TXmlStream& Writer) const {
    TCustomdex6Object::WriteTags(Writer);
    WriteStrElement(Writer, "EDV", EDV);
    WriteStrElement(Writer, "EDV2", EDV2);
    WriteDateElement(Writer, "GA", GA);
    WriteDateElement(Writer, "GB", GB);
    WriteStrElement(Writer, "Name", Name);
    WriteStrElement(Writer, "Name1", Name1);
    WriteStrElement(Writer, "Name2", Name2);
    WriteStrElement(Writer, "Str", Str);
    WriteStrElement(Writer, "LAND", LAND);
    WriteStrElement(Writer, "LANG", Language());
    WriteStrElement(Writer, "Plz", Plz);
    WriteStrElement(Writer, "Ort", Ort);
    WriteStrElement(Writer, "PlzPf", PlzPf);
    WriteStrElement(Writer, "PF", PF);
    WriteStrElement(Writer, "TelZent", TelZent);
    WriteStrElement(Writer, "FaxZent", FaxZent);
    WriteStrElement(Writer, "TelBest", TelBest);
    WriteStrElement(Writer, "FaxBest", FaxBest);
    WriteStrElement(Writer, "MailTo", MailTo);
    WriteStrElement(Writer, "Url", Url);
    WriteStrElement(Writer, "PrDefCyl", PrDefCyl ? "+" : "-");
    WriteIntElement(Writer, "BEZNR", FBEZNR);
    WriteStrElement(Writer, "WVK", WVK);
    WriteStrElement(Writer, "WNK", WNK);
    WriteIntElement(Writer, "PrBezId1", PrBezId1);
    WriteIntElement(Writer, "PrBezId2", PrBezId2);
    WriteIntElement(Writer, "PrBezId3", PrBezId3);
    WriteIntElement(Writer, "PrBezId4", PrBezId4);
    WriteIntElement(Writer, "PrBezId5", PrBezId5);
    WriteStrElement(Writer, "Comment", Comment);
    WriteStrElement(Writer, "UIDM", UIDM);
    FLieferbareGlaeser->WriteXml(Writer);
    FLieferbareBeschichtungen->WriteXml(Writer);
}

void Tdex6DataAdresse::ReadTag(TElementReader& Reader, TPartType PartType,
                               std::string_view ElementName, std::string_view Content) {
    TCustomdex6Object::ReadTag(Reader, PartType, ElementName, Content);
    if (PartType == TPartType::StartTag) {
        if (SameText(ElementName, FLieferbareGlaeser->TagName()))
            FLieferbareGlaeser->BeginRead(Reader, this);
        else if (SameText(ElementName, FLieferbareBeschichtungen->TagName()))
            FLieferbareBeschichtungen->BeginRead(Reader, this);
        return;
    }
    if (!IsContent(PartType))
        return;
    struct TTextField {
        std::string_view Tag;
        std::string Tdex6DataAdresse::*Field;
    };
    static constexpr TTextField TextFields[] = {
        {"FaxBest", &Tdex6DataAdresse::FaxBest}, {"FaxZent", &Tdex6DataAdresse::FaxZent},
        {"EDV", &Tdex6DataAdresse::EDV},         {"MailTo", &Tdex6DataAdresse::MailTo},
        {"Name", &Tdex6DataAdresse::Name},       {"Name1", &Tdex6DataAdresse::Name1},
        {"Name2", &Tdex6DataAdresse::Name2},     {"EDV2", &Tdex6DataAdresse::EDV2},
        {"Url", &Tdex6DataAdresse::Url},         {"LAND", &Tdex6DataAdresse::LAND},
        {"Ort", &Tdex6DataAdresse::Ort},         {"Plz", &Tdex6DataAdresse::Plz},
        {"PlzPf", &Tdex6DataAdresse::PlzPf},     {"PF", &Tdex6DataAdresse::PF},
        {"Str", &Tdex6DataAdresse::Str},         {"TelBest", &Tdex6DataAdresse::TelBest},
        {"TelZent", &Tdex6DataAdresse::TelZent}, {"Comment", &Tdex6DataAdresse::Comment},
        {"WNK", &Tdex6DataAdresse::WNK},         {"WVK", &Tdex6DataAdresse::WVK},
        {"UIDM", &Tdex6DataAdresse::UIDM},
    };
    for (const TTextField& Text : TextFields) {
        if (SameText(ElementName, Text.Tag)) {
            this->*Text.Field = Content;
            return;
        }
    }
    std::int32_t* const PrBezIds[] = {&PrBezId1, &PrBezId2, &PrBezId3, &PrBezId4, &PrBezId5};
    for (int I = 0; I < 5; ++I) {
        if (SameText(ElementName, "PrBezId" + std::to_string(I + 1))) {
            *PrBezIds[I] = TextToInt(Content);
            return;
        }
    }
    if (SameText(ElementName, "GA"))
        GA = TextToDateTime(Content);
    else if (SameText(ElementName, "GB"))
        GB = TextToDateTime(Content);
    else if (SameText(ElementName, "BEZNR"))
        SetBEZNR(TextToInt(Content));
    else if (SameText(ElementName, "PrDefCyl"))
        PrDefCyl = Content != "-";
}

std::string Tdex6DataAdresse::ProtocolPrefix(int Action, std::string_view /*Name*/) const {
    return TCustomdex6Object::ProtocolPrefix(Action, GetText(338)) + Name + " (" +
           EDVText(" ", false) + ")";
}

void Tdex6DataAdresse::Clear(bool /*WithDefaults*/) {
    for (std::string* Text :
         {&FaxBest, &FaxZent, &EDV, &MailTo, &Name,    &Name1,   &Name2,   &EDV2, &Url, &LAND, &Ort,
          &Plz,     &PlzPf,   &PF,  &Str,    &TelBest, &TelZent, &Comment, &WNK,  &WVK, &UIDM})
        Text->clear();
    GA = 0;
    GB = 0;
    PrDefCyl = true;
    FBEZNR = 1;
    PrBezId1 = HasDescription(Root(), 1) ? 1 : 0;
    PrBezId2 = HasDescription(Root(), 2) ? 2 : 0;
    PrBezId3 = 0;
    PrBezId4 = 0;
    PrBezId5 = 0;
    FLieferbareGlaeser->Clear(false);
    FLieferbareBeschichtungen->Clear(false);
}

void Tdex6DataAdressliste::ReadTag(TElementReader& Reader, TPartType PartType,
                                   std::string_view Name, std::string_view Content) {
    Tdex6ObjectList::ReadTag(Reader, PartType, Name, Content);
    if (PartType == TPartType::StartTag && SameText(Name, "DA"))
        NewItem()->BeginRead(Reader, this);
}

} // namespace kr6
