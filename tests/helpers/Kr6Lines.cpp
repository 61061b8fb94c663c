#include "helpers/Kr6Lines.h"

#include "import/Kr6Import.h"
#include "import/Kr6LensRecords.h"
#include "import/Kr6Members.h"
#include "import/Kr6OptionRecords.h"
#include "model/Coatings.h"
#include "model/Combinations.h"
#include "model/Glasses.h"
#include "model/Root.h"

#include <algorithm>
#include <string>

namespace kr6::test {
namespace {

namespace layouts = kr6_layouts;

// Prices go in as the texts stand, so a test can also write what no value would give.
template <auto Member, class Writer>
void PutPrices(Writer& Line, std::initializer_list<std::string_view> Prices) {
    for (std::size_t K = 0; std::string_view Price : Prices)
        Line.template Put<Member>(Price, K++);
}

} // namespace

std::string HeadLine(std::string_view Key, std::string_view Value) {
    return TFixedLine().At(1, Key).At(31, Value).Text();
}

TStringList HeadLines(std::string_view Pairs) {
    TStringList Lines;
    while (!Pairs.empty()) {
        const std::string_view Pair = Pairs.substr(0, Pairs.find(';'));
        Pairs.remove_prefix(std::min(Pairs.size(), Pair.size() + 1));
        Lines.Add(HeadLine(Pair.substr(0, Pair.find('=')), Pair.substr(Pair.find('=') + 1)));
    }
    return Lines;
}

TFixedLine LensTypeLine(std::string_view Code, std::string_view Name, std::string_view Material) {
    using T = TKr6DataLensType;
    return TFixedLine(TKr6LineWriter<layouts::LensType>()
                          .Put<&T::Code>(Code)
                          .Put<&T::Name>(Name)
                          .Put<&T::Material>(Material)
                          .Line());
}

TFixedLine LensPriceLine(std::string_view Code, std::string_view Diameter, int SphereGroup,
                         int CylinderGroup, int DeliveryRange,
                         std::initializer_list<std::string_view> Prices) {
    using P = TKr6DataLensPrice;
    TKr6LineWriter<layouts::LensPrice> Line;
    Line.Put<&P::Code>(Code)
        .Put<&P::Diameter>(Diameter)
        .Put<&P::SphereGroup>(std::to_string(SphereGroup))
        .Put<&P::CylinderGroup>(std::to_string(CylinderGroup))
        .Put<&P::DeliveryRangeId>(std::to_string(DeliveryRange));
    PutPrices<&P::Price>(Line, Prices);
    return TFixedLine(Line.Line());
}

TFixedLine OptionsLine(std::string_view Code, std::string_view Name, std::string_view Materials) {
    using O = TKr6Dataoptions;
    return TFixedLine(TKr6LineWriter<layouts::Options>()
                          .Put<&O::Code>(Code)
                          .Put<&O::Name>(Name)
                          .Put<&O::Materials>(Materials)
                          .Line());
}

TFixedLine OptionsPriceLine(std::string_view OptionCode, std::string_view LensCode, int SphTor,
                            int SingleMulti, std::string_view Materials,
                            std::initializer_list<std::string_view> Prices) {
    using P = TKr6DataoptionsPrice;
    TKr6LineWriter<layouts::OptionsPrice> Line;
    Line.Put<&P::OptionCode>(OptionCode)
        .Put<&P::LensCode>(LensCode)
        .Set<&P::SphTor>(SphTor)
        .Set<&P::SingleMulti>(SingleMulti)
        .Put<&P::Materials>(Materials);
    PutPrices<&P::Price>(Line, Prices);
    return TFixedLine(Line.Line());
}

std::string CombinationLine(std::string_view Lens, int Delivery, std::string_view C1,
                            std::string_view C2, std::string_view C3) {
    using R = TKr6DataCombination;
    return TKr6LineWriter<layouts::Combination>()
        .Put<&R::LensCode>(Lens)
        .Set<&R::Delivery>(Delivery)
        .Put<&R::OptionCode1>(C1)
        .Put<&R::OptionCode2>(C2)
        .Put<&R::OptionCode3>(C3)
        .Line();
}

TKr6Files FilesOf(const Tdex6Dataobject& Root) {
    using T = TKr6DataLensType;
    using O = TKr6Dataoptions;
    TKr6Files Files;
    for (const auto& Glas : *Root.Glasliste())
        Files.LensType.Add(TKr6LineWriter<layouts::LensType>()
                               .Put<&T::Code>(Glas->EDV())
                               .Set<&T::Material>(Glas->MAT)
                               .Line());
    for (const auto& Coating : *Root.Beschichtungsliste())
        Files.Options.Add(TKr6LineWriter<layouts::Options>()
                              .Put<&O::Code>(Coating->EDV())
                              .Set<&O::Materials>(Coating->MAT)
                              .Set<&O::AntiReflection>(Coating->ET)
                              .Set<&O::Tint>(Coating->FA)
                              .Set<&O::Photochromic>(Coating->PH)
                              .Set<&O::HardCoat>(Coating->HA)
                              .Set<&O::UVCoat>(Coating->UV)
                              .Line());
    for (const auto& Rule : *Root.KombinationsListe())
        Files.Combination.Add(
            CombinationLine(Rule->GE(), Code(Rule->LB()), Rule->B1E(), Rule->B2E(), Rule->B3E()));
    return Files;
}

TMembers MembersOf(const TKr6Files& F) {
    TMembers Result;
    for (std::size_t I = 0; I < Kr6MemberNames.size(); ++I)
        if (const TStringList& Lines = F.*TKr6Files::Members[I]; !Lines.IsEmpty())
            Result.emplace_back(Kr6MemberNames[I], Lines.Text());
    return Result;
}

TMembers MembersOf(const std::vector<TKr6Member>& Members) {
    TMembers Result;
    for (const TKr6Member& Member : Members) {
        std::string Bytes;
        for (const std::string& Line : Member.Lines)
            Bytes += Line + "\r\n";
        Result.emplace_back(Member.Name, Bytes);
    }
    return Result;
}

} // namespace kr6::test
