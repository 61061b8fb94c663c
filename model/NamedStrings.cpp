#include "model/NamedStrings.h"

#include "support/TextCompare.h"

namespace kr6 {

Tdex6DataStrings::Tdex6DataStrings(Tdex6Dataobject* Root, Tdex6Node* Parent, bool NewOID,
                                   bool Sorted)
    : TCustomdex6Object(Root, Parent, NewOID), FLines(Sorted) {}

void Tdex6DataStrings::WriteTags(TXmlStream& Writer) const {
    TCustomdex6Object::WriteTags(Writer);
    for (const auto& Line : FLines)
        WriteStrElement(Writer, FItemTag, Line.Text);
}

void Tdex6DataStrings::ReadTag(TElementReader& Reader, TPartType PartType, std::string_view Name,
                               std::string_view Content) {
    TCustomdex6Object::ReadTag(Reader, PartType, Name, Content);
    if (IsContent(PartType) && SameText(Name, FItemTag))
        FLines.Add(Content);
}

void Tdex6DataStrings::Clear(bool /*WithDefaults*/) {
    FLines.Clear();
}

} // namespace kr6
