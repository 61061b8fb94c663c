#include "model/ObjectList.h"

#include "model/ElementReader.h"
#include "support/TextCompare.h"

namespace kr6 {

void TCustomdex6ObjectList::WriteItems(TXmlStream& Writer) const {
    for (int I = 0; I < Count(); ++I)
        ItemAt(I)->WriteXml(Writer);
}

void TCustomdex6ObjectList::ReadTag(TElementReader& Reader, TPartType PartType,
                                    std::string_view Name, std::string_view /*Content*/) {
    if (PartType == TPartType::StartTag && !ItemTag().empty() && SameText(Name, ItemTag()))
        AddReadItem()->BeginRead(Reader, this);
    else if (PartType == TPartType::EndTag && SameText(Name, TagName()) && FReadParent != nullptr)
        FReadParent->BeginRead(Reader);
}

void TCustomdex6ObjectList::WriteXml(TXmlStream& Writer) const {
    WriteTag(Writer, TagName(), false);
    WriteItems(Writer);
    WriteTag(Writer, TagName(), true);
}

void TCustomdex6ObjectList::BeginRead(TElementReader& Reader, Tdex6Node* ReadParent) {
    if (ReadParent != nullptr)
        FReadParent = ReadParent;
    Reader.SetHandler(this);
}

} // namespace kr6
