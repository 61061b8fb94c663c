#include "import/Kr6Head.h"

#include "import/Kr6Fields.h"
#include "support/Conversions.h"
#include "support/StringList.h"
#include "support/TextCompare.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <vector>

namespace kr6 {

namespace {

using TSetter = std::function<void(TKr6DataHead&, const std::string&)>;

struct TKey {
    std::string_view Name;
    TSetter Set;
};

TSetter Text(std::string TKr6DataHead::*Field) {
    return [Field](TKr6DataHead& H, const std::string& V) {
        H.*Field = V;
    };
}

TSetter Integer(std::int32_t TKr6DataHead::*Field) {
    return [Field](TKr6DataHead& H, const std::string& V) {
        H.*Field = TextToInt(V);
    };
}

TSetter Date(TDateTime TKr6DataHead::*Field) {
    return [Field](TKr6DataHead& H, const std::string& V) {
        H.*Field = TextToDateTime(V);
    };
}

const std::vector<TKey>& Keys() {
    using H = TKr6DataHead;
    using V = const std::string&;
    static const std::vector<TKey> Table = {
        {"version", Text(&H::Version)},
        {"Software-id", Text(&H::SoftwareId)},
        {"comment", Text(&H::Comment)},
        {"uid-manufacturer", Text(&H::UidManufacturer)},
        {"uid-postedit", Text(&H::UidPostedit)},
        {"Valid-from", Date(&H::ValidFrom)},
        {"Valid-until", Date(&H::ValidUntil)},
        {"country", Text(&H::Country)},
        {"language", Text(&H::Language)},
        {"manufacturer-code", Text(&H::ManufacturerCode)},
        {"manufacturer-subcode", Text(&H::ManufacturerSubcode)},
        {"manufacturer-name",
         [](H& Head, V Value) {
             Head.ManufacturerName[0] = Value;
         }},
        {"street", Text(&H::Street)},
        {"zip-code", Text(&H::ZipCode)},
        {"city", Text(&H::City)},
        {"po-box-zip-code", Text(&H::PoBoxZipCode)},
        {"po-box-text", Text(&H::PoBoxText)},
        {"phone", Text(&H::Phone)},
        {"fax", Text(&H::Fax)},
        {"phone-order", Text(&H::PhoneOrder)},
        {"fax-order", Text(&H::FaxOrder)},
        {"mail", Text(&H::Mail)},
        {"Url", Text(&H::Url)},
        {"pricedefinition-cylinder",
         [](H& Head, V Value) {
             Head.PriceDefinitionCylinder = !SameText(Value, "-");
         }},
        {"cylindergroup-base", Integer(&H::CylinderGroupBase)},
        {"cylindergroup-1",
         [](H& Head, V Value) {
             Head.CylinderGroup[0] = TextToInt(Value);
         }},
        {"cylindergroup-2",
         [](H& Head, V Value) {
             Head.CylinderGroup[1] = TextToInt(Value);
         }},
        {"prismgroup-1",
         [](H& Head, V Value) {
             Head.PrismGroup[0] = TextToInt(Value);
         }},
        {"prismgroup-2",
         [](H& Head, V Value) {
             Head.PrismGroup[1] = TextToInt(Value);
         }},
        {"prismgroup-3",
         [](H& Head, V Value) {
             Head.PrismGroup[2] = TextToInt(Value);
         }},
        {"prismgroup-4",
         [](H& Head, V Value) {
             Head.PrismGroup[3] = TextToInt(Value);
         }},
        {"prismgroup-5",
         [](H& Head, V Value) {
             Head.PrismGroup[4] = TextToInt(Value);
         }},
        {"currencydescription", Text(&H::CurrencyDescription)},
        {"currencydescription-decimals", Text(&H::CurrencyDescriptionDecimals)},
        {"characterset", Integer(&H::CharacterSet)},
    };
    return Table;
}

// "pricefield-01" to "-05" and "pricefield-description-01" to "-05".
bool SetPriceField(TKr6DataHead& Head, std::string_view Key, const std::string& Value) {
    for (std::size_t I = 0; I < 5; ++I) {
        const std::string Number{'0', static_cast<char>('1' + I)};
        if (SameText(Key, "pricefield-" + Number)) {
            Head.PriceField[I] = FromCode<Tdex6PriceField>(TextToInt(Value));
            return true;
        }
        if (SameText(Key, "pricefield-description-" + Number)) {
            Head.PriceFieldDescription[I] = Value;
            return true;
        }
    }
    return false;
}

} // namespace

void ParseKr6Head(TKr6DataHead& Head, const TStringList& Lines) {
    Head = TKr6DataHead{};
    for (const auto& Line : Lines) {
        const std::string Key = Kr6TrimRight(Line.Text, 1, 30);
        const std::string Value = Kr6TrimRight(Line.Text, 31, 250);
        if (SetPriceField(Head, Key, Value))
            continue;
        const auto& Table = Keys();
        const auto Found = std::find_if(Table.begin(), Table.end(),
                                        [&](const TKey& K) { return SameText(K.Name, Key); });
        if (Found != Table.end())
            Found->Set(Head, Value);
    }
}

std::int32_t Kr6VersionNumber(std::string_view Version) {
    const auto Part = [&](int Index) -> std::int64_t {
        return TextToInt(GetField(Version, ".", Index));
    };
    // Computed wide so that an absurd version text cannot overflow.
    const std::int64_t Number = Part(1) * 1000000 + Part(2) * 1000 + Part(3);
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(Number, std::numeric_limits<std::int32_t>::min(),
                                 std::numeric_limits<std::int32_t>::max()));
}

} // namespace kr6
