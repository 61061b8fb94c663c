#pragma once

#include "model/CodeTables.h"
#include "model/FieldTable.h"
#include "model/ObjectList.h"
#include "model/ProductGroups.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace kr6 {

// What one price field of the glass and coating prices means. Prices name it by ID.
class Tdex6DataPreisbezeichnung : public TFieldObject<Tdex6DataPreisbezeichnung> {
public:
    // Always takes a new identifier.
    Tdex6DataPreisbezeichnung(Tdex6Dataobject* Root, Tdex6Node* Parent, bool NewOID);
    static std::span<const TField<Tdex6DataPreisbezeichnung>> Fields();

    std::string BEZ;
    std::string WNK;
    std::string WVK;
    std::string BE;
    std::int32_t ID = 0;
    Tdex6PriceField PFT = Tdex6PriceField::ListenEK;

    std::string_view TagName() const override { return "DPB"; }
    std::string ProtocolPrefix(int Action, std::string_view Name) const override;
};

class Tdex6DataPreisbezeichnungsliste : public Tdex6ObjectList<Tdex6DataPreisbezeichnung> {
public:
    using Tdex6ObjectList::Tdex6ObjectList;

    // A new description with the smallest free ID from 1 upwards.
    Tdex6DataPreisbezeichnung* NewItem() {
        return AddWithFreeNumber(&Tdex6DataPreisbezeichnung::ID);
    }
    // The last description with this ID, or none.
    Tdex6DataPreisbezeichnung* FindByID(std::int32_t ID) const {
        return FindLast(&Tdex6DataPreisbezeichnung::ID, ID);
    }
    // Deletes the description together with every glass and coating price naming it.
    bool Remove(Tdex6DataPreisbezeichnung* Item) override;
    // With defaults: "Listen EK" (ID 1) and "empf. VK" (ID 2).
    void Reset(bool WithDefaults) override;
    // Deletes every description whose PFT is "nicht gefüllt".
    void DeleteEmpty();

    std::string_view TagName() const override { return "DPBL"; }
    std::string_view ItemTag() const override { return "DPB"; }

private:
    void DeletePricesOf(std::int32_t ID);

protected:
    TCustomdex6Object* AddReadItem() override;
};

// The maker's address and the settings of the price list as a whole.
class Tdex6DataAdresse : public TFieldObject<Tdex6DataAdresse> {
public:
    // Always takes a new identifier.
    Tdex6DataAdresse(Tdex6Dataobject* Root, Tdex6Node* Parent, bool NewOID);
    static std::span<const TField<Tdex6DataAdresse>> Fields();

    std::string FaxBest;
    std::string FaxZent;
    TDateTime GA = 0;
    TDateTime GB = 0;
    std::string EDV;
    std::string MailTo;
    std::string Name;
    std::string Name1;
    std::string Name2;
    std::string EDV2;
    std::string Url;
    std::string LAND;
    std::string Ort;
    std::string Plz;
    std::string PlzPf;
    std::string PF;
    std::int32_t PrBezId1 = 0;
    std::int32_t PrBezId2 = 0;
    std::int32_t PrBezId3 = 0;
    std::int32_t PrBezId4 = 0;
    std::int32_t PrBezId5 = 0;
    // True for plus cylinder ("+"), false for minus cylinder ("-").
    bool PrDefCyl = true;
    std::string Str;
    std::string TelBest;
    std::string TelZent;
    std::string Comment;
    std::string WNK;
    std::string WVK;
    std::string UIDM;

    std::int32_t BEZNR() const { return FBEZNR; }
    // Clamped to 1 to 3.
    void SetBEZNR(std::int32_t Value);

    Tdex6DataLieferbareGlaeser* LieferbareGlaeser() const { return FLieferbareGlaeser.get(); }
    Tdex6DataLieferbareBeschichtungen* LieferbareBeschichtungen() const {
        return FLieferbareBeschichtungen.get();
    }

    // Padded: EDV and EDV2, each cut or blank-filled to three characters, joined.
    // Otherwise EDV, then Separator and EDV2 when EDV2 is not empty.
    std::string EDVText(std::string_view Separator, bool Padded) const;
    // The language code of description set BEZNR; empty without a root.
    std::string Language() const;

    std::string_view TagName() const override { return "DA"; }
    void WriteTags(TXmlStream& Writer) const override;
    void ReadTag(TElementReader& Reader, TPartType PartType, std::string_view Name,
                 std::string_view Content) override;
    std::string ProtocolPrefix(int Action, std::string_view Name) const override;
    // PrBezId1 and PrBezId2 point at descriptions 1 and 2 when the root has them.
    void Clear(bool WithDefaults) override;

private:
    std::int32_t FBEZNR = 1;
    std::unique_ptr<Tdex6DataLieferbareGlaeser> FLieferbareGlaeser;
    std::unique_ptr<Tdex6DataLieferbareBeschichtungen> FLieferbareBeschichtungen;
};

class Tdex6DataAdressliste : public Tdex6ObjectList<Tdex6DataAdresse> {
public:
    using Tdex6ObjectList::Tdex6ObjectList;

    std::string_view TagName() const override { return "DAL"; }
    std::string_view ItemTag() const override { return "DA"; }
};

} // namespace kr6
