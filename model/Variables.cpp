#include "model/Variables.h"

#include "model/ElementReader.h"
#include "model/FieldTable.h"
#include "support/Conversions.h"
#include "support/TextCompare.h"
#include "texts/Language.h"

#include <algorithm>

namespace kr6 {

namespace {

using V = Tdex6DataVariable;
constexpr TField<V> VariableFields[] = {
    IntField<&V::Id>("Id"),
    TextField<&V::Bez>("Bez"),
    FloatField<&V::W>("W"),
};

} // namespace

Tdex6DataVariable::Tdex6DataVariable(Tdex6Dataobject* Root, Tdex6Node* Parent, bool /*NewOID*/)
    : TCustomdex6Object(Root, Parent, true) {
    Tdex6DataVariable::Clear(false);
}

void Tdex6DataVariable::WriteTags(TXmlStream& Writer) const {
    TCustomdex6Object::WriteTags(Writer);
    WriteFields<V>(Writer, *this, VariableFields);
}

void Tdex6DataVariable::ReadTag(TElementReader& Reader, TPartType PartType, std::string_view Name,
                                std::string_view Content) {
    TCustomdex6Object::ReadTag(Reader, PartType, Name, Content);
    if (IsContent(PartType))
        ReadField<V>(*this, VariableFields, Name, Content);
}

std::string Tdex6DataVariable::ProtocolPrefix(int Action, std::string_view /*Name*/) const {
    return TCustomdex6Object::ProtocolPrefix(Action, GetText(329)) + Bez + " (" + GetText(330) +
           ":" + FloatToText(W, false) + ")";
}

void Tdex6DataVariable::Clear(bool /*WithDefaults*/) {
    ResetFields<V>(*this, VariableFields);
}

std::int32_t Tdex6DataVariableliste::NextID() const {
    std::int32_t Largest = 0;
    for (const auto& Variable : *this)
        Largest = std::max(Largest, Variable->Id);
    return Largest + 1;
}

void Tdex6DataVariableliste::ReadTag(TElementReader& Reader, TPartType PartType,
                                     std::string_view Name, std::string_view Content) {
    Tdex6ObjectList::ReadTag(Reader, PartType, Name, Content);
    if (PartType != TPartType::StartTag || !SameText(Name, "DV"))
        return;
    const std::int32_t Id = NextID();
    Tdex6DataVariable* Variable = AddNew();
    Variable->Id = Id;
    Variable->BeginRead(Reader, this);
}

} // namespace kr6
