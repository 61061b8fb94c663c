#pragma once

#include "model/ObjectBase.h"
#include "support/StringList.h"

#include <string>
#include <string_view>

namespace kr6 {

// A list of texts written as one element per line; the owner names the element and the
// tag of a line, and decides whether the lines stay sorted (ascending CompareText,
// duplicates ignored) or keep the order of adding.
class Tdex6DataStrings : public TCustomdex6Object {
public:
    Tdex6DataStrings(Tdex6Dataobject* Root, Tdex6Node* Parent, bool NewOID, bool Sorted = false);

    TStringList& Lines() { return FLines; }
    const TStringList& Lines() const { return FLines; }
    const std::string& ElementName() const { return FElementName; }
    void SetElementName(std::string_view Text) { FElementName = Text; }
    const std::string& ItemTag() const { return FItemTag; }
    void SetItemTag(std::string_view Text) { FItemTag = Text; }

    std::string_view TagName() const override { return FElementName; }
    void WriteTags(TXmlStream& Writer) const override;
    void ReadTag(TElementReader& Reader, TPartType PartType, std::string_view Name,
                 std::string_view Content) override;
    void Clear(bool WithDefaults) override;

private:
    TStringList FLines;
    std::string FElementName;
    std::string FItemTag;
};

} // namespace kr6
