#pragma once

#include "model/ArenaObject.h"
#include "model/CodeTables.h"
#include "model/CodedList.h"
#include "model/FieldTable.h"
#include "model/LastMatchIndex.h"
#include "model/ObjectList.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace kr6 {

class Tdex6DataBeschichtung;
class Tdex6DataFormelLokalBeschichtung;

// Colour value with red in the low byte, then green, then blue.
using TColorValue = std::uint32_t;

// A colour in which a coating can be supplied.
class Tdex6DataFarbe : public TCustomdex6Object {
public:
    static constexpr int DescriptionCount = 10;

    Tdex6DataFarbe(Tdex6Dataobject* Root, Tdex6Node* Parent, bool NewOID);
    // The plain fields, written after the code and the descriptions.
    static std::span<const TField<Tdex6DataFarbe>> Fields();

    std::uint8_t AbV = 0;
    std::uint8_t AbO = 0;
    std::string EDV;
    TColorValue RGBUnten = 0;
    TColorValue RGBOben = 0;
    TColorValue RGBMitte = 0;
    std::uint8_t FK = 0;
    double UVK = 0;
    double UVA = 0;
    double UVB = 0;
    Tdex6RoadTraffic Stvo{};

    // Index 1 to 10; outside it the empty text and no change.
    const std::string& GetB(int Index) const { return FB.Get(Index); }
    void SetB(int Index, std::string_view Text) { FB.Set(Index, Text); }

    // The coating owning the colour list, or none.
    Tdex6DataBeschichtung* Beschichtung() const;

    std::string_view TagName() const override { return "DFA"; }
    void WriteTags(TXmlStream& Writer) const override;
    void ReadTag(TElementReader& Reader, TPartType PartType, std::string_view Name,
                 std::string_view Content) override;
    std::string ProtocolPrefix(int Action, std::string_view Name) const override;
    void Clear(bool WithDefaults) override;

private:
    TNumberedTexts<DescriptionCount> FB;
};

class Tdex6DataFarbListe : public Tdex6ObjectList<Tdex6DataFarbe> {
public:
    using Tdex6ObjectList::Tdex6ObjectList;

    bool HasItems() const { return !IsEmpty(); }

    std::string_view TagName() const override { return "DFL"; }
    std::string_view ItemTag() const override { return "DFA"; }
};

// A coating price: general (keyed by ST, MAT, EM and PBID) or special for the glass Edv
// (keyed by Edv and PBID).
class Tdex6DataBeschichtungspreis final : public TCustomdex6Object,
                                          public TArenaObject<Tdex6DataBeschichtungspreis> {
public:
    // Always takes a new identifier.
    Tdex6DataBeschichtungspreis(Tdex6Dataobject* Root, Tdex6Node* Parent, bool NewOID);
    ~Tdex6DataBeschichtungspreis() override;
    // The keys first, KeyFieldCount of them.
    static std::span<const TField<Tdex6DataBeschichtungspreis>> Fields();
    static constexpr std::size_t KeyFieldCount = 5;

    // The keys of FindPrice. Its index takes a price's keys when it first meets the
    // price; a change after that must be reported with the list's KeysChanged.
    std::string Edv;
    Tdex6SphTor ST{};
    Tdex6Material MAT{};
    Tdex6SingleMulti EM{};
    std::int32_t PBID = 0;
    Tdex6PriceSource PQ{};

    double PR() const { return FPR; }
    // Stores the amount and marks it as entered (PQ 1).
    void SetPR(double Amount);

    Tdex6DataFormelLokalBeschichtung* FormelLokal() const { return FFormelLokal.get(); }
    // The coating owning the price list, or none.
    Tdex6DataBeschichtung* Beschichtung() const;
    // A special price takes the material of its glass when the glass is known.
    Tdex6Material EffectiveMAT() const;
    // A special price applies to every lens type.
    Tdex6SingleMulti EffectiveEM() const;

    std::string_view TagName() const override { return "BP"; }
    void WriteTags(TXmlStream& Writer) const override;
    void ReadTag(TElementReader& Reader, TPartType PartType, std::string_view Name,
                 std::string_view Content) override;
    std::string ProtocolPrefix(int Action, std::string_view Name) const override;
    void Clear(bool WithDefaults) override;

private:
    void ReportKeysChanged() const;

    double FPR = 0;
    std::unique_ptr<Tdex6DataFormelLokalBeschichtung> FFormelLokal;
};

// What FindPrice compares for a special price: the glass code under SameText.
struct TSpecialPriceKey {
    std::string Code;
    std::int32_t PBID = 0;

    friend bool operator==(const TSpecialPriceKey&, const TSpecialPriceKey&) = default;
};

// What FindPrice compares for a general price (whose material is its own).
struct TGeneralPriceKey {
    Tdex6SphTor ST{};
    Tdex6Material MAT{};
    Tdex6SingleMulti EM{};
    std::int32_t PBID = 0;

    friend bool operator==(const TGeneralPriceKey&, const TGeneralPriceKey&) = default;
};

struct TCoatingPriceKeyHash {
    std::size_t operator()(const TSpecialPriceKey& Key) const noexcept;
    std::size_t operator()(const TGeneralPriceKey& Key) const noexcept;
};

class Tdex6DataBeschichtungspreisListe : public Tdex6ObjectList<Tdex6DataBeschichtungspreis> {
public:
    using Tdex6ObjectList::Tdex6ObjectList;
    ~Tdex6DataBeschichtungspreisListe() override;

    // The last matching price: with a glass code the special price of that glass and
    // PBID, otherwise the general price of ST, MAT, EM and PBID. A general request for
    // material "egal" gives none. With Create a missing price is made, provided the list
    // has a parent and the root knows the price description PBID.
    Tdex6DataBeschichtungspreis* FindPrice(Tdex6SphTor ST, Tdex6SingleMulti EM, bool Create,
                                           std::string_view GlassCode, std::int32_t PBID,
                                           Tdex6Material MAT);
    // Frees every price of the price description ID.
    void DeleteByPBID(std::int32_t ID) { DeleteAll(&Tdex6DataBeschichtungspreis::PBID, ID); }
    // The keys of prices already in the list were changed by assigning their fields.
    void KeysChanged();

    std::string_view TagName() const override { return "BPL"; }
    std::string_view ItemTag() const override { return "BP"; }

private:
    TLastMatchIndex<TSpecialPriceKey, Tdex6DataBeschichtungspreis, TCoatingPriceKeyHash>
        FSpecialIndex;
    TLastMatchIndex<TGeneralPriceKey, Tdex6DataBeschichtungspreis, TCoatingPriceKeyHash>
        FGeneralIndex;
};

} // namespace kr6
