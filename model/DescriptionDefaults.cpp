#include "model/DescriptionDefaults.h"

#include "model/ElementReader.h"
#include "model/FieldTable.h"
#include "support/Conversions.h"
#include "support/TextCompare.h"
#include "texts/Language.h"

namespace kr6 {
namespace {

bool IsDescriptionNumber(int N) {
    return N >= 1 && N <= Tdex6DataBezeichnungsvorgaben::DescriptionCount;
}

using D = Tdex6DataBezeichnungsvorgaben;

// Description N's caption or language code; cleared to "Bezeichnung N" and "DE".
template <auto Texts, int N, bool Caption> constexpr TField<D> DefaultsField(std::string_view Tag) {
    return {Tag,
            [](TXmlStream& S, std::string_view Name, const D& O) {
                WriteStrElement(S, Name, (O.*Texts)[N - 1]);
            },
            [](D& O, std::string_view V) { (O.*Texts)[N - 1] = V; },
            [](D& O) {
                (O.*Texts)[N - 1] = Caption ? "Bezeichnung " + std::to_string(N) : "DE";
            }};
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

std::string Tdex6DataBezeichnungsvorgaben::ProtocolPrefix(int Action,
                                                          std::string_view /*Name*/) const {
    return TCustomdex6Object::ProtocolPrefix(Action, GetText(343));
}

std::span<const TField<D>> Tdex6DataBezeichnungsvorgaben::Fields() {
    static constexpr TField<D> Table[] = {
        DefaultsField<&D::FBEZ, 1, true>("BEZ01"),  DefaultsField<&D::FLANG, 1, false>("LANG01"),
        DefaultsField<&D::FBEZ, 2, true>("BEZ02"),  DefaultsField<&D::FLANG, 2, false>("LANG02"),
        DefaultsField<&D::FBEZ, 3, true>("BEZ03"),  DefaultsField<&D::FLANG, 3, false>("LANG03"),
        DefaultsField<&D::FBEZ, 4, true>("BEZ04"),  DefaultsField<&D::FLANG, 4, false>("LANG04"),
        DefaultsField<&D::FBEZ, 5, true>("BEZ05"),  DefaultsField<&D::FLANG, 5, false>("LANG05"),
        DefaultsField<&D::FBEZ, 6, true>("BEZ06"),  DefaultsField<&D::FLANG, 6, false>("LANG06"),
        DefaultsField<&D::FBEZ, 7, true>("BEZ07"),  DefaultsField<&D::FLANG, 7, false>("LANG07"),
        DefaultsField<&D::FBEZ, 8, true>("BEZ08"),  DefaultsField<&D::FLANG, 8, false>("LANG08"),
        DefaultsField<&D::FBEZ, 9, true>("BEZ09"),  DefaultsField<&D::FLANG, 9, false>("LANG09"),
        DefaultsField<&D::FBEZ, 10, true>("BEZ10"), DefaultsField<&D::FLANG, 10, false>("LANG10"),
    };
    return Table;
}

} // namespace kr6
