// The overlay layers, the object marks and the deep-sky class overlay drawn
// on the real backing-image canvas with its exact exclusive-or.
#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "astronomy/PositionService.h"
#include "astronomy/ProgramState.h"
#include "astronomy/TimeCalendar.h"
#include "charts/Catalogue.h"
#include "charts/ChartDrawing.h"
#include "charts/Layers.h"
#include "charts/ObjectSymbols.h"
#include "charts/Projection.h"
#include "platform/qt/QtCanvas.h"

using platform::Colour;
using platform::qt::QtCanvas;

namespace {

constexpr double kPi = 3.141592653589793;
const std::string kFolder = KELMARON_PROGRAM_DATA;

// The catalogue files, read once for all tests.
charts::ChartData& Data() {
    static charts::ChartData data = [] {
        charts::ChartData d;
        std::string error;
        EXPECT_TRUE(d.stars.Open(kFolder, error)) << error;
        EXPECT_TRUE(charts::ReadConstellationFile(charts::CatalogueFilePath(kFolder, charts::kConstellationFileName),
                                                  d.figures, error))
            << error;
        d.folder = kFolder;
        return d;
    }();
    return data;
}

const std::vector<astronomy::MessierEntry>& Messier() {
    static const std::vector<astronomy::MessierEntry> catalogue = [] {
        std::vector<astronomy::MessierEntry> m;
        std::string error;
        EXPECT_TRUE(charts::LoadMessierCatalogue(charts::CatalogueFilePath(kFolder, charts::kMessierFileName), m,
                                                 error))
            << error;
        return m;
    }();
    return catalogue;
}

// Hannover, 15 March 2024, 21:00 MEZ: Jupiter and the Moon in the west,
// the winter sky setting. A 1001 x 701 window with the program's layout.
astronomy::ProgramState State(int invers, astronomy::View mode) {
    astronomy::ProgramState s;
    s.DataFolder = s.ProgramFolder = kFolder;
    astronomy::ApplyDefaults(s);
    astronomy::SetPlaceFromList(s, 1);
    const astronomy::JulianDate jd = astronomy::CalendarToJulianDate(21.0, 15, 3, 2024, s.Zone);
    astronomy::ApplyJulianDate(s, jd.J, jd.F);
    astronomy::UpdateTimeQuantities(s);
    s.x_max = 1000;
    s.y_max = 700;
    s.ChartWidth = s.x_max - 200;
    s.ChartCentreX = s.ChartWidth / 2;
    s.ChartCentreY = s.y_max / 2;
    s.ChartRadius = std::min(s.ChartCentreY - 20, s.ChartCentreX - 20);
    s.Invers = invers;
    s.BackgroundColour = invers ? 0xFFFFFF : 0x000000;
    s.ForegroundColour = invers ? 0x505050 : 0xB4B4B4;
    s.ContrastColour = invers ? 0x000000 : 0xFFFFFF;
    const std::uint32_t white = invers ? 0x000000 : 0xFFFFFF;
    s.BodyColourTable = {0,        0xFFFFFF, 0xFAFA50, white,    0x7878FF, 0xAAFFFF, 0xFF5050, 0xAA5500,
                         0x37E137, 0x00AAAA, 0x009600, 0xFA3CFA, 0xFA3CFA, white,    0xFA3CFA};
    s.MessierCatalogue = Messier();
    s.DisplayFlags = 0x3F;  // every layer but the track
    s.ChartMode = mode;
    return s;
}

// The background and a few boxes of other colours drawn by copying, so that
// the layers meet more than one kind of pixel.
void PaintBackground(QtCanvas& c, const astronomy::ProgramState& s) {
    c.Clear(platform::ColourFromRgb(s.BackgroundColour));
    c.SetRasterOp(platform::RasterOp::Copy);
    for (int i = 0; i < 12; ++i) {
        const Colour col{static_cast<std::uint8_t>(i * 20), static_cast<std::uint8_t>(250 - i * 20),
                         static_cast<std::uint8_t>(i * 37 % 256)};
        c.SetPen(col);
        c.SetBrush(col);
        c.FillBox(i * 83, 60 + i * 10, i * 83 + 40, 300 + i * 25);
    }
}

// Pixels within the box about (x, y) that differ between the two images.
int ChangedNear(const QImage& a, const QImage& b, int x, int y, int left, int up, int right, int down) {
    int changed = 0;
    for (int yy = y - up; yy <= y + down; ++yy)
        for (int xx = x - left; xx <= x + right; ++xx)
            if (a.valid(xx, yy) && a.pixel(xx, yy) != b.pixel(xx, yy)) ++changed;
    return changed;
}

astronomy::BodyPosition Position(const astronomy::ProgramState& s, const std::string& name) {
    const auto kind = astronomy::ObjectKindFromName(name);
    EXPECT_TRUE(kind) << name;
    const astronomy::PositionResult r = astronomy::ComputePosition(
        astronomy::ObservationOf(s), astronomy::TargetOf(s, kind.value_or(astronomy::ObjectKind::Sun)));
    EXPECT_EQ(r.status, astronomy::PositionStatus::Ok) << name;
    return r.body;
}

// An equatorial region of the given half-widths about a place (radians).
void CentreOn(astronomy::ProgramState& s, double ra, double dec, double halfHours, double halfDegrees) {
    const double hours = ra * 12 / kPi, degrees = dec * 180 / kPi;
    s.Alpha_min = hours - halfHours;
    s.Alpha_max = hours + halfHours;
    s.Delta_min = degrees - halfDegrees;
    s.Delta_max = degrees + halfDegrees;
}

// Each chart with a region where every layer has something to show.
void PrepareRegion(astronomy::ProgramState& s) {
    if (s.ChartMode == astronomy::View::Equatorial) {
        // Through 0 h: the Sun and the inner planets, Sagittarius' clusters.
        s.Alpha_min = 17;
        s.Alpha_max = 1;
        s.Delta_min = -40;
        s.Delta_max = 20;
    } else if (s.ChartMode == astronomy::View::Horizon) {
        s.Azi_min = 200;
        s.Azi_max = 320;
        s.Hoehe_min = 0;
        s.Hoehe_max = 60;
    } else if (s.ChartMode == astronomy::View::NorthPolar) {
        s.Pol_min = 0;
        s.Pol_max = 180;
    }
}

}  // namespace

// Drawing a layer a second time takes it off again, pixel for pixel, on
// every chart and in both colour schemes, on the picture's grid and on a
// high-resolution screen's; and each layer does draw.
TEST(ChartLayers, EveryLayerDrawnTwiceLeavesTheChartAsItWas) {
    const std::vector<std::pair<int, const char*>> layers = {
        {charts::kLayerConstellations, "Sternbild/Namen"}, {charts::kLayerGrid, "Gitter"},
        {charts::kLayerEcliptic, "Ekliptik"},              {charts::kLayerBodies, "Planeten"},
        {charts::kLayerMessier, "Messier"}};
    for (astronomy::View mode : {astronomy::View::WholeSky, astronomy::View::Equatorial, astronomy::View::Horizon,
                       astronomy::View::NorthPolar}) {
        for (auto [invers, ratio] : {std::pair{0, 1}, std::pair{1, 1}, std::pair{0, 2}, std::pair{1, 2}}) {
            SCOPED_TRACE("mode " + std::to_string(astronomy::ViewNumber(mode)) + " Invers " + std::to_string(invers) +
                         " ratio " + std::to_string(ratio));
            astronomy::ProgramState s = State(invers, mode);
            PrepareRegion(s);
            const charts::ChartGeometry g = charts::SetUpChart(s);
            QtCanvas canvas(s.x_max + 1, s.y_max + 1);
            canvas.SetPixelRatio(ratio);
            PaintBackground(canvas, s);
            const QImage before = canvas.Image().copy();
            for (const auto& [layer, name] : layers) {
                SCOPED_TRACE(name);
                charts::DrawLayer(canvas, s, g, Data(), layer, astronomy::ObjectKind::Sun);
                EXPECT_NE(canvas.Image(), before);
                charts::DrawLayer(canvas, s, g, Data(), layer, astronomy::ObjectKind::Sun);
                EXPECT_EQ(canvas.Image(), before);
            }
            charts::DrawOverlayLayers(canvas, s, g, Data(), astronomy::ObjectKind::Sun);
            EXPECT_NE(canvas.Image(), before);
            charts::DrawOverlayLayers(canvas, s, g, Data(), astronomy::ObjectKind::Sun);
            EXPECT_EQ(canvas.Image(), before);
            EXPECT_EQ(canvas.CurrentRasterOp(), platform::RasterOp::Copy);
        }
    }
}

// M40 is a double star and stays out of the Messier layer; the selected
// Messier object is left to the chart pass; the others are all drawn.
TEST(ChartLayers, MessierLayerLeavesOutM40AndTheSelectedObject) {
    astronomy::ProgramState s = State(0, astronomy::View::Equatorial);
    s.Messier = 40;
    const astronomy::BodyPosition m40 = Position(s, "Messier");
    CentreOn(s, m40.ra, m40.dec, 1.5, 8);  // M97, M108 and M109 lie within
    s.Objekt = astronomy::ObjectKind::Messier;
    s.Messier = 109;
    const charts::ChartGeometry g = charts::SetUpChart(s);
    QtCanvas canvas(s.x_max + 1, s.y_max + 1);
    PaintBackground(canvas, s);
    const QImage before = canvas.Image().copy();
    charts::DrawLayer(canvas, s, g, Data(), charts::kLayerMessier, astronomy::ObjectKind::Messier);
    const QImage after = canvas.Image().copy();
    EXPECT_EQ(s.Messier, 109);

    int drawn = 0;
    for (int n = 1; n <= 109; ++n) {
        astronomy::ProgramState probe = s;
        probe.Messier = n;
        const astronomy::BodyPosition pos = Position(probe, "Messier");
        const charts::ProjectionResult p = charts::ProjectPoint(g, charts::FirstAngle(g, pos.ra), pos.dec);
        if (!p.visible) continue;
        SCOPED_TRACE("M " + std::to_string(n));
        // The symbol about the point and the number above to its right.
        const int changed = ChangedNear(before, after, p.x, p.y, 8, 14, 24, 8);
        if (n == 40 || n == 109) {
            EXPECT_EQ(changed, 0);
        } else {
            EXPECT_GT(changed, 0);
            ++drawn;
        }
    }
    EXPECT_GE(drawn, 2);  // M97 and M108
}

// The legend click draws a whole class from the star catalogue and a second
// click takes it off again.
TEST(ChartLayers, DeepSkyClassClickedTwiceRestoresTheChart) {
    for (int invers : {0, 1}) {
        SCOPED_TRACE("Invers " + std::to_string(invers));
        astronomy::ProgramState s = State(invers, astronomy::View::Equatorial);
        s.Alpha_min = 0;
        s.Alpha_max = 24;
        s.Delta_min = -90;
        s.Delta_max = 90;
        const charts::ChartGeometry g = charts::SetUpChart(s);
        QtCanvas canvas(s.x_max + 1, s.y_max + 1);
        PaintBackground(canvas, s);
        const QImage before = canvas.Image().copy();
        const int legendY = s.y_max - 20;

        EXPECT_EQ(charts::DeepSkyClassAt(s, 410, legendY), 0);
        const int type = charts::DeepSkyClassAt(s, 300, legendY);
        ASSERT_EQ(type, 20);  // "KSt", the globular clusters
        charts::ToggleDeepSkyClass(canvas, s, g, Data(), type);
        const QImage shown = canvas.Image().copy();

        // The globular clusters are records 48605..48726 (equinox 2000.0,
        // which Aequi 2000 keeps to far below a pixel). Near the centre of
        // the Milky Way their symbols overlap, so each is looked for about
        // its place.
        int inFrame = 0, marked = 0;
        for (int n = 48605; n <= 48726; ++n) {
            charts::CatalogueRecord rec;
            ASSERT_TRUE(Data().stars.ReadCatalogueRecord(n, rec));
            const charts::ProjectionResult p = charts::ProjectPoint(g, rec.ra, rec.dec);
            if (!p.visible || p.x < charts::LayoutFor(s.x_max, s.y_max).frame.left || p.x > charts::LayoutFor(s.x_max, s.y_max).frame.right) continue;
            ++inFrame;
            if (ChangedNear(before, shown, p.x, p.y, 2, 2, 2, 2) > 0) ++marked;
        }
        EXPECT_GT(inFrame, 60);
        EXPECT_EQ(marked, inFrame);

        charts::ToggleDeepSkyClass(canvas, s, g, Data(), type);
        EXPECT_EQ(canvas.Image(), before);
    }
}

// A body's mark (the filled disc of radius 6) sits where ProjectPoint puts
// its computed place; marking changes nothing the object view uses; the
// bodies layer leaves the selected body to the chart pass.
TEST(ChartLayers, BodyMarkedAtItsProjectedPlace) {
    for (astronomy::View mode : {astronomy::View::WholeSky, astronomy::View::Equatorial}) {
        SCOPED_TRACE("mode " + std::to_string(astronomy::ViewNumber(mode)));
        astronomy::ProgramState s = State(0, mode);
        s.Objekt = astronomy::ObjectKind::Moon;
        const astronomy::BodyPosition jupiter = Position(s, "Jupiter");
        CentreOn(s, jupiter.ra, jupiter.dec, 1, 5);
        const charts::ChartGeometry g = charts::SetUpChart(s);
        const charts::ProjectionResult p = charts::ProjectPoint(g, charts::FirstAngle(g, jupiter.ra), jupiter.dec);
        ASSERT_TRUE(p.visible);

        QtCanvas canvas(s.x_max + 1, s.y_max + 1);
        canvas.Clear({0, 0, 0});
        const QImage before = canvas.Image().copy();
        EXPECT_TRUE(charts::MarkNamedObject(canvas, s, g, astronomy::ObjectKind::Jupiter));
        const QImage after = canvas.Image().copy();
        const Colour brown = charts::BodyColour(s, 6);
        EXPECT_EQ(canvas.ReadPixel(p.x, p.y), brown);
        for (auto [dx, dy] : {std::pair{5, 0}, {-5, 0}, {0, 5}, {0, -5}})
            EXPECT_EQ(canvas.ReadPixel(p.x + dx, p.y + dy), brown) << dx << "," << dy;
        for (auto [dx, dy] : {std::pair{-8, 0}, {0, 8}, {-6, 6}})
            EXPECT_EQ(canvas.ReadPixel(p.x + dx, p.y + dy), (Colour{0, 0, 0})) << dx << "," << dy;
        EXPECT_EQ(s.Objekt, astronomy::ObjectKind::Moon);
        EXPECT_EQ(s.ChartMode, mode);

        EXPECT_FALSE(charts::MarkNamedObject(canvas, s, g, astronomy::ObjectKind::Disk));  // no elements loaded
        EXPECT_EQ(canvas.Image(), after);

        // The bodies layer with Jupiter selected leaves its place alone.
        canvas.Clear({0, 0, 0});
        charts::DrawLayer(canvas, s, g, Data(), charts::kLayerBodies, astronomy::ObjectKind::Jupiter);
        EXPECT_EQ(ChangedNear(before, canvas.Image(), p.x, p.y, 5, 5, 5, 5), 0);
        canvas.Clear({0, 0, 0});
        charts::DrawLayer(canvas, s, g, Data(), charts::kLayerBodies, astronomy::ObjectKind::Moon);
        EXPECT_EQ(canvas.ReadPixel(p.x, p.y), brown);
    }
}

// A curve of many short steps is one unbroken line: where two steps meet,
// their shared pixel is set once, not twice (which exclusive-or would take
// away again). The ecliptic above the horizon is a single arc, on the
// picture's grid and on the finer one.
class EclipticArc : public ::testing::TestWithParam<int> {};

TEST_P(EclipticArc, IsOneUnbrokenArc) {
    astronomy::ProgramState s = State(0, astronomy::View::WholeSky);
    const charts::ChartGeometry g = charts::SetUpChart(s);
    QtCanvas canvas(s.x_max + 1, s.y_max + 1);
    canvas.SetPixelRatio(GetParam());
    canvas.Clear({0, 0, 0});
    charts::DrawLayer(canvas, s, g, Data(), charts::kLayerEcliptic, std::nullopt);
    const QImage image = canvas.Image();
    const QRgb black = qRgb(0, 0, 0);
    // Count the 8-connected groups of drawn pixels.
    std::vector<char> seen(static_cast<std::size_t>(image.width() * image.height()), 0);
    int groups = 0, pixels = 0;
    for (int y0 = 0; y0 < image.height(); ++y0) {
        for (int x0 = 0; x0 < image.width(); ++x0) {
            if (image.pixel(x0, y0) == black || seen[static_cast<std::size_t>(y0 * image.width() + x0)]) continue;
            ++groups;
            std::vector<std::pair<int, int>> stack{{x0, y0}};
            seen[static_cast<std::size_t>(y0 * image.width() + x0)] = 1;
            while (!stack.empty()) {
                const auto [x, y] = stack.back();
                stack.pop_back();
                ++pixels;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = x + dx, ny = y + dy;
                        if (!image.valid(nx, ny) || image.pixel(nx, ny) == black) continue;
                        char& mark = seen[static_cast<std::size_t>(ny * image.width() + nx)];
                        if (!mark) {
                            mark = 1;
                            stack.emplace_back(nx, ny);
                        }
                    }
            }
        }
    }
    EXPECT_GT(pixels, g.radius * GetParam() * GetParam());  // more than a short stub
    EXPECT_EQ(groups, 1);
}

INSTANTIATE_TEST_SUITE_P(ChartLayers, EclipticArc, ::testing::Values(1, 2));

// The track of Jupiter, forwards with markers and monthly labels and
// backwards with weekly ones, taken off again by a second drawing on every
// chart, in both colour schemes and on the finer grid of a high-resolution
// screen; the state's instant stays as it was.
TEST(ChartLayers, TrackDrawnTwiceLeavesTheChartAsItWas) {
    for (astronomy::View mode : {astronomy::View::WholeSky, astronomy::View::Equatorial, astronomy::View::Horizon,
                                 astronomy::View::NorthPolar}) {
        for (auto [invers, ratio] : {std::pair{0, 1}, std::pair{1, 1}, std::pair{1, 2}}) {
            SCOPED_TRACE("mode " + std::to_string(astronomy::ViewNumber(mode)) + " Invers " + std::to_string(invers) +
                         " ratio " + std::to_string(ratio));
            astronomy::ProgramState s = State(invers, mode);
            PrepareRegion(s);
            if (mode == astronomy::View::Equatorial) {  // Jupiter in Aries
                s.Alpha_min = 0, s.Alpha_max = 6, s.Delta_min = -10, s.Delta_max = 40;
            }
            const astronomy::ProgramState before = s;
            const charts::ChartGeometry g = charts::SetUpChart(s);
            QtCanvas canvas(s.x_max + 1, s.y_max + 1);
            canvas.SetPixelRatio(ratio);
            PaintBackground(canvas, s);
            const QImage picture = canvas.Image().copy();
            for (const auto& [length, step, unit] :
                 {std::tuple{200.0, 10.0f, "m"}, std::tuple{-100.0, -5.0f, "w"}, std::tuple{3.0, 0.25f, "t"}}) {
                SCOPED_TRACE(length);
                s.TrackLaenge = length, s.TrackStep = step, s.TrackDatum = unit;
                charts::DrawLayer(canvas, s, g, Data(), charts::kLayerTrack, astronomy::ObjectKind::Jupiter);
                EXPECT_NE(canvas.Image(), picture);
                charts::DrawLayer(canvas, s, g, Data(), charts::kLayerTrack, astronomy::ObjectKind::Jupiter);
                EXPECT_EQ(canvas.Image(), picture);
            }
            EXPECT_EQ(s.J, before.J);
            EXPECT_EQ(s.F, before.F);
            EXPECT_EQ(s.ClockTime, before.ClockTime);
            EXPECT_EQ(s.Day, before.Day);
            EXPECT_EQ(s.tq.LST, before.tq.LST);
        }
    }
}
