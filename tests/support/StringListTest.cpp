#include "support/StringList.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>
#include <string_view>
#include <tuple>

namespace kr6 {
namespace {

using TDuplicates = TStringList::TDuplicates;

TEST(StringListTest, SortedIgnoresDuplicatesUnderCompareText) {
    TStringList List(true);
    int Objects[3] = {};
    EXPECT_EQ(List.Add("b", &Objects[0]), 0);
    EXPECT_EQ(List.Add("a"), 0);
    EXPECT_EQ(List.Add("B", &Objects[1]), 1);
    EXPECT_EQ(List.Add("c"), 2);
    EXPECT_EQ(List.Text(), "a\r\nb\r\nc\r\n");
    EXPECT_EQ(List.Objects(1), &Objects[0]);
    EXPECT_EQ(List.IndexOf("C"), 2);
    EXPECT_FALSE(List.Contains("d"));

    TStringList Accept(true, TDuplicates::Accept);
    Accept.SetText("d\nb\nf");
    EXPECT_EQ(Accept.Add("B"), 0); // before its equals; Find gives the first
    EXPECT_EQ(Accept.Text(), "B\r\nb\r\nd\r\nf\r\n");
    for (const auto& [Text, Found, At] :
         {std::tuple{"b", true, 0}, {"c", false, 2}, {"z", false, 4}}) {
        int Index = -1;
        EXPECT_EQ(Accept.Find(Text, Index), Found) << Text;
        EXPECT_EQ(Index, At) << Text;
    }
}

TEST(StringListTest, SetTextSplitsAtEveryLineEndAndKeepsTheSorting) {
    TStringList List;
    for (const auto& [Text, Lines] :
         {std::pair{std::string_view("a\r\nb\nc\rd"), "a\r\nb\r\nc\r\nd\r\n"},
          {"a\r\n", "a\r\n"},
          {"a\n\r\r\nb", "a\r\n\r\n\r\nb\r\n"},
          {std::string_view("a\nb\0c\nd", 7), "a\r\nb\r\n"},
          {"", ""}}) {
        List.SetText(Text);
        EXPECT_EQ(List.Text(), Lines);
    }
    TStringList Sorted(true);
    Sorted.SetText("b\na\nB\n");
    EXPECT_EQ(Sorted.Text(), "a\r\nb\r\n");
    List.SetText("c\nb\nc");
    Sorted.Assign(List);
    EXPECT_EQ(Sorted.Text(), "b\r\nc\r\n");
    List.Assign(Sorted);
    EXPECT_EQ(List.Text(), "b\r\nc\r\n");
}

TEST(StringListTest, AddStringsToASortedListEndsAsAddingOneByOne) {
    // Texts equal under CompareText but not byte for byte, so the kept entry shows.
    const std::array<std::string_view, 7> Texts{"ab", "AB", "Ab", "b", "", " ", "\xE4"};
    std::mt19937 Random(3);
    const auto Fill = [&](TStringList& List) {
        for (int N = static_cast<int>(Random() % 6); N > 0; --N)
            List.Add(Texts[Random() % Texts.size()],
                     reinterpret_cast<void*>(static_cast<std::uintptr_t>(Random() % 100 + 1)));
    };
    for (int Round = 0; Round < 500; ++Round) {
        TStringList Target(true);
        Fill(Target);
        TStringList Source(Round % 3 != 0,
                           Round % 2 == 0 ? TDuplicates::Accept : TDuplicates::Ignore);
        Fill(Source);
        TStringList OneByOne = Target;
        for (const auto& Entry : Source)
            OneByOne.Add(Entry.Text, Entry.Object);
        Target.AddStrings(Source);
        ASSERT_EQ(Target.Count(), OneByOne.Count()) << "round " << Round;
        for (int I = 0; I < Target.Count(); ++I) {
            ASSERT_EQ(Target[I], OneByOne[I]) << "round " << Round;
            ASSERT_EQ(Target.Objects(I), OneByOne.Objects(I)) << "round " << Round;
        }
    }
}

TEST(StringListTest, RemoveAllEndsAsRemovingOneByOne) {
    // Equals that differ in their bytes, so that which entry goes shows.
    const std::array<std::string_view, 5> Texts{"ab", "AB", "Ab", "b", ""};
    std::mt19937 Random(5);
    const auto Fill = [&](TStringList& List, int Most) {
        for (int N = static_cast<int>(Random() % Most); N > 0; --N)
            List.Add(Texts[Random() % Texts.size()]);
    };
    for (int Round = 0; Round < 500; ++Round) {
        TStringList Target(Round % 3 != 0,
                           Round % 2 == 0 ? TDuplicates::Accept : TDuplicates::Ignore);
        Fill(Target, 8);
        TStringList Removed;
        Fill(Removed, 5);
        TStringList OneByOne = Target;
        for (const auto& Entry : Removed)
            OneByOne.Remove(Entry.Text);
        Target.RemoveAll(Removed);
        ASSERT_EQ(Target.Text(), OneByOne.Text()) << "round " << Round;
    }
    TStringList Itself;
    Itself.SetText("a\nb\na");
    Itself.RemoveAll(Itself);
    EXPECT_TRUE(Itself.IsEmpty());
}

} // namespace
} // namespace kr6
