#pragma once

#include "model/CodeTables.h"
#include "support/DateTimeText.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kr6 {

class TKr6LineReport;
class TStringList;

// The header of a KR6 price list ("Head.dat"): one "key value" pair per line.
struct TKr6DataHead {
    std::string Version;
    std::string SoftwareId;
    std::string Comment;
    std::string UidManufacturer;
    std::string UidPostedit;
    TDateTime ValidFrom = 0;
    TDateTime ValidUntil = 0;
    std::string Country;
    std::string Language;
    std::string ManufacturerCode;
    std::string ManufacturerSubcode;
    std::array<std::string, 3> ManufacturerName;
    std::string Street;
    std::string ZipCode;
    std::string City;
    std::string PoBoxZipCode;
    std::string PoBoxText;
    std::string Phone;
    std::string Fax;
    std::string PhoneOrder;
    std::string FaxOrder;
    std::string Mail;
    std::string Url;
    bool PriceDefinitionCylinder = false;
    std::int32_t CylinderGroupBase = 0;
    std::array<std::int32_t, 2> CylinderGroup{};
    std::array<std::int32_t, 5> PrismGroup{};
    std::string CurrencyDescription;
    std::string CurrencyDescriptionDecimals;
    std::array<Tdex6PriceField, 5> PriceField{};
    std::array<std::string, 5> PriceFieldDescription;
    std::int32_t CharacterSet = 0;
};

// Resets Head and fills it from the lines of "Head.dat": key in columns 1-30, value in
// 31-280, both trimmed right; keys ignore case, unknown keys are skipped, the last line
// of a key wins.
void ParseKr6Head(TKr6DataHead& Head, const TStringList& Lines);

// Reports what ParseKr6Head reads differently than written: unknown and repeated keys,
// numbers, codes and dates that do not convert.
void CheckKr6Head(const TStringList& Lines, TKr6LineReport& Report);

// "6.9.0" gives 6009000; missing or invalid parts count 0.
std::int32_t Kr6VersionNumber(std::string_view Version);

} // namespace kr6
