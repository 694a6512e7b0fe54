// The drawings file: JSON read and written back with what the program does not know kept, the
// store keyed by folder and symbol, written through a work file, and set aside when damaged; and
// the editor's undo and redo.

#include "chart/drawings/DrawingStore.h"
#include "chart/drawings/DrawingEditor.h"
#include "platform/Json.h"
#include "tests/support/MetaStockWriter.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string Text(const std::string& path) {
    const Bytes bytes = ReadBytes(path);
    return {bytes.begin(), bytes.end()};
}

DrawingPoint Point(const char* date, double price, const char* time = "") {
    DrawingPoint point;
    EXPECT_TRUE(ParseDrawingDate(date, point.nDay)) << date;
    EXPECT_TRUE(ParseDrawingTime(time, point.nSeconds)) << time;
    point.dPrice = price;
    return point;
}

Drawing Line(double from, double to) {
    Drawing drawing;
    drawing.points = {Point("2006-01-03", from), Point("2006-02-01", to)};
    return drawing;
}

const char kSample[] = R"({"version": 1, "owner": "scripts", "securities": [
  {"folder": "/data/quotes", "symbol": "ACME", "note": "kept", "drawings": [
    {"type": "trendline", "points": [{"date": "2006-01-03", "time": "", "price": 5.5},
      {"date": "2006-02-01", "time": "", "price": 7.25, "pin": true}],
     "color": "#00FF00", "width": 2, "style": "dashed", "extend": true, "label": "mine"},
    {"type": "pitchfork", "points": [], "anything": [1, 2, {"deep": null}]},
    {"type": "note", "points": [{"date": "2006-01-05", "time": "09:30:00", "price": 6}],
     "text": "earnings \"beat\"\n", "color": "#0000FF", "width": 1, "style": "solid"}]}]})";

TEST(JsonTest, ReadsAndWritesBackTheSameValue) {
    CJsonValue value;
    std::string error;
    ASSERT_TRUE(ParseJson(kSample, value, error)) << error;
    CJsonValue again;
    ASSERT_TRUE(ParseJson(WriteJson(value), again, error)) << error;
    EXPECT_EQ(WriteJson(again), WriteJson(value));
    EXPECT_EQ(value.Members()[1].first, "owner"); // members keep their order
}

TEST(JsonTest, RefusesWhatIsNotJson) {
    const struct {
        const char* name;
        std::string text;
    } kCases[] = {
        {"empty", ""},
        {"open object", "{\"a\": 1"},
        {"trailing comma", "[1, 2,]"},
        {"bare word", "{\"a\": yes}"},
        {"extra text", "{} {}"},
        {"control character", "[\"a\tb\"]"},
        {"bad escape", "[\"\\q\"]"},
        {"number out of range", "[1e999]"},
        {"too deep", std::string(1000, '[') + std::string(1000, ']')},
        {"half a number", "[-]"},
        {"cut in a string", "[\"abc"},
    };
    for (const auto& c : kCases) {
        CJsonValue value;
        std::string error;
        EXPECT_FALSE(ParseJson(c.text, value, error)) << c.name;
        EXPECT_FALSE(error.empty()) << c.name;
    }
}

TEST(JsonTest, EscapesAndUnicode) {
    CJsonValue value;
    std::string error;
    ASSERT_TRUE(ParseJson("\xEF\xBB\xBF[\"\\u00e9\\ud83d\\ude00\\ud800\"]", value, error));
    EXPECT_EQ(value.Items()[0].AsString(), "\xC3\xA9\xF0\x9F\x98\x80\xEF\xBF\xBD");
}

TEST(DrawingTest, DatesAndTimesBothWays) {
    const struct {
        const char* date;
        bool valid;
    } kDates[] = {{"2006-01-03", true},  {"1899-12-31", true},  {"2100-02-28", true},
                  {"2100-02-29", false}, {"2004-02-29", true},  {"2006-13-01", false},
                  {"2006-1-03", false},  {"06-01-03xx", false}, {"", false}};
    for (const auto& c : kDates) {
        int serial = 0;
        EXPECT_EQ(ParseDrawingDate(c.date, serial), c.valid) << c.date;
        if (c.valid) {
            EXPECT_EQ(DrawingDateText(serial), c.date);
        }
    }
    int serial = 0;
    ASSERT_TRUE(ParseDrawingDate("1961-01-01", serial));
    EXPECT_EQ(serial, SerialOfDayNumber(1));
    EXPECT_EQ(WeekdayOfSerial(serial), 6); // a Sunday
    int seconds = 0;
    EXPECT_TRUE(ParseDrawingTime("23:59:58", seconds));
    EXPECT_EQ(DrawingTimeText(seconds), "23:59:58");
    EXPECT_FALSE(ParseDrawingTime("24:00:00", seconds));
    EXPECT_FALSE(ParseDrawingTime("9:30", seconds));
}

TEST(DrawingTest, FibonacciLevelsRunFromTheSecondPointToTheFirst) {
    Drawing fibonacci = Line(10, 20);
    fibonacci.type = DrawingType::Fibonacci;
    const struct {
        double percent, price;
        const char* label;
    } kLevels[] = {{0, 20, "0% 20.00"},          {23.6, 17.64, "23.6% 17.64"},
                   {38.2, 16.18, "38.2% 16.18"}, {50, 15, "50% 15.00"},
                   {61.8, 13.82, "61.8% 13.82"}, {78.6, 12.14, "78.6% 12.14"},
                   {100, 10, "100% 10.00"}};
    ASSERT_EQ(std::size(kLevels), kFibonacciLevels.size());
    for (std::size_t k = 0; k < kFibonacciLevels.size(); ++k) {
        EXPECT_EQ(kFibonacciLevels[k], kLevels[k].percent);
        const double price = FibonacciPrice(fibonacci, kLevels[k].percent);
        EXPECT_NEAR(price, kLevels[k].price, 1e-9);
        EXPECT_EQ(FibonacciLabel(kLevels[k].percent, price), kLevels[k].label);
    }
    EXPECT_EQ(DrawingPriceText(0.1234), "0.1234"); // small prices keep their decimals
}

TEST(DrawingTest, UnusableDrawingsAreRefused) {
    const struct {
        const char* name;
        const char* json;
    } kCases[] = {
        {"no type", R"({"points": []})"},
        {"too few points",
         R"({"type": "rectangle", "points": [{"date": "2006-01-03", "price": 1}]})"},
        {"bad date", R"({"type": "hline", "points": [{"date": "2006-02-30", "price": 1}]})"},
        {"bad time",
         R"({"type": "hline", "points": [{"date": "2006-02-03", "time": "25:00:00", "price": 1}]})"},
        {"no price", R"({"type": "hline", "points": [{"date": "2006-02-03"}]})"},
        {"text price", R"({"type": "hline", "points": [{"date": "2006-02-03", "price": "1"}]})"},
    };
    for (const auto& c : kCases) {
        CJsonValue object;
        std::string error;
        ASSERT_TRUE(ParseJson(c.json, object, error)) << c.name;
        Drawing drawing;
        EXPECT_FALSE(DrawingFromJson(object, drawing, error)) << c.name;
    }
}

class DrawingStoreTest : public ::testing::Test {
protected:
    std::string File() const { return m_dir / "data/drawings.json"; }

    CTempDir m_dir;
    CScriptedMessages m_messages;
    CDrawingStore m_store;
};

TEST_F(DrawingStoreTest, AMissingFileIsAnEmptyStoreAndTheFirstChangeCreatesIt) {
    m_store.Load(File(), m_messages);
    EXPECT_TRUE(m_messages.TakeShown().empty());
    EXPECT_EQ(m_store.Find("/q", "ACME"), nullptr);
    m_store.Put("/q", "ACME", {Line(5, 6)}, m_messages);
    ASSERT_TRUE(fs::exists(File()));
    CDrawingStore again;
    again.Load(File(), m_messages);
    ASSERT_NE(again.Find("/q", "ACME"), nullptr);
    EXPECT_EQ(*again.Find("/q", "ACME"), std::vector<Drawing>{Line(5, 6)});
    EXPECT_EQ(again.Find("/q", "OTHER"), nullptr);
    EXPECT_EQ(again.Find("/r", "ACME"), nullptr);
    EXPECT_TRUE(m_messages.TakeShown().empty());
}

TEST_F(DrawingStoreTest, WrittenBackWithWhatItDoesNotKnow) {
    fs::create_directories(m_dir / "data");
    WriteText(File(), kSample);
    m_store.Load(File(), m_messages);
    const std::vector<std::string> shown = m_messages.TakeShown();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find("\"pitchfork\""), std::string::npos) << shown[0];

    const std::vector<Drawing>* drawings = m_store.Find("/data/quotes", "ACME");
    ASSERT_NE(drawings, nullptr);
    ASSERT_EQ(drawings->size(), 3u);
    const Drawing& line = (*drawings)[0];
    EXPECT_EQ(line.type, DrawingType::TrendLine);
    EXPECT_EQ(line.color, Rgb(0, 255, 0));
    EXPECT_EQ(line.nWidth, 2);
    EXPECT_EQ(line.style, LineStyle::Dashed);
    EXPECT_TRUE(line.bExtend);
    EXPECT_EQ(line.points[1], Point("2006-02-01", 7.25));
    EXPECT_EQ((*drawings)[1].type, DrawingType::Unknown);
    EXPECT_EQ((*drawings)[2].text, "earnings \"beat\"\n");
    EXPECT_EQ((*drawings)[2].points[0].nSeconds, 9 * 3600 + 30 * 60);

    // A change to the first drawing writes every unknown member back where it was.
    std::vector<Drawing> changed = *drawings;
    changed[0].points[1].dPrice = 8;
    m_store.Put("/data/quotes", "ACME", changed, m_messages);
    CJsonValue written, sample;
    std::string error;
    ASSERT_TRUE(ParseJson(Text(File()), written, error)) << error;
    ASSERT_TRUE(ParseJson(kSample, sample, error));
    CJsonValue* point = const_cast<CJsonValue*>(&sample.Find("securities")
                                                     ->Items()[0]
                                                     .Find("drawings")
                                                     ->Items()[0]
                                                     .Find("points")
                                                     ->Items()[1]);
    point->Set("price", CJsonValue::Number(8));
    EXPECT_EQ(WriteJson(written), WriteJson(sample));
}

TEST_F(DrawingStoreTest, ADamagedFileIsSetAsideAndNotWrittenOver) {
    const struct {
        const char* name;
        std::string text;
    } kCases[] = {
        {"cut short", std::string(kSample).substr(0, 120)},
        {"not an object", "[1, 2]"},
        {"securities not a list", R"({"version": 1, "securities": {}})"},
        {"a security without a symbol", R"({"securities": [{"folder": "/q", "drawings": []}]})"},
        {"binary", std::string("\0\x01\x02", 3)},
    };
    for (const auto& c : kCases) {
        CTempDir dir;
        const std::string file = dir / "drawings.json";
        WriteText(file, c.text);
        CDrawingStore store;
        store.Load(file, m_messages);
        const std::vector<std::string> shown = m_messages.TakeShown();
        ASSERT_EQ(shown.size(), 1u) << c.name;
        EXPECT_NE(shown[0].find("set aside as " + file + ".damaged"), std::string::npos)
            << shown[0];
        EXPECT_EQ(Text(file + ".damaged"), c.text) << c.name;
        EXPECT_FALSE(fs::exists(file)) << c.name;
        EXPECT_TRUE(store.Securities().empty()) << c.name;
        // The next change starts a new file; the damaged one stays as it was.
        store.Put("/q", "ACME", {Line(1, 2)}, m_messages);
        EXPECT_TRUE(fs::exists(file)) << c.name;
        EXPECT_EQ(Text(file + ".damaged"), c.text) << c.name;
    }
    // A second damaged file does not take the first one's place.
    const std::string file = m_dir / "drawings.json";
    WriteText(file + ".damaged", "first");
    WriteText(file, "second{");
    m_store.Load(file, m_messages);
    EXPECT_EQ(Text(file + ".damaged"), "first");
    EXPECT_EQ(Text(file + ".damaged-2"), "second{");
}

TEST_F(DrawingStoreTest, AFailedWriteLeavesTheOldFileAndSaysSo) {
    m_store.Load(File(), m_messages);
    m_store.Put("/q", "ACME", {Line(1, 2)}, m_messages);
    const std::string before = Text(File());
    m_store.SetReplacer([](const std::string&, const std::string&) { return false; });
    m_store.Put("/q", "ACME", {Line(3, 4)}, m_messages);
    EXPECT_EQ(Text(File()), before);
    const std::vector<std::string> shown = m_messages.TakeShown();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find("cannot be written"), std::string::npos);
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir / "data"), fs::directory_iterator()), 1);
}

TEST_F(DrawingStoreTest, FoldersAreKeyedByTheirAbsolutePath) {
    const std::string cwd = fs::current_path().string();
    EXPECT_EQ(DrawingFolderKey("/data/quotes/"), "/data/quotes");
    EXPECT_EQ(DrawingFolderKey("/data/x/../quotes/./"), "/data/quotes");
    EXPECT_EQ(DrawingFolderKey("quotes"), cwd + "/quotes");
}

class DrawingEditorTest : public DrawingStoreTest {
protected:
    void SetUp() override {
        m_store.Load(File(), m_messages);
        m_editor.SetSecurity("/q", "ACME");
    }
    CDrawingEditor m_editor{m_store, m_messages};
};

TEST_F(DrawingEditorTest, EveryChangeIsUndoneAndRedoneInTurn) {
    EXPECT_FALSE(m_editor.CanUndo());
    ASSERT_TRUE(m_editor.Add(Line(1, 2)));
    ASSERT_TRUE(m_editor.Add(Line(3, 4)));
    ASSERT_TRUE(m_editor.Replace(0, Line(1, 9)));
    ASSERT_TRUE(m_editor.Remove(1));
    const std::vector<std::vector<Drawing>> kSteps = {
        {}, {Line(1, 2)}, {Line(1, 2), Line(3, 4)}, {Line(1, 9), Line(3, 4)}, {Line(1, 9)}};
    for (int k = 3; k >= 0; --k) {
        ASSERT_TRUE(m_editor.Undo());
        EXPECT_EQ(m_editor.Drawings(), kSteps[std::size_t(k)]) << k;
    }
    EXPECT_FALSE(m_editor.Undo());
    for (int k = 1; k <= 4; ++k) {
        ASSERT_TRUE(m_editor.Redo());
        EXPECT_EQ(m_editor.Drawings(), kSteps[std::size_t(k)]) << k;
    }
    EXPECT_FALSE(m_editor.Redo());
    // The file follows every step.
    CDrawingStore again;
    again.Load(File(), m_messages);
    EXPECT_EQ(*again.Find("/q", "ACME"), kSteps[4]);
}

TEST_F(DrawingEditorTest, ANewChangeDropsWhatCouldBeRedone) {
    m_editor.Add(Line(1, 2));
    m_editor.Undo();
    m_editor.Add(Line(5, 6));
    EXPECT_FALSE(m_editor.CanRedo());
    EXPECT_FALSE(m_editor.Replace(0, Line(5, 6))); // no change, no step
    EXPECT_FALSE(m_editor.Remove(3));
}

TEST_F(DrawingEditorTest, EachSecurityUndoesItsOwnChanges) {
    m_editor.Add(Line(1, 2));
    m_editor.SetSecurity("/q", "OTHER");
    m_editor.Add(Line(3, 4));
    m_editor.SetSecurity("/q", "ACME");
    ASSERT_TRUE(m_editor.Undo());
    EXPECT_TRUE(m_editor.Drawings().empty());
    EXPECT_EQ(*m_store.Find("/q", "OTHER"), std::vector<Drawing>{Line(3, 4)});
}

TEST_F(DrawingEditorTest, RemoveAllKeepsDrawingsOfUnknownTypesAndIsOneStep) {
    Drawing unknown;
    unknown.type = DrawingType::Unknown;
    std::string error;
    ASSERT_TRUE(ParseJson(R"({"type": "gann"})", unknown.raw, error));
    m_store.Put("/q", "ACME", {Line(1, 2), unknown, Line(3, 4)}, m_messages);
    ASSERT_TRUE(m_editor.RemoveAll());
    ASSERT_EQ(m_editor.Drawings().size(), 1u);
    EXPECT_EQ(m_editor.Drawings()[0].type, DrawingType::Unknown);
    EXPECT_FALSE(m_editor.RemoveAll());
    ASSERT_TRUE(m_editor.Undo());
    EXPECT_EQ(m_editor.Drawings().size(), 3u);
}

} // namespace
