#pragma once

#include "model/FieldTable.h"
#include "model/ObjectList.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kr6 {

// A named number that formula steps refer to by its Id.
class Tdex6DataVariable : public TFieldObject<Tdex6DataVariable> {
public:
    // Always takes a new identifier.
    Tdex6DataVariable(Tdex6Dataobject* Root, Tdex6Node* Parent, bool NewOID);
    static std::span<const TField<Tdex6DataVariable>> Fields();

    double W = 0;
    std::int32_t Id = 0;
    std::string Bez;

    std::string_view TagName() const override { return "DV"; }
    std::string ProtocolPrefix(int Action, std::string_view Name) const override;
};

class Tdex6DataVariableliste : public Tdex6ObjectList<Tdex6DataVariable> {
public:
    using Tdex6ObjectList::Tdex6ObjectList;

    // One above the largest Id, at least 1.
    std::int32_t NextID() const { return NextNumber(&Tdex6DataVariable::Id); }

    std::string_view TagName() const override { return "DVL"; }
    std::string_view ItemTag() const override { return "DV"; }

protected:
    // A variable read without "Id" is numbered with NextID.
    TCustomdex6Object* AddReadItem() override;
};

} // namespace kr6
