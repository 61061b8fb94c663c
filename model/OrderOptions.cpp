#include "model/OrderOptions.h"

#include "model/ElementReader.h"
#include "model/FieldTable.h"
#include "support/Conversions.h"
#include "support/TextCompare.h"

namespace kr6 {
namespace {

constexpr int OrderOptionCount = 24;

void WriteOptions(TXmlStream& Writer, std::string_view Tag, TOrderOptionSet Set) {
    for (int I = 0; I < OrderOptionCount; ++I) {
        const auto Option = static_cast<Tdex6OrderOption>(I);
        if (Set.Contains(Option))
            WriteIntElement(Writer, Tag, Code(Option));
    }
}

} // namespace

void Tdex6DataOrderOptions::SetMUTE(TOrderOptionSet Set) {
    FMUTE = Set;
    FKADU = FKADU - FMUTE;
    FMUDU = FMUDU - FMUTE;
}

void Tdex6DataOrderOptions::SetMUDU(TOrderOptionSet Set) {
    FMUDU = Set;
    FKADU = FKADU - FMUDU;
    FMUTE = FMUTE - FMUDU;
}

void Tdex6DataOrderOptions::SetKADU(TOrderOptionSet Set) {
    FKADU = Set;
    FMUTE = FMUTE - FKADU;
    FMUDU = FMUDU - FKADU;
}

void Tdex6DataOrderOptions::WriteTags(TXmlStream& Writer) const {
    TCustomdex6Object::WriteTags(Writer);
    WriteOptions(Writer, "MUTE", FMUTE);
    WriteOptions(Writer, "KADU", FKADU);
    WriteOptions(Writer, "MUDU", FMUDU);
}

void Tdex6DataOrderOptions::ReadTag(TElementReader& Reader, TPartType PartType,
                                    std::string_view Name, std::string_view Content) {
    TCustomdex6Object::ReadTag(Reader, PartType, Name, Content);
    if (!IsContent(PartType))
        return;
    const int Number = TextToInt(Content);
    if (Number <= 0)
        return;
    const auto Option = FromCode<Tdex6OrderOption>(Number);
    if (SameText(Name, "MUTE"))
        SetMUTE(FMUTE + Option);
    else if (SameText(Name, "KADU"))
        SetKADU(FKADU + Option);
    else if (SameText(Name, "MUDU"))
        SetMUDU(FMUDU + Option);
}

std::string Tdex6DataOrderOptions::ProtocolPrefix(int Action, std::string_view /*Name*/) const {
    return TCustomdex6Object::ProtocolPrefix(Action, "OrderOptions");
}

void Tdex6DataOrderOptions::Clear(bool /*WithDefaults*/) {
    FMUTE = {};
    FMUDU = {};
    FKADU = {};
}

std::span<const TField<Tdex6DataCodeSubstGlas>> Tdex6DataCodeSubstGlas::Fields() {
    using SG = Tdex6DataCodeSubstGlas;
    static constexpr TField<SG> Table[] = {
        CodeField<&SG::AKT, Tdex6SubstAction::CodeErsetzen>("AKT"),
        TextField<&SG::CA>("CA"),
        TextField<&SG::CN>("CN"),
        TextField<&SG::BEM>("BEM"),
    };
    return Table;
}

std::string Tdex6DataCodeSubstGlas::ProtocolPrefix(int Action, std::string_view /*Name*/) const {
    return TCustomdex6Object::ProtocolPrefix(Action, "CodeSubstGlas");
}

std::span<const TField<Tdex6DataCodeSubstBesch>> Tdex6DataCodeSubstBesch::Fields() {
    using SB = Tdex6DataCodeSubstBesch;
    static constexpr TField<SB> Table[] = {
        CodeField<&SB::AKT, Tdex6SubstAction::CodeErsetzen>("AKT"),
        TextField<&SB::CA>("CA"),
        TextField<&SB::CN1>("CN1"),
        TextField<&SB::CN2>("CN2"),
        TextField<&SB::CN3>("CN3"),
        TextField<&SB::BEM>("BEM"),
    };
    return Table;
}

std::string Tdex6DataCodeSubstBesch::ProtocolPrefix(int Action, std::string_view /*Name*/) const {
    return TCustomdex6Object::ProtocolPrefix(Action, "CodeSubstBesch");
}

} // namespace kr6
