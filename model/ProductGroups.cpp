#include "model/ProductGroups.h"

#include "model/ElementReader.h"
#include "model/FieldTable.h"
#include "support/Conversions.h"
#include "support/TextCompare.h"
#include "texts/Language.h"

namespace kr6 {

Tdex6DataLieferbareCodes::Tdex6DataLieferbareCodes(Tdex6Dataobject* Root, Tdex6Node* Parent,
                                                   std::string_view Tag)
    : TCustomdex6Object(Root, Parent, true),
      FCodes(std::make_unique<Tdex6DataStrings>(Root, this, true, true)) {
    FCodes->SetElementName(Tag);
    FCodes->SetItemTag("EDV");
}

void Tdex6DataLieferbareCodes::AddOrRemove(std::string_view Code, bool Remove) {
    if (Code.empty())
        return;
    if (Remove)
        FCodes->Lines().Remove(Code);
    else
        FCodes->Lines().Add(Code);
}

void Tdex6DataLieferbareCodes::AddOrRemoveAll(const TStringList& TextList, bool Remove) {
    // All at once: one by one, each code would move the entries of the sorted list behind it.
    TStringList Codes;
    Codes.Reserve(static_cast<std::size_t>(TextList.Count()));
    for (const auto& Entry : TextList) {
        if (!Entry.Text.empty())
            Codes.Add(Entry.Text);
    }
    if (Remove)
        FCodes->Lines().RemoveAll(Codes);
    else
        FCodes->Lines().AddStrings(Codes);
}

void Tdex6DataLieferbareCodes::Replace(std::string_view OldCode, std::string_view NewCode) {
    // Removing every copy first and adding NewCode once gives the same list as replacing
    // copy by copy, and cannot loop when NewCode equals OldCode.
    TStringList& Lines = FCodes->Lines();
    bool Found = false;
    for (int I = Lines.Count() - 1; I >= 0; --I) {
        if (SameText(Lines[I], OldCode)) {
            Lines.Delete(I);
            Found = true;
        }
    }
    if (Found && !NewCode.empty())
        Lines.Add(NewCode);
}

void Tdex6DataLieferbareCodes::WriteTags(TXmlStream& Writer) const {
    FCodes->WriteTags(Writer);
}

void Tdex6DataLieferbareCodes::Clear(bool WithDefaults) {
    FCodes->Clear(WithDefaults);
}

void Tdex6DataLieferbareCodes::BeginRead(TElementReader& Reader, Tdex6Node* ReadParent) {
    FCodes->BeginRead(Reader, ReadParent);
}

Tdex6DataLieferbareGlaeser::Tdex6DataLieferbareGlaeser(Tdex6Dataobject* Root, Tdex6Node* Parent,
                                                       bool /*NewOID*/)
    : Tdex6DataLieferbareCodes(Root, Parent, "NLG") {}

Tdex6DataLieferbareBeschichtungen::Tdex6DataLieferbareBeschichtungen(Tdex6Dataobject* Root,
                                                                     Tdex6Node* Parent,
                                                                     bool /*NewOID*/)
    : Tdex6DataLieferbareCodes(Root, Parent, "NLB") {}

Tdex6DataProduktgruppe::Tdex6DataProduktgruppe(Tdex6Dataobject* Root, Tdex6Node* Parent,
                                               bool /*NewOID*/)
    : TFieldObject(Root, Parent, true) {
    FLieferbareGlaeser = std::make_unique<Tdex6DataLieferbareGlaeser>(Root, this, true);
    FLieferbareBeschichtungen =
        std::make_unique<Tdex6DataLieferbareBeschichtungen>(Root, this, true);
    Tdex6DataProduktgruppe::Clear(false);
}

void Tdex6DataProduktgruppe::WriteTags(TXmlStream& Writer) const {
    TFieldObject::WriteTags(Writer);
    FLieferbareGlaeser->WriteXml(Writer);
    FLieferbareBeschichtungen->WriteXml(Writer);
}

void Tdex6DataProduktgruppe::ReadTag(TElementReader& Reader, TPartType PartType,
                                     std::string_view Name, std::string_view Content) {
    TFieldObject::ReadTag(Reader, PartType, Name, Content);
    if (PartType == TPartType::StartTag)
        ReadChild(Reader, this, Name, FLieferbareBeschichtungen.get(), FLieferbareGlaeser.get());
}

std::span<const TField<Tdex6DataProduktgruppe>> Tdex6DataProduktgruppe::Fields() {
    using P = Tdex6DataProduktgruppe;
    static constexpr TField<P> Table[] = {
        IntField<&P::ID>("ID"),
        TextField<&P::Bez>("BEZ"),
        TextField<&P::BE>("BE"),
    };
    return Table;
}

std::string Tdex6DataProduktgruppe::ProtocolPrefix(int Action, std::string_view /*Name*/) const {
    return TCustomdex6Object::ProtocolPrefix(Action, GetText(344)) + Bez;
}

void Tdex6DataProduktgruppe::Clear(bool WithDefaults) {
    TFieldObject::Clear(WithDefaults);
    FLieferbareBeschichtungen->Clear(WithDefaults);
    FLieferbareGlaeser->Clear(WithDefaults);
}

Tdex6DataProduktgruppe* Tdex6DataProduktgruppenliste::FindByName(std::string_view Name) const {
    for (auto It = FItems.rbegin(); It != FItems.rend(); ++It) {
        if (SameText((*It)->Bez, Name))
            return It->get();
    }
    return nullptr;
}

void Tdex6DataProduktgruppenliste::RenameGlass(std::string_view OldCode, std::string_view NewCode) {
    for (const auto& Group : FItems)
        Group->LieferbareGlaeser()->Replace(OldCode, NewCode);
}

void Tdex6DataProduktgruppenliste::RenameCoating(std::string_view OldCode,
                                                 std::string_view NewCode) {
    for (const auto& Group : FItems)
        Group->LieferbareBeschichtungen()->Replace(OldCode, NewCode);
}

TCustomdex6Object* Tdex6DataProduktgruppenliste::AddReadItem() {
    return AddNumbered();
}

} // namespace kr6
