#pragma once

#include "model/ArenaObject.h"
#include "model/FieldTable.h"
#include "model/ObjectList.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kr6 {

// Name of one delivery range; ID is the delivery-range index of prices and formulas.
class Tdex6DataLieferbereichsbezeichnung : public TFieldObject<Tdex6DataLieferbereichsbezeichnung> {
public:
    // Always takes a new identifier.
    Tdex6DataLieferbereichsbezeichnung(Tdex6Dataobject* Root, Tdex6Node* Parent, bool NewOID);
    static std::span<const TField<Tdex6DataLieferbereichsbezeichnung>> Fields();

    std::string Bez;
    std::int32_t ID = 0;

    std::string_view TagName() const override { return "LBB"; }
    std::string ProtocolPrefix(int Action, std::string_view Name) const override;
};

// With defaults the list holds the standard delivery range, ID 0.
class Tdex6DataLieferbereichsbezeichnungsliste
    : public Tdex6ObjectList<Tdex6DataLieferbereichsbezeichnung> {
public:
    using Tdex6ObjectList::Tdex6ObjectList;

    // A new entry numbered with NextID.
    Tdex6DataLieferbereichsbezeichnung* AddNumbered();
    // The standard delivery range, ID 0.
    Tdex6DataLieferbereichsbezeichnung* AddDefault();
    // One above the largest ID, at least 1.
    std::int32_t NextID() const { return NextNumber(&Tdex6DataLieferbereichsbezeichnung::ID); }
    // The last entry with this ID, or none.
    Tdex6DataLieferbereichsbezeichnung* FindByID(std::int32_t ID) const {
        return FindLast(&Tdex6DataLieferbereichsbezeichnung::ID, ID);
    }

    std::string_view TagName() const override { return "LBBL"; }
    std::string_view ItemTag() const override { return "LBB"; }
    void Reset(bool WithDefaults) override;

protected:
    TCustomdex6Object* AddReadItem() override;
};

// The sphere (0..50) and cylinder (0..10) price groups a glass's prices use. Cylinder
// flags above 10 can be set but are not part of the element form.
class Tdex6DataPreisgruppen final : public TCustomdex6Object,
                                    public TArenaObject<Tdex6DataPreisgruppen> {
public:
    static constexpr int MaxIndex = 50;
    static constexpr int MaxWrittenC = 10;

    // Always takes a new identifier.
    Tdex6DataPreisgruppen(Tdex6Dataobject* Root, Tdex6Node* Parent, bool NewOID);

    // False outside 0..50.
    bool GetS(int Index) const;
    bool GetC(int Index) const;
    // Ignored outside 0..50.
    void SetS(int Index, bool Value);
    void SetC(int Index, bool Value);

    std::string_view TagName() const override { return "PG"; }
    void WriteTags(TXmlStream& Writer) const override;
    void ReadTag(TElementReader& Reader, TPartType PartType, std::string_view Name,
                 std::string_view Content) override;
    std::string ProtocolPrefix(int Action, std::string_view Name) const override;
    void Clear(bool WithDefaults) override;

private:
    // Two blanks, the first description and "(code)" of the owning glass; empty without
    // one.
    std::string OwnerGlassText() const;

    std::array<bool, MaxIndex + 1> FS{};
    std::array<bool, MaxIndex + 1> FC{};
};

// Limits, in whole dioptres, of the cylinder groups and the prism groups.
class Tdex6DataPrismenCylinder : public TFieldObject<Tdex6DataPrismenCylinder> {
public:
    // Always takes a new identifier.
    Tdex6DataPrismenCylinder(Tdex6Dataobject* Root, Tdex6Node* Parent, bool NewOID);
    static std::span<const TField<Tdex6DataPrismenCylinder>> Fields();

    std::int32_t PG2 = 6;
    std::int32_t ZB = 4;
    std::int32_t PG1 = 3;
    std::int32_t PG3 = 10;
    // 0: group 5 is not used.
    std::int32_t PG5 = 0;
    std::int32_t PG4 = 15;
    std::int32_t ZG1 = 6;
    std::int32_t ZG2 = 8;

    std::string_view TagName() const override { return "PC"; }
    std::string ProtocolPrefix(int Action, std::string_view Name) const override;
};

} // namespace kr6
