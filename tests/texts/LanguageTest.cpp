#include "texts/Language.h"

#include <gtest/gtest.h>

namespace kr6 {
namespace {

constexpr TLanguage German = 1;
constexpr TLanguage English = 2;

TEST(Language, StartsInGermanAndLooksUpByNumber) {
    EXPECT_EQ(CurrentLanguage(), German);
    EXPECT_EQ(GetText(447), "Datei");
    EXPECT_EQ(GetText(138), "Einst\xE4rken"); // delivered as Windows-1252
    EXPECT_EQ(GetText(283), "Laden der Code-Ersetzungstabelle f\xFCr Gl\xE4ser...");
}

TEST(Language, EmptyEntryFallsBackToGermanBetweenStars) {
    EXPECT_EQ(GetTextLang(English, 256), "*empf. VK Level1 (CH)*");
    EXPECT_EQ(GetTextLang(English, 127) + GetTextLang(English, 127, false), "**");
    EXPECT_EQ(GetTextLang(0, 4) + GetTextLang(8, 4), "*Ansicht**Ansicht*");
    // Numbers beyond the table have no German text either.
    EXPECT_EQ(GetText(1362), "**");
    EXPECT_EQ(GetText(1362, false, false), "");
    EXPECT_EQ(GetText(65535, false), "");
    EXPECT_EQ(TextDe(1362), "");
}

TEST(Language, LineBreakMarkerBecomesCrLf) {
    const std::string Converted = GetText(1277);
    EXPECT_NE(Converted.find("l\xF6schen?\r\nBedenken"), std::string::npos);
    EXPECT_EQ(Converted.find("#13"), std::string::npos);
    EXPECT_NE(GetText(1277, true, false).find("l\xF6schen?#13Bedenken"), std::string::npos);
}

// English texts keep their trailing blanks.
TEST(Language, CurrentLanguageSelectsTheTable) {
    EXPECT_EQ(GetTextLang(English, 211), "not available ");
    EXPECT_EQ(GetTextLang(English, 147), "[no coating]");
    SetCurrentLanguage(English);
    EXPECT_EQ(GetText(213), "only available");
    SetCurrentLanguage(German);
    EXPECT_EQ(GetText(213), "nur lieferbar");
}

} // namespace
} // namespace kr6
