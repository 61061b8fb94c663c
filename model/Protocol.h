#pragma once

#include "model/FieldTable.h"
#include "model/ObjectList.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kr6 {

// One protocol line. Its OID is the identifier of the object the line is about, so an
// entry never takes a new identifier of its own; it is written once more as "O".
class Tdex6DataProtokoll : public TFieldObject<Tdex6DataProtokoll> {
public:
    Tdex6DataProtokoll(Tdex6Dataobject* Root, Tdex6Node* Parent, bool NewOID);
    static std::span<const TField<Tdex6DataProtokoll>> Fields();

    std::string B;
    std::string U;
    TDateTime D = 0;

    std::string_view TagName() const override { return "PE"; }
    void WriteTags(TXmlStream& Writer) const override;
    void ReadTag(TElementReader& Reader, TPartType PartType, std::string_view Name,
                 std::string_view Content) override;
};

// The protocol of changes, oldest entry first.
class Tdex6DataProtokollliste : public Tdex6ObjectList<Tdex6DataProtokoll> {
public:
    using Tdex6ObjectList::Tdex6ObjectList;

    // An empty UserName gives "Der Benutzer", a Date of 0 the current time.
    Tdex6DataProtokoll* AddEntry(std::int32_t ObjectOID, std::string_view Text, TDateTime Date,
                                 std::string_view UserName);

    std::string_view TagName() const override { return "PROT"; }
    std::string_view ItemTag() const override { return "PE"; }

protected:
    TCustomdex6Object* AddReadItem() override;
};

} // namespace kr6
