#include "model/Protocol.h"

#include "model/ElementReader.h"
#include "model/Root.h"
#include "support/Conversions.h"
#include "support/TextCompare.h"

namespace kr6 {

Tdex6DataProtokoll::Tdex6DataProtokoll(Tdex6Dataobject* Root, Tdex6Node* Parent, bool /*NewOID*/)
    : TFieldObject(Root, Parent, false) {
    Tdex6DataProtokoll::Clear(false);
}

std::span<const TField<Tdex6DataProtokoll>> Tdex6DataProtokoll::Fields() {
    using P = Tdex6DataProtokoll;
    static constexpr TField<P> Table[] = {
        DateTimeField<&P::D>("D"),
        TextField<&P::B>("B"),
        TextField<&P::U>("U"),
    };
    return Table;
}

void Tdex6DataProtokoll::WriteTags(TXmlStream& Writer) const {
    TCustomdex6Object::WriteTags(Writer);
    WriteIntElement(Writer, "O", OID());
    WriteFields<Tdex6DataProtokoll>(Writer, *this, Fields());
}

void Tdex6DataProtokoll::ReadTag(TElementReader& Reader, TPartType PartType, std::string_view Name,
                                 std::string_view Content) {
    TFieldObject::ReadTag(Reader, PartType, Name, Content);
    if (IsContent(PartType) && SameText(Name, "O"))
        SetOID(TextToInt(Content));
}

Tdex6DataProtokoll* Tdex6DataProtokollliste::AddEntry(std::int32_t ObjectOID, std::string_view Text,
                                                      TDateTime Date, std::string_view UserName) {
    Tdex6DataProtokoll* Entry = AddNew();
    if (Root() != nullptr)
        Root()->SetModified(true);
    Entry->SetOID(ObjectOID);
    Entry->B = Text;
    Entry->U = UserName.empty() ? std::string_view("Der Benutzer") : UserName;
    Entry->D = Date != 0 ? Date : Now();
    return Entry;
}

TCustomdex6Object* Tdex6DataProtokollliste::AddReadItem() {
    Tdex6DataProtokoll* Entry = AddNew();
    if (Root() != nullptr)
        Root()->SetModified(true);
    return Entry;
}

} // namespace kr6
