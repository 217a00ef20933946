// The parameter panel: the full strip of the object views and "Himmel", the
// corner stamp of the rectangular and polar charts, nothing elsewhere.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "astronomy/TextFormats.h"
#include "reports/ParameterPanel.h"
#include "tests/reports/PanelState.h"
#include "tests/reports/RecordingCanvas.h"

using namespace astronomy;
using platform::FontRole;
using testing_canvas::RecordingCanvas;
using testing_canvas::Shape;

namespace {

constexpr int W = 1060;  // ChartWidth for x_max 1300
const platform::Colour kText{0x50, 0x50, 0x50};
const platform::Colour kValue{0, 0, 0};

// y = k s with s = 900/550.
int Y(double k) { return static_cast<int>(std::lround(k * 900.0 / 550)); }

// 1 January 2000, 19:00 MEZ = 18:00 UT (JD 2451545.25, a Saturday), at
// 13.4 E, 52.5 N, with the calendar and the time quantities of that instant.
ProgramState Berlin2000() {
    ProgramState s = panel_test::PanelState();
    panel_test::SetInstant(s, 1, 1, 2000, 19, 1, 13.4, 52.5);
    s.UtmEast = 391000.4, s.UtmNorth = 5820000.0;
    s.ChartMode = astronomy::View::ObjectBody;
    return s;
}

// The text at (x, y) with its font role, and its pen where given.
void ExpectText(const RecordingCanvas& c, int x, int y, const std::string& text, FontRole role,
                std::optional<platform::Colour> pen = {}) {
    const auto* t = c.TextAt(x, y);
    ASSERT_NE(t, nullptr) << text;
    EXPECT_EQ(t->text, text);
    EXPECT_EQ(t->role, role);
    if (pen) {
        EXPECT_EQ(t->pen, *pen);
    }
}

}  // namespace

TEST(ParameterPanelText, JulianDateAndEquinox) {
    // The day number in seven places, the fraction's digits without "0", then " UT ".
    EXPECT_EQ(reports::JulianDateText(2451545, 0), "2451545.0000000 UT ");
    EXPECT_EQ(reports::JulianDateText(2451545, 0.25), "2451545.2500000 UT ");
    EXPECT_EQ(reports::JulianDateText(2460000, 0.12345678), "2460000.1234568 UT ");
    // A fraction that rounds to a whole day belongs to the next day number.
    EXPECT_EQ(reports::JulianDateText(2451545, 0.99999999), "2451546.0000000 UT ");
    EXPECT_EQ(reports::EquinoxText(1950), "Äquinoktium: 1950              ");
}

TEST(ParameterPanelFull, EveryRowAtItsPlace) {
    for (int aequi : {2000, 9999}) {
        SCOPED_TRACE(aequi);
        ProgramState s = Berlin2000();
        s.Aequi = aequi;
        RecordingCanvas c;
        reports::DrawParameterPanel(c, s);
        ExpectText(c, W + 17, Y(4), "Aktuelle Parameter:", FontRole::Heading, kValue);
        ExpectText(c, W + 8, Y(50), " 1. Jan 2000, Sa   ", FontRole::Value, kValue);
        ExpectText(c, W + 8, Y(35), "Datum:", FontRole::Label, kText);
        ExpectText(c, W + 11, Y(214), "Ost:        391000.4 m", FontRole::Note);
        const std::pair<int, std::string> rows[] = {
            {Y(68), "Zeit:"}, {Y(104), "Julianische Datum:"}, {Y(154), "Geogr. Koordinaten:"},
            {Y(261), "wahre Sternzeit:"}, {Y(298), "mittlere Ortszeit:"}};
        for (const auto& [y, text] : rows) EXPECT_EQ(c.StringAt(W + 8, y), text);
        const std::pair<int, std::string> values[] = {
            {Y(83), "19:00:00.0 MEZ     "}, {Y(120), "2451545.2500000 UT "}, {Y(170), "Länge:"},
            {Y(186), "Breite:"}, {Y(226), "Nord:      5820000.0 m"},
            {Y(313), "18h 53m 36.0s"},  // local mean time: 18h UT + 13.4/15 h = 18.8933 h
            {Y(276), FormatHmsTenths(s.tq.LST)},
            {Y(336), aequi == 2000 ? "Äquinoktium: 2000              " : "Äquinoktium des Tages         "}};
        for (const auto& [y, text] : values) EXPECT_EQ(c.StringAt(W + 11, y), text);
        // The coordinates on their labels' rows, after the wider label.
        for (const auto& [y, text] : {std::pair{Y(170), std::string("+ 13°24'00.0\"")}, {Y(186), "+ 52°30'00.0\""}}) {
            const auto* at = c.FindText(text);
            ASSERT_NE(at, nullptr) << text;
            EXPECT_EQ(at->y, y);
            EXPECT_GE(at->x, W + 11 + c.TextWidth("Breite:"));
        }
    }
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

TEST(ParameterPanelFull, ClearsTheStripOnlyWhenItIsNotStanding) {
    ProgramState s = Berlin2000();
    RecordingCanvas c;
    reports::DrawParameterPanel(c, s);
    // First time: the strip (W, 0) - (x_max, 360 s) is cleared and outlined.
    ASSERT_EQ(c.CountShapes(Shape::FillBox), 1);
    const auto& fill = c.shapes[0];
    EXPECT_EQ(std::vector<int>({fill.x1, fill.y1, fill.x2, fill.y2}), std::vector<int>({W, 0, 1300, Y(360)}));
    EXPECT_EQ(fill.brush, (platform::Colour{255, 255, 255}));
    EXPECT_EQ(c.CountShapes(Shape::Box), 1);
    // The heading line in the frame colour, from (W + 16, 20 s) to (x_max - 40, 20 s).
    for (int x : {W + 34, W + 144, 1300 - 40}) EXPECT_EQ(c.ReadPixel(x, Y(20)), kText) << x;
    EXPECT_NE(c.ReadPixel(1300 - 39, Y(20)), kText);

    // Second time the strip is still standing: written over, not cleared.
    c.Forget();
    s.ClockTime = 19.5;
    reports::DrawParameterPanel(c, s);
    EXPECT_EQ(c.CountShapes(Shape::FillBox), 0);
    EXPECT_EQ(c.StringAt(W + 11, Y(83)), "19:30:00.0 MEZ     ");

    // When the line has been overwritten, the strip is cleared again.
    c.SetPen({255, 255, 255});
    c.SetRasterOp(platform::RasterOp::Copy);
    c.Point(W + 144, Y(20));
    c.Forget();
    reports::DrawParameterPanel(c, s);
    EXPECT_EQ(c.CountShapes(Shape::FillBox), 1);
}

TEST(ParameterPanelFull, PrintingUsesPrintSizesAndDoesNotClear) {
    ProgramState s = Berlin2000();
    s.PrintingFlag = 1;
    RecordingCanvas c;
    reports::DrawParameterPanel(c, s);
    EXPECT_EQ(c.CountShapes(Shape::FillBox), 0);
    ASSERT_NE(c.TextAt(W + 17, Y(4)), nullptr);
    EXPECT_EQ(c.TextAt(W + 17, Y(4))->pointSize, 15);
    ASSERT_NE(c.TextAt(W + 8, Y(50)), nullptr);
    EXPECT_EQ(c.TextAt(W + 8, Y(50))->text, " 1.Jan 2000, Sa");
    EXPECT_EQ(c.TextAt(W + 8, Y(50))->pointSize, 15);
    EXPECT_EQ(c.StringAt(W + 11, Y(83)), "19:00:00.0MEZ");
    EXPECT_EQ(c.TextAt(W + 8, Y(35))->pointSize, 10);
    EXPECT_EQ(c.TextAt(W + 11, Y(214))->pointSize, 10);
    // The heading line lies 4 lower and reaches x_max - 25.
    bool line = false;
    for (const auto& sh : c.shapes)
        line |= sh.kind == Shape::Line && sh.x1 == W + 16 && sh.y1 == Y(20) + 4 && sh.x2 == 1300 - 25 &&
                sh.y2 == Y(20) + 4;
    EXPECT_TRUE(line);
}

TEST(ParameterPanelModes, ChartsGetOnlyTheCornerStamp) {
    for (astronomy::View mode : {astronomy::View::Equatorial, astronomy::View::Horizon, astronomy::View::NorthPolar,
                                 astronomy::View::SouthPolar}) {
        SCOPED_TRACE(astronomy::ViewNumber(mode));
        ProgramState s = Berlin2000();
        s.ChartMode = mode;
        RecordingCanvas c;
        reports::DrawParameterPanel(c, s);
        ASSERT_EQ(c.texts.size(), 3u);
        // The date above the clock time, the zone after it, in the small
        // font, the block in the lower right corner and inside it (this
        // canvas's font is eight pixels a character: wider than the 68
        // pixels the corner starts with).
        const auto* date = c.FindText("01.01.2000");
        const auto* clock = c.FindText("19:00");
        const auto* zone = c.FindText("MEZ");
        ASSERT_TRUE(date && clock && zone);
        EXPECT_EQ(date->role, FontRole::Note);
        EXPECT_EQ(clock->x, date->x);
        EXPECT_LE(date->x, 1300 - 68);
        EXPECT_LE(date->x + c.TextWidth(date->text), 1300);
        EXPECT_GE(date->y, 900 - 40 - c.TextHeight());
        EXPECT_GE(clock->y, date->y + c.TextHeight());
        EXPECT_LE(clock->y + c.TextHeight(), 900);
        EXPECT_EQ(zone->y, clock->y);
        EXPECT_GE(zone->x, clock->x + c.TextWidth(clock->text));
        EXPECT_LE(zone->x + c.TextWidth(zone->text), 1300);
        EXPECT_TRUE(c.shapes.empty());
    }
}

TEST(ParameterPanelModes, OtherViewsGetNothingAndLinesAreReset) {
    for (astronomy::View mode : {astronomy::View::DayEphemeris, astronomy::View::MoonPhases,
                                 astronomy::View::Astrophoto, astronomy::View::System, astronomy::View::ObjectBody,
                                 astronomy::View::WholeSky, astronomy::View::Equatorial}) {
        SCOPED_TRACE(astronomy::ViewNumber(mode));
        ProgramState s = Berlin2000();
        s.ChartMode = mode;
        RecordingCanvas c;
        c.SetLineWidth(5);
        c.SetLineStyle(platform::LineStyle::Dash);
        reports::DrawParameterPanel(c, s);
        if (mode >= astronomy::View::DayEphemeris) {
            EXPECT_TRUE(c.texts.empty());
            EXPECT_TRUE(c.shapes.empty());
        }
        EXPECT_EQ(c.lineWidth, 1);
        EXPECT_EQ(c.lineStyle, platform::LineStyle::Solid);
    }
}
