#include "model/DescriptionDefaults.h"

#include "model/ElementReader.h"
#include "support/Conversions.h"
#include "support/TextCompare.h"
#include "texts/Language.h"

namespace kr6 {
namespace {

bool IsDescriptionNumber(int N) {
    return N >= 1 && N <= Tdex6DataBezeichnungsvorgaben::DescriptionCount;
}

std::string NumberedTag(std::string_view Prefix, int N) {
    return std::string(Prefix) + IntToZeroPadded(N, 2);
}

} // namespace

const std::string& Tdex6DataBezeichnungsvorgaben::GetBez(int N) const {
    return FBEZ.at(static_cast<std::size_t>(N - 1));
}

void Tdex6DataBezeichnungsvorgaben::SetBez(int N, std::string_view Text) {
    if (IsDescriptionNumber(N))
        FBEZ[static_cast<std::size_t>(N - 1)] = Text;
}

const std::string& Tdex6DataBezeichnungsvorgaben::GetLang(int N) const {
    return FLANG.at(static_cast<std::size_t>(N - 1));
}

void Tdex6DataBezeichnungsvorgaben::SetLang(int N, std::string_view Text) {
    if (IsDescriptionNumber(N))
        FLANG[static_cast<std::size_t>(N - 1)] = Text;
}

void Tdex6DataBezeichnungsvorgaben::WriteTags(TXmlStream& Writer) const {
    TCustomdex6Object::WriteTags(Writer);
    for (int N = 1; N <= DescriptionCount; ++N) {
        WriteStrElement(Writer, NumberedTag("BEZ", N), GetBez(N));
        WriteStrElement(Writer, NumberedTag("LANG", N), GetLang(N));
    }
}

void Tdex6DataBezeichnungsvorgaben::ReadTag(TElementReader& Reader, TPartType PartType,
                                            std::string_view Name, std::string_view Content) {
    TCustomdex6Object::ReadTag(Reader, PartType, Name, Content);
    if (!IsContent(PartType))
        return;
    for (int N = 1; N <= DescriptionCount; ++N) {
        if (SameText(Name, NumberedTag("BEZ", N)))
            SetBez(N, Content);
        else if (SameText(Name, NumberedTag("LANG", N)))
            SetLang(N, Content);
    }
}

std::string Tdex6DataBezeichnungsvorgaben::ProtocolPrefix(int Action,
                                                          std::string_view /*Name*/) const {
    return TCustomdex6Object::ProtocolPrefix(Action, GetText(343));
}

void Tdex6DataBezeichnungsvorgaben::Clear(bool /*WithDefaults*/) {
    for (int N = 1; N <= DescriptionCount; ++N) {
        SetBez(N, "Bezeichnung " + std::to_string(N));
        SetLang(N, "DE");
    }
}

} // namespace kr6
