#pragma once

#include "model/ArenaObject.h"
#include "model/CodeTables.h"
#include "model/FieldTable.h"
#include "model/ObjectList.h"

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace kr6 {

// A picture belonging to product information.
class Tdex6DataImage : public TFieldObject<Tdex6DataImage> {
public:
    Tdex6DataImage(Tdex6Dataobject* Root, Tdex6Node* Parent, bool NewOID);
    static std::span<const TField<Tdex6DataImage>> Fields();

    // The encoded picture bytes; not part of the element form.
    std::string Picture;
    std::string BB;
    std::string FN;

    std::string_view TagName() const override { return "DIM"; }
    std::string ProtocolPrefix(int Action, std::string_view Name) const override;
    void Clear(bool WithDefaults) override;
};

class Tdex6DataImageListe final : public Tdex6ObjectList<Tdex6DataImage>,
                                  public TArenaObject<Tdex6DataImageListe> {
public:
    using Tdex6ObjectList::Tdex6ObjectList;

    std::string_view TagName() const override { return "DIL"; }
    std::string_view ItemTag() const override { return "DIM"; }
};

// Information texts of a glass or coating: thirteen kinds in up to nine languages
// (1 to 9; 1 is the language of the KR6 import), and the pictures.
class Tdex6DataInfo final : public TCustomdex6Object, public TArenaObject<Tdex6DataInfo> {
public:
    static constexpr int LanguageCount = 9;
    static constexpr int KindCount = 13;

    Tdex6DataInfo(Tdex6Dataobject* Root, Tdex6Node* Parent, bool NewOID);

    // Empty for a language outside 1 to 9.
    const std::string& GetInfoText(int Language, Tdex6InfoKind Kind) const;
    // Ignores a language outside 1 to 9.
    void SetInfoText(int Language, Tdex6InfoKind Kind, std::string_view Text);
    Tdex6DataImageListe* Images() const { return FImages.get(); }

    std::string_view TagName() const override { return "DINFO"; }
    void WriteTags(TXmlStream& Writer) const override;
    void ReadTag(TElementReader& Reader, TPartType PartType, std::string_view Name,
                 std::string_view Content) override;
    std::string ProtocolPrefix(int Action, std::string_view Name) const override;
    void Clear(bool WithDefaults) override;

private:
    static int SlotOf(int Language, std::size_t Kind) {
        return (Language - 1) * KindCount + static_cast<int>(Kind);
    }

    // The texts that are not empty, by language and kind: a price list has thousands of
    // glasses and coatings, and most of their 117 texts stay empty.
    std::map<int, std::string> FTexts;
    std::unique_ptr<Tdex6DataImageListe> FImages;
};

} // namespace kr6
