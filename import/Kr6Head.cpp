#include "import/Kr6Head.h"

#include "import/Kr6FieldChecks.h"
#include "import/Kr6Fields.h"
#include "support/Conversions.h"
#include "support/StringList.h"
#include "support/TextCompare.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <optional>
#include <unordered_map>
#include <vector>

namespace kr6 {

namespace {

using TSetter = std::function<void(TKr6DataHead&, const std::string&)>;

// How the import reads a key's value, for the checks of what it read differently.
enum class TValueKind { Text, Integer, Date, PriceField };

struct TKey {
    std::string_view Name;
    TSetter Set;
    TValueKind Kind = TValueKind::Text;
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
        {"Valid-from", Date(&H::ValidFrom), TValueKind::Date},
        {"Valid-until", Date(&H::ValidUntil), TValueKind::Date},
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
        {"cylindergroup-base", Integer(&H::CylinderGroupBase), TValueKind::Integer},
        {"cylindergroup-1", [](H& Head, V Value) { Head.CylinderGroup[0] = TextToInt(Value); },
         TValueKind::Integer},
        {"cylindergroup-2", [](H& Head, V Value) { Head.CylinderGroup[1] = TextToInt(Value); },
         TValueKind::Integer},
        {"prismgroup-1", [](H& Head, V Value) { Head.PrismGroup[0] = TextToInt(Value); },
         TValueKind::Integer},
        {"prismgroup-2", [](H& Head, V Value) { Head.PrismGroup[1] = TextToInt(Value); },
         TValueKind::Integer},
        {"prismgroup-3", [](H& Head, V Value) { Head.PrismGroup[2] = TextToInt(Value); },
         TValueKind::Integer},
        {"prismgroup-4", [](H& Head, V Value) { Head.PrismGroup[3] = TextToInt(Value); },
         TValueKind::Integer},
        {"prismgroup-5", [](H& Head, V Value) { Head.PrismGroup[4] = TextToInt(Value); },
         TValueKind::Integer},
        {"currencydescription", Text(&H::CurrencyDescription)},
        {"currencydescription-decimals", Text(&H::CurrencyDescriptionDecimals)},
        {"characterset", Integer(&H::CharacterSet), TValueKind::Integer},
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

// How the value of Key reads; none for a key the format does not have.
std::optional<TValueKind> KindOfKey(std::string_view Key) {
    for (std::size_t I = 0; I < 5; ++I) {
        const std::string Number{'0', static_cast<char>('1' + I)};
        if (SameText(Key, "pricefield-" + Number))
            return TValueKind::PriceField;
        if (SameText(Key, "pricefield-description-" + Number))
            return TValueKind::Text;
    }
    const auto& Table = Keys();
    const auto Found = std::find_if(Table.begin(), Table.end(),
                                    [&](const TKey& K) { return SameText(K.Name, Key); });
    if (Found == Table.end())
        return std::nullopt;
    return Found->Kind;
}

} // namespace

void CheckKr6Head(const TStringList& Lines, TKr6LineReport& Report) {
    constexpr int ValueColumn = 31;
    std::unordered_map<std::string, int> FirstLines;
    for (const auto& Entry : Lines) {
        const std::string_view Line = Entry.Text;
        Report.Next(Line);
        if (IsEmptyLine(Line))
            continue;
        const std::string Key = Kr6TrimRight(Line, 1, 30);
        const std::optional<TValueKind> Kind = KindOfKey(Key);
        if (!Kind) {
            Report.Add(TKr6FindingCode::UnknownHeaderKey, 0,
                       "unknown key " + Quoted(Key) + ": ignored");
            continue;
        }
        const auto [First, New] = FirstLines.try_emplace(AnsiUpperCase(Key), Report.Line());
        if (!New)
            Report.Add(TKr6FindingCode::RepeatedHeaderKey, 0,
                       "key " + Quoted(Key) + " was given on line " +
                           std::to_string(First->second) + " already: the last value counts");
        switch (*Kind) {
        case TValueKind::Integer:
            CheckKr6Number(Report, Line, ValueColumn, 250);
            break;
        case TValueKind::Date:
            CheckKr6Date(Report, Line, ValueColumn);
            break;
        case TValueKind::PriceField: {
            const std::string_view Value = Kr6Field(Line, ValueColumn, 250);
            const std::optional<std::int32_t> Number = TryTextToInt(Value);
            if (!Number)
                CheckKr6Number(Report, Line, ValueColumn, 250);
            else if (!IsCodeOf<Tdex6PriceField>(*Number))
                ReportKr6UnknownCode(Report, Line, ValueColumn, 250,
                                     Code(FromCode<Tdex6PriceField>(*Number)));
            break;
        }
        case TValueKind::Text:
            break;
        }
    }
}

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
