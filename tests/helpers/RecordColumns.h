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

} // namespace kr6::test
