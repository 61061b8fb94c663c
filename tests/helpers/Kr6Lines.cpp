#include "helpers/Kr6Lines.h"

#include "import/Kr6Import.h"
#include "import/Kr6LensRecords.h"
#include "import/Kr6OptionRecords.h"

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

TFixedLine LensRangeLine(std::string_view Code, std::string_view DeliveryRange) {
    using R = TKr6DataLensRange;
    return TFixedLine(TKr6LineWriter<layouts::LensRange>()
                          .Put<&R::Code>(Code)
                          .Put<&R::DeliveryRangeId>(DeliveryRange)
                          .Line());
}

TFixedLine LensGeoLine(std::string_view Code, std::string_view Diameter) {
    using G = TKr6DataLensGeo;
    return TFixedLine(
        TKr6LineWriter<layouts::LensGeo>().Put<&G::Code>(Code).Put<&G::Diameter>(Diameter).Line());
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

TFixedLine OptionsColorLine(std::string_view ColorCode, std::string_view OptionCode,
                            std::string_view Name) {
    using C = TKr6DataoptionsColor;
    return TFixedLine(TKr6LineWriter<layouts::OptionsColor>()
                          .Put<&C::ColorCode>(ColorCode)
                          .Put<&C::OptionCode>(OptionCode)
                          .Put<&C::Name>(Name)
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

std::string InformationLine(int Target, std::string_view Code, int InfoKind,
                            std::string_view Text) {
    using I = TKr6DataInformation;
    return TKr6LineWriter<layouts::Information>()
        .Set<&I::Target>(Target)
        .Put<&I::Code>(Code)
        .Set<&I::InfoKind>(InfoKind)
        .Put<&I::Text>(Text)
        .Line();
}

std::string OrderOptionsLine(int Target, std::string_view Code, int OrderOption, int Usage) {
    using O = TKr6DataOrderOptions;
    return TKr6LineWriter<layouts::OrderOptions>()
        .Set<&O::Target>(Target)
        .Put<&O::Code>(Code)
        .Set<&O::OrderOption>(OrderOption)
        .Set<&O::Usage>(Usage)
        .Line();
}

std::string ProductgroupLine(int Target, std::string_view Code, std::string_view GroupName) {
    using G = TKr6DataProductgroup;
    return TKr6LineWriter<layouts::Productgroup>()
        .Set<&G::Target>(Target)
        .Put<&G::Code>(Code)
        .Put<&G::GroupName>(GroupName)
        .Line();
}

std::string CodeSubstLine(int Target, std::string_view OldCode, int Action, std::string_view New1,
                          std::string_view New2, std::string_view New3) {
    using S = TKr6DataCodeSubst;
    return TKr6LineWriter<layouts::CodeSubst>()
        .Set<&S::Target>(Target)
        .Put<&S::OldCode>(OldCode)
        .Set<&S::Action>(Action)
        .Put<&S::NewCode1>(New1)
        .Put<&S::NewCode2>(New2)
        .Put<&S::NewCode3>(New3)
        .Line();
}

TMembers MembersOf(const TKr6Files& F) {
    // clang-format off
    const char* Names[] = {"Head.dat", "LensType.Dat", "LensGeo.Dat", "LensPrice.Dat",
        "Options.Dat", "OptionsColor.Dat", "OptionsPrice.Dat", "Combination.Dat", "LensRange.Dat",
        "Information.Dat", "OrderOptions.Dat", "Productgroup.Dat", "CodeSubstitution.Dat",
        "OeCodes.Dat"};
    // clang-format on
    const TStringList* Lists[] = {
        &F.Head,         &F.LensType,     &F.LensGeo,          &F.LensPrice, &F.Options,
        &F.OptionsColor, &F.OptionsPrice, &F.Combination,      &F.LensRange, &F.Information,
        &F.OrderOptions, &F.Productgroup, &F.CodeSubstitution, &F.OeCodes};
    TMembers Result;
    for (std::size_t I = 0; I < std::size(Names); ++I)
        if (!Lists[I]->IsEmpty())
            Result.emplace_back(Names[I], Lists[I]->Text());
    return Result;
}

} // namespace kr6::test
