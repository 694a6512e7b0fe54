#include "chart/Bars.h"
#include "chart/ViewOptions.h"
#include "platform/MemorySettings.h"
#include "tests/support/ScriptedMessages.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string WorkColors(const CBars& bars) {
    std::string text;
    for (int item = 0; item < kColorItemCount; ++item)
        text += static_cast<char>('0' + bars.GetWorkColor(item));
    return text;
}

class BarsOptionsTest : public ::testing::Test {
protected:
    CMemorySettings m_settings;
    CScriptedMessages m_messages;
};

TEST_F(BarsOptionsTest, ConstructionDefaults) {
    m_settings.WriteInt("ViewOptions", "MasterFix", 1);
    CBars bars(m_settings, m_messages);
    EXPECT_EQ(bars.GetBarSpace(), 4);
    EXPECT_EQ(bars.GetMA1Length(), 10);
    EXPECT_EQ(bars.GetMA2Length(), 20);
    EXPECT_EQ(bars.GetShowVolume(), 1);
    EXPECT_EQ(bars.GetShowMA1(), 1);
    EXPECT_EQ(bars.GetShowMA2(), 1);
    EXPECT_EQ(bars.GetHideBadData(), 0);
    EXPECT_FALSE(bars.IsDataLoaded());
    EXPECT_EQ(WorkColors(bars), "0723733414");
    EXPECT_EQ(bars.GetWorkColorRGB(kItemAxes), Rgb(255, 255, 255));
    EXPECT_EQ(bars.GetWorkColorRGB(kItemHighLowBar), Rgb(0, 255, 0));
    EXPECT_EQ(bars.GetItemName(kItemHighLowBar), "High-Low Bar");
    EXPECT_EQ(bars.GetItemName(kItemVolume), "Volume");
    EXPECT_EQ(bars.m_bMasterFix, 1);
    const COLORREF palette[] = {Rgb(0, 0, 0),     Rgb(0, 0, 255),    Rgb(0, 255, 0),
                                Rgb(0, 255, 255), Rgb(255, 0, 0),    Rgb(255, 0, 255),
                                Rgb(255, 255, 0), Rgb(255, 255, 255)};
    for (int k = 0; k < kPaletteSize; ++k)
        EXPECT_EQ(bars.GetPaletteColor(k), palette[k]) << k;
}

TEST_F(BarsOptionsTest, ResetKeepsColoursAndMasterFix) {
    CBars bars(m_settings, m_messages);
    bars.SetWorkColor(kItemBackground, 7);
    bars.CommitColors();
    bars.m_bMasterFix = 1;
    bars.SetBarSpace(9);
    bars.SetShowVolume(0);
    bars.SetMA1Length(30);
    bars.ResetDefaults();
    EXPECT_EQ(bars.GetWorkColor(kItemBackground), 7);
    EXPECT_EQ(bars.m_bMasterFix, 1);
    EXPECT_EQ(bars.GetBarSpace(), 4);
    EXPECT_EQ(bars.GetShowVolume(), 1);
    EXPECT_EQ(bars.GetMA1Length(), 10);
}

TEST_F(BarsOptionsTest, WorkingColoursWaitForTheCommit) {
    CBars bars(m_settings, m_messages);
    EXPECT_EQ(bars.SetWorkColor(kItemAxes, 6), kItemAxes);
    EXPECT_EQ(bars.GetWorkColorRGB(kItemAxes), Rgb(255, 255, 0));
    bars.SetWorkColor(99, 3);        // not an item
    bars.SetWorkColor(kItemAxes, 8); // not a palette colour
    EXPECT_EQ(bars.GetWorkColor(kItemAxes), 6);
    EXPECT_EQ(bars.GetPaletteColor(-1), Rgb(0, 0, 0));
    EXPECT_EQ(bars.GetItemName(10), "");
}

TEST_F(BarsOptionsTest, NonsenseLengthsAndSpacesBecomeOne) {
    CBars bars(m_settings, m_messages);
    bars.SetMA1Length(0);
    bars.SetMA2Length(-4);
    bars.SetBarSpace(0);
    EXPECT_EQ(bars.GetMA1Length(), 1);
    EXPECT_EQ(bars.GetMA2Length(), 1);
    EXPECT_EQ(bars.GetBarSpace(), 1);
}

TEST_F(BarsOptionsTest, StoredOptionsAreClampedWhenApplied) {
    const struct {
        const char* name;
        const char* stored;
        int expected;
    } cases[] = {{"BarSpace", "1", 2},     {"BarSpace", "11", 10}, {"BarSpace", "6", 6},
                 {"MA1Length", "0", 2},    {"MA1Length", "-9", 2}, {"MA1Length", "51", 50},
                 {"MA2Length", "x", 20},   {"ShowVolume", "5", 1}, {"ShowVolume", "-1", 0},
                 {"HideBadData", " 1", 1}, {"ShowMA2", "0", 0}};
    for (const auto& c : cases) {
        CMemorySettings settings;
        settings.WriteString("ViewOptions", c.name, c.stored);
        CBars bars(settings, m_messages);
        ApplyStoredViewOptions(bars, settings);
        const std::string name = c.name;
        const int value = name == "BarSpace"     ? bars.GetBarSpace()
                          : name == "MA1Length"  ? bars.GetMA1Length()
                          : name == "MA2Length"  ? bars.GetMA2Length()
                          : name == "ShowVolume" ? bars.GetShowVolume()
                          : name == "ShowMA2"    ? bars.GetShowMA2()
                                                 : bars.GetHideBadData();
        EXPECT_EQ(value, c.expected) << c.name << "=" << c.stored;
    }
}

TEST_F(BarsOptionsTest, OnlyTenPaletteDigitsChangeTheColours) {
    const struct {
        const char* stored;
        const char* colors;
    } cases[] = {{"0723733414", "0723733414"},
                 {"7012345670", "7012345670"},
                 {"012345670", "0723733414"},
                 {"01234567012", "0723733414"},
                 {"0123456780", "0723733414"},
                 {"012345670-", "0723733414"},
                 {"", "0723733414"}};
    for (const auto& c : cases) {
        CMemorySettings settings;
        settings.WriteString("ViewOptions", "Colors", c.stored);
        CBars bars(settings, m_messages);
        ApplyStoredViewOptions(bars, settings);
        EXPECT_EQ(WorkColors(bars), c.colors) << c.stored;
    }
}

TEST(SettingsTextTest, IntegersScanLikeTheCLibrary) {
    const struct {
        const char* text;
        int value;
    } cases[] = {{"42", 42},
                 {" 42", 42},
                 {"42abc", 42},
                 {"+42", 42},
                 {"-5", -5},
                 {"", 7},
                 {"abc", 7},
                 {"-", 7},
                 {"\t\n 13", 13},
                 {"99999999999", 2147483647},
                 {"-99999999999", -2147483648}};
    for (const auto& c : cases)
        EXPECT_EQ(ScanSettingInt(c.text, 7), c.value) << '"' << c.text << '"';
    EXPECT_EQ(FormatSettingInt(-1), "-1");
}

TEST(SettingsTextTest, ValuesOf260BytesOrMoreReadAsAbsent) {
    CMemorySettings settings;
    settings.WriteString("S", "fits", std::string(259, '7'));
    settings.WriteString("S", "long", std::string(260, '7'));
    settings.WriteString("S", "nul",
                         std::string("12\0"
                                     "34",
                                     5));
    EXPECT_EQ(settings.ReadString("S", "fits", "d").size(), 259u);
    EXPECT_EQ(settings.ReadString("S", "long", "d"), "d");
    EXPECT_EQ(settings.ReadInt("S", "long", -3), -3);
    EXPECT_EQ(settings.ReadString("S", "nul", "d"), "12");
    settings.SetReadOnly(true);
    EXPECT_FALSE(settings.WriteInt("S", "x", 1));
    EXPECT_EQ(settings.ReadInt("S", "x", 5), 5);
}

} // namespace
