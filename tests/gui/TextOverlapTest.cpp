// Texts of the panels, legends and charts drawn with the real fonts, on
// the screen at every size the window allows and on paper: no word covers
// another (a unit after its number, a label after its value, a stamp
// beside the tick labels).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "astronomy/LunarEvents.h"
#include "charts/ChartDrawing.h"
#include "charts/Layers.h"
#include "platform/qt/QtPrinter.h"
#include "charts/Readout.h"
#include "platform/Canvas.h"
#include "reports/ObjectPanel.h"
#include "reports/ParameterPanel.h"
#include "WindowFixture.h"
#include <QApplication>
#include <QImage>
#include <cstdio>

namespace {

struct WordBox {
    int x1, x2, y1, y2;
    std::string word, text;
};

// Passes every call on to the window's canvas and keeps the box of each
// word of each text drawn in copy mode (the degree signs laid over their
// numbers on purpose are drawn in another mode).
class WordRecorder : public platform::Canvas {
public:
    explicit WordRecorder(platform::Canvas& c) : c_(c) {}
    std::vector<WordBox> words;

    int Width() const override { return c_.Width(); }
    int Height() const override { return c_.Height(); }
    void Clear(platform::Colour b) override { c_.Clear(b); }
    void SetPen(platform::Colour c) override { c_.SetPen(c); }
    void SetBrush(platform::Colour c) override { c_.SetBrush(c); }
    void SetTextBackground(platform::Colour c, bool opaque) override {
        opaque_ = opaque;
        c_.SetTextBackground(c, opaque);
    }
    void SetRasterOp(platform::RasterOp op) override { op_ = op, c_.SetRasterOp(op); }
    void SetLineWidth(int w) override { c_.SetLineWidth(w); }
    void SetLineStyle(platform::LineStyle s) override { c_.SetLineStyle(s); }
    void SetFont(platform::FontRole r, double size) override { c_.SetFont(r, size); }
    void Line(int a, int b, int c, int d) override { c_.Line(a, b, c, d); }
    void Box(int a, int b, int c, int d) override { c_.Box(a, b, c, d); }
    void FillBox(int a, int b, int c, int d) override { c_.FillBox(a, b, c, d); }
    void Circle(int x, int y, int r) override { c_.Circle(x, y, r); }
    void FillCircle(int x, int y, int r) override { c_.FillCircle(x, y, r); }
    void Ellipse(int x, int y, int a, int b) override { c_.Ellipse(x, y, a, b); }
    void Arc(int x, int y, int r, double s, double t) override { c_.Arc(x, y, r, s, t); }
    void Polygon(const std::vector<std::pair<int, int>>& p, bool f) override { c_.Polygon(p, f); }
    void Point(int x, int y) override { c_.Point(x, y); }
    int TextWidth(const std::string& t) const override { return c_.TextWidth(t); }
    int TextHeight() const override { return c_.TextHeight(); }
    platform::Colour ReadPixel(int x, int y) const override { return c_.ReadPixel(x, y); }
    void Text(int x, int y, const std::string& text) override {
        c_.Text(x, y, text);
        if (op_ != platform::RasterOp::Copy) return;
        // A later text on an opaque background over an earlier one
        // replaces it: only boxes still standing count.
        const int h = c_.TextHeight();
        const int right = x + c_.TextWidth(text);
        if (opaque_)
            std::erase_if(words,
                          [&](const WordBox& w) { return w.y1 < y + h && y < w.y2 && w.x1 >= x && w.x2 <= right; });
        std::size_t i = 0;
        while ((i = text.find_first_not_of(' ', i)) != std::string::npos) {
            const std::size_t end = std::min(text.find(' ', i), text.size());
            const int x1 = x + c_.TextWidth(text.substr(0, i));
            const int x2 = x + c_.TextWidth(text.substr(0, end));
            words.push_back({x1, x2, y, y + h, text.substr(i, end - i), text});
            i = end;
        }
    }

private:
    platform::Canvas& c_;
    platform::RasterOp op_ = platform::RasterOp::Copy;
    bool opaque_ = false;
};

}  // namespace

// Pairs of words whose boxes overlap, as messages.
std::vector<std::string> Overlaps(const std::vector<WordBox>& words) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < words.size(); ++i)
        for (std::size_t j = i + 1; j < words.size(); ++j) {
            const WordBox& a = words[i];
            const WordBox& b = words[j];
            if (a.x1 < b.x2 && b.x1 < a.x2 && a.y1 < b.y2 && b.y1 < a.y2)
                out.push_back("'" + a.word + "' of '" + a.text + "' and '" + b.word + "' of '" + b.text + "'");
        }
    return out;
}

class TextOverlap : public WindowFixture {};

TEST_F(TextOverlap, WholeSkyClassLegendCodesStandApart) {
    // "OSt KSt PlN Ga E" under their symbols, each readable on its own.
    ASSERT_TRUE(Start());
    SetInstant(22, 7, 12, 2026);
    window->onKey({"h", platform::Key::None});
    WordRecorder rec(window->canvas());
    charts::DrawChart(rec, state, sh->chartData, state.Objekt, {});
    std::vector<WordBox> legend;
    for (const WordBox& w : rec.words)
        if (w.y1 < 40 && w.x1 > state.y_max - 250 && w.x2 < state.ChartWidth + 240) legend.push_back(w);
    std::vector<std::string> codes;
    for (const WordBox& w : legend) codes.push_back(w.word);
    for (const char* code : {"OSt", "KSt", "PlN", "Ga", "E"})
        EXPECT_NE(std::find(codes.begin(), codes.end(), code), codes.end()) << code;
    for (const std::string& o : Overlaps(legend)) ADD_FAILURE() << o;
}

TEST_F(TextOverlap, ObjectPanelWordsStandApart) {
    // The Moon near apogee (six digits of kilometres), a planet, a comet
    // far out, each panel drawn whole: no two words overlap.
    ASSERT_TRUE(Start());
    SetInstant(22, 7, 12, 2026);
    window->onKey({"o", platform::Key::None});
    using astronomy::ObjectKind;
    state.Messier = 42;
    for (ObjectKind kind : {ObjectKind::Sun, ObjectKind::Moon, ObjectKind::Jupiter, ObjectKind::Neptune, ObjectKind::Disk,
                            ObjectKind::Messier, ObjectKind::Arbitrary}) {
        SCOPED_TRACE(std::string(astronomy::ObjectName(kind)));
        state.Objekt = kind;
        shell::RedrawView(*sh);
        WordRecorder rec(window->canvas());
        reports::PanelMemory memory;
        reports::DrawObjectInfoPanel(rec, state, sh->pos, sh->sun, kind, false, memory);
        for (const std::string& o : Overlaps(rec.words)) ADD_FAILURE() << o;
    }
}

TEST_F(TextOverlap, PointerReadoutColumnsStandApart) {
    // The widest right ascensions and declinations beside the azimuth and
    // altitude column.
    ASSERT_TRUE(Start());
    window->onKey({"h", platform::Key::None});
    for (const charts::SkyPoint& point : {charts::SkyPoint{19.9999, -89.99, 359.7, -89.9},
                                          charts::SkyPoint{23.5, 88.5, 90, 45}, charts::SkyPoint{8.8, -8.8, 188, 8}}) {
        WordRecorder rec(window->canvas());
        charts::ShowPointerReadout(rec, state, point);
        EXPECT_GE(rec.words.size(), 8u);
        for (const std::string& o : Overlaps(rec.words)) ADD_FAILURE() << o;
    }
}

TEST_F(TextOverlap, ParameterPanelInPrintSizesStaysInsideItsFrame) {
    // The strip in the point sizes of the printout (larger than on screen):
    // no word covers another, none runs past the frame.
    ASSERT_TRUE(Start());
    SetInstant(23.99, 31, 12, 2026);
    for (int printing : {0, 1}) {
        SCOPED_TRACE(printing);
        state.PrintingFlag = printing;
        WordRecorder rec(window->canvas());
        reports::DrawParameterPanel(rec, state);
        state.PrintingFlag = 0;
        EXPECT_GE(rec.words.size(), 20u);
        for (const std::string& o : Overlaps(rec.words)) ADD_FAILURE() << o;
        for (const WordBox& w : rec.words) EXPECT_LE(w.x2, state.x_max) << w.text;
    }
}

TEST_F(TextOverlap, EveryViewAtEveryWindowSize) {
    // The object view of each kind of object, the sky charts, the
    // solar-system view with a track and the eclipse diagram, at the smallest drawing area the
    // window allows, at common screen sizes, wide and low, narrow and tall:
    // no word covers another, none runs past the area's right edge.
    ASSERT_TRUE(Start());
    SetInstant(22, 7, 12, 2026);
    state.Messier = 42;
    state.TrackLaenge = 40;
    state.TrackDatum = "t";  // a label every day: they crowd on every view
    state.DisplayFlags |= 1 << charts::kLayerTrack;
    using astronomy::ObjectKind;
    using astronomy::View;
    struct Case {
        View view;
        ObjectKind object;
    };
    std::vector<Case> cases;
    for (ObjectKind kind : {ObjectKind::Sun, ObjectKind::Moon, ObjectKind::Jupiter, ObjectKind::Disk,
                            ObjectKind::Messier, ObjectKind::Arbitrary})
        cases.push_back({View::ObjectBody, kind});
    for (View view :
         {View::WholeSky, View::Equatorial, View::Horizon, View::NorthPolar, View::SouthPolar, View::System})
        for (ObjectKind kind : {ObjectKind::Moon, ObjectKind::Mars}) cases.push_back({view, kind});
    // The next lunar eclipse's diagram with its times.
    const auto eclipse =
        astronomy::SearchLunarEclipseFrom(state, astronomy::FirstFullMoonAfter(state.J, state.F));
    ASSERT_TRUE(eclipse);
    sh->eclipse = eclipse->circumstances;
    cases.push_back({View::MoonPhases, ObjectKind::Moon});
    struct Size {
        int w, h;
    };
    for (Size size : {Size{shell::kSmallestDrawingWidth, shell::kSmallestDrawingHeight}, Size{1301, 715},
                      Size{1301, 901}, Size{1900, 1040}, Size{1600, 550}, Size{800, 1000}}) {
        window->ApplyPlacement(0, 0, size.w + platform::qt::QtWindow::kFrameWidth,
                               size.h + platform::qt::QtWindow::kFrameHeight, false);
        QApplication::processEvents();
        shell::HandleResize(*sh);
        ASSERT_EQ(state.x_max, size.w - 1);
        for (const Case& c : cases) {
            SCOPED_TRACE(::testing::Message() << size.w << "x" << size.h << " view " << astronomy::ViewNumber(c.view)
                                              << " " << astronomy::ObjectName(c.object));
            state.Objekt = c.object;
            state.ChartMode = c.view;
            WordRecorder rec(window->canvas());
            sh->target = &rec;
            shell::RedrawView(*sh);
            sh->target = nullptr;
            EXPECT_GE(rec.words.size(), 10u);
            for (const std::string& o : Overlaps(rec.words)) ADD_FAILURE() << o;
            for (const WordBox& w : rec.words)
                EXPECT_LE(w.x2, state.x_max + 1) << w.text << " at " << w.x1 << "," << w.y1;
        }
    }
}

TEST_F(TextOverlap, EveryViewOnPaper) {
    // The same views on a landscape page, in the page's layout and the
    // printer's fonts (the page drawn as the print command draws it).
    ASSERT_TRUE(Start());
    SetInstant(22, 7, 12, 2026);
    state.Messier = 42;
    using astronomy::ObjectKind;
    using astronomy::View;
    const std::string pdf = (data / "Seite.pdf").string();
    for (View view : {View::ObjectBody, View::WholeSky, View::Equatorial, View::Horizon, View::NorthPolar,
                      View::SouthPolar, View::System})
        for (ObjectKind kind : {ObjectKind::Moon, ObjectKind::Jupiter, ObjectKind::Messier}) {
            if (view != View::ObjectBody && kind != ObjectKind::Moon) continue;
            SCOPED_TRACE(::testing::Message() << "view " << astronomy::ViewNumber(view) << " "
                                              << astronomy::ObjectName(kind));
            state.Objekt = kind;
            state.ChartMode = view;
            platform::qt::QtPrinter& printer = window->PrinterDevice();
            ASSERT_TRUE(printer.BeginToPdf(pdf, "Kelmaron", true));
            WordRecorder rec(printer.page());
            state.PrintingFlag = -1;
            sh->target = &rec;
            shell::ComputeLayout(*sh);
            sh->panel = reports::PanelMemory{};
            shell::RedrawView(*sh);
            state.PrintingFlag = 0;
            printer.End();
            sh->target = nullptr;
            shell::ComputeLayout(*sh);
            EXPECT_GE(rec.words.size(), 10u);
            for (const std::string& o : Overlaps(rec.words)) ADD_FAILURE() << o;
            for (const WordBox& w : rec.words) EXPECT_LE(w.x2, rec.Width()) << w.text << " at " << w.x1 << "," << w.y1;
        }
}

TEST_F(TextOverlap, WindowIsNoSmallerThanTheLayoutNeeds) {
    // A stored or pulled size below the smallest area comes out at it.
    ASSERT_TRUE(Start());
    window->ApplyPlacement(0, 0, 500 + platform::qt::QtWindow::kFrameWidth, 300 + platform::qt::QtWindow::kFrameHeight,
                           false);
    QApplication::processEvents();
    shell::HandleResize(*sh);
    EXPECT_EQ(state.x_max, shell::kSmallestDrawingWidth - 1);
    EXPECT_EQ(state.y_max, shell::kSmallestDrawingHeight - 1);
}
