#include "model/Variables.h"

#include "model/ElementReader.h"
#include "model/FieldTable.h"
#include "support/Conversions.h"
#include "support/TextCompare.h"
#include "texts/Language.h"

#include <algorithm>

namespace kr6 {

Tdex6DataVariable::Tdex6DataVariable(Tdex6Dataobject* Root, Tdex6Node* Parent, bool /*NewOID*/)
    : TFieldObject(Root, Parent, true) {
    Tdex6DataVariable::Clear(false);
}

std::span<const TField<Tdex6DataVariable>> Tdex6DataVariable::Fields() {
    using V = Tdex6DataVariable;
    static constexpr TField<V> Table[] = {
        IntField<&V::Id>("Id"),
        TextField<&V::Bez>("Bez"),
        FloatField<&V::W>("W"),
    };
    return Table;
}

std::string Tdex6DataVariable::ProtocolPrefix(int Action, std::string_view /*Name*/) const {
    return TCustomdex6Object::ProtocolPrefix(Action, GetText(329)) + Bez + " (" + GetText(330) +
           ":" + FloatToText(W, false) + ")";
}

TCustomdex6Object* Tdex6DataVariableliste::AddReadItem() {
    const std::int32_t Id = NextID();
    Tdex6DataVariable* Variable = AddNew();
    Variable->Id = Id;
    return Variable;
}

} // namespace kr6
