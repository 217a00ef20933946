// The parameter panel: the full strip of the object views and "Himmel", the
// corner stamp of the rectangular and polar charts, nothing elsewhere.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "astronomy/TextFormats.h"
#include "reports/ParameterPanel.h"
#include "tests/reports/PanelState.h"
#include "tests/reports/RecordingCanvas.h"

using namespace astronomy;
using testing_canvas::RecordingCanvas;
using testing_canvas::Shape;

namespace {

constexpr int W = 1060;  // ChartWidth for x_max 1300
const platform::Colour kText{0x50, 0x50, 0x50};
const platform::Colour kValue{0, 0, 0};

// y = k s with s = 900/550.
int Y(double k) { return static_cast<int>(std::lround(k * 900.0 / 550)); }

// 1 January 2000, 19:00 MEZ = 18:00 UT (JD 2451545.25, a Saturday), at
// 13.4 E, 52.5 N. J, F, the weekday and the time quantities are left wrong
// on purpose: the panel computes them itself.
ProgramState Berlin2000() {
    ProgramState s = panel_test::PanelState();
    s.Day = 1;
    s.Month = 1;
    s.Year = 2000;
    s.ClockTime = 19;
    s.Zone = 1;
    s.Longitude = 13.4 * kDegToRad;
    s.Latitude = 52.5 * kDegToRad;
    SetLatitudeTerms(s);
    s.UtmEast = 391000.4;
    s.UtmNorth = 5820000.0;
    s.J = 0;
    s.F = 0.9;
    s.Weekday = 2;
    s.tq.LST = 99;
    s.tq.LMT = 99;
    s.ChartMode = 1;
    return s;
}

int CountFillBoxes(const RecordingCanvas& c) { return c.CountShapes(Shape::FillBox); }

}  // namespace

TEST(ParameterPanelText, JulianDate) {
    // The day number in seven places, the fraction's digits without "0",
    // then " UT ".
    EXPECT_EQ(reports::JulianDateText(2451545, 0), "2451545.0000000 UT ");
    EXPECT_EQ(reports::JulianDateText(2451545, 0.25), "2451545.2500000 UT ");
    EXPECT_EQ(reports::JulianDateText(2460000, 0.12345678), "2460000.1234568 UT ");
    // A fraction that rounds to a whole day belongs to the next day number.
    EXPECT_EQ(reports::JulianDateText(2451545, 0.99999999), "2451546.0000000 UT ");
}

TEST(ParameterPanelText, Equinox) {
    EXPECT_EQ(reports::EquinoxText(2000), "Äquinoktium: 2000              ");
    EXPECT_EQ(reports::EquinoxText(1950), "Äquinoktium: 1950              ");
    EXPECT_EQ(reports::EquinoxText(9999), "Äquinoktium des Tages         ");
}

TEST(ParameterPanelFull, EveryRowAtItsPlace) {
    ProgramState s = Berlin2000();
    RecordingCanvas c;
    reports::DrawParameterPanel(c, s);

    const auto* heading = c.TextAt(W + 17, Y(4));
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->text, "Aktuelle Parameter:");
    EXPECT_EQ(heading->role, platform::FontRole::Heading);
    EXPECT_EQ(heading->pen, kValue);

    const auto* date = c.TextAt(W + 8, Y(50));
    ASSERT_NE(date, nullptr);
    EXPECT_EQ(date->text, " 1. Jan 2000, Sa   ");
    EXPECT_EQ(date->role, platform::FontRole::Value);
    EXPECT_EQ(date->pen, kValue);
    EXPECT_EQ(c.StringAt(W + 11, Y(83)), "19:00:00.0 MEZ     ");
    EXPECT_EQ(c.StringAt(W + 11, Y(120)), "2451545.2500000 UT ");
    EXPECT_EQ(c.StringAt(W + 11, Y(170)), "Länge:");
    EXPECT_EQ(c.StringAt(W + 69, Y(170)), "+ 13°24'00.0\"");
    EXPECT_EQ(c.StringAt(W + 11, Y(186)), "Breite:");
    EXPECT_EQ(c.StringAt(W + 69, Y(186)), "+ 52°30'00.0\"");
    // Local mean time: 18h UT + 13.4/15 h = 18.8933 h.
    EXPECT_EQ(c.StringAt(W + 11, Y(313)), "18h 53m 36.0s");
    EXPECT_EQ(c.StringAt(W + 11, Y(276)), FormatHmsTenths(s.tq.LST));

    const auto* label = c.TextAt(W + 8, Y(35));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text, "Datum:");
    EXPECT_EQ(label->role, platform::FontRole::Label);
    EXPECT_EQ(label->pen, kText);
    EXPECT_EQ(c.StringAt(W + 8, Y(68)), "Zeit:");
    EXPECT_EQ(c.StringAt(W + 8, Y(104)), "Julianische Datum:");
    EXPECT_EQ(c.StringAt(W + 8, Y(154)), "Geogr. Koordinaten:");
    EXPECT_EQ(c.StringAt(W + 8, Y(261)), "wahre Sternzeit:");
    EXPECT_EQ(c.StringAt(W + 8, Y(298)), "mittlere Ortszeit:");

    const auto* east = c.TextAt(W + 11, Y(214));
    ASSERT_NE(east, nullptr);
    EXPECT_EQ(east->text, "Ost:        391000.4 m");
    EXPECT_EQ(east->role, platform::FontRole::Note);
    EXPECT_EQ(c.StringAt(W + 11, Y(226)), "Nord:      5820000.0 m");

    EXPECT_EQ(c.StringAt(W + 11, Y(336)), "Äquinoktium: 2000              ");
}

TEST(ParameterPanelFull, RecomputesTheInstantAndTheTimeQuantities) {
    ProgramState s = Berlin2000();
    RecordingCanvas c;
    reports::DrawParameterPanel(c, s);
    // 1 January 2000 18h UT: JD 2451545.25, a Saturday (weekday 5).
    EXPECT_EQ(s.J, 2451545);
    EXPECT_DOUBLE_EQ(s.F, 0.25);
    EXPECT_EQ(s.Weekday, 5);
    // Astronomical Almanac: GMST at 2000 Jan 1 0h UT = 6h 39m 52.27s; at
    // 18h UT add 18 x 1.0027379 h, at 13.4 E add 0.8933 h: 1.6071 h mean
    // local sidereal time; the equation of the equinoxes is under a second.
    // Tolerance 2 s of time for the program's short sidereal-time series.
    EXPECT_NEAR(s.tq.LST, 1.6071, 2.0 / 3600);
    EXPECT_NEAR(s.tq.LMT, 18 + 13.4 / 15, 1e-9);
}

TEST(ParameterPanelFull, EquinoxOfTheDate) {
    ProgramState s = Berlin2000();
    s.Aequi = 9999;
    RecordingCanvas c;
    reports::DrawParameterPanel(c, s);
    EXPECT_EQ(c.StringAt(W + 11, Y(336)), "Äquinoktium des Tages         ");
}

TEST(ParameterPanelFull, ClearsTheStripOnlyWhenItIsNotStanding) {
    ProgramState s = Berlin2000();
    RecordingCanvas c;
    reports::DrawParameterPanel(c, s);
    // First time: the strip (W, 0) - (x_max, 360 s) is cleared and outlined.
    ASSERT_EQ(CountFillBoxes(c), 1);
    const auto& fill = c.shapes[0];
    EXPECT_EQ(fill.x1, W);
    EXPECT_EQ(fill.y1, 0);
    EXPECT_EQ(fill.x2, 1300);
    EXPECT_EQ(fill.y2, Y(360));
    EXPECT_EQ(fill.brush, (platform::Colour{255, 255, 255}));
    EXPECT_EQ(c.CountShapes(Shape::Box), 1);
    // The heading line in the frame colour, from (W + 16, 20 s) to (x_max - 40, 20 s).
    EXPECT_EQ(c.ReadPixel(W + 34, Y(20)), kText);
    EXPECT_EQ(c.ReadPixel(W + 144, Y(20)), kText);
    EXPECT_EQ(c.ReadPixel(1300 - 40, Y(20)), kText);
    EXPECT_NE(c.ReadPixel(1300 - 39, Y(20)), kText);

    // Second time the strip is still standing: written over, not cleared.
    c.Forget();
    s.ClockTime = 19.5;
    reports::DrawParameterPanel(c, s);
    EXPECT_EQ(CountFillBoxes(c), 0);
    EXPECT_EQ(c.StringAt(W + 11, Y(83)), "19:30:00.0 MEZ     ");

    // When the line has been overwritten, the strip is cleared again.
    c.SetPen({255, 255, 255});
    c.SetRasterOp(platform::RasterOp::Copy);
    c.Point(W + 144, Y(20));
    c.Forget();
    reports::DrawParameterPanel(c, s);
    EXPECT_EQ(CountFillBoxes(c), 1);
}

TEST(ParameterPanelFull, PrintingUsesPrintSizesAndDoesNotClear) {
    ProgramState s = Berlin2000();
    s.PrintingFlag = 1;
    RecordingCanvas c;
    reports::DrawParameterPanel(c, s);
    EXPECT_EQ(CountFillBoxes(c), 0);
    const auto* heading = c.TextAt(W + 17, Y(4));
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->pointSize, 15);
    const auto* date = c.TextAt(W + 8, Y(50));
    ASSERT_NE(date, nullptr);
    EXPECT_EQ(date->text, " 1.Jan 2000, Sa");
    EXPECT_EQ(date->pointSize, 15);
    EXPECT_EQ(c.StringAt(W + 11, Y(83)), "19:00:00.0MEZ");
    EXPECT_EQ(c.TextAt(W + 8, Y(35))->pointSize, 10);
    EXPECT_EQ(c.TextAt(W + 11, Y(214))->pointSize, 10);
    // The heading line lies 4 lower and reaches x_max - 25.
    bool line = false;
    for (const auto& sh : c.shapes) {
        if (sh.kind == Shape::Line && sh.x1 == W + 16 && sh.y1 == Y(20) + 4 && sh.x2 == 1300 - 25 &&
            sh.y2 == Y(20) + 4) {
            line = true;
        }
    }
    EXPECT_TRUE(line);
}

TEST(ParameterPanelModes, ChartsGetOnlyTheCornerStamp) {
    for (float mode : {5.0f, 5.5f, 6.0f, 7.0f}) {
        SCOPED_TRACE(mode);
        ProgramState s = Berlin2000();
        s.ChartMode = mode;
        RecordingCanvas c;
        reports::DrawParameterPanel(c, s);
        ASSERT_EQ(c.texts.size(), 3u);
        const auto* date = c.TextAt(1300 - 68, 900 - 40);
        ASSERT_NE(date, nullptr);
        EXPECT_EQ(date->text, "01.01.2000");
        EXPECT_EQ(date->role, platform::FontRole::Note);
        EXPECT_EQ(c.StringAt(1300 - 68, 900 - 28), "19:00");
        EXPECT_EQ(c.StringAt(1300 - 38, 900 - 28), "MEZ");
        EXPECT_EQ(c.FindText("Aktuelle Parameter:"), nullptr);
        EXPECT_TRUE(c.shapes.empty());
    }
}

TEST(ParameterPanelModes, OtherViewsGetNothingAndLinesAreReset) {
    for (float mode : {8.0f, 9.0f, 10.0f, 12.0f, 1.0f, 4.0f, 5.0f}) {
        SCOPED_TRACE(mode);
        ProgramState s = Berlin2000();
        s.ChartMode = mode;
        RecordingCanvas c;
        c.SetLineWidth(5);
        c.SetLineStyle(platform::LineStyle::Dash);
        reports::DrawParameterPanel(c, s);
        if (mode >= 8) {
            EXPECT_TRUE(c.texts.empty());
            EXPECT_TRUE(c.shapes.empty());
        }
        EXPECT_EQ(c.lineWidth, 1);
        EXPECT_EQ(c.lineStyle, platform::LineStyle::Solid);
        // J and F are recomputed in every view.
        EXPECT_EQ(s.J, 2451545);
    }
}
