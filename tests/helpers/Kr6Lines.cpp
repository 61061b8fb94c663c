#include "helpers/Kr6Lines.h"

#include "import/Kr6Import.h"

#include <string>

namespace kr6::test {
namespace {

void PutPrices(TFixedLine& Line, int First, std::initializer_list<std::string_view> Prices) {
    int Pos = First;
    for (std::string_view Price : Prices) {
        Line.At(Pos, Price);
        Pos += 7;
    }
}

} // namespace

std::string HeadLine(std::string_view Key, std::string_view Value) {
    return TFixedLine().At(1, Key).At(31, Value).Text();
}

TFixedLine LensTypeLine(std::string_view Code, std::string_view Name, std::string_view Material) {
    return TFixedLine().At(1, Code).At(7, Name).At(72, Material).Width(138);
}

TFixedLine LensRangeLine(std::string_view Code, std::string_view DeliveryRange) {
    return TFixedLine().At(1, Code).At(104, DeliveryRange).Width(106);
}

TFixedLine LensGeoLine(std::string_view Code, std::string_view Diameter) {
    return TFixedLine().At(1, Code).At(7, Diameter).Width(96);
}

TFixedLine LensPriceLine(std::string_view Code, std::string_view Diameter, int SphereGroup,
                         int CylinderGroup, int DeliveryRange,
                         std::initializer_list<std::string_view> Prices) {
    TFixedLine Line;
    Line.At(1, Code)
        .At(7, Diameter)
        .At(12, std::to_string(SphereGroup))
        .At(14, std::to_string(CylinderGroup))
        .At(16, std::to_string(DeliveryRange));
    PutPrices(Line, 19, Prices);
    return Line.Width(53);
}

TFixedLine OptionsLine(std::string_view Code, std::string_view Name, std::string_view Materials) {
    return TFixedLine().At(1, Code).At(7, Name).At(64, Materials).Width(136);
}

TFixedLine OptionsColorLine(std::string_view ColorCode, std::string_view OptionCode,
                            std::string_view Name) {
    return TFixedLine().At(1, ColorCode).At(4, OptionCode).At(10, Name).Width(93);
}

TFixedLine OptionsPriceLine(std::string_view OptionCode, std::string_view LensCode, int SphTor,
                            int SingleMulti, std::string_view Materials,
                            std::initializer_list<std::string_view> Prices) {
    TFixedLine Line;
    Line.At(1, OptionCode)
        .At(7, LensCode)
        .At(13, std::to_string(SphTor))
        .At(14, std::to_string(SingleMulti))
        .At(15, Materials);
    PutPrices(Line, 19, Prices);
    return Line.Width(53);
}

std::string CombinationLine(std::string_view Lens, int Delivery, std::string_view C1,
                            std::string_view C2, std::string_view C3) {
    return TFixedLine()
        .At(1, Lens)
        .At(7, std::to_string(Delivery))
        .At(8, C1)
        .At(14, C2)
        .At(20, C3)
        .Width(25)
        .Text();
}

std::string InformationLine(int Target, std::string_view Code, int InfoKind,
                            std::string_view Text) {
    return TFixedLine()
        .At(1, std::to_string(Target))
        .At(2, Code)
        .At(8, std::to_string(InfoKind))
        .At(13, Text)
        .Text();
}

std::string OrderOptionsLine(int Target, std::string_view Code, int OrderOption, int Usage) {
    return TFixedLine()
        .At(1, std::to_string(Target))
        .At(2, Code)
        .At(8, std::to_string(OrderOption))
        .At(12, std::to_string(Usage))
        .Text();
}

std::string ProductgroupLine(int Target, std::string_view Code, std::string_view GroupName) {
    return TFixedLine().At(1, std::to_string(Target)).At(2, Code).At(8, GroupName).Width(37).Text();
}

std::string CodeSubstLine(int Target, std::string_view OldCode, int Action, std::string_view New1,
                          std::string_view New2, std::string_view New3) {
    return TFixedLine()
        .At(1, std::to_string(Target))
        .At(2, OldCode)
        .At(8, std::to_string(Action))
        .At(9, New1)
        .At(15, New2)
        .At(21, New3)
        .Width(26)
        .Text();
}

TMembers MembersOf(const TKr6Files& Files) {
    const std::pair<const char*, const TStringList*> All[] = {
        {"Head.dat", &Files.Head},
        {"LensType.Dat", &Files.LensType},
        {"LensGeo.Dat", &Files.LensGeo},
        {"LensPrice.Dat", &Files.LensPrice},
        {"Options.Dat", &Files.Options},
        {"OptionsColor.Dat", &Files.OptionsColor},
        {"OptionsPrice.Dat", &Files.OptionsPrice},
        {"Combination.Dat", &Files.Combination},
        {"LensRange.Dat", &Files.LensRange},
        {"Information.Dat", &Files.Information},
        {"OrderOptions.Dat", &Files.OrderOptions},
        {"Productgroup.Dat", &Files.Productgroup},
        {"CodeSubstitution.Dat", &Files.CodeSubstitution},
        {"OeCodes.Dat", &Files.OeCodes}};
    TMembers Result;
    for (const auto& [Name, Lines] : All) {
        if (!Lines->IsEmpty())
            Result.emplace_back(Name, Lines->Text());
    }
    return Result;
}

} // namespace kr6::test
