// Printing a view to PDF, paging the help file, real time and "Jetzt".
#include <QApplication>
#include <QImage>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "../platform/ModalHelper.h"
#include "astronomy/TimeCalendar.h"
#include "platform/qt/QtWindow.h"
#include "shell/Shell.h"
#include "PrintedPage.h"
#include "WindowFixture.h"

namespace fs = std::filesystem;
using platform::qt::testing::WhenModal;

namespace {

platform::Key Char(const std::string& text) { return platform::Key{text, platform::Key::None}; }

platform::Colour Rgb(std::uint32_t c) {
    return {static_cast<std::uint8_t>(c >> 16), static_cast<std::uint8_t>(c >> 8), static_cast<std::uint8_t>(c)};
}

class ViewCommands : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        ASSERT_TRUE(Start());
    }
    double Instant() const { return state.J + state.F; }
    double NowInstant() {
        const platform::ClockReading now = window->Now();
        const astronomy::JulianDate jd = astronomy::CalendarToJulianDate(
            now.hour + now.minute / 60.0 + now.second / 3600, now.day, now.month, now.year, 0);  // the clock reads UT
        return jd.J + jd.F;
    }
    // x range of the pixels of one colour in a band of rows; {-1, -1} if none.
    std::pair<int, int> ColumnsOf(platform::Colour colour, int y1, int y2) {
        int lo = -1, hi = -1;
        for (int y = y1; y <= y2; ++y)
            for (int x = 0; x <= state.x_max; ++x)
                if (window->canvas().ReadPixel(x, y) == colour) {
                    if (lo < 0 || x < lo) lo = x;
                    hi = std::max(hi, x);
                }
        return {lo, hi};
    }
};

}  // namespace

TEST_F(ViewCommands, ObjectViewPrintsDarkOnWhiteAndTheWindowComesBack) {
    window->onKey(Char("o"));  // the Sun's object view
    window->onKey(Char("i"));  // white on black
    ASSERT_EQ(state.Invers, 0);
    const int xMax = state.x_max, yMax = state.y_max;
    const double scale = state.TextScale;
    const fs::path pdf = data / "seite.pdf";
    fs::create_directories(data);
    window->PrinterDevice().PrintNextToPdf(pdf.string());
    window->onKey(Char("\x10"));  // Ctrl+P
    ASSERT_TRUE(fs::exists(pdf));

    // The window is as before: colours, layout, channel.
    EXPECT_EQ(state.Invers, 0);
    EXPECT_EQ(state.PrintingFlag, 0);
    EXPECT_EQ(state.OutputChannel, 2);
    EXPECT_EQ(state.x_max, xMax);
    EXPECT_EQ(state.y_max, yMax);
    EXPECT_DOUBLE_EQ(state.TextScale, scale);
    EXPECT_EQ(window->canvas().ReadPixel(2, state.y_max - 2), Rgb(state.BackgroundColour));

    const std::optional<QImage> page = RenderPdfPage(pdf, 40);
    ASSERT_TRUE(page);
    // Landscape, as the drawing area is wider than high.
    EXPECT_GT(page->width(), page->height());
    const auto [all, white, dark] = InkOf(*page, page->rect());
    EXPECT_GT(white, all * 8 / 10);  // white paper
    EXPECT_GT(dark, 200);            // the panel's text in black
}

TEST_F(ViewCommands, WholeSkyChartPrintsDarkStarsOnWhite) {
    window->onKey(Char("i"));  // white on black on the screen
    ASSERT_EQ(state.Invers, 0);
    const fs::path pdf = data / "himmel.pdf";
    window->PrinterDevice().PrintNextToPdf(pdf.string());
    window->onMenu(87);  // "Drucken"
    ASSERT_TRUE(fs::exists(pdf));
    EXPECT_EQ(state.Invers, 0);
    const std::optional<QImage> page = RenderPdfPage(pdf, 60);
    ASSERT_TRUE(page);
    // Inside the sky disc (the middle of the page's left part): white paper
    // with many small dark stars.
    const int w = page->width(), h = page->height();
    const auto [all, white, dark] = InkOf(*page, QRect(QPoint(w / 8, h / 4), QPoint(w / 2 - 1, h * 3 / 4 - 1)));
    EXPECT_GT(white, all * 6 / 10);
    EXPECT_GT(dark, 100);
}

TEST_F(ViewCommands, F1OpensTheHelp) {
    // The key pressed in the window itself, as a user does.
    window->Frame().show();
    QTest::keyClick(&window->Area(), Qt::Key_F1);
    EXPECT_TRUE(sh->help.open);
}

TEST_F(ViewCommands, HelpHighlightsMarkedTextAndPagesOnKeys) {
    // A help file of our own: the first line with a marked word, then enough
    // lines for a second page.
    const fs::path folder = data / "programm";
    fs::create_directories(folder);
    {
        std::ofstream f(folder / "kelmar.hlp", std::ios::binary);
        f << "Taste <F1> dr\xfc" "cken\r\n";
        for (int i = 0; i < 200; ++i) f << "Zeile " << i << "\r\n";
    }
    state.ProgramFolder = folder.string();
    window->onMenu(134);  // "Hilfe"
    ASSERT_TRUE(sh->help.open);

    window->canvas().SetFont(platform::FontRole::Table);
    const int start = 8 + window->canvas().TextWidth("Taste ");
    const int end = start + window->canvas().TextWidth("F1");
    const auto highlighted = ColumnsOf(Rgb(0xB00000), 2, 18);  // white background: the dark red
    ASSERT_GE(highlighted.first, 0);
    EXPECT_GE(highlighted.first, start);  // no "<" before it
    EXPECT_LE(highlighted.second, end);
    const auto normal = ColumnsOf(Rgb(state.ForegroundColour), 2, 18);
    EXPECT_LT(normal.first, start);  // "Taste"
    EXPECT_GT(normal.second, end);   // "drücken" after it, not shifted by a ">"

    window->onKey(Char(" "));  // the second page
    EXPECT_TRUE(sh->help.open);
    EXPECT_EQ(ColumnsOf(Rgb(0xB00000), 2, 18).first, -1);
    window->onKey(Char("\x1b"));  // Escape ends it
    EXPECT_FALSE(sh->help.open);

    window->onMenu(134);
    shell::HandleMouse(*sh, 100, 100, platform::kMouseRight, true);  // so does the right button
    EXPECT_FALSE(sh->help.open);
}

// After a command the picture is the one a fresh redraw gives: no help text
// left under a layer, no body left at the place of an earlier instant.
TEST_F(ViewCommands, LayerCommandsLeaveTheTruePicture) {
    auto freshlyDrawn = [this]() {
        const QImage shown = window->Picture().Image().copy();
        shell::RedrawView(*sh);
        return shown == window->Picture().Image();
    };
    SetInstant(22, 15, 1, 2025);
    state.ChartMode = astronomy::View::Equatorial;
    state.Alpha_min = 5, state.Alpha_max = 8, state.Delta_min = 10, state.Delta_max = 30;  // the Moon
    shell::RedrawView(*sh);
    window->onMenu(134);  // "Hilfe" over the chart
    window->onMenu(79);   // "Gitter": ends the help, draws the grid
    EXPECT_FALSE(sh->help.open);
    EXPECT_TRUE(freshlyDrawn());

    // The clock moves on (real time) without a redraw; "Planeten" off.
    ASSERT_NE(state.DisplayFlags & 16, 0);
    state.F += 0.02;
    astronomy::ApplyJulianDate(state, state.J, state.F);
    astronomy::UpdateTimeQuantities(state);
    window->onMenu(81);
    EXPECT_EQ(state.DisplayFlags & 16, 0);
    EXPECT_TRUE(freshlyDrawn());
}

TEST_F(ViewCommands, RealtimeFollowsTheClockUntilStopped) {
    SetInstant(3, 1, 1, 1999);
    window->onKey(Char("r"));
    EXPECT_TRUE(window->TimerActive());
    EXPECT_EQ(window->menu().ItemState(124), platform::kItemChecked);
    EXPECT_NEAR(Instant(), NowInstant(), 5.0 / 86400);

    // A command moves the instant; the next tick brings the clock back.
    SetInstant(3, 1, 1, 1999);
    shell::RealtimeTimer_Timer(*sh);
    EXPECT_NEAR(Instant(), NowInstant(), 5.0 / 86400);
    EXPECT_EQ(state.Year, window->Now().year);

    std::string message;
    WhenModal([&message](QWidget* box) {
        message = box->findChild<QWidget*>("text")->property("text").toString().toStdString();
        box->findChild<QPushButton*>("button1")->click();
    });
    window->onKey(Char("r"));
    EXPECT_EQ(message, "  Realtime gestoppt!      ");
    EXPECT_FALSE(window->TimerActive());
    EXPECT_EQ(window->menu().ItemState(124), platform::kItemPlain);
}

TEST_F(ViewCommands, JetztGivesTheSameInstantInEveryZone) {
    window->onKey(Char("0"));  // UT
    window->onKey(Char("j"));
    EXPECT_EQ(state.Zone, 0);
    EXPECT_NEAR(Instant(), NowInstant(), 5.0 / 86400);
    window->onKey(Char("2"));  // MESZ
    window->onKey(Char("j"));
    EXPECT_NEAR(Instant(), NowInstant(), 5.0 / 86400);
}

// The solar-system view on paper: white, the orbits and the panel in ink,
// the Sun in the middle of the page; the window shows its view again.
TEST_F(ViewCommands, SolarSystemViewPrints) {
    window->onKey(Char("y"));
    ASSERT_EQ(state.ChartMode, astronomy::View::System);
    const fs::path pdf = data / "system.pdf";
    fs::create_directories(data);
    window->PrinterDevice().PrintNextToPdf(pdf.string());
    window->onKey(Char("\x10"));  // Ctrl+P
    ASSERT_TRUE(fs::exists(pdf));
    EXPECT_EQ(state.PrintingFlag, 0);
    EXPECT_EQ(state.ChartMode, astronomy::View::System);
    EXPECT_EQ(sh->chart.mode, astronomy::View::System);
    const std::optional<QImage> page = RenderPdfPage(pdf, 60);
    ASSERT_TRUE(page);
    const auto [all, white, dark] = InkOf(*page, page->rect(), 200);
    EXPECT_GT(white, all * 7 / 10);
    EXPECT_GT(dark, 300);
}
