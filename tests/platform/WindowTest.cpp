// The main window: keys as the program reads them, mouse, placement,
// resizing, painting the picture, closing, timer, pause and pointer.
#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QKeyEvent>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>

#include <chrono>
#include <optional>
#include <thread>
#include <string>
#include <vector>

#include "platform/qt/QtWindow.h"

namespace {

using platform::Colour;
using platform::Key;
using platform::qt::QtWindow;
using platform::qt::TranslateKey;

void RunEventsFor(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

struct KeyCase {
    const char* name;
    int qtKey;
    Qt::KeyboardModifiers modifiers;
    QString text;
    std::optional<Key> expected;
};

Key Char(const std::string& s) { return Key{s, Key::None}; }
Key Special(Key::Special s) { return Key{"", s}; }

TEST(WindowKeys, TranslationOfKeyEvents) {
    const std::vector<KeyCase> cases = {
        {"letter", Qt::Key_W, Qt::NoModifier, "w", Char("w")},
        {"capital", Qt::Key_W, Qt::ShiftModifier, "W", Char("W")},
        {"umlaut", Qt::Key_Adiaeresis, Qt::NoModifier, "ä", Char("ä")},
        {"digit", Qt::Key_1, Qt::NoModifier, "1", Char("1")},
        {"keypad plus", Qt::Key_Plus, Qt::KeypadModifier, "+", Char("+")},
        {"star", Qt::Key_Asterisk, Qt::ShiftModifier, "*", Char("*")},
        {"slash", Qt::Key_Slash, Qt::ShiftModifier, "/", Char("/")},
        {"greater", Qt::Key_Greater, Qt::ShiftModifier, ">", Char(">")},
        {"Ctrl+P", Qt::Key_P, Qt::ControlModifier, "\x10", Char("\x10")},
        {"Ctrl+S without text", Qt::Key_S, Qt::ControlModifier, "", Char("\x13")},
        {"escape", Qt::Key_Escape, Qt::NoModifier, "\x1b", Char("\x1b")},
        {"enter", Qt::Key_Return, Qt::NoModifier, "\r", Char("\r")},
        {"page up", Qt::Key_PageUp, Qt::NoModifier, "", Special(Key::PageUp)},
        {"page down", Qt::Key_PageDown, Qt::NoModifier, "", Special(Key::PageDown)},
        {"home", Qt::Key_Home, Qt::NoModifier, "", Special(Key::Home)},
        {"left", Qt::Key_Left, Qt::NoModifier, "", Special(Key::Left)},
        {"up", Qt::Key_Up, Qt::NoModifier, "", Special(Key::Up)},
        {"right", Qt::Key_Right, Qt::KeypadModifier, "", Special(Key::Right)},
        {"down", Qt::Key_Down, Qt::NoModifier, "", Special(Key::Down)},
        {"shift alone", Qt::Key_Shift, Qt::ShiftModifier, "", std::nullopt},
        {"Alt+x belongs to the menu bar", Qt::Key_X, Qt::AltModifier, "x", std::nullopt},
        {"Ctrl+1", Qt::Key_1, Qt::ControlModifier, "1", std::nullopt},
        {"function key", Qt::Key_F5, Qt::NoModifier, "", std::nullopt},
        {"delete", Qt::Key_Delete, Qt::NoModifier, "\x7f", std::nullopt},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<Key> key = TranslateKey(c.qtKey, c.modifiers, c.text);
        ASSERT_EQ(key.has_value(), c.expected.has_value());
        if (!key) continue;
        EXPECT_EQ(key->text, c.expected->text);
        EXPECT_EQ(key->special, c.expected->special);
    }
    // The codes the command keys are bound to.
    EXPECT_EQ(Key::Up, 38);
    EXPECT_EQ(Key::PageUp, 33);
    EXPECT_EQ(Key::Home, 36);
}

class WindowTest : public ::testing::Test {
protected:
    QtWindow window{320, 200};
    std::vector<Key> keys;
    std::vector<int> items;

    void SetUp() override {
        window.onKey = [this](const Key& k) { keys.push_back(k); };
        window.onMenu = [this](int n) { items.push_back(n); };
        window.SetTitle("Kelmaron");
        window.Show();
        QApplication::processEvents();
    }
};

TEST_F(WindowTest, KeysReachTheHandlerNotTheMenu) {
    window.menu().Build({"Springe", "Jetzt               &J", "Drucken    ^P", ""}, 3);
    QWidget* area = &window.Area();
    QTest::keyClick(area, Qt::Key_J);
    QTest::keyClick(area, Qt::Key_P, Qt::ControlModifier);
    QTest::keyClick(area, Qt::Key_PageDown);
    QKeyEvent umlaut(QEvent::KeyPress, Qt::Key_Adiaeresis, Qt::NoModifier, QStringLiteral("ä"));
    QApplication::sendEvent(area, &umlaut);
    QApplication::processEvents();
    ASSERT_EQ(keys.size(), 4u);
    EXPECT_EQ(keys[0].text, "j");
    EXPECT_EQ(keys[1].text, "\x10");
    EXPECT_EQ(keys[2].special, Key::PageDown);
    EXPECT_EQ(keys[3].text, "ä");
    EXPECT_TRUE(items.empty()) << "a key hint must not work as a shortcut";
}

TEST_F(WindowTest, MenuChoicesReachTheHandler) {
    window.menu().Build({"Springe", "Jetzt               &J", "-", "Neumond", ""}, 4);
    window.Menus().Action(3)->trigger();
    QApplication::processEvents();
    EXPECT_EQ(items, std::vector<int>{3});
    EXPECT_EQ(window.Frame().menuBar()->actions().size(), 1);
}

TEST_F(WindowTest, TitleKeepsUmlauts) {
    window.SetTitle("Kelmaron - Ort: München - Objekt: Südpol");
    EXPECT_EQ(window.Title(), "Kelmaron - Ort: München - Objekt: Südpol");
    EXPECT_EQ(window.Frame().windowTitle(), QStringLiteral("Kelmaron - Ort: München - Objekt: Südpol"));
}

TEST_F(WindowTest, PlacementRoundTrip) {
    EXPECT_EQ(window.Placement().drawWidth, 320);
    EXPECT_EQ(window.Placement().drawHeight, 200);
    // x_max 500 and y_max 300 give the outer size 519 x 373.
    window.ApplyPlacement(150, 45, 500 + 19, 300 + 73, false);
    QApplication::processEvents();
    const platform::WindowPlacement p = window.Placement();
    EXPECT_EQ(p.drawWidth - 1, 500);
    EXPECT_EQ(p.drawHeight - 1, 300);
    EXPECT_EQ(p.x, 150);
    EXPECT_EQ(p.y, 45);
    EXPECT_TRUE(p.normalState);
    EXPECT_FALSE(p.maximised);
    EXPECT_EQ(window.canvas().Width(), 501);
    EXPECT_EQ(window.canvas().Height(), 301);

    window.ApplyPlacement(0, 0, 0, 0, true);
    QApplication::processEvents();
    EXPECT_TRUE(window.Placement().maximised);
    EXPECT_FALSE(window.Placement().normalState);
}

TEST(WindowPlacement, HiddenWindowTakesTheSizeBeforeItIsShown) {
    QtWindow window(100, 80);
    window.ApplyPlacement(10, 20, 400 + 19, 250 + 73, false);
    EXPECT_EQ(window.Placement().drawWidth, 401);
    EXPECT_EQ(window.Placement().drawHeight, 251);
    window.Show();
    QApplication::processEvents();
    EXPECT_EQ(window.Placement().drawWidth, 401);
    EXPECT_EQ(window.Placement().drawHeight, 251);
    EXPECT_EQ(window.canvas().Width(), 401);
}

TEST_F(WindowTest, ResizeKeepsThePictureAndTellsTheProgram) {
    int resizes = 0;
    window.onResize = [&]() { ++resizes; };
    window.canvas().Clear(Colour{0, 0, 0});
    window.canvas().SetPen(Colour{255, 0, 0});
    window.canvas().SetBrush(Colour{255, 0, 0});
    window.canvas().FillBox(10, 10, 20, 20);
    window.Frame().resize(window.Frame().width() + 100, window.Frame().height() + 50);
    QApplication::processEvents();
    EXPECT_GE(resizes, 1);
    EXPECT_EQ(window.canvas().Width(), 420);
    EXPECT_EQ(window.canvas().Height(), 250);
    EXPECT_EQ(window.canvas().ReadPixel(15, 15), (Colour{255, 0, 0}));
    EXPECT_EQ(window.canvas().ReadPixel(400, 240), (Colour{0, 0, 0}));
}

TEST_F(WindowTest, ScreenShowsThePicture) {
    window.canvas().Clear(Colour{0, 0, 0});
    window.canvas().SetPen(Colour{55, 225, 55});
    window.canvas().SetBrush(Colour{55, 225, 55});
    window.canvas().FillCircle(100, 60, 8);
    window.Update();
    const QImage shown = window.Area().grab().toImage();
    EXPECT_EQ(shown.pixelColor(100, 60), QColor(55, 225, 55));
    EXPECT_EQ(shown.pixelColor(5, 5), QColor(0, 0, 0));
    EXPECT_EQ(shown.size(), QSize(320, 200));
}

TEST_F(WindowTest, CloseAsksTheProgram) {
    bool allow = false;
    int asked = 0;
    window.onClose = [&]() {
        ++asked;
        return allow;
    };
    window.Frame().close();
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(window.Frame().isVisible());
    allow = true;
    window.Frame().close();
    EXPECT_EQ(asked, 2);
    EXPECT_FALSE(window.Frame().isVisible());
}

TEST_F(WindowTest, MouseButtonsAndPosition) {
    struct Event {
        int x, y, buttons;
        bool pressed;
    };
    std::vector<Event> events;
    window.onMouse = [&](int x, int y, int buttons, bool pressed) { events.push_back({x, y, buttons, pressed}); };
    QWidget* area = &window.Area();
    QTest::mousePress(area, Qt::LeftButton, Qt::NoModifier, QPoint(30, 40));
    EXPECT_EQ(window.MouseButtons(), platform::kMouseLeft);
    EXPECT_EQ(window.MousePosition(), std::make_pair(30, 40));
    QTest::mouseRelease(area, Qt::LeftButton, Qt::NoModifier, QPoint(31, 41));
    EXPECT_EQ(window.MouseButtons(), 0);
    QTest::mousePress(area, Qt::RightButton, Qt::NoModifier, QPoint(5, 6));
    EXPECT_EQ(window.MouseButtons(), platform::kMouseRight);
    QTest::mouseRelease(area, Qt::RightButton, Qt::NoModifier, QPoint(5, 6));
    ASSERT_GE(events.size(), 4u);
    EXPECT_EQ(events[0].x, 30);
    EXPECT_EQ(events[0].y, 40);
    EXPECT_EQ(events[0].buttons, platform::kMouseLeft);
    EXPECT_TRUE(events[0].pressed);
    EXPECT_EQ(events[1].buttons, 0);
    EXPECT_FALSE(events[1].pressed);
    EXPECT_EQ(events[2].buttons, platform::kMouseRight);
    EXPECT_TRUE(events[2].pressed);
    EXPECT_EQ(events.back().buttons, 0);
}

TEST_F(WindowTest, PointerShapes) {
    window.SetPointer(platform::PointerShape::Crosshair);
    EXPECT_EQ(window.Area().cursor().shape(), Qt::CrossCursor);
    window.SetPointer(platform::PointerShape::Busy);
    EXPECT_EQ(window.Area().cursor().shape(), Qt::WaitCursor);
    EXPECT_EQ(window.Frame().cursor().shape(), Qt::WaitCursor);
    window.SetPointer(platform::PointerShape::Normal);
    EXPECT_EQ(window.Area().cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(window.Pointer(), platform::PointerShape::Normal);
}

TEST_F(WindowTest, TimerTicksBetweenCommandsOnly) {
    int ticks = 0;
    window.SetTimer(10, [&]() { ++ticks; });
    EXPECT_TRUE(window.TimerActive());
    // A pause belongs to a running command: no tick in it.
    window.Pause(80);
    EXPECT_EQ(ticks, 0);
    // Nor in a long computation that keeps the window alive.
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    window.ProcessEvents();
    EXPECT_EQ(ticks, 0);
    RunEventsFor(120);
    EXPECT_GE(ticks, 2);
    window.SetTimer(0, nullptr);
    EXPECT_FALSE(window.TimerActive());
    const int stopped = ticks;
    RunEventsFor(50);
    EXPECT_EQ(ticks, stopped);
}

TEST_F(WindowTest, PauseWaitsTheGivenTime) {
    QElapsedTimer clock;
    clock.start();
    window.Pause(60);
    EXPECT_GE(clock.elapsed(), 60);
    clock.restart();
    window.Pause(0);
    EXPECT_LT(clock.elapsed(), 50);
}

TEST_F(WindowTest, NowIsTheComputersClockInUniversalTime) {
    const QDateTime before = QDateTime::currentDateTimeUtc();
    const platform::ClockReading now = window.Now();
    const QDateTime after = QDateTime::currentDateTimeUtc();
    const int msec = static_cast<int>(std::lround(now.second * 1000));
    const QDateTime read(QDate(now.year, now.month, now.day),
                         QTime(now.hour, now.minute, msec / 1000, msec % 1000), Qt::UTC);
    EXPECT_GE(read.msecsTo(after), 0);
    EXPECT_GE(before.msecsTo(read), 0);
}

}  // namespace

namespace {

std::vector<std::string> Captions() {
    return {"Parameter", "Datum", "Zei&t", "", "Darstellen", "&Himmel     &H", "Drucken    ^P", "", "Kelmar", "Info", ""};
}

TEST(WindowPlacement, BuildingTheMenuLaterKeepsTheDrawingArea) {
    for (bool shownFirst : {false, true}) {
        SCOPED_TRACE(shownFirst ? "shown before the placement" : "hidden until after the menu");
        QtWindow window(800, 550);
        if (shownFirst) window.Show();
        window.ApplyPlacement(150, 45, 1300 + 19, 900 + 73, false);
        window.menu().Build(Captions(), 10);
        if (!shownFirst) window.Show();
        QApplication::processEvents();
        EXPECT_EQ(window.Placement().drawWidth, 1301);
        EXPECT_EQ(window.Placement().drawHeight, 901);
        EXPECT_EQ(window.canvas().Height(), 901);
    }
}

}  // namespace

TEST(ScreenFit, TheWindowFitsTheScreensFreeArea) {
    using platform::FitIntoArea;
    using platform::ScreenRect;
    // The default window (1300 x 900 drawing area and its frame) on the
    // small screens people have: within the free area, as large as it fits.
    for (const ScreenRect& area : {ScreenRect{0, 0, 1400, 1000}, ScreenRect{0, 0, 1366, 768}, ScreenRect{0, 27, 1280, 773}}) {
        const ScreenRect w = FitIntoArea({150, 45, 1319, 973}, area, 19, 73);
        EXPECT_GE(w.x, area.x);
        EXPECT_GE(w.y, area.y);
        EXPECT_LE(w.x + w.width, area.x + area.width);
        EXPECT_LE(w.y + w.height, area.y + area.height);
        EXPECT_EQ(w.width, std::min(1319, area.width));
        EXPECT_EQ(w.height, std::min(973, area.height));
    }
    // Stored values from a damaged file: no overflow, inside the area.
    const ScreenRect huge = FitIntoArea({INT_MAX, INT_MIN, INT_MAX, INT_MAX}, {0, 0, 1920, 1080}, 19, 73);
    EXPECT_EQ(huge.x, 0);
    EXPECT_EQ(huge.y, 0);
    EXPECT_EQ(huge.width, 1920);
    EXPECT_EQ(huge.height, 1080);
    // A window that fits stays where it was put.
    const ScreenRect small = FitIntoArea({300, 200, 819, 623}, {0, 0, 1920, 1080}, 19, 73);
    EXPECT_EQ(small.x, 300);
    EXPECT_EQ(small.y, 200);
    EXPECT_EQ(small.width, 819);
    EXPECT_EQ(small.height, 623);
}
