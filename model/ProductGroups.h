#pragma once

#include "model/FieldTable.h"
#include "model/NamedStrings.h"
#include "model/ObjectList.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace kr6 {

// A sorted list of codes without duplicates (ignoring case), written as the inner named
// text list: the element carries the list's own "ED" and "OID".
class Tdex6DataLieferbareCodes : public TCustomdex6Object {
public:
    Tdex6DataStrings* Codes() const { return FCodes.get(); }

    // Nothing for an empty Code; otherwise deletes or adds it.
    void AddOrRemove(std::string_view Code, bool Remove);
    void AddOrRemoveAll(const TStringList& TextList, bool Remove);
    // Deletes every copy of OldCode (ignoring case) and adds NewCode in its place unless
    // NewCode is empty.
    void Replace(std::string_view OldCode, std::string_view NewCode);

    std::string_view TagName() const override { return FCodes->TagName(); }
    void WriteTags(TXmlStream& Writer) const override;
    void Clear(bool WithDefaults) override;
    // The inner list reads the element and returns the reader to ReadParent.
    void BeginRead(TElementReader& Reader, Tdex6Node* ReadParent = nullptr) override;

protected:
    Tdex6DataLieferbareCodes(Tdex6Dataobject* Root, Tdex6Node* Parent, std::string_view Tag);

private:
    std::unique_ptr<Tdex6DataStrings> FCodes;
};

class Tdex6DataLieferbareGlaeser : public Tdex6DataLieferbareCodes {
public:
    // Always takes a new identifier.
    Tdex6DataLieferbareGlaeser(Tdex6Dataobject* Root, Tdex6Node* Parent, bool NewOID);
};

class Tdex6DataLieferbareBeschichtungen : public Tdex6DataLieferbareCodes {
public:
    // Always takes a new identifier.
    Tdex6DataLieferbareBeschichtungen(Tdex6Dataobject* Root, Tdex6Node* Parent, bool NewOID);
};

class Tdex6DataProduktgruppe : public TFieldObject<Tdex6DataProduktgruppe> {
public:
    // Always takes a new identifier.
    Tdex6DataProduktgruppe(Tdex6Dataobject* Root, Tdex6Node* Parent, bool NewOID);
    static std::span<const TField<Tdex6DataProduktgruppe>> Fields();

    std::string Bez;
    std::string BE;
    std::int32_t ID = 0;

    Tdex6DataLieferbareBeschichtungen* LieferbareBeschichtungen() const {
        return FLieferbareBeschichtungen.get();
    }
    Tdex6DataLieferbareGlaeser* LieferbareGlaeser() const { return FLieferbareGlaeser.get(); }

    std::string_view TagName() const override { return "DPG"; }
    void WriteTags(TXmlStream& Writer) const override;
    void ReadTag(TElementReader& Reader, TPartType PartType, std::string_view Name,
                 std::string_view Content) override;
    std::string ProtocolPrefix(int Action, std::string_view Name) const override;
    void Clear(bool WithDefaults) override;

private:
    std::unique_ptr<Tdex6DataLieferbareGlaeser> FLieferbareGlaeser;
    std::unique_ptr<Tdex6DataLieferbareBeschichtungen> FLieferbareBeschichtungen;
};

class Tdex6DataProduktgruppenliste : public Tdex6ObjectList<Tdex6DataProduktgruppe> {
public:
    using Tdex6ObjectList::Tdex6ObjectList;

    // A new group numbered with the smallest ID from 1 upwards that no group carries.
    Tdex6DataProduktgruppe* AddNumbered() { return AddWithFreeNumber(&Tdex6DataProduktgruppe::ID); }
    // The last group with this ID, or none.
    Tdex6DataProduktgruppe* FindByID(std::int32_t ID) const {
        return FindLast(&Tdex6DataProduktgruppe::ID, ID);
    }
    // The last group whose Bez equals Name ignoring case, or none.
    Tdex6DataProduktgruppe* FindByName(std::string_view Name) const;
    void RenameGlass(std::string_view OldCode, std::string_view NewCode);
    // An empty NewCode deletes the code from every group.
    void RenameCoating(std::string_view OldCode, std::string_view NewCode);

    std::string_view TagName() const override { return "DPGL"; }
    std::string_view ItemTag() const override { return "DPG"; }

protected:
    TCustomdex6Object* AddReadItem() override;
};

} // namespace kr6
