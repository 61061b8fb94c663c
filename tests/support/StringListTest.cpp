#include "support/StringList.h"

#include <gtest/gtest.h>

namespace kr6 {
namespace {

using TDuplicates = TStringList::TDuplicates;

TEST(StringListTest, UnsortedKeepsOrderAndDuplicates) {
    TStringList List;
    EXPECT_EQ(List.Add("b"), 0);
    EXPECT_EQ(List.Add("a"), 1);
    EXPECT_EQ(List.Add("B"), 2);
    EXPECT_EQ(List.Text(), "b\r\na\r\nB\r\n");
    EXPECT_EQ(List.IndexOf("B"), 0);
    EXPECT_EQ(List.IndexOf("c"), -1);
    EXPECT_TRUE(List.Remove("B"));
    EXPECT_EQ(List.Text(), "a\r\nB\r\n");
    EXPECT_FALSE(List.Remove("x"));
}

TEST(StringListTest, SortedIgnoresDuplicatesUnderCompareText) {
    TStringList List(true);
    int Objects[3] = {};
    EXPECT_EQ(List.Add("b", &Objects[0]), 0);
    EXPECT_EQ(List.Add("a"), 0);
    EXPECT_EQ(List.Add("B", &Objects[1]), 1);
    EXPECT_EQ(List.Add("c"), 2);
    EXPECT_EQ(List.Count(), 3);
    EXPECT_EQ(List[1], "b");
    EXPECT_EQ(List.Objects(1), &Objects[0]);
    EXPECT_EQ(List.IndexOf("C"), 2);
    EXPECT_FALSE(List.Contains("d"));
}

TEST(StringListTest, SortedAcceptInsertsBeforeEqualsAndFindsTheFirst) {
    TStringList List(true, TDuplicates::Accept);
    List.SetText("d\nb\nf");
    EXPECT_EQ(List.Add("B"), 0);
    EXPECT_EQ(List.Text(), "B\r\nb\r\nd\r\nf\r\n");
    int Index = -1;
    EXPECT_TRUE(List.Find("b", Index));
    EXPECT_EQ(Index, 0);
    EXPECT_FALSE(List.Find("c", Index));
    EXPECT_EQ(Index, 2);
    EXPECT_FALSE(List.Find("z", Index));
    EXPECT_EQ(Index, 4);
}

TEST(StringListTest, SetTextSplitsAtEveryLineEnd) {
    TStringList List;
    List.SetText("a\r\nb\nc\rd");
    EXPECT_EQ(List.Text(), "a\r\nb\r\nc\r\nd\r\n");
    List.SetText("a\r\n");
    EXPECT_EQ(List.Count(), 1);
    List.SetText("a\n\r\r\nb");
    EXPECT_EQ(List.Text(), "a\r\n\r\n\r\nb\r\n");
    List.SetText(std::string_view("a\nb\0c\nd", 7));
    EXPECT_EQ(List.Text(), "a\r\nb\r\n");
    List.SetText("");
    EXPECT_TRUE(List.IsEmpty());
}

TEST(StringListTest, SetTextAndAssignKeepTheListsSorting) {
    TStringList Sorted(true);
    Sorted.SetText("b\na\nB\n");
    EXPECT_EQ(Sorted.Text(), "a\r\nb\r\n");
    TStringList Unsorted;
    Unsorted.SetText("c\nb\nc");
    Sorted.Assign(Unsorted);
    EXPECT_EQ(Sorted.Text(), "b\r\nc\r\n");
    Unsorted.Assign(Sorted);
    EXPECT_EQ(Unsorted.Text(), "b\r\nc\r\n");
}

TEST(StringListTest, AddStringsOfItselfDoublesTheLines) {
    TStringList List;
    List.SetText("a\nb\nc\nd\ne");
    List.AddStrings(List);
    EXPECT_EQ(List.Count(), 10);
    EXPECT_EQ(List[9], "e");
    TStringList Sorted(true, TDuplicates::Accept);
    Sorted.SetText("b\na");
    Sorted.AddStrings(Sorted);
    EXPECT_EQ(Sorted.Text(), "a\r\na\r\nb\r\nb\r\n");
}

} // namespace
} // namespace kr6
