#pragma once

#include "import/Kr6Import.h"

#include "helpers/FixedLine.h"
#include "helpers/TestArchive.h"
#include "support/StringList.h"
#include "tools/DemoPriceList.h"

#include <initializer_list>
#include <string>
#include <string_view>

namespace kr6 {
class Tdex6Dataobject;
}

namespace kr6::test {

// Record lines of a KR6 archive with the fields a test usually needs, placed by the
// import's column tables. Texts are given as they stand in the file, left-aligned; numbers
// are written with leading zeros. Further fields go in with At().

// "Head.dat": key in columns 1-30, value from 31.
std::string HeadLine(std::string_view Key, std::string_view Value);
// "Head.dat" from "key=value;key=value".
TStringList HeadLines(std::string_view Pairs);
// "LensType.Dat": code, name and material code.
TFixedLine LensTypeLine(std::string_view Code, std::string_view Name = {},
                        std::string_view Material = "2");
// "LensPrice.Dat" in the layout of version 6.9.0 and later; prices are /100 texts.
TFixedLine LensPriceLine(std::string_view Code, std::string_view Diameter, int SphereGroup,
                         int CylinderGroup, int DeliveryRange,
                         std::initializer_list<std::string_view> Prices);
// "Options.Dat": code, name and the four material flags.
TFixedLine OptionsLine(std::string_view Code, std::string_view Name = {},
                       std::string_view Materials = "0100");
// "OptionsPrice.Dat"; an empty LensCode is a general price.
TFixedLine OptionsPriceLine(std::string_view OptionCode, std::string_view LensCode, int SphTor,
                            int SingleMulti, std::string_view Materials,
                            std::initializer_list<std::string_view> Prices);
// "Combination.Dat"; Delivery is the code (0 nicht, 1 lieferbar, 2 nur lieferbar).
std::string CombinationLine(std::string_view Lens, int Delivery, std::string_view C1,
                            std::string_view C2 = {}, std::string_view C3 = {});

// The lenses (code, material), coatings (code, materials, kinds and features) and rules
// of a model built in memory, as the lines that import into them as far as the fields
// reach: codes are cut to six characters, the rules are written in list order.
TKr6Files FilesOf(const Tdex6Dataobject& Root);

// The non-empty members, lines ended by CR LF, for an archive.
TMembers MembersOf(const TKr6Files& Files);
// The generator's members, lines ended by CR LF, in its order.
TMembers MembersOf(const std::vector<TKr6Member>& Members);

} // namespace kr6::test
