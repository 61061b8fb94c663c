#include "model/DeliveryRanges.h"

#include "model/ElementReader.h"
#include "model/FieldTable.h"
#include "model/Glasses.h"
#include "support/Conversions.h"
#include "support/TextCompare.h"
#include "texts/Language.h"

#include <algorithm>

namespace kr6 {

// --- Tdex6DataLieferbereichsbezeichnung ---

Tdex6DataLieferbereichsbezeichnung::Tdex6DataLieferbereichsbezeichnung(Tdex6Dataobject* Root,
                                                                       Tdex6Node* Parent,
                                                                       bool /*NewOID*/)
    : TFieldObject(Root, Parent, true) {
    Tdex6DataLieferbereichsbezeichnung::Clear(false);
}

namespace {

using LB = Tdex6DataLieferbereichsbezeichnung;
constexpr TField<LB> RangeNameFields[] = {
    IntField<&LB::ID>("ID"),
    TextField<&LB::Bez>("Bez"),
};

using PC = Tdex6DataPrismenCylinder;
// The groups the price list uses unless its header names others.
constexpr TField<PC> GroupFields[] = {
    IntField<&PC::ZB, 4>("ZB"),    IntField<&PC::ZG1, 6>("ZG1"), IntField<&PC::ZG2, 8>("ZG2"),
    IntField<&PC::PG1, 3>("PG1"),  IntField<&PC::PG2, 6>("PG2"), IntField<&PC::PG3, 10>("PG3"),
    IntField<&PC::PG4, 15>("PG4"), IntField<&PC::PG5, 0>("PG5"),
};

} // namespace

std::string Tdex6DataLieferbereichsbezeichnung::ProtocolPrefix(int Action,
                                                               std::string_view /*Name*/) const {
    return TCustomdex6Object::ProtocolPrefix(Action, GetText(331)) + Bez;
}

std::span<const TField<Tdex6DataLieferbereichsbezeichnung>>
Tdex6DataLieferbereichsbezeichnung::Fields() {
    return RangeNameFields;
}

// --- Tdex6DataLieferbereichsbezeichnungsliste ---

Tdex6DataLieferbereichsbezeichnung* Tdex6DataLieferbereichsbezeichnungsliste::AddNumbered() {
    const std::int32_t ID = NextID();
    Tdex6DataLieferbereichsbezeichnung* Entry = AddNew();
    Entry->ID = ID;
    return Entry;
}

Tdex6DataLieferbereichsbezeichnung* Tdex6DataLieferbereichsbezeichnungsliste::AddDefault() {
    Tdex6DataLieferbereichsbezeichnung* Entry = AddNumbered();
    Entry->Bez = GetText(332);
    Entry->ID = 0;
    return Entry;
}

TCustomdex6Object* Tdex6DataLieferbereichsbezeichnungsliste::AddReadItem() {
    return AddNumbered();
}

void Tdex6DataLieferbereichsbezeichnungsliste::Reset(bool WithDefaults) {
    Tdex6ObjectList::Reset(WithDefaults);
    if (WithDefaults)
        AddDefault();
}

// --- Tdex6DataPreisgruppen ---

namespace {

bool InGroupRange(int Index) {
    return Index >= 0 && Index <= Tdex6DataPreisgruppen::MaxIndex;
}

std::string FlagTag(char Kind, int Index) {
    return Kind + std::to_string(Index);
}

} // namespace

Tdex6DataPreisgruppen::Tdex6DataPreisgruppen(Tdex6Dataobject* Root, Tdex6Node* Parent,
                                             bool /*NewOID*/)
    : TCustomdex6Object(Root, Parent, true) {
    Tdex6DataPreisgruppen::Clear(false);
}

bool Tdex6DataPreisgruppen::GetS(int Index) const {
    return InGroupRange(Index) && FS[static_cast<std::size_t>(Index)];
}

bool Tdex6DataPreisgruppen::GetC(int Index) const {
    return InGroupRange(Index) && FC[static_cast<std::size_t>(Index)];
}

void Tdex6DataPreisgruppen::SetS(int Index, bool Value) {
    if (InGroupRange(Index))
        FS[static_cast<std::size_t>(Index)] = Value;
}

void Tdex6DataPreisgruppen::SetC(int Index, bool Value) {
    if (InGroupRange(Index))
        FC[static_cast<std::size_t>(Index)] = Value;
}

void Tdex6DataPreisgruppen::WriteTags(TXmlStream& Writer) const {
    TCustomdex6Object::WriteTags(Writer);
    for (int Index = 0; Index <= MaxIndex; ++Index)
        WriteBoolElement(Writer, FlagTag('S', Index), GetS(Index));
    for (int Index = 0; Index <= MaxWrittenC; ++Index)
        WriteBoolElement(Writer, FlagTag('C', Index), GetC(Index));
}

void Tdex6DataPreisgruppen::ReadTag(TElementReader& Reader, TPartType PartType,
                                    std::string_view Name, std::string_view Content) {
    TCustomdex6Object::ReadTag(Reader, PartType, Name, Content);
    if (!IsContent(PartType))
        return;
    for (int Index = 0; Index <= MaxIndex; ++Index) {
        if (SameText(Name, FlagTag('S', Index))) {
            SetS(Index, TextToBool(Content));
            break;
        }
    }
    for (int Index = 0; Index <= MaxWrittenC; ++Index) {
        if (SameText(Name, FlagTag('C', Index))) {
            SetC(Index, TextToBool(Content));
            break;
        }
    }
}

std::string Tdex6DataPreisgruppen::ProtocolPrefix(int Action, std::string_view /*Name*/) const {
    return TCustomdex6Object::ProtocolPrefix(Action, GetText(333) + " ") + OwnerGlassText();
}

std::string Tdex6DataPreisgruppen::OwnerGlassText() const {
    const auto* Glas = dynamic_cast<const Tdex6DataGlas*>(Parent());
    return Glas != nullptr ? "  " + Glas->GetB(1) + "(" + Glas->EDV() + ")" : std::string();
}

void Tdex6DataPreisgruppen::Clear(bool /*WithDefaults*/) {
    FS = {};
    FC = {};
}

// --- Tdex6DataPrismenCylinder ---

Tdex6DataPrismenCylinder::Tdex6DataPrismenCylinder(Tdex6Dataobject* Root, Tdex6Node* Parent,
                                                   bool /*NewOID*/)
    : TFieldObject(Root, Parent, true) {
    Tdex6DataPrismenCylinder::Clear(false);
}

std::string Tdex6DataPrismenCylinder::ProtocolPrefix(int Action, std::string_view /*Name*/) const {
    return TCustomdex6Object::ProtocolPrefix(Action, GetText(337));
}

std::span<const TField<Tdex6DataPrismenCylinder>> Tdex6DataPrismenCylinder::Fields() {
    return GroupFields;
}

} // namespace kr6
