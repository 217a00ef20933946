// The object information panel: every text at its place, exactly, blanks
// included. Numbers are written out by hand from the field widths of
// FormatFixed (right-aligned, the sign counted) unless a comment names the
// formatter whose own tests cover them.
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "astronomy/Angles.h"
#include "astronomy/OrbitElements.h"
#include "astronomy/PositionService.h"
#include "astronomy/TextFormats.h"
#include "charts/ObjectSymbols.h"
#include "reports/ObjectPanel.h"
#include "tests/reports/PanelState.h"
#include "tests/reports/RecordingCanvas.h"

using namespace astronomy;
using panel_test::Row;
using platform::FontRole;
using testing_canvas::RecordingCanvas;
using testing_canvas::Shape;

namespace {

constexpr int C2 = 390;  // TextSplitHalfX for x_max 1300
const platform::Colour kText{0x50, 0x50, 0x50};
const platform::Colour kValue{0, 0, 0};
const platform::Colour kHighlight{250, 60, 250};

std::string Blanks(int n) { return std::string(static_cast<std::size_t>(n), ' '); }
const std::string kNoTime = "   --" + Blanks(35);

// A planet with round values, so that every number text can be written out.
BodyPosition Planet() {
    BodyPosition p;
    p.name = "Jupiter";
    p.index = 6;
    p.ra = 2.0, p.dec = 0.2, p.hourAngle = 3.5, p.altitude = 0.4, p.azimuth = 0.7;
    p.eclLon = 1.9, p.eclLat = -0.02, p.r = 5.2034, p.delta = 4.3, p.lightTimeMinutes = 35.76;
    p.illuminatedFraction = 0.99, p.phaseAngle = 10.5 * kDegToRad, p.elongation = -120.25 * kDegToRad;
    p.magnitude = -2.4, p.diameter = 0.0127, p.period = 11.86;
    p.transit = 12.2, p.rise = 5.1, p.set = 19.3;
    return p;
}

SunDerived Sun() {
    SunDerived s;
    s.equationOfTime = -1.63, s.altitude = -7.5 * kDegToRad, s.twilightEnd = 22.5, s.twilightBegin = 3.25;
    return s;
}

struct Drawn {
    RecordingCanvas canvas;
    reports::PanelOutcome outcome;
};

ObjectKind KindOf(const std::string& objectName) {
    const std::optional<ObjectKind> kind = ObjectKindFromName(objectName);
    EXPECT_TRUE(kind) << objectName;
    return kind.value_or(ObjectKind::Sun);
}

// The panel drawn once for objectName on a fresh canvas.
Drawn Draw(const ProgramState& s, const BodyPosition& pos, const std::string& objectName, const SunDerived& sun = Sun(),
           reports::PanelMemory* memory = nullptr, bool realtime = false) {
    Drawn d;
    reports::PanelMemory local;
    d.outcome = reports::DrawObjectInfoPanel(d.canvas, s, pos, sun, KindOf(objectName), realtime,
                                             memory ? *memory : local);
    return d;
}

struct Computed {
    BodyPosition pos;
    SunDerived sun;
};

Computed Compute(const ProgramState& s, const std::string& object) {
    const PositionResult r = ComputePosition(ObservationOf(s), TargetOf(s, KindOf(object)));
    EXPECT_EQ(r.status, PositionStatus::Ok);
    return {r.body, r.sun};
}

struct At {
    int x, y;
    std::string text;
};

// Each text at its place, exactly.
void ExpectTexts(const RecordingCanvas& c, std::initializer_list<At> expected) {
    for (const At& a : expected) EXPECT_EQ(c.StringAt(a.x, a.y), a.text) << "at (" << a.x << ", " << a.y << ")";
}

// The unit stands on the row of the value drawn at valueX, after the
// value's last character as the canvas measures it.
void ExpectUnitAfter(const RecordingCanvas& c, int valueX, int y, const std::string& unit) {
    const std::string value = c.StringAt(valueX, y);
    const testing_canvas::TextCall* found = nullptr;
    for (const auto& t : c.texts)
        if (t.y == y && t.text == unit) found = &t;
    ASSERT_NE(found, nullptr) << unit;
    const std::size_t end = value.find_last_not_of(' ');
    ASSERT_NE(end, std::string::npos) << unit;
    EXPECT_GE(found->x, valueX + c.TextWidth(value.substr(0, end + 1))) << unit;
}

// The text at (x, y) with its font role and pen.
void ExpectStyled(const RecordingCanvas& c, int x, int y, const std::string& text, FontRole role,
                  platform::Colour pen) {
    const auto* t = c.TextAt(x, y);
    ASSERT_NE(t, nullptr) << "at (" << x << ", " << y << ")";
    EXPECT_EQ(t->text, text);
    EXPECT_EQ(t->role, role);
    EXPECT_EQ(t->pen, pen);
}

ProgramState DateState(int day, int month, int year, int zone = 1) {
    ProgramState s = panel_test::PanelState();
    s.Day = day, s.Month = month, s.Year = year, s.Zone = zone;
    s.ClockTime = 20;
    return s;
}

// The text cells the catalogue branches blank ((column, row) -> ((column - 1) 8,
// (round(row s) - 1) 16)): (23, 4), (23, 5), (22, 6), (23, 8), (21, 9), (20, 10).
const std::initializer_list<At> kBlankedCells = {{176, 96, Blanks(14)}, {176, 112, Blanks(14)},
                                                 {168, 144, Blanks(14)}, {176, 192, Blanks(8)},
                                                 {160, 224, Blanks(11)}, {152, 240, Blanks(13)}};

}  // namespace

// ---------------------------------------------------------------------------
// Rows, cells and the parts every object shares

TEST(ObjectPanelLayout, RowsAndTextCells) {
    const double s = 900.0 / 550;
    EXPECT_EQ(reports::PanelRow(1, s), 26);    // 16 x 1.636 = 26.18
    EXPECT_EQ(reports::PanelRow(14, s), 367);  // 366.55
    EXPECT_EQ(reports::PanelRow(19, s), 497);
    // Cells of 8 x 16 from (1, 1); row 7 x 1.636 = 11.45 -> 11 -> y = 160.
    EXPECT_EQ(reports::TextCell(3, 7, s).x, 16);
    EXPECT_EQ(reports::TextCell(3, 7, s).y, 160);
    EXPECT_EQ(reports::TextCell(25, 13, s).x, 192);
    EXPECT_EQ(reports::TextCell(25, 13, s).y, 320);  // 21.27 -> 21
    EXPECT_EQ(reports::TextCell(23, 4, 1.0).y, 48);  // plain rows at the reference size
}

TEST(ObjectPanelCommon, LabelsNameBoxAndStyles) {
    ProgramState s = panel_test::PanelState();
    const Drawn d = Draw(s, Planet(), "Jupiter");
    const RecordingCanvas& c = d.canvas;

    ExpectStyled(c, 5, Row(1), "Objekt:", FontRole::Label, kText);
    EXPECT_TRUE(c.TextAt(5, Row(1))->opaque);
    ExpectStyled(c, 8, Row(3), "α=", FontRole::Symbol, kText);  // Greek letters in the label colour
    ExpectStyled(c, 100, Row(1), "Jupiter" + Blanks(13), FontRole::Value, kValue);  // padded to 20

    // The name box (71, 9 s) - (315, 30 s + 9): 14.7 -> 15, 58.1 -> 58;
    // background inside, frame colour = text colour, copied.
    bool boxFound = false;
    for (const auto& sh : c.shapes) {
        if (sh.kind == Shape::FillBox && sh.x1 == 71 && sh.y1 == 15 && sh.x2 == 315 && sh.y2 == 58) {
            boxFound = true;
            EXPECT_EQ(sh.brush, (platform::Colour{255, 255, 255}));
            EXPECT_EQ(sh.pen, kText);
            EXPECT_EQ(sh.op, platform::RasterOp::Copy);
        }
    }
    EXPECT_TRUE(boxFound);

    // The place rows; the angle formats have their own tests. Azimuth from
    // north: 0.7 rad from south + 180 deg.
    ExpectTexts(c, {{8, Row(4), "δ="}, {8, Row(9), "t="}, {0, Row(11), "Az="}, {0, Row(12), "H ="},
                    {8, Row(15), "A="}, {8, Row(16), "D="}, {8, Row(17), "U="},
                    {32, Row(3), FormatHms(2.0 * 12 / kPi)}, {24, Row(4), FormatAngleDms(0.2 / kDegToRad)},
                    {32, Row(9), "03h 30m 00s"}, {32, Row(16), "12:12"},
                    {32, Row(11), FormatAngleDm(0.7 / kDegToRad + 180)}});
    EXPECT_EQ(c.op, platform::RasterOp::Copy);
}

TEST(ObjectPanelCommon, VisibilityNoteAndAzimuthSide) {
    struct Case {
        double altitude, azimuth;
        const char* note;
        const char* side;  // "E W" from position sign + 2, two characters, then three blanks
    };
    for (const Case& k : {Case{0.3, -0.5, "sichtbar         ", "E    "}, Case{-0.1, 0.5, "unter Horiz.  ", "W   "},
                          Case{0.0, 0.0, "unter Horiz.  ", " W   "}}) {
        SCOPED_TRACE(k.note);
        ProgramState s = panel_test::PanelState();
        BodyPosition p = Planet();
        p.altitude = k.altitude, p.azimuth = k.azimuth;
        const Drawn d = Draw(s, p, "Jupiter");
        ExpectStyled(d.canvas, 325, Row(1), k.note, FontRole::Label, kHighlight);
        EXPECT_EQ(d.canvas.StringAt(122, Row(11)), k.side);
    }
}

// ---------------------------------------------------------------------------
// The Sun and the other bodies

TEST(ObjectPanelBodies, SunShowsEquationOfTimeAndNoDistanceFromTheSun) {
    ProgramState s = panel_test::PanelState();
    BodyPosition p = Planet();
    p.name = "Sonne", p.index = 1, p.r = 0, p.period = 365.25 / 365;
    const Drawn d = Draw(s, p, "Sonne");
    const RecordingCanvas& c = d.canvas;
    EXPECT_EQ(c.TextAt(40, Row(10))->pen, kValue);
    // -1.63 in 5 places, 1 decimal; the H_s rows blanked; r = 0: no r= line,
    // its places blanked (51 s = 83.45 -> 83).
    ExpectTexts(c, {{0, Row(10), "ZGL="}, {40, Row(10), " -1.6"}, {78, Row(10), "min "},
                    {0, Row(13), Blanks(34)}, {0, Row(14), Blanks(34)}, {C2 + 19, 83, Blanks(8)},
                    {C2 + 10, Row(3), Blanks(10)}, {C2 + 30, Row(3), Blanks(18)}});
    EXPECT_EQ(c.FindText("H  ="), nullptr);
    EXPECT_EQ(c.FindText("r="), nullptr);
}

TEST(ObjectPanelBodies, PlanetRowsOfTheSecondColumn) {
    ProgramState s = panel_test::PanelState();
    const Drawn d = Draw(s, Planet(), "Jupiter");
    const RecordingCanvas& c = d.canvas;
    ExpectTexts(c, {// Heliocentric.
                    {8, Row(6), "l="}, {128, Row(6), Blanks(10)}, {8, Row(7), "b="}, {128, Row(7), Blanks(6)},
                    {24, Row(6), FormatAngleDms(1.9 / kDegToRad)}, {24, Row(7), FormatAngleDms(-0.02 / kDegToRad)},
                    {C2 + 19, Row(3), "r="}, {C2 + 33, Row(3), "   5.2034"},
                    // Geocentric: Delta in AU (9 places, 4 decimals), the light time.
                    {C2 + 32, Row(4), "   4.3000 "}, {C2 + 16, Row(4), "Δ="},
                    {C2 + 32, Row(5), "  35.76 "}, {C2 + 8, Row(5), "Lz="},
                    // Phase, elongation (west: "W" and four blanks), magnitude, diameter.
                    {C2 + 16, Row(7), "k="}, {C2 - 8, Row(8), "Phw="},
                    {C2 - 8, Row(9), "Elon="}, {C2, Row(11), "Mag="}, {C2 + 16, Row(12), "∅="},
                    {C2 + 44, Row(7), "  99.0"}, {C2 + 44, Row(8), " 10.50"}, {C2 + 44, Row(9), "120.25"},
                    {C2 + 44, Row(11), " -2.4"}, {C2 + 44, Row(12), FormatAngleDmsTenths(0.0127)},
                    {C2 + 73, Row(9), "°"}, {C2 + 108, Row(9), "W    "},
                    // H_s instead of the equation of time; the lowered "s" at
                    // 13.25 x 16 x 900/550 - 1 = 345.9; -7.5 degrees.
                    {0, Row(10), Blanks(34)}, {0, Row(5), Blanks(14)}, {0, Row(13), "H  "}, {11, 346, "s"},
                    {32, Row(13), "-  7° 30'"}});
    // The units after their values, the "=" of H_s after its index.
    ExpectUnitAfter(c, C2 + 33, Row(3), "AE ");
    ExpectUnitAfter(c, C2 + 32, Row(4), "AE ");
    ExpectUnitAfter(c, C2 + 32, Row(5), "min ");
    ExpectUnitAfter(c, C2 + 44, Row(7), "%");
    const testing_canvas::TextCall* equals = nullptr;
    for (const auto& t : c.texts)
        if (t.y == Row(13) && t.text == "=") equals = &t;
    ASSERT_NE(equals, nullptr);
    EXPECT_GE(equals->x, 11 + c.TextWidth("s"));
    EXPECT_GE(equals->x, c.TextWidth("H  "));
    EXPECT_EQ(c.TextAt(C2 + 16, Row(4))->role, FontRole::Symbol);
    // The degree signs go over the numbers: merged, transparent.
    const auto* degree = c.TextAt(C2 + 73, Row(8));
    ASSERT_NE(degree, nullptr);
    EXPECT_EQ(degree->text, "°");
    EXPECT_EQ(degree->op, platform::RasterOp::Merge);
    EXPECT_FALSE(degree->opaque);
    EXPECT_EQ(c.FindText("ZGL="), nullptr);
}

TEST(ObjectPanelBodies, EastElongationAndZero) {
    for (const auto& [elongation, text] : {std::pair{0.5, "E    "}, std::pair{0.0, "     "}}) {
        ProgramState s = panel_test::PanelState();
        BodyPosition p = Planet();
        p.elongation = elongation;
        EXPECT_EQ(Draw(s, p, "Venus").canvas.StringAt(C2 + 108, Row(9)), text);
    }
}

TEST(ObjectPanelBodies, MoonShowsKilometresAndNoRLine) {
    ProgramState s = panel_test::PanelState();
    BodyPosition p = Planet();
    p.name = "Mond", p.index = 2, p.delta = 384400.4, p.lightTimeMinutes = 0.0214;
    p.r = 1.0;  // whatever an earlier object left there: the Moon has none
    const Drawn d = Draw(s, p, "Mond");
    ExpectTexts(d.canvas, {{C2 + 32, Row(4), "      384400 "},  // 12 places, no decimals, one blank
                           {C2 + 57, Row(5), "   0.02   "}, {C2 + 16, Row(4), "Δ="},
                           {C2 + 8, Row(5), "Lz="}, {C2 + 30, Row(3), Blanks(18)}});
    ExpectUnitAfter(d.canvas, C2 + 32, Row(4), " km   ");
    ExpectUnitAfter(d.canvas, C2 + 57, Row(5), "min        ");
    EXPECT_EQ(d.canvas.FindText("r="), nullptr);
}

TEST(ObjectPanelBodies, AstrophotographyIsEnabledForAVisibleBodyOnly) {
    struct Case {
        const char* object;
        double altitude;
        bool enabled;
    };
    // The element-file object never; only the body branch enables it.
    for (const Case& k : {Case{"Jupiter", 0.3, true}, Case{"Jupiter", -0.3, false}, Case{"Disk", 0.3, false},
                          Case{"Messier", 0.3, false}, Case{"beliebig", 0.3, false}}) {
        SCOPED_TRACE(std::string(k.object) + " " + std::to_string(k.altitude));
        ProgramState s = panel_test::PanelState();
        s.MessierCatalogue.resize(109);
        BodyPosition p = Planet();
        p.altitude = k.altitude;
        EXPECT_EQ(Draw(s, p, k.object).outcome.photographable, k.enabled);
    }
}

// ---------------------------------------------------------------------------
// Rise, transit, set and twilight

TEST(ObjectPanelRiseSet, DaysOfRiseTransitAndSet) {
    struct Case {
        int day, month, year;
        double rise, set;
        const char* riseText;
        const char* setText;
        const char* riseDay;
        const char* transitDay;
        const char* setDay;
    };
    // Rise -1/6 h is 23:50 of the day before, set 24.5 h 00:30 of the day
    // after. Calendar: 2024 is a leap year, 2023 is not.
    const Case cases[] = {
        {15, 6, 2026, 5.1, 19.3, "05:06", "19:18", "MEZ, am 15.      ", "MEZ, am 15.      ", "MEZ, am 15.      "},
        {15, 6, 2026, -1.0 / 6, 24.5, "23:50", "00:30", "MEZ, am 14.      ", "MEZ, am 15.      ", "MEZ, am 16.      "},
        {1, 3, 2024, -1.0 / 6, 24.5, "23:50", "00:30", "MEZ, am 29.      ", "MEZ, am  1.      ", "MEZ, am  2.      "},
        {1, 3, 2023, -1.0 / 6, 24.5, "23:50", "00:30", "MEZ, am 28.      ", "MEZ, am  1.      ", "MEZ, am  2.      "},
        {1, 1, 2027, -1.0 / 6, 24.5, "23:50", "00:30", "MEZ, am 31.      ", "MEZ, am  1.      ", "MEZ, am  2.      "},
        {31, 12, 2026, -1.0 / 6, 24.5, "23:50", "00:30", "MEZ, am 30.      ", "MEZ, am 31.      ", "MEZ, am  1.      "},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(std::to_string(k.day) + "." + std::to_string(k.month) + "." + std::to_string(k.year));
        ProgramState s = DateState(k.day, k.month, k.year);
        BodyPosition p = Planet();
        p.rise = k.rise, p.set = k.set;
        const Drawn d = Draw(s, p, "Jupiter");
        ExpectTexts(d.canvas, {{32, Row(15), k.riseText}, {32, Row(16), "12:12"}, {32, Row(17), k.setText},
                               {84, Row(15), k.riseDay}, {84, Row(16), k.transitDay}, {84, Row(17), k.setDay}});
    }
}

TEST(ObjectPanelRiseSet, NeverRisingShowsDashesAndStillTheTransit) {
    ProgramState s = DateState(15, 6, 2026);
    BodyPosition p = Planet();
    p.rise = p.set = kNoRiseSetMarker;
    const Drawn d = Draw(s, p, "Jupiter");
    const RecordingCanvas& c = d.canvas;
    ExpectTexts(c, {{32, Row(15), kNoTime}, {32, Row(17), kNoTime}, {32, Row(16), "12:12"},
                    {84, Row(16), "MEZ, am 15.      "}});
    EXPECT_EQ(c.TextAt(84, Row(15)), nullptr);
    EXPECT_EQ(c.TextAt(84, Row(17)), nullptr);
}

TEST(ObjectPanelTwilight, TimesLengthOfTheNightAndZoneNames) {
    struct Case {
        int zone;
        const char* day;
        const char* twilight;  // the zone name and 6 - 3 zone blanks
    };
    for (const Case& k : {Case{1, "MEZ, am 15.      ", "MEZ   "}, Case{0, "UT, am 15.      ", "UT      "},
                          Case{2, "MESZ, am 15.      ", "MESZ"}}) {
        SCOPED_TRACE(k.zone);
        ProgramState s = DateState(15, 6, 2026, k.zone);
        const Drawn d = Draw(s, Planet(), "Jupiter");
        const RecordingCanvas& c = d.canvas;
        ExpectTexts(c, {{C2, Row(15), "Ende:"}, {C2, Row(16), "Anf.:"}, {C2, Row(17), "Nacht:"},
                        {C2 + 56, Row(15), "22:30"}, {C2 + 56, Row(16), "03:15"},
                        {C2 + 56, Row(17), "04:45"},  // 24 - 22.5 + 3.25
                        {C2 + 109, Row(15), k.twilight}, {C2 + 109, Row(16), k.twilight}, {C2 + 109, Row(17), "h"},
                        {84, Row(16), k.day}});
        const auto* heading = c.TextAt(C2 + 15, Row(14));
        ASSERT_NE(heading, nullptr);
        EXPECT_EQ(heading->text, "-15° Dämmerung:");
        EXPECT_EQ(heading->role, FontRole::Note);
        EXPECT_EQ(c.FindText("  -- "), nullptr);
    }
}

TEST(ObjectPanelTwilight, PolarSummerFromThePositionService) {
    // 21 June at 69.65 N, 18.96 E: the Sun stays above -15 degrees all night
    // and never sets (declination +23.4 > 90 - 69.65).
    ProgramState s = panel_test::PanelState();
    panel_test::SetInstant(s, 21, 6, 2026, 0.0, 1, 18.96, 69.65);
    const Computed sun = Compute(s, "Sonne");
    const Drawn d = Draw(s, sun.pos, "Sonne", sun.sun);
    const RecordingCanvas& c = d.canvas;
    for (int k : {15, 16, 17}) EXPECT_EQ(c.StringAt(C2 + 46, Row(k)), "  -- ");
    EXPECT_EQ(c.TextAt(C2 + 56, Row(15)), nullptr);
    ExpectTexts(c, {{32, Row(15), kNoTime}, {32, Row(17), kNoTime}, {100, Row(1), "Sonne" + Blanks(15)},
                    {325, Row(1), "sichtbar         "}});  // midnight sun, about 3 degrees high
}

// ---------------------------------------------------------------------------
// Messier and arbitrary objects

namespace {

ProgramState MessierState(const std::string& name) {
    ProgramState s = panel_test::PanelState();
    s.MessierCatalogue.resize(109);
    MessierEntry& m31 = s.MessierCatalogue[30];
    m31.ra = 0.17, m31.dec = 0.71, m31.magnitude = 3.4;
    m31.type = "Ga", m31.name = name, m31.constellation = "Andromeda", m31.description = "NGC 224 Spiralgalaxie";
    s.Messier = 31;
    return s;
}

}  // namespace

TEST(ObjectPanelCatalogue, MessierEntryThroughTheTextCells) {
    ProgramState s = MessierState("Andromedagalaxie");
    s.ChartMode = astronomy::View::ObjectMessier;
    panel_test::SetInstant(s, 1, 11, 2026, 22.0, 1, 13.4, 52.5);
    const Computed m = Compute(s, "Messier");
    const Drawn d = Draw(s, m.pos, "Messier", m.sun);
    const RecordingCanvas& c = d.canvas;
    ExpectTexts(c, kBlankedCells);
    ExpectTexts(c, {{16, 160, "Name: Andromedagalaxie"},
                    {16, 192, "Art: Ga in Andromeda"},  // row 8 -> 13.1 -> 13
                    {192, 320, " NGC 224 Spiralgalaxie  "}, {184, 320, "="},
                    {100, Row(1), "M 31" + Blanks(16)},  // the computed name in the name box
                    {8, Row(19), Blanks(70)}});           // no orbital period
    EXPECT_EQ(c.FindText("l="), nullptr);
    EXPECT_EQ(c.FindText("Mag="), nullptr);
    // The galaxy symbol in the name box (size 5: ellipse 6 by 6/2.3).
    bool ellipse = false;
    for (const auto& sh : c.shapes)
        ellipse |= sh.kind == Shape::Ellipse && sh.x1 == 88 && sh.y1 == 34 && sh.x2 == 6 && sh.y2 == 3;
    EXPECT_TRUE(ellipse);
}

TEST(ObjectPanelCatalogue, MessierWithoutName) {
    ProgramState s = MessierState("  ");
    BodyPosition pos = Planet();
    pos.name = "M 31", pos.index = 22;
    EXPECT_EQ(Draw(s, pos, "Messier").canvas.StringAt(16, 160), "Name:  -" + Blanks(14));
}

TEST(ObjectPanelCatalogue, ArbitraryObjectNameCutToSixteenCharacters) {
    // Characters, not bytes: the umlaut counts as one.
    for (const auto& [name, shown] : {std::pair<std::string, std::string>{"Polarstern", "Name: Polarstern" + Blanks(6)},
                                      {"Großer Wagen Stern", "Name: Großer Wagen Ste"}}) {
        SCOPED_TRACE(name);
        ProgramState s = panel_test::PanelState();
        s.BelName = name;
        BodyPosition pos = Planet();
        pos.name = name, pos.index = 12, pos.period = kPeriodNone;
        const Drawn d = Draw(s, pos, "beliebig");
        ExpectTexts(d.canvas, kBlankedCells);
        ExpectTexts(d.canvas, {{16, 160, shown}, {16, 192, Blanks(15)}, {176, 320, Blanks(14)},  // (23, 13)
                               {8, Row(19), Blanks(70)}});
        EXPECT_EQ(d.canvas.FindText("Δ="), nullptr);
    }
}

TEST(ObjectPanelCatalogue, LongNameInTheNameBoxIsCut) {
    ProgramState s = panel_test::PanelState();
    BodyPosition pos = Planet();
    pos.name = "C/2023 A3 Tsuchinshan-ATLAS";
    EXPECT_EQ(Draw(s, pos, "Disk").canvas.StringAt(100, Row(1)), "C/2023 A3 Tsuchinsha");
}

// ---------------------------------------------------------------------------
// Orbital period

TEST(ObjectPanelPeriod, YearsHyperbolicParabolicAndNone) {
    struct Case {
        double period;
        std::string at8;
        std::string at115;  // "" when nothing is drawn there
    };
    const Case cases[] = {
        {11.86, "Umlaufszeit:", "11 Jahre,  313.9 Tage     "},  // 4328.9 days = 11 years and 313.9 days
        {kPeriodHyperbolic, "Umlaufszeit:  Hyperbolisch", ""},
        {kPeriodParabolic, "Umlaufszeit:  Parabolisch", ""},
        {kPeriodNone, Blanks(70), ""},
        {0, Blanks(70), ""},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.period);
        ProgramState s = panel_test::PanelState();
        BodyPosition p = Planet();
        p.period = k.period;
        const Drawn d = Draw(s, p, "Disk");
        const auto* t = d.canvas.TextAt(8, Row(19));
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->text, k.at8);
        EXPECT_EQ(t->role, FontRole::Label);
        EXPECT_EQ(k.at115.empty() ? "<none>" : k.at115, d.canvas.StringAt(115, Row(19)));
    }
}

// ---------------------------------------------------------------------------
// Computed objects end to end

TEST(ObjectPanelComputed, SunAtNoonInBerlin) {
    ProgramState s = panel_test::PanelState();
    panel_test::SetInstant(s, 21, 6, 2026, 13.0, 1, 13.4, 52.5);
    const Computed sun = Compute(s, "Sonne");
    EXPECT_NEAR(sun.sun.equationOfTime, -1.7, 0.5);  // almanac: about -1.7 min near the June solstice
    const Drawn d = Draw(s, sun.pos, "Sonne", sun.sun);
    EXPECT_EQ(d.canvas.StringAt(40, Row(10)), FormatFixed(sun.sun.equationOfTime, 5, 1));
    EXPECT_EQ(d.canvas.StringAt(325, Row(1)), "sichtbar         ");
    EXPECT_EQ(d.canvas.FindText("r="), nullptr);
    EXPECT_TRUE(d.outcome.photographable);  // the Sun above the horizon
}

TEST(ObjectPanelComputed, MoonDistanceInKilometres) {
    ProgramState s = panel_test::PanelState();
    panel_test::SetInstant(s, 1, 11, 2026, 22.0, 1, 13.4, 52.5);
    const Computed moon = Compute(s, "Mond");
    EXPECT_GT(moon.pos.delta, 356000);  // between the perigee and apogee extremes
    EXPECT_LT(moon.pos.delta, 407000);
    const Drawn d = Draw(s, moon.pos, "Mond", moon.sun);
    EXPECT_EQ(d.canvas.StringAt(C2 + 32, Row(4)), FormatFixed(moon.pos.delta, 12, 0) + " ");
    ExpectUnitAfter(d.canvas, C2 + 32, Row(4), " km   ");
    EXPECT_EQ(d.canvas.FindText("r="), nullptr);
}

// ---------------------------------------------------------------------------
// The object picture

namespace {

// FillBox calls that clear the picture box (centred on the picture).
int PictureClears(const RecordingCanvas& c) {
    int n = 0;
    for (const auto& sh : c.shapes) n += sh.kind == Shape::FillBox && (sh.x1 + sh.x2) / 2 == 920 && sh.x1 > 315;
    return n;
}

}  // namespace

TEST(ObjectPanelPicture, CentredBetweenThePanels) {
    ProgramState s = panel_test::PanelState();
    BodyPosition p = Planet();
    p.name = "Mond", p.index = 2, p.diameter = 0.52, p.illuminatedFraction = 0.5;
    const Drawn d = Draw(s, p, "Mond");
    // Centre (TextSplitX + ChartWidth)/2 = 920, 92 s = 150.5 -> 151. Half moon,
    // bright limb north: the upper half of a disc of 0.52 x 150 x s / 2 = 63.8 px.
    bool disc = false;
    for (const auto& sh : d.canvas.shapes) {
        if (sh.kind != Shape::Polygon || !sh.filled) continue;
        int minX = 10000, maxX = -10000, minY = 10000, maxY = -10000;
        for (auto [x, y] : sh.points) {
            minX = std::min(minX, x), maxX = std::max(maxX, x);
            minY = std::min(minY, y), maxY = std::max(maxY, y);
        }
        disc |= std::abs((minX + maxX) / 2 - 920) <= 1 && std::abs(maxY - 151) <= 1 && std::abs(minY - 87) <= 1 &&
                maxX - minX >= 126 && maxX - minX <= 129;
        EXPECT_EQ(sh.pen, kText);  // the label colour
    }
    EXPECT_TRUE(disc);
    EXPECT_EQ(PictureClears(d.canvas), 1);
    EXPECT_NE(d.canvas.FindText("N"), nullptr);
    EXPECT_NE(d.canvas.FindText("O"), nullptr);
}

TEST(ObjectPanelPicture, RealtimeRenewsThePictureOnlyEveryHalfHour) {
    ProgramState s = panel_test::PanelState();
    reports::PanelMemory memory;
    struct Step {
        double clock;
        bool realtime;
        int clears;
    };
    const Step steps[] = {
        {20.0, true, 1},                    // nothing drawn yet
        {20.3, true, 0}, {20.49, true, 0},  // less than half an hour later
        {20.5, true, 1},                    // half an hour: renewed
        {20.6, false, 1}, {20.6, false, 1}, // real time stopped: every redraw
    };
    double lastPicture = 0;
    for (const Step& k : steps) {
        SCOPED_TRACE(k.clock);
        s.ClockTime = k.clock;
        const Drawn d = Draw(s, Planet(), "Jupiter", Sun(), &memory, k.realtime);
        EXPECT_EQ(PictureClears(d.canvas), k.clears);
        EXPECT_NE(d.canvas.FindText("N"), nullptr);  // the compass every time
        if (k.clears) lastPicture = k.clock;
        EXPECT_TRUE(memory.pictureDrawn);
        EXPECT_EQ(memory.lastPictureTime, lastPicture);
    }
}
