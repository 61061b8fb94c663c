#include "model/Protocol.h"

#include "model/ElementReader.h"
#include "model/Root.h"
#include "support/Conversions.h"
#include "support/TextCompare.h"

namespace kr6 {

Tdex6DataProtokoll::Tdex6DataProtokoll(Tdex6Dataobject* Root, Tdex6Node* Parent, bool /*NewOID*/)
    : TCustomdex6Object(Root, Parent, false) {
    Tdex6DataProtokoll::Clear(false);
}

void Tdex6DataProtokoll::WriteTags(TXmlStream& Writer) const {
    TCustomdex6Object::WriteTags(Writer);
    WriteIntElement(Writer, "O", OID());
    WriteDateTimeElement(Writer, "D", D);
    WriteStrElement(Writer, "B", B);
    WriteStrElement(Writer, "U", U);
}

void Tdex6DataProtokoll::ReadTag(TElementReader& Reader, TPartType PartType, std::string_view Name,
                                 std::string_view Content) {
    TCustomdex6Object::ReadTag(Reader, PartType, Name, Content);
    if (!IsContent(PartType))
        return;
    if (SameText(Name, "O"))
        SetOID(TextToInt(Content));
    else if (SameText(Name, "D"))
        D = TextToDateTime(Content);
    else if (SameText(Name, "B"))
        B = Content;
    else if (SameText(Name, "U"))
        U = Content;
}

void Tdex6DataProtokoll::Clear(bool /*WithDefaults*/) {
    B.clear();
    U.clear();
    D = 0;
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

void Tdex6DataProtokollliste::ReadTag(TElementReader& Reader, TPartType PartType,
                                      std::string_view Name, std::string_view Content) {
    Tdex6ObjectList::ReadTag(Reader, PartType, Name, Content);
    if (PartType != TPartType::StartTag || !SameText(Name, "PE"))
        return;
    Tdex6DataProtokoll* Entry = AddNew();
    if (Root() != nullptr)
        Root()->SetModified(true);
    Entry->BeginRead(Reader, this);
}

} // namespace kr6
