#pragma once

#include "model/ArenaObject.h"
#include "model/CodeTables.h"
#include "model/FieldTable.h"
#include "model/ObjectList.h"

#include <string>
#include <string_view>

namespace kr6 {

using TOrderOptionSet = TSmallSet<Tdex6OrderOption>;

// The order options of a glass or coating in three sets; an option belongs to at most
// one of them, the set it was last given to.
class Tdex6DataOrderOptions final : public TCustomdex6Object,
                                    public TArenaObject<Tdex6DataOrderOptions> {
public:
    using TCustomdex6Object::TCustomdex6Object;

    TOrderOptionSet MUTE() const { return FMUTE; }
    TOrderOptionSet MUDU() const { return FMUDU; }
    TOrderOptionSet KADU() const { return FKADU; }
    // Each setter takes the options of Set out of the other two sets.
    void SetMUTE(TOrderOptionSet Set);
    void SetMUDU(TOrderOptionSet Set);
    void SetKADU(TOrderOptionSet Set);

    std::string_view TagName() const override { return "OROP"; }
    void WriteTags(TXmlStream& Writer) const override;
    void ReadTag(TElementReader& Reader, TPartType PartType, std::string_view Name,
                 std::string_view Content) override;
    std::string ProtocolPrefix(int Action, std::string_view Name) const override;
    void Clear(bool WithDefaults) override;

private:
    TOrderOptionSet FMUTE;
    TOrderOptionSet FMUDU;
    TOrderOptionSet FKADU;
};

// A glass code and the code that replaces it.
class Tdex6DataCodeSubstGlas : public TFieldObject<Tdex6DataCodeSubstGlas> {
public:
    using TFieldObject::TFieldObject;
    static std::span<const TField<Tdex6DataCodeSubstGlas>> Fields();

    std::string CN;
    std::string CA;
    Tdex6SubstAction AKT = Tdex6SubstAction::CodeErsetzen;
    std::string BEM;

    std::string_view TagName() const override { return "COSUBG"; }
    std::string ProtocolPrefix(int Action, std::string_view Name) const override;
};

// A coating code and up to three codes that replace it.
class Tdex6DataCodeSubstBesch : public TFieldObject<Tdex6DataCodeSubstBesch> {
public:
    using TFieldObject::TFieldObject;
    static std::span<const TField<Tdex6DataCodeSubstBesch>> Fields();

    std::string CN1;
    std::string CN2;
    std::string CN3;
    std::string CA;
    Tdex6SubstAction AKT = Tdex6SubstAction::CodeErsetzen;
    std::string BEM;

    std::string_view TagName() const override { return "COSUBB"; }
    std::string ProtocolPrefix(int Action, std::string_view Name) const override;
};

class Tdex6DataCodeSubstGlasList : public Tdex6ObjectList<Tdex6DataCodeSubstGlas> {
public:
    using Tdex6ObjectList::Tdex6ObjectList;

    std::string_view TagName() const override { return "COSUBGL"; }
    std::string_view ItemTag() const override { return "COSUBG"; }
};

class Tdex6DataCodeSubstBeschList : public Tdex6ObjectList<Tdex6DataCodeSubstBesch> {
public:
    using Tdex6ObjectList::Tdex6ObjectList;

    std::string_view TagName() const override { return "COSUBBL"; }
    std::string_view ItemTag() const override { return "COSUBB"; }
};

} // namespace kr6
