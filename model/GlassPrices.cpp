#include "model/GlassPrices.h"

#include "model/Addresses.h"
#include "model/DeliveryRanges.h"
#include "model/ElementReader.h"
#include "model/FieldTable.h"
#include "model/Glasses.h"
#include "model/Root.h"
#include "support/TextCompare.h"
#include "texts/Language.h"

#include <limits>
#include <optional>
#include <utility>

namespace kr6 {

Tdex6DataGlasPreis::Tdex6DataGlasPreis(Tdex6Dataobject* Root, Tdex6Node* Parent, bool /*NewOID*/)
    : TCustomdex6Object(Root, Parent, true),
      FFormelOIDs(Tdex6DataFormelLokalGlas::ReserveOIDs(Root)) {
    Tdex6DataGlasPreis::Clear(false);
}

Tdex6DataGlasPreis::Tdex6DataGlasPreis(Tdex6Dataobject* Root, Tdex6Node* Parent, std::int32_t OID)
    : TCustomdex6Object(Root, Parent, false), FFormelOIDs{OID + 1, OID + 2} {
    SetOID(OID);
    Tdex6DataGlasPreis::Clear(false);
}

Tdex6DataFormelLokalGlas* Tdex6DataGlasPreis::Formel() {
    if (!FFormelMade) {
        FFormel = new Tdex6DataFormelLokalGlas(Root(), this, FFormelOIDs);
        FFormelMade = true;
    }
    return FFormel;
}

void* Tdex6DataGlasPreis::operator new(std::size_t Size, Tdex6Dataobject* Root) {
    return Root != nullptr ? Root->GlassPricePool().Allocate() : ::operator new(Size);
}

void Tdex6DataGlasPreis::operator delete(void* Place, Tdex6Dataobject* Root) noexcept {
    if (Root != nullptr)
        Root->GlassPricePool().Free(Place);
    else
        ::operator delete(Place);
}

// The model is read before the price is gone: it says where the memory goes back to.
void Tdex6DataGlasPreis::operator delete(Tdex6DataGlasPreis* Price,
                                         std::destroying_delete_t) noexcept {
    Tdex6Dataobject* const Root = Price->Root();
    Price->~Tdex6DataGlasPreis();
    operator delete(static_cast<void*>(Price), Root);
}

template <>
std::unique_ptr<Tdex6DataGlasPreis> MakeListItem<Tdex6DataGlasPreis>(Tdex6Dataobject* Root,
                                                                     Tdex6Node* Parent) {
    return std::unique_ptr<Tdex6DataGlasPreis>(new (Root) Tdex6DataGlasPreis(Root, Parent, true));
}

Tdex6DataGlasPreis::~Tdex6DataGlasPreis() {
    ReportKeysChanged();
    if (FFormelMade)
        delete FFormel;
}

void Tdex6DataGlasPreis::ReportKeysChanged() const {
    if (auto* List = dynamic_cast<Tdex6DataGlasPreisListe*>(Parent()))
        List->KeysChanged();
}

void Tdex6DataGlasPreis::SetPR(double Amount) {
    FPR = Amount;
    PQ = Tdex6PriceSource::Value1;
}

Tdex6DataGlas* Tdex6DataGlasPreis::Glas() const {
    return OwnerOf<Tdex6DataGlas, Tdex6DataGlasPreisListe>(Parent());
}

void Tdex6DataGlasPreis::WriteTags(TXmlStream& Writer) const {
    TCustomdex6Object::WriteTags(Writer);
    WriteFields<Tdex6DataGlasPreis>(Writer, *this, Fields());
    if (FFormelMade) {
        FFormel->WriteXml(Writer);
    } else {
        // The formula that would be made, written without keeping it.
        const Tdex6DataFormelLokalGlas Default(nullptr, nullptr, FFormelOIDs);
        Default.WriteXml(Writer);
    }
}

void Tdex6DataGlasPreis::ReadTag(TElementReader& Reader, TPartType PartType, std::string_view Name,
                                 std::string_view Content) {
    TCustomdex6Object::ReadTag(Reader, PartType, Name, Content);
    if (PartType == TPartType::StartTag) {
        if (SameText(Name, Tdex6DataFormelLokalGlas::Tag))
            Formel()->BeginRead(Reader, this);
        return;
    }
    if (!IsContent(PartType))
        return;
    if (ReadField<Tdex6DataGlasPreis>(*this, Fields().first(KeyFieldCount), Name, Content))
        ReportKeysChanged();
    else
        ReadField<Tdex6DataGlasPreis>(*this, Fields().subspan(KeyFieldCount), Name, Content);
}

std::span<const TField<Tdex6DataGlasPreis>> Tdex6DataGlasPreis::Fields() {
    using P = Tdex6DataGlasPreis;
    static constexpr TField<P> Table[] = {
        IntField<&P::GSph>("GSph"),
        IntField<&P::GCyl>("GCyl"),
        DiameterField<&P::GDM>("GDM"),
        IntField<&P::LBI>("LBI"),
        IntField<&P::PBID>("PBID"),
        FloatField<&P::FPR>("PR"),
        CodeField<&P::PQ, Tdex6PriceSource::Value0>("PQ"),
    };
    return Table;
}

std::string Tdex6DataGlasPreis::ProtocolPrefix(int Action, std::string_view /*Name*/) const {
    std::string Result = TCustomdex6Object::ProtocolPrefix(
        Action, GetText(308) + " " + std::to_string(GSph) + "/" + std::to_string(GCyl));
    if (const Tdex6DataGlas* Owner = Glas())
        Result += "  " + Owner->GetB(1) + "(" + Owner->EDV() + ")";
    return Result;
}

void Tdex6DataGlasPreis::Clear(bool WithDefaults) {
    const bool KeyWasSet = Key() != TGlassPriceKey{};
    ResetFields<Tdex6DataGlasPreis>(*this, Fields());
    if (KeyWasSet)
        ReportKeysChanged();
    if (FFormelMade)
        FFormel->Clear(WithDefaults);
}

std::size_t TGlassPriceKeyHash::operator()(const TGlassPriceKey& Key) const noexcept {
    std::size_t Hash = 0;
    for (const std::int32_t Part : {Key.GSph, Key.GCyl, Key.GDM.First, Key.GDM.Second,
                                    std::int32_t{Key.GDM.Elliptical}, Key.PBID, Key.LBI})
        Hash = Hash * 1000003U ^ static_cast<std::uint32_t>(Part);
    return Hash;
}

// --- Tdex6DataGlasPreisListe ---

Tdex6DataGlasPreisListe::Tdex6DataGlasPreisListe(Tdex6Dataobject* Root, Tdex6Node* Parent)
    : TCustomdex6ObjectList(Root, Parent), FItems(ArenaOf(Root)), FRuns(ArenaOf(Root)),
      FAmounts(ArenaOf(Root)), FPBIDs(ArenaOf(Root)) {}

Tdex6DataGlasPreisListe::Tdex6DataGlasPreisListe(Tdex6Dataobject* Root, Tdex6DataGlas& Owner)
    : Tdex6DataGlasPreisListe(Root, static_cast<Tdex6Node*>(&Owner)) {
    FOwner = &Owner;
}

Tdex6DataGlasPreisListe::~Tdex6DataGlasPreisListe() {
    // The prices report their going to this list, so they go before it does.
    FItems.clear();
}

int Tdex6DataGlasPreisListe::Count() const {
    return static_cast<int>(FItems.size() + FAmounts.size());
}

Tdex6DataGlasPreis* Tdex6DataGlasPreisListe::Items(int Index) const {
    Unpack();
    return Index >= 0 && Index < Count() ? FItems[static_cast<std::size_t>(Index)].get() : nullptr;
}

Tdex6DataGlasPreis* Tdex6DataGlasPreisListe::AddNew() {
    Unpack();
    FItems.push_back(MakeListItem<Tdex6DataGlasPreis>(Root(), this));
    return FItems.back().get();
}

void Tdex6DataGlasPreisListe::Delete(int Index) {
    Unpack();
    FItems.erase(FItems.begin() + Index);
}

void Tdex6DataGlasPreisListe::Reset(bool /*WithDefaults*/) {
    FItems.clear();
    FRuns.clear();
    FAmounts.clear();
    FPBIDs.clear();
}

void Tdex6DataGlasPreisListe::Reserve(std::size_t Prices, std::size_t Lines) {
    FRuns.reserve(FRuns.size() + Lines);
    FAmounts.reserve(FAmounts.size() + Prices);
    FPBIDs.reserve(FPBIDs.size() + Prices);
}

std::size_t Tdex6DataGlasPreisListe::PackedBytes(std::size_t Prices, std::size_t Lines) {
    return Lines * sizeof(TRun) + Prices * (sizeof(double) + sizeof(std::uint8_t));
}

Tdex6DataGlasPreisListe::TItems::const_iterator Tdex6DataGlasPreisListe::begin() const {
    Unpack();
    return FItems.begin();
}

Tdex6DataGlasPreisListe::TItems::const_iterator Tdex6DataGlasPreisListe::end() const {
    Unpack();
    return FItems.end();
}

Tdex6DataGlasPreis* Tdex6DataGlasPreisListe::FindPrice(std::int32_t GSph, std::int32_t GCyl,
                                                       const TDiameter& GDM, std::int32_t PBID,
                                                       std::int32_t LBI, bool Create) {
    Unpack();
    Tdex6DataGlasPreis* Found =
        FIndex.Find(FItems, {GSph, GCyl, GDM, PBID, LBI}, [](const Tdex6DataGlasPreis& Price) {
            return std::optional<TGlassPriceKey>(Price.Key());
        });
    if (Found != nullptr || !Create)
        return Found;
    return AddPrice(GSph, GCyl, GDM, PBID, LBI);
}

bool Tdex6DataGlasPreisListe::AcceptsKeys(std::int32_t GSph, std::int32_t GCyl,
                                          std::int32_t LBI) const {
    const Tdex6DataGlas* Owner = Glas();
    if (Owner == nullptr || Root() == nullptr)
        return false;
    if (!Owner->Preisgruppen()->GetS(GSph) || !Owner->Preisgruppen()->GetC(GCyl))
        return false;
    return Root()->Lieferbereichsbezeichnungsliste()->FindByID(LBI) != nullptr;
}

bool Tdex6DataGlasPreisListe::Accepts(std::int32_t GSph, std::int32_t GCyl, std::int32_t PBID,
                                      std::int32_t LBI) const {
    return AcceptsKeys(GSph, GCyl, LBI) &&
           Root()->Preisbezeichnungsliste()->FindByID(PBID) != nullptr;
}

Tdex6DataGlasPreis* Tdex6DataGlasPreisListe::AddPrice(std::int32_t GSph, std::int32_t GCyl,
                                                      const TDiameter& GDM, std::int32_t PBID,
                                                      std::int32_t LBI) {
    if (!Accepts(GSph, GCyl, PBID, LBI))
        return nullptr;
    Tdex6DataGlasPreis* Price = NewItem();
    Price->GSph = GSph;
    Price->GCyl = GCyl;
    Price->GDM = GDM;
    Price->PBID = PBID;
    Price->LBI = LBI;
    return Price;
}

bool Tdex6DataGlasPreisListe::AddAmount(std::int32_t GSph, std::int32_t GCyl, const TDiameter& GDM,
                                        std::int32_t PBID, std::int32_t LBI, double Amount) {
    const TPriceAmount Price{PBID, Amount};
    return AddAmounts(GSph, GCyl, GDM, LBI, {&Price, 1}) == 1;
}

std::size_t Tdex6DataGlasPreisListe::AddAmounts(std::int32_t GSph, std::int32_t GCyl,
                                                const TDiameter& GDM, std::int32_t LBI,
                                                std::span<const TPriceAmount> Amounts) {
    if (!AcceptsKeys(GSph, GCyl, LBI))
        return 0;
    // The price descriptions 0 to 63 that the root knows, in one pass over them rather
    // than one search for each amount.
    const Tdex6DataPreisbezeichnungsliste& Descriptions = *Root()->Preisbezeichnungsliste();
    constexpr std::int32_t Marked = 64;
    std::uint64_t Known = 0;
    for (const auto& Description : Descriptions)
        if (Description->ID >= 0 && Description->ID < Marked)
            Known |= std::uint64_t{1} << Description->ID;
    const auto IsKnown = [&](std::int32_t PBID) {
        return PBID >= 0 && PBID < Marked ? ((Known >> PBID) & 1) != 0
                                          : Descriptions.FindByID(PBID) != nullptr;
    };
    constexpr std::int32_t LargestPacked = std::numeric_limits<std::uint8_t>::max();
    std::size_t Added = 0;
    for (const auto& [PBID, Amount] : Amounts) {
        if (!IsKnown(PBID))
            continue;
        ++Added;
        if (!FItems.empty() || PBID < 0 || PBID > LargestPacked) {
            AddPrice(GSph, GCyl, GDM, PBID, LBI)->SetPR(Amount);
            continue;
        }
        // The identifiers a new price and its formula would take.
        const std::int32_t OID = Root()->NewOID();
        for (int Other = 1; Other < OIDsPerPrice; ++Other)
            Root()->NewOID();
        const auto Sph = static_cast<std::uint8_t>(GSph);
        const auto Cyl = static_cast<std::uint8_t>(GCyl);
        if (FRuns.empty() || FRuns.back().Count == LargestPacked || FRuns.back().GSph != Sph ||
            FRuns.back().GCyl != Cyl || FRuns.back().LBI != LBI || !(FRuns.back().GDM == GDM) ||
            OIDOf(FRuns.back(), FRuns.back().Count) != OID)
            FRuns.push_back({OID, LBI, GDM, Sph, Cyl, 0});
        ++FRuns.back().Count;
        FAmounts.push_back(Amount);
        FPBIDs.push_back(static_cast<std::uint8_t>(PBID));
    }
    return Added;
}

void Tdex6DataGlasPreisListe::DeleteByPBID(std::int32_t ID) {
    Unpack();
    for (int I = Count() - 1; I >= 0; --I) {
        if (FItems[static_cast<std::size_t>(I)]->PBID == ID)
            Delete(I);
    }
}

void Tdex6DataGlasPreisListe::Fill(Tdex6DataGlasPreis& Price, const TRun& Run,
                                   std::size_t Index) const {
    Price.GSph = Run.GSph;
    Price.GCyl = Run.GCyl;
    Price.GDM = Run.GDM;
    Price.PBID = FPBIDs[Index];
    Price.LBI = Run.LBI;
    Price.SetPR(FAmounts[Index]);
}

void Tdex6DataGlasPreisListe::Unpack() const {
    if (FAmounts.empty())
        return;
    // The prices' parent is the list, which reading them as objects does not change.
    auto* const Self = const_cast<Tdex6DataGlasPreisListe*>(this);
    FItems.reserve(FItems.size() + FAmounts.size());
    ForEachPacked([&](const TRun& Run, std::size_t InRun, std::size_t Index) {
        std::unique_ptr<Tdex6DataGlasPreis> Price(
            new (Root()) Tdex6DataGlasPreis(Root(), Self, OIDOf(Run, InRun)));
        Fill(*Price, Run, Index);
        FItems.push_back(std::move(Price));
    });
    // The memory of the packed form goes back; a list that has become objects seldom
    // takes packed prices again.
    decltype(FRuns)(FRuns.get_allocator()).swap(FRuns);
    decltype(FAmounts)(FAmounts.get_allocator()).swap(FAmounts);
    decltype(FPBIDs)(FPBIDs.get_allocator()).swap(FPBIDs);
    FIndex.Invalidate();
}

void Tdex6DataGlasPreisListe::WriteItems(TXmlStream& Writer) const {
    for (const auto& Price : FItems)
        Price->WriteXml(Writer);
    // A packed price writes what it writes as an object.
    ForEachPacked([&](const TRun& Run, std::size_t InRun, std::size_t Index) {
        Tdex6DataGlasPreis Price(nullptr, nullptr, OIDOf(Run, InRun));
        Fill(Price, Run, Index);
        Price.WriteXml(Writer);
    });
}

Tdex6DataGlas* Tdex6DataGlasPreisListe::Glas() const {
    return FOwner != nullptr ? FOwner : dynamic_cast<Tdex6DataGlas*>(Parent());
}

} // namespace kr6
