#pragma once

#include "model/ObjectBase.h"
#include "model/ObjectList.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kr6 {

// A named number that formula steps refer to by its Id.
class Tdex6DataVariable : public TCustomdex6Object {
public:
    // Always takes a new identifier.
    Tdex6DataVariable(Tdex6Dataobject* Root, Tdex6Node* Parent, bool NewOID);

    double W = 0;
    std::int32_t Id = 0;
    std::string Bez;

    std::string_view TagName() const override { return "DV"; }
    void WriteTags(TXmlStream& Writer) const override;
    void ReadTag(TElementReader& Reader, TPartType PartType, std::string_view Name,
                 std::string_view Content) override;
    std::string ProtocolPrefix(int Action, std::string_view Name) const override;
    void Clear(bool WithDefaults) override;
};

class Tdex6DataVariableliste : public Tdex6ObjectList<Tdex6DataVariable> {
public:
    using Tdex6ObjectList::Tdex6ObjectList;

    // One above the largest Id, at least 1.
    std::int32_t NextID() const;

    std::string_view TagName() const override { return "DVL"; }
    // A variable read without "Id" is numbered with NextID.
    void ReadTag(TElementReader& Reader, TPartType PartType, std::string_view Name,
                 std::string_view Content) override;
};

} // namespace kr6
