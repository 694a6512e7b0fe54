#include "platform/RecordingSurface.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

const Pen kRedPen{Rgb(255, 0, 0), 0};
const Brush kBlueBrush{Rgb(0, 0, 255)};
const Font kPrintFont{"Arial", 12, 700};

TEST(RecordingSurfaceTest, SelectionsGiveBackWhatWasSelectedBefore) {
    CRecordingSurface dc;
    const SurfaceAttributes fresh = dc.Attributes();
    EXPECT_EQ(fresh, (SurfaceAttributes{Pen{Rgb(0, 0, 0), 0}, Brush{Rgb(255, 255, 255)}, Font{},
                                        Rgb(0, 0, 0), BackgroundMode::Opaque, kAlignLeft}));
    const Pen oldPen = dc.SelectPen(Pen{Rgb(1, 1, 1), 3});
    EXPECT_EQ(dc.SelectPen(kRedPen), (Pen{Rgb(1, 1, 1), 3}));
    const Brush oldBrush = dc.SelectBrush(kBlueBrush);
    const Font oldFont = dc.SelectFont(kPrintFont);
    EXPECT_EQ(dc.SelectFont(Font{"Arial", 14, 400}), kPrintFont);
    const COLORREF oldColor = dc.SetTextColor(Rgb(1, 2, 3));
    EXPECT_EQ(dc.SetTextColor(Rgb(4, 5, 6)), Rgb(1, 2, 3));
    const BackgroundMode oldMode = dc.SetBkMode(BackgroundMode::Transparent);
    const unsigned oldAlign = dc.SetTextAlign(kAlignRight | kAlignBaseline);
    EXPECT_EQ(dc.SetTextAlign(kAlignCenter), kAlignRight | kAlignBaseline);

    dc.SelectPen(oldPen);
    dc.SelectBrush(oldBrush);
    dc.SelectFont(oldFont);
    dc.SetTextColor(oldColor);
    dc.SetBkMode(oldMode);
    dc.SetTextAlign(oldAlign);
    EXPECT_EQ(dc.Attributes(), fresh);
    EXPECT_EQ(dc.PenSelections(), 3);
    EXPECT_EQ(dc.BrushSelections(), 2);
    EXPECT_EQ(dc.FontSelections(), 3);
}

TEST(RecordingSurfaceTest, ExtentsAreSetOnlyInTheAnisotropicMapping) {
    CRecordingSurface dc;
    EXPECT_EQ(dc.GetMapMode(), MapMode::Text);
    dc.SetWindowExt(655, 420);
    EXPECT_EQ(dc.GetWindowExt(), (CSize{1, 1})) << "ignored in the text mapping";
    dc.SetMapMode(MapMode::Anisotropic);
    dc.SetWindowExt(655, 420);
    dc.SetViewportExt(800, -600);
    dc.SetViewportOrg(0, 600);
    dc.SetWindowExt(0, 420);
    EXPECT_EQ(dc.GetWindowExt(), (CSize{655, 420})) << "a zero extent is refused";
    EXPECT_EQ(dc.GetViewportExt(), (CSize{800, -600}));
    dc.SetMapMode(MapMode::Text);
    EXPECT_EQ(dc.GetViewportExt(), (CSize{1, 1}));
    EXPECT_EQ(dc.GetViewportOrg(), (CPoint{0, 600})) << "the origin stays";
}

TEST(RecordingSurfaceTest, LinesRunFromTheCurrentPositionWithThePenOfTheirTime) {
    CRecordingSurface dc;
    dc.SelectPen(kRedPen);
    dc.MoveTo(5, 5);
    dc.LineTo(605, 5);
    dc.LineTo(605, 404);
    dc.SelectPen(Pen{Rgb(0x12, 0x34, 0xAB), 3});
    dc.LineTo(9, 0);
    dc.SelectPen(Pen{Rgb(0, 0, 0), 0, true});
    dc.LineTo(13, 0);
    EXPECT_EQ(dc.GetCurrentPosition(), (CPoint{13, 0})) << "a null pen still moves";
    EXPECT_EQ(dc.Trace(), "line 5 5 605 5 #FF0000 0\n"
                          "line 605 5 605 404 #FF0000 0\n"
                          "line 605 404 9 0 #1234AB 3\n");
}

TEST(RecordingSurfaceTest, FillsAreNormalisedWithTheLargerYOnTop) {
    CRecordingSurface dc;
    dc.FillRect(CRect{0, 0, 655, 420}, kBlueBrush);
    dc.FillRect(CRect{655, 420, 0, 0}, Brush{Rgb(0x80, 0x80, 0)});
    dc.FillRect(CRect{10, 30, 20, -5}, Brush{Rgb(1, 2, 3)});
    dc.FillRect(CRect{0, 0, 5, 5}, Brush{Rgb(1, 2, 3), true});
    EXPECT_EQ(dc.Trace(), "fill 0 0 655 420 #0000FF\n"
                          "fill 0 0 655 420 #808000\n"
                          "fill 10 -5 20 30 #010203\n");
}

TEST(RecordingSurfaceTest, TraceNamesEveryAlignment) {
    const std::pair<unsigned, const char*> cases[] = {
        {kAlignLeft | kAlignTop, "left-top"},
        {kAlignRight | kAlignTop, "right-top"},
        {kAlignCenter | kAlignTop, "center-top"},
        {kAlignLeft | kAlignBaseline, "left-baseline"},
        {kAlignRight | kAlignBaseline, "right-baseline"},
        {kAlignCenter | kAlignBaseline, "center-baseline"},
    };
    for (const auto& [align, name] : cases) {
        CRecordingSurface dc;
        dc.SetTextColor(Rgb(0xC0, 0xC0, 0xC0));
        dc.SetTextAlign(align);
        dc.TextOut(-3, 85, "12.50");
        EXPECT_EQ(dc.Trace(), std::string("text -3 85 ") + name + " #C0C0C0 \"12.50\"\n");
    }
}

TEST(RecordingSurfaceTest, TextsKeepTheirAttributesAndTraceEscapesThem) {
    CRecordingSurface dc;
    dc.SelectFont(kPrintFont);
    dc.SetBkMode(BackgroundMode::Transparent);
    dc.TextOut(1, 2, "A\"B\\C");
    dc.SelectFont(Font{});
    dc.TextOut(1, 2, std::string("x\ny\x7F"));
    dc.TextOut(1, 2, "caf\xE9");
    EXPECT_EQ(dc.Texts()[0].font, kPrintFont);
    EXPECT_EQ(dc.Texts()[0].bkMode, BackgroundMode::Transparent);
    EXPECT_EQ(dc.Texts()[1].font, Font{});
    EXPECT_EQ(dc.Trace(), "text 1 2 left-top #000000 \"A\\\"B\\\\C\"\n"
                          "text 1 2 left-top #000000 \"x\\x0Ay\\x7F\"\n"
                          "text 1 2 left-top #000000 \"caf\xE9\"\n");
}

TEST(RecordingSurfaceTest, TraceKeepsTheDrawingOrderOfAllKinds) {
    CRecordingSurface dc;
    dc.SelectPen(Pen{Rgb(0, 0, 128), 0});
    dc.SelectBrush(Brush{Rgb(0, 0, 128)});
    dc.Ellipse(CRect{0, 0, 16, 16});
    dc.SelectBrush(Brush{Rgb(255, 255, 0)});
    dc.Pie(CRect{0, 16, 16, 0}, CPoint{15, 8}, CPoint{8, 0});
    dc.SelectPen(Pen{Rgb(255, 255, 0), 0});
    dc.Arc(CRect{0, 0, 16, 16}, CPoint{15, 8}, CPoint{8, 0});
    dc.SelectPen(Pen{0, 0, true});
    dc.SelectBrush(Brush{0, true});
    dc.Ellipse(CRect{1, 1, 2, 2});
    dc.SelectPen(kRedPen);
    dc.LineTo(1, 1);
    dc.FillRect(CRect{0, 0, 1, 1}, kBlueBrush);

    std::ostringstream out;
    dc.WriteTrace(out);
    EXPECT_EQ(out.str(), "ellipse 0 0 16 16 #000080 0 #000080\n"
                         "pie 0 0 16 16 15 8 8 0 #000080 0 #FFFF00\n"
                         "arc 0 0 16 16 15 8 8 0 #FFFF00 0\n"
                         "ellipse 1 1 2 2 none 0 none\n"
                         "line 0 0 1 1 #FF0000 0\n"
                         "fill 0 0 1 1 #0000FF\n");
}

} // namespace
