#include "model/Addresses.h"

#include "model/CoatingParts.h"
#include "model/Coatings.h"
#include "model/DescriptionDefaults.h"
#include "model/ElementReader.h"
#include "model/FieldTable.h"
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

using PB = Tdex6DataPreisbezeichnung;
constexpr TField<PB> PriceDescriptionFields[] = {
    IntField<&PB::ID>("ID"),    CodeField<&PB::PFT, Tdex6PriceField::ListenEK>("PFT"),
    TextField<&PB::BEZ>("BEZ"), TextField<&PB::WVK>("WVK"),
    TextField<&PB::WNK>("WNK"), TextField<&PB::BE>("BE"),
};

using A = Tdex6DataAdresse;

// The first two price descriptions are named by default when the price list has them.
template <std::int32_t A::*Member, std::int32_t ID>
constexpr TField<A> PriceDescriptionField(std::string_view Tag) {
    return {Tag,
            [](TXmlStream& S, std::string_view N, const A& O) { WriteIntElement(S, N, O.*Member); },
            [](A& O, std::string_view V) { O.*Member = TextToInt(V); },
            [](A& O) {
                O.*Member = ID > 0 && HasDescription(O.Root(), ID) ? ID : 0;
            }};
}

// The address's fields in the order of the element form.
constexpr TField<A> AddressFields[] = {
    TextField<&A::EDV>("EDV"),
    TextField<&A::EDV2>("EDV2"),
    DateField<&A::GA>("GA"),
    DateField<&A::GB>("GB"),
    TextField<&A::Name>("Name"),
    TextField<&A::Name1>("Name1"),
    TextField<&A::Name2>("Name2"),
    TextField<&A::Str>("Str"),
    TextField<&A::LAND>("LAND"),
    // Derived from the description set; not read back.
    {"LANG",
     [](TXmlStream& S, std::string_view N, const A& O) { WriteStrElement(S, N, O.Language()); },
     [](A&, std::string_view) {},
     [](A&) {
     }},
    TextField<&A::Plz>("Plz"),
    TextField<&A::Ort>("Ort"),
    TextField<&A::PlzPf>("PlzPf"),
    TextField<&A::PF>("PF"),
    TextField<&A::TelZent>("TelZent"),
    TextField<&A::FaxZent>("FaxZent"),
    TextField<&A::TelBest>("TelBest"),
    TextField<&A::FaxBest>("FaxBest"),
    TextField<&A::MailTo>("MailTo"),
    TextField<&A::Url>("Url"),
    {"PrDefCyl",
     [](TXmlStream& S, std::string_view N, const A& O) {
         WriteStrElement(S, N, O.PrDefCyl ? "+" : "-");
     },
     [](A& O, std::string_view V) { O.PrDefCyl = V != "-"; },
     [](A& O) {
         O.PrDefCyl = true;
     }},
    {"BEZNR",
     [](TXmlStream& S, std::string_view N, const A& O) { WriteIntElement(S, N, O.BEZNR()); },
     [](A& O, std::string_view V) { O.SetBEZNR(TextToInt(V)); },
     [](A& O) {
         O.SetBEZNR(1);
     }},
    TextField<&A::WVK>("WVK"),
    TextField<&A::WNK>("WNK"),
    PriceDescriptionField<&A::PrBezId1, 1>("PrBezId1"),
    PriceDescriptionField<&A::PrBezId2, 2>("PrBezId2"),
    PriceDescriptionField<&A::PrBezId3, 0>("PrBezId3"),
    PriceDescriptionField<&A::PrBezId4, 0>("PrBezId4"),
    PriceDescriptionField<&A::PrBezId5, 0>("PrBezId5"),
    TextField<&A::Comment>("Comment"),
    TextField<&A::UIDM>("UIDM"),
};

} // namespace

Tdex6DataPreisbezeichnung::Tdex6DataPreisbezeichnung(Tdex6Dataobject* Root, Tdex6Node* Parent,
                                                     bool /*NewOID*/)
    : TFieldObject(Root, Parent, true) {
    Tdex6DataPreisbezeichnung::Clear(false);
}

std::span<const TField<Tdex6DataPreisbezeichnung>> Tdex6DataPreisbezeichnung::Fields() {
    return PriceDescriptionFields;
}

std::string Tdex6DataPreisbezeichnung::ProtocolPrefix(int Action, std::string_view /*Name*/) const {
    return TCustomdex6Object::ProtocolPrefix(Action, GetText(321)) + BEZ;
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

TCustomdex6Object* Tdex6DataPreisbezeichnungsliste::AddReadItem() {
    return NewItem();
}

Tdex6DataAdresse::Tdex6DataAdresse(Tdex6Dataobject* Root, Tdex6Node* Parent, bool /*NewOID*/)
    : TFieldObject(Root, Parent, true) {
    FLieferbareGlaeser = std::make_unique<Tdex6DataLieferbareGlaeser>(Root, this, true);
    FLieferbareBeschichtungen =
        std::make_unique<Tdex6DataLieferbareBeschichtungen>(Root, this, true);
    Tdex6DataAdresse::Clear(false);
}

std::span<const TField<Tdex6DataAdresse>> Tdex6DataAdresse::Fields() {
    return AddressFields;
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
    TFieldObject::WriteTags(Writer);
    FLieferbareGlaeser->WriteXml(Writer);
    FLieferbareBeschichtungen->WriteXml(Writer);
}

void Tdex6DataAdresse::ReadTag(TElementReader& Reader, TPartType PartType,
                               std::string_view ElementName, std::string_view Content) {
    TFieldObject::ReadTag(Reader, PartType, ElementName, Content);
    if (PartType == TPartType::StartTag)
        ReadChild(Reader, this, ElementName, FLieferbareGlaeser.get(),
                  FLieferbareBeschichtungen.get());
}

std::string Tdex6DataAdresse::ProtocolPrefix(int Action, std::string_view /*Name*/) const {
    return TCustomdex6Object::ProtocolPrefix(Action, GetText(338)) + Name + " (" +
           EDVText(" ", false) + ")";
}

void Tdex6DataAdresse::Clear(bool WithDefaults) {
    TFieldObject::Clear(WithDefaults);
    FLieferbareGlaeser->Clear(false);
    FLieferbareBeschichtungen->Clear(false);
}

} // namespace kr6
