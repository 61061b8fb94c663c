#include "model/Info.h"

#include "model/Coatings.h"
#include "model/ElementReader.h"
#include "model/FieldTable.h"
#include "model/Glasses.h"
#include "support/TextCompare.h"
#include "texts/Language.h"

#include <algorithm>

namespace kr6 {
namespace {

// Kinds 0 to 5 may be read under their bare prefix, meaning language 1.
constexpr int LastBareKind = 5;

bool IsLanguage(int Language) {
    return Language >= 1 && Language <= Tdex6DataInfo::LanguageCount;
}

} // namespace

Tdex6DataImage::Tdex6DataImage(Tdex6Dataobject* Root, Tdex6Node* Parent, bool NewOID)
    : TFieldObject(Root, Parent, NewOID) {
    Tdex6DataImage::Clear(false);
}

std::span<const TField<Tdex6DataImage>> Tdex6DataImage::Fields() {
    using I = Tdex6DataImage;
    static constexpr TField<I> Table[] = {
        TextField<&I::FN>("FN"),
        TextField<&I::BB>("BB"),
    };
    return Table;
}

std::string Tdex6DataImage::ProtocolPrefix(int Action, std::string_view /*Name*/) const {
    return TCustomdex6Object::ProtocolPrefix(Action, GetText(336));
}

void Tdex6DataImage::Clear(bool WithDefaults) {
    TFieldObject::Clear(WithDefaults);
    Picture.clear();
}

Tdex6DataInfo::Tdex6DataInfo(Tdex6Dataobject* Root, Tdex6Node* Parent, bool NewOID)
    : TCustomdex6Object(Root, Parent, NewOID), FImages(new (Root) Tdex6DataImageListe(Root, this)) {
    Tdex6DataInfo::Clear(false);
}

const std::string& Tdex6DataInfo::GetInfoText(int Language, Tdex6InfoKind Kind) const {
    static const std::string Empty;
    const auto K = static_cast<std::size_t>(Kind);
    if (!IsLanguage(Language) || K >= KindCount)
        return Empty;
    const auto Found = FTexts.find(SlotOf(Language, K));
    return Found != FTexts.end() ? Found->second : Empty;
}

void Tdex6DataInfo::SetInfoText(int Language, Tdex6InfoKind Kind, std::string_view Text) {
    const auto K = static_cast<std::size_t>(Kind);
    if (!IsLanguage(Language) || K >= KindCount)
        return;
    if (Text.empty())
        FTexts.erase(SlotOf(Language, K));
    else
        FTexts[SlotOf(Language, K)] = Text;
}

void Tdex6DataInfo::WriteTags(TXmlStream& Writer) const {
    TCustomdex6Object::WriteTags(Writer);
    for (int Language = 1; Language <= LanguageCount; ++Language) {
        for (int K = 0; K < KindCount; ++K) {
            const auto Kind = static_cast<Tdex6InfoKind>(K);
            const std::string& Text = GetInfoText(Language, Kind);
            if (!Text.empty())
                WriteStrElement(Writer, InfoKindTag(Kind) + std::to_string(Language), Text);
        }
    }
    FImages->WriteXml(Writer);
}

void Tdex6DataInfo::ReadTag(TElementReader& Reader, TPartType PartType, std::string_view Name,
                            std::string_view Content) {
    TCustomdex6Object::ReadTag(Reader, PartType, Name, Content);
    if (PartType == TPartType::StartTag && SameText(Name, FImages->TagName())) {
        FImages->BeginRead(Reader, this);
        return;
    }
    if (!IsContent(PartType))
        return;
    // A tag is a kind's prefix followed by one digit 1 to 9, the language.
    const std::size_t DigitsAt = std::min(Name.find_first_of("0123456789"), Name.size());
    const std::string_view Prefix = Name.substr(0, DigitsAt);
    const std::string_view Number = Name.substr(DigitsAt);
    for (int K = 0; K < KindCount; ++K) {
        const auto Kind = static_cast<Tdex6InfoKind>(K);
        if (!SameText(Prefix, InfoKindTag(Kind)))
            continue;
        if (Number.empty() && K <= LastBareKind)
            SetInfoText(1, Kind, Content);
        else if (Number.size() == 1)
            SetInfoText(Number[0] - '0', Kind, Content);
        return;
    }
}

std::string Tdex6DataInfo::ProtocolPrefix(int Action, std::string_view /*Name*/) const {
    if (const auto* Glas = dynamic_cast<const Tdex6DataGlas*>(Parent()))
        return TCustomdex6Object::ProtocolPrefix(Action, GetText(334) + " ") + Glas->EDV();
    if (const auto* Beschichtung = dynamic_cast<const Tdex6DataBeschichtung*>(Parent()))
        return TCustomdex6Object::ProtocolPrefix(Action, GetText(335) + " ") + Beschichtung->EDV();
    return {};
}

void Tdex6DataInfo::Clear(bool WithDefaults) {
    FTexts.clear();
    FImages->Reset(WithDefaults);
}

} // namespace kr6
