#pragma once

#include "import/Kr6Columns.h"
#include "model/CodeTables.h"

#include <gtest/gtest.h>

#include <string_view>

namespace kr6::test {

// The member of a code table that carries Code.
template <class E> E Member(int Code) {
    return FromCode<E>(Code);
}

// Every field set to a value other than its default: written through the layout it gives
// exactly Line, and Line parses back to the same record, so each column is pinned once.
template <class Layout, class Record, class Parse>
void ExpectColumns(const Record& Rec, std::string_view Line, Parse ParseLine) {
    EXPECT_EQ(TKr6LineWriter<Layout>().SetAll(Rec).Line(), Line);
    Record Parsed;
    ParseLine(Parsed, Line);
    EXPECT_EQ(Parsed, Rec);
}

// Lines whose every field differs from its default, for the record tests to pin the columns
// by.
inline constexpr std::string_view LensTypeSample =
    "ABC123Glas eins                               "
    "2024010120251231310120342215000120580011541111112111354000950"
    "1000111042Kurz           706512";
inline constexpr std::string_view LensRangeSample =
    "ABC1236570E-080000600-200-0500101700250020001008AR1   B2    "
    "C3    D4    E5    1202401312024123110051111007";
inline constexpr std::string_view LensGeoSample =
    "ABC1237065E-"
    "040000400015002502001000020000300004000050000600070008000900100011010120013001400150";
inline constexpr std::string_view OptionsSample =
    "AB12  Super ET                                "
    "20240229202412311101086111112311131111111214338009551000-"
    "200000300657007Kurz            91";
inline constexpr std::string_view OptionsColorSample =
    "R01AB12  Rot                                     "
    "10202550000000002550000010020033235008551000";

} // namespace kr6::test
