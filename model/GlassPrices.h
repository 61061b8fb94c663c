#pragma once

#include "model/ArenaObject.h"
#include "model/CodeTables.h"
#include "model/FieldTable.h"
#include "model/Formulas.h"
#include "model/GlassPriceKey.h"
#include "model/LastMatchIndex.h"
#include "model/ObjectList.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <memory_resource>
#include <new>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kr6 {

class Tdex6DataGlas;

// A price description's ID and the amount of a price for it.
struct TPriceAmount {
    std::int32_t PBID = 0;
    double Amount = 0;
};

// One amount of a glass for a sphere group, cylinder group, diameter, price
// description and delivery range.
class Tdex6DataGlasPreis final : public TCustomdex6Object {
public:
    // Always takes a new identifier.
    Tdex6DataGlasPreis(Tdex6Dataobject* Root, Tdex6Node* Parent, bool NewOID);
    // The price whose identifier is OID and whose formula takes the two after it, as a new
    // price took them.
    Tdex6DataGlasPreis(Tdex6Dataobject* Root, Tdex6Node* Parent, std::int32_t OID);
    ~Tdex6DataGlasPreis() override;
    // The keys first, KeyFieldCount of them.
    static std::span<const TField<Tdex6DataGlasPreis>> Fields();
    static constexpr std::size_t KeyFieldCount = 5;

    // Prices that have left their list's packed form live in their model's pool, or with
    // the general allocator when they have no model. A price is made only as
    // new (Root) Tdex6DataGlasPreis(Root, ...), as MakeListItem does it.
    static void* operator new(std::size_t Size, Tdex6Dataobject* Root);
    static void operator delete(void* Place, Tdex6Dataobject* Root) noexcept;
    static void operator delete(Tdex6DataGlasPreis* Price, std::destroying_delete_t) noexcept;

    // The keys of FindPrice. Its index takes a price's keys when it first meets the
    // price; a change after that must be reported with the list's KeysChanged.
    std::int32_t GCyl = 0;
    std::int32_t GSph = 0;
    // ID of the price description this amount fills.
    std::int32_t PBID = 0;
    std::int32_t LBI = 0;
    TDiameter GDM;
    // Where the amount came from; an amount set through SetPR is value 1.
    Tdex6PriceSource PQ = Tdex6PriceSource::Value0;

    TGlassPriceKey Key() const { return {GSph, GCyl, GDM, PBID, LBI}; }
    double PR() const { return FPR; }
    // Stores the amount and marks it as set (PQ value 1).
    void SetPR(double Amount);
    void SetGDM(const TDiameter& Diameter) { GDM = Diameter; }
    void SetLBI(std::int32_t Index) { LBI = Index; }

    // Made when first asked for: nearly every price keeps the default formula. Its
    // identifiers are taken with the price's, so they are the ones an eagerly made
    // formula would have had.
    Tdex6DataFormelLokalGlas* Formel();
    // The glass owning the price list; none outside a glass.
    Tdex6DataGlas* Glas() const;

    std::string_view TagName() const override { return "GP"; }
    void WriteTags(TXmlStream& Writer) const override;
    void ReadTag(TElementReader& Reader, TPartType PartType, std::string_view Name,
                 std::string_view Content) override;
    std::string ProtocolPrefix(int Action, std::string_view Name) const override;
    void Clear(bool WithDefaults) override;

private:
    void ReportKeysChanged() const;

    // First, to fill the room the keys leave before the amount.
    bool FFormelMade = false;
    double FPR = 0;
    // A price needs its formula's identifiers only until the formula is made, which then
    // holds them: the two share their room.
    union {
        Tdex6DataFormelLokalGlas::TOIDs FFormelOIDs;
        // Owned.
        Tdex6DataFormelLokalGlas* FFormel;
    };
};

template <>
std::unique_ptr<Tdex6DataGlasPreis> MakeListItem<Tdex6DataGlasPreis>(Tdex6Dataobject* Root,
                                                                     Tdex6Node* Parent);

// The prices of a glass. A large list holds tens of millions, nearly all as the import
// made them: an amount set for keys that the prices of one price line share, identifiers
// taken one after another, the default formula and no change date. Such prices are kept
// packed, some 14 bytes each, and become objects, all of the list's at once, only when one
// is asked for as an object: by Items, FindPrice, a new price, a deletion. Count, the
// element form and ForEachPrice read them packed.
class Tdex6DataGlasPreisListe final : public TCustomdex6ObjectList,
                                      public TArenaObject<Tdex6DataGlasPreisListe> {
public:
    using TItems = std::pmr::vector<std::unique_ptr<Tdex6DataGlasPreis>>;

    Tdex6DataGlasPreisListe(Tdex6Dataobject* Root, Tdex6Node* Parent);
    // The price list of Owner, which is asked for every price that is added.
    Tdex6DataGlasPreisListe(Tdex6Dataobject* Root, Tdex6DataGlas& Owner);
    ~Tdex6DataGlasPreisListe() override;

    int Count() const override;
    bool IsEmpty() const { return Count() == 0; }
    TCustomdex6Object* ItemAt(int Index) const override { return Items(Index); }
    // The price at Index, or none outside 0 to Count - 1.
    Tdex6DataGlasPreis* Items(int Index) const;
    Tdex6DataGlasPreis* AddNew() override;
    Tdex6DataGlasPreis* NewItem() { return AddNew(); }
    void Delete(int Index);
    void Reset(bool WithDefaults) override;
    // Room for Prices packed prices more, made from Lines price lines more.
    void Reserve(std::size_t Prices, std::size_t Lines);
    // What Reserve sets aside at most, for an arena that is to hold it.
    static std::size_t PackedBytes(std::size_t Prices, std::size_t Lines);
    TItems::const_iterator begin() const;
    TItems::const_iterator end() const;

    // The last price with exactly these keys. Without one, and with Create, a price is
    // added only when the owning glass uses both price groups and the root knows the
    // delivery range and the price description; otherwise none.
    Tdex6DataGlasPreis* FindPrice(std::int32_t GSph, std::int32_t GCyl, const TDiameter& GDM,
                                  std::int32_t PBID, std::int32_t LBI, bool Create);
    // FindPrice with Create for a caller that knows that no price has these keys: the
    // price is added under the same conditions, without looking for one.
    Tdex6DataGlasPreis* AddPrice(std::int32_t GSph, std::int32_t GCyl, const TDiameter& GDM,
                                 std::int32_t PBID, std::int32_t LBI);
    // AddPrice followed by SetPR(Amount) on the price, which stays packed; false when no
    // price is added.
    bool AddAmount(std::int32_t GSph, std::int32_t GCyl, const TDiameter& GDM, std::int32_t PBID,
                   std::int32_t LBI, double Amount);
    // AddAmount for each of Amounts, prices that share every key but the price description,
    // as those of one price line do; the shared keys are checked once. How many were added.
    std::size_t AddAmounts(std::int32_t GSph, std::int32_t GCyl, const TDiameter& GDM,
                           std::int32_t LBI, std::span<const TPriceAmount> Amounts);
    // Deletes every price of this price description.
    void DeleteByPBID(std::int32_t ID);
    // The keys of prices already in the list were changed by assigning their fields.
    void KeysChanged() { FIndex.Invalidate(); }
    // Fn(Key, Amount) for every price in order, packed or not.
    template <class TFn> void ForEachPrice(TFn&& Fn) const;
    Tdex6DataGlas* Glas() const;

    std::string_view TagName() const override { return "DEX"; }
    std::string_view ItemTag() const override { return "GP"; }
    void WriteItems(TXmlStream& Writer) const override;

private:
    // Prices of one price line: keys but the price description alike, identifiers three
    // apart from FirstOID on (a price's, its formula's, its calculation's), amounts and
    // price descriptions next to those of the run before. A price group is one of 0 to 50,
    // the only ones a glass can use.
    struct TRun {
        std::int32_t FirstOID;
        std::int32_t LBI;
        TDiameter GDM;
        std::uint8_t GSph;
        std::uint8_t GCyl;
        std::uint8_t Count;
    };
    static constexpr std::int32_t OIDsPerPrice = 3;
    static std::int32_t OIDOf(const TRun& Run, std::size_t InRun) {
        return Run.FirstOID + static_cast<std::int32_t>(InRun) * OIDsPerPrice;
    }

    bool Accepts(std::int32_t GSph, std::int32_t GCyl, std::int32_t PBID, std::int32_t LBI) const;
    // Accepts without the price description.
    bool AcceptsKeys(std::int32_t GSph, std::int32_t GCyl, std::int32_t LBI) const;
    // The packed prices become objects, in their order, with their identifiers.
    void Unpack() const;
    // Price takes the keys and the amount of the packed price at Index, of Run.
    void Fill(Tdex6DataGlasPreis& Price, const TRun& Run, std::size_t Index) const;
    // Fn(Run, index in the run, index in the list) for every packed price.
    template <class TFn> void ForEachPacked(TFn&& Fn) const;

    // Either prices are packed or they are objects; reading the list as objects turns the
    // packed ones into objects, which changes its form, not its content.
    mutable TItems FItems;
    mutable std::pmr::vector<TRun> FRuns;
    mutable std::pmr::vector<double> FAmounts;
    // Price descriptions are numbered from 1; one above 255 makes the list objects.
    mutable std::pmr::vector<std::uint8_t> FPBIDs;
    mutable TLastMatchIndex<TGlassPriceKey, Tdex6DataGlasPreis, TGlassPriceKeyHash> FIndex;
    Tdex6DataGlas* FOwner = nullptr;
};

template <class TFn> void Tdex6DataGlasPreisListe::ForEachPacked(TFn&& Fn) const {
    std::size_t Price = 0;
    for (const TRun& Run : FRuns)
        for (std::size_t InRun = 0; InRun < Run.Count; ++InRun, ++Price)
            Fn(Run, InRun, Price);
}

template <class TFn> void Tdex6DataGlasPreisListe::ForEachPrice(TFn&& Fn) const {
    for (const auto& Price : FItems)
        Fn(Price->Key(), Price->PR());
    ForEachPacked([&](const TRun& Run, std::size_t /*InRun*/, std::size_t Price) {
        Fn(TGlassPriceKey{Run.GSph, Run.GCyl, Run.GDM, FPBIDs[Price], Run.LBI}, FAmounts[Price]);
    });
}

} // namespace kr6
