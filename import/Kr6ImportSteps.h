#pragma once

// The steps of building the model from the lines of a KR6 archive's members, one member
// each, in the order the import takes them.

#include "import/Kr6Finding.h"
#include "import/Kr6Head.h"
#include "import/Kr6ImportProgress.h"
#include "import/Kr6MemberLines.h"
#include "model/CodeTables.h"
#include "support/StringList.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace kr6 {

class Tdex6DataBeschichtung;
class Tdex6DataGlas;
class Tdex6Dataobject;

namespace kr6_import {

inline constexpr int PriceFieldCount = 5;
// Which kind of object an information or order-option line is about.
inline constexpr int TargetGlass = 0;
inline constexpr int TargetCoating = 1;

// The line that made a lens or coating, kept while an observer wants to hear of them.
template <class T> struct TMadeBy {
    const T* Object = nullptr;
    int Line = 0;
    std::string_view Text;
};

// The work lists of one import.
struct TWorkLists {
    // Without an observer nothing is reported, and nothing is kept for it.
    TKr6ImportObserver* Observer = nullptr;
    std::vector<TMadeBy<Tdex6DataGlas>> Lenses;
    std::vector<TMadeBy<Tdex6DataBeschichtung>> Coatings;
    TStringList UngroupedGlasses{true};
    TStringList UngroupedCoatings{true};
    TStringList NoGroupGlasses{true};
    TStringList NoGroupCoatings{true};
    TStringList Scratch;
};

// A price field is filled when a description with its number describes something.
bool IsPriceFieldFilled(const Tdex6Dataobject& Root, int Field);
// The codes of every glass, or every coating, of every material and kind.
void GlassCodes(const Tdex6Dataobject& Root, TStringList& Codes);
void CoatingCodes(const Tdex6Dataobject& Root, TStringList& Codes);

// The maker's address, the prism and cylinder groups and the price descriptions.
void ImportHead(Tdex6Dataobject& Root, const TKr6DataHead& Head);
// What the observer hears once every member is built: lenses and coatings left without
// prices.
void ReportUnpriced(const TWorkLists& Work);
void ImportGlasses(Tdex6Dataobject& Root, const TKr6MemberLines& Lines, TWorkLists& Work,
                   TImportProgressMeter& Meter);
void ImportPowerRanges(Tdex6Dataobject& Root, const TKr6MemberLines& Lines, TWorkLists& Work,
                       TImportProgressMeter& Meter);
void ImportGeometries(Tdex6Dataobject& Root, const TKr6MemberLines& Lines, TWorkLists& Work,
                      TImportProgressMeter& Meter);
// The lines of a member in batches, as they are read: each call gives the next, none after
// the last.
using TKr6LineBatches = std::function<std::optional<TKr6MemberLines>()>;
void ImportGlassPrices(Tdex6Dataobject& Root, const TKr6LineBatches& Batches, std::int32_t Version,
                       TWorkLists& Work, TImportProgressMeter& Meter);
void ImportCoatings(Tdex6Dataobject& Root, const TKr6MemberLines& Lines, TWorkLists& Work,
                    TImportProgressMeter& Meter);
void ImportCoatingPrices(Tdex6Dataobject& Root, const TKr6MemberLines& Lines, TWorkLists& Work,
                         TImportProgressMeter& Meter);
void ImportRules(Tdex6Dataobject& Root, const TKr6MemberLines& Lines, TWorkLists& Work,
                 TImportProgressMeter& Meter);
void ImportColours(Tdex6Dataobject& Root, const TKr6MemberLines& Lines, TWorkLists& Work,
                   TImportProgressMeter& Meter);
void ImportInformation(Tdex6Dataobject& Root, const TKr6MemberLines& Lines, TWorkLists& Work,
                       TImportProgressMeter& Meter);
void ImportOrderOptions(Tdex6Dataobject& Root, const TKr6MemberLines& Lines, TWorkLists& Work,
                        TImportProgressMeter& Meter);
void ImportProductGroups(Tdex6Dataobject& Root, const TKr6MemberLines& Lines, TWorkLists& Work,
                         TImportProgressMeter& Meter);
void ImportCodeSubstitutions(Tdex6Dataobject& Root, const TKr6MemberLines& Lines, TWorkLists& Work,
                             TImportProgressMeter& Meter);

} // namespace kr6_import
} // namespace kr6
