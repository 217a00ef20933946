// The real main window, headless: start-up, menu items and keys, the
// object view, the title, the quit dialog and the Messier prompt.
#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include <time.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "../platform/ModalHelper.h"
#include "astronomy/TimeCalendar.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtWindow.h"
#include "shell/Shell.h"
#include "WindowFixture.h"

namespace fs = std::filesystem;
using platform::qt::testing::WhenModal;
using platform::qt::testing::WhenReady;

namespace {

platform::Key Char(const std::string& text) { return platform::Key{text, platform::Key::None}; }

class MainWindow : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
    }
    int State(int item) { return window->menu().ItemState(item); }
    // Pixels of the picture that differ from the background inside a box.
    int Drawn(int x1, int y1, int x2, int y2) {
        const std::uint32_t b = state.BackgroundColour;
        const platform::Colour bg{static_cast<std::uint8_t>(b >> 16), static_cast<std::uint8_t>(b >> 8),
                                  static_cast<std::uint8_t>(b)};
        int n = 0;
        for (int y = y1; y <= y2; y += 2)
            for (int x = x1; x <= x2; x += 2)
                if (!(window->canvas().ReadPixel(x, y) == bg)) ++n;
        return n;
    }
};

}  // namespace

TEST_F(MainWindow, FreshStartShowsTheWholeSkyModeWithTheDefaults) {
    ASSERT_TRUE(Start());
    // A fresh installation: the bundled data copied into the data folder.
    EXPECT_TRUE(fs::exists(data / "sterne1.var"));
    EXPECT_TRUE(fs::exists(data / "Objekte" / "Pluto.kpl"));
    EXPECT_EQ(state.ChartMode, astronomy::View::WholeSky);
    EXPECT_EQ(state.Invers, 1);
    EXPECT_EQ(state.DisplayFlags, 123);
    EXPECT_EQ(state.Objekt, astronomy::ObjectKind::Sun);
    EXPECT_EQ(state.Orte[state.Ort].name, "Hannover");
    EXPECT_EQ(state.DiskName, "Pluto");
    EXPECT_EQ(state.MessierCatalogue.size(), 109u);
    EXPECT_EQ(window->Title().rfind("Kelmaron - Ort: Hannover - Datum: ", 0), 0u) << window->Title();
    EXPECT_EQ(State(72), platform::kItemChecked);   // "&Himmel     &H"
    EXPECT_EQ(State(7), platform::kItemChecked);    // MEZ
    EXPECT_EQ(State(10), platform::kItemChecked);   // Hannover
    EXPECT_EQ(State(30), platform::kItemChecked);   // Sonne
    EXPECT_EQ(State(71), platform::kItemGreyed);    // Südpolar
    EXPECT_EQ(State(84), platform::kItemGreyed);    // Koordinaten
    EXPECT_EQ(State(79), platform::kItemPlain);     // no grid by default
    EXPECT_EQ(State(77), platform::kItemChecked);
    // The parameter panel stands at the right.
    EXPECT_GT(Drawn(state.ChartWidth + 10, 10, state.x_max - 10, 300), 100);
}

TEST_F(MainWindow, KeyOShowsTheSunsObjectView) {
    ASSERT_TRUE(Start());
    window->onKey(Char("o"));
    EXPECT_EQ(state.ChartMode, astronomy::View::ObjectBody);
    EXPECT_EQ(State(68), platform::kItemChecked);
    const std::string title = window->Title();
    EXPECT_TRUE(title.ends_with(" MEZ - Objekt: Sonne")) << title;
    EXPECT_GT(Drawn(0, 0, state.TextSplitX, 300), 200);  // the information panel
}

TEST_F(MainWindow, AnotherObjectLeavesNothingOfThePreviousOnesPanel) {
    // Sonne, Mond, Jupiter, M 1, M 42, the arbitrary object in turn: each
    // panel is the one a cleared window shows for that object.
    ASSERT_TRUE(Start());
    SetInstant(22, 7, 12, 2026);
    window->onKey(Char("o"));
    using astronomy::ObjectKind;
    const struct {
        ObjectKind kind;
        int messier;
    } steps[] = {{ObjectKind::Sun, 0},      {ObjectKind::Moon, 0},      {ObjectKind::Jupiter, 0},
                 {ObjectKind::Messier, 1},  {ObjectKind::Messier, 42},  {ObjectKind::Arbitrary, 0}};
    auto panel = [this] { return window->Picture().Image().copy(0, 0, state.ChartWidth, window->canvas().Height()); };
    for (const auto& step : steps) {
        SCOPED_TRACE(std::string(astronomy::ObjectName(step.kind)) + std::to_string(step.messier));
        if (step.messier == 0 && step.kind != ObjectKind::Arbitrary) {
            window->onMenu(sh->menu.ItemOf(shell::ObjectAction(step.kind)));
        } else {
            state.Objekt = step.kind;
            state.Messier = std::max(1, step.messier);
            shell::RedrawView(*sh);
        }
        ASSERT_EQ(state.Objekt, step.kind);
        const QImage after = panel();
        shell::ClearWindow(*sh);
        shell::RedrawView(*sh);
        EXPECT_TRUE(after == panel());
    }
}

TEST_F(MainWindow, ZoneItemKeepsTheInstant) {
    ASSERT_TRUE(Start());
    SetInstant(12, 7, 12, 2026);  // 12:00 MEZ
    const double J = state.J, F = state.F;
    window->onMenu(8);  // "MESZ"
    EXPECT_EQ(state.Zone, 2);
    EXPECT_EQ(state.J, J);
    EXPECT_EQ(state.F, F);
    EXPECT_NEAR(state.ClockTime, 13, 1e-9);
    EXPECT_EQ(State(8), platform::kItemChecked);
    EXPECT_EQ(State(7), platform::kItemPlain);
    window->onKey(Char("0"));  // UT by key
    EXPECT_EQ(state.Zone, 0);
    EXPECT_NEAR(state.ClockTime, 11, 1e-9);
}

TEST_F(MainWindow, ObjectAndLayerChoices) {
    ASSERT_TRUE(Start());
    window->onKey(Char("o"));
    window->onMenu(31);  // "Mond"
    EXPECT_EQ(state.Objekt, astronomy::ObjectKind::Moon);
    EXPECT_EQ(State(31), platform::kItemChecked);
    EXPECT_EQ(State(30), platform::kItemPlain);
    const std::string title = window->Title();
    EXPECT_TRUE(title.ends_with(" MEZ - Objekt: Mond")) << title;
    window->onMenu(41);  // the Messier item, "M 1"
    EXPECT_EQ(state.Objekt, astronomy::ObjectKind::Messier);
    EXPECT_EQ(state.ChartMode, astronomy::View::ObjectMessier);
    EXPECT_EQ(State(41), platform::kItemChecked);
    EXPECT_EQ(sh->pos.name, "M 1");  // the object view's record follows the choice
    window->onMenu(42);  // "beliebig": the object view of the arbitrary object
    EXPECT_EQ(state.ChartMode, astronomy::View::ObjectArbitrary);
    EXPECT_EQ(sh->pos.name, "Polarstern");
    EXPECT_EQ(State(41), platform::kItemPlain);
    // On a chart a new object keeps the chart and is marked there.
    window->onKey(Char("h"));
    window->onMenu(35);  // "Jupiter"
    EXPECT_EQ(state.ChartMode, astronomy::View::WholeSky);
    EXPECT_EQ(sh->pos.name, "Jupiter");
    EXPECT_TRUE(window->Title().ends_with(" - Objekt: Jupiter")) << window->Title();
    window->onKey(Char("o"));
    window->onMenu(41);

    window->onKey(Char("g"));  // grid on
    EXPECT_EQ(state.DisplayFlags, 127);
    EXPECT_EQ(State(79), platform::kItemChecked);
    window->onKey(Char("m"));  // Messier layer off: its mark goes too
    EXPECT_EQ(state.DisplayFlags, 127 - 32);
    EXPECT_EQ(State(82), platform::kItemPlain);
    window->onKey(Char("i"));
    EXPECT_EQ(state.Invers, 0);
    EXPECT_EQ(window->canvas().ReadPixel(state.x_max - 2, state.y_max - 2), (platform::Colour{0, 0, 0}));
}

TEST_F(MainWindow, PolesAndPlaces) {
    ASSERT_TRUE(Start());
    window->onKey(Char("o"));
    window->onMenu(22);  // place 13, "Nordpol"
    EXPECT_EQ(state.Ort, 13);
    EXPECT_EQ(state.CosLat, 1e-30);
    EXPECT_EQ(State(22), platform::kItemChecked);
    EXPECT_EQ(State(10), platform::kItemPlain);
    EXPECT_NE(window->Title().find("Ort: Nordpol"), std::string::npos);
    EXPECT_EQ(sh->pos.rise, astronomy::kNoRiseSetMarker);
    window->onMenu(24);  // "Südpol"
    EXPECT_EQ(state.CosLat, 1e-30);
    EXPECT_EQ(state.SinLat, -1);
}

TEST_F(MainWindow, LayoutOfAThirteenHundredPixelArea) {
    ASSERT_TRUE(Start());
    window->onKey(Char("o"));
    window->ApplyPlacement(0, 0, 1301 + platform::qt::QtWindow::kFrameWidth,
                           901 + platform::qt::QtWindow::kFrameHeight, false);
    QApplication::processEvents();
    shell::HandleResize(*sh);
    // The worked layout example for a 1301 x 901 drawing area.
    EXPECT_EQ(state.x_max, 1300);
    EXPECT_EQ(state.y_max, 900);
    EXPECT_EQ(state.ChartWidth, 1060);
    EXPECT_EQ(state.TextSplitX, 780);
    EXPECT_EQ(state.TextSplitHalfX, 390);
    EXPECT_EQ(state.ChartCentreX, 530);
    EXPECT_EQ(state.ChartCentreY, 450);
    EXPECT_EQ(state.ChartRadius, 430);
    EXPECT_DOUBLE_EQ(state.TextScale, 900.0 / 550);
    // Redrawn at the new size: the panel stands at the new right edge.
    EXPECT_GT(Drawn(state.ChartWidth + 10, 10, state.x_max - 10, 300), 100);
}

TEST_F(MainWindow, MissingFilesStopTheStartWithTheirList) {
    const fs::path empty = data.string() + "-program";
    fs::create_directories(empty);
    state.ProgramFolder = empty.string();
    EXPECT_FALSE(Start());
    EXPECT_TRUE(window->Frame().menuBar()->actions().isEmpty());  // never reaches the menus
    EXPECT_GT(Drawn(0, 0, 300, 60), 10);                          // the report
    fs::remove_all(empty);
}

TEST_F(MainWindow, CommandLineNamesTheElementFile) {
    fs::create_directories(data);
    const fs::path file = data / "Mein Komet.kom";
    FILE* f = std::fopen(file.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("Testkomet\r\ne= 0.9\r\nq= 1.5\r\nknoten= 80\r\nomega= 120\r\ni= 10\r\nT= 2461000.5\r\n", f);
    std::fclose(f);
    ASSERT_TRUE(Start("\"" + file.string() + "\""));
    EXPECT_EQ(sh->CommandLineArgs.size(), 2u);
    EXPECT_EQ(state.DiskName, "Testkomet");
    EXPECT_EQ(sh->menu.captions[sh->menu.ItemOf(shell::ObjectAction(astronomy::ObjectKind::Disk))], "Testkomet");
}

TEST_F(MainWindow, InfoBoxWaitsForAKeyOrAClickOnItsButton) {
    ASSERT_TRUE(Start());
    window->onMenu(133);  // "Info"
    EXPECT_TRUE(sh->aboutOpen);
    shell::HandleMouse(*sh, 56, 250, platform::kMouseLeft, true);  // on the border: outside
    EXPECT_TRUE(sh->aboutOpen);
    shell::HandleMouse(*sh, 100, 250, platform::kMouseLeft, true);
    EXPECT_FALSE(sh->aboutOpen);
    window->onMenu(133);
    window->onKey(Char("g"));  // the key closes the box and does nothing else
    EXPECT_FALSE(sh->aboutOpen);
    EXPECT_EQ(state.DisplayFlags, 123);
}

TEST_F(MainWindow, SavedChoicesSurviveARestart) {
    ASSERT_TRUE(Start());
    window->onMenu(8);           // MESZ
    window->onMenu(13);          // Köln
    window->onMenu(31);          // Mond
    window->onKey(Char("g"));    // grid on
    window->onKey(Char("\x13"));  // Ctrl+S
    ASSERT_TRUE(fs::exists(data / "Kelmaron.ini"));

    astronomy::ProgramState again;
    again.ProgramFolder = state.ProgramFolder;
    again.DataFolder = state.DataFolder;
    platform::qt::QtWindow window2(800, 550);
    shell::Shell sh2(again, window2);
    sh2.startupPauses = false;
    ASSERT_TRUE(shell::StartUp(sh2, "kelmaron", ""));
    EXPECT_EQ(again.Zone, 2);
    EXPECT_EQ(again.Ort, 4);
    EXPECT_EQ(again.Orte[4].name, "Köln");
    EXPECT_EQ(again.Objekt, astronomy::ObjectKind::Moon);
    EXPECT_EQ(again.DisplayFlags, 127);
    EXPECT_EQ(window2.menu().ItemState(8), platform::kItemChecked);
    EXPECT_EQ(window2.menu().ItemState(13), platform::kItemChecked);
}

TEST_F(MainWindow, TimeStepsByKey) {
    ASSERT_TRUE(Start());
    struct Case {
        const char* key;
        double hours;
        int day, month, year;       // before
        double hoursAfter;
        int dayAfter, monthAfter, yearAfter;
    };
    // Calendar facts: month and year steps keep the day number and run on
    // into the next month where it does not exist.
    const Case cases[] = {
        {"a", 20, 31, 1, 2021, 20, 3, 3, 2021},    // common year: 31 Feb = 3 March
        {"a", 20, 31, 1, 2024, 20, 2, 3, 2024},    // leap year: 2 March
        {"a", 8, 15, 12, 2026, 8, 15, 1, 2027},    // December + 1 month
        {"A", 8, 15, 1, 2027, 8, 15, 12, 2026},    // January - 1 month
        {"c", 9, 29, 2, 2024, 9, 1, 3, 2025},      // 29 February + 1 year
        {"C", 9, 1, 3, 2025, 9, 1, 3, 2024},
        {">", 23.9, 31, 12, 2026, 23.9 + 1.0 / 60, 31, 12, 2026},
        {">", 23.995, 31, 12, 2026, 23.995 + 1.0 / 60 - 24, 1, 1, 2027},
        {"-", 0.5, 1, 3, 2024, 23.5, 29, 2, 2024},
        {"*", 13.25, 28, 2, 2023, 13.25, 1, 3, 2023},
        {"/", 13.25, 1, 3, 2024, 13.25, 29, 2, 2024},
        {"w", 6, 28, 12, 2026, 6, 4, 1, 2027},
        {"W", 6, 4, 1, 2027, 6, 28, 12, 2026},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.key << " from " << c.day << "." << c.month << "." << c.year);
        SetInstant(c.hours, c.day, c.month, c.year);
        window->onKey(Char(c.key));
        EXPECT_NEAR(state.ClockTime, c.hoursAfter, 1e-9);
        EXPECT_EQ(state.Day, c.dayAfter);
        EXPECT_EQ(state.Month, c.monthAfter);
        EXPECT_EQ(state.Year, c.yearAfter);
    }
}

TEST_F(MainWindow, JetztTakesTheComputersClockInUniversalTime) {
    // A computer set to a zone far from German time: the start-up instant
    // and "Jetzt" are still the Universal Time instant, shown in the zone.
    const char* oldZone = std::getenv("TZ");
    const std::string keptZone = oldZone ? oldZone : "";
    ::setenv("TZ", "JST-9", 1);  // nine hours east, needs no zone database
    ::tzset();
    auto julianNow = [] {
        const double unixSeconds =
            std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
        return unixSeconds / 86400 + 2440587.5;
    };
    ASSERT_TRUE(Start());
    EXPECT_NEAR(state.J + state.F, julianNow(), 5.0 / 86400);
    SetInstant(3, 1, 1, 1999);
    window->onKey(Char("j"));
    EXPECT_NEAR(state.J + state.F, julianNow(), 5.0 / 86400);  // within the test's seconds
    const double utHours = std::fmod(julianNow() + 0.5, 1.0) * 24;
    EXPECT_NEAR(std::fmod(state.ClockTime - state.Zone + 24, 24.0), utHours, 5.0 / 3600);
    if (oldZone) ::setenv("TZ", keptZone.c_str(), 1); else ::unsetenv("TZ");
    ::tzset();
}

TEST_F(MainWindow, FreeStepAsksForTheNumber) {
    ASSERT_TRUE(Start());
    SetInstant(12, 30, 12, 2026);
    platform::qt::QtDialogs& dialogs = window->DialogBoxes();
    WhenReady([&dialogs]() { return dialogs.Prompt() && dialogs.Prompt()->Field() && dialogs.Prompt()->Field()->isVisible(); },
              [&dialogs]() {
                  QTest::keyClicks(dialogs.Prompt()->Field(), "3");
                  QTest::keyClick(dialogs.Prompt()->Field(), Qt::Key_Return);
              });
    window->onMenu(64);  // "Tage"
    EXPECT_EQ(state.Day, 2);
    EXPECT_EQ(state.Month, 1);
    EXPECT_EQ(state.Year, 2027);
    WhenReady([&dialogs]() { return dialogs.Prompt() && dialogs.Prompt()->Field() && dialogs.Prompt()->Field()->isVisible(); },
              [&dialogs]() { QTest::keyClick(dialogs.Prompt()->Field(), Qt::Key_Escape); });
    window->onMenu(65);  // "Jahre", cancelled: nothing changes
    EXPECT_EQ(state.Year, 2027);
}

TEST_F(MainWindow, ParameterItemsOpenTheirPrompts) {
    ASSERT_TRUE(Start());
    platform::qt::QtDialogs& dialogs = window->DialogBoxes();
    auto shown = [&dialogs]() { return dialogs.Prompt() && dialogs.Prompt()->Field() && dialogs.Prompt()->Field()->isVisible(); };
    WhenReady(shown, [&dialogs]() {
        dialogs.Prompt()->Field()->selectAll();
        QTest::keyClicks(dialogs.Prompt()->Field(), "31 2 2021");
        QTest::keyClick(dialogs.Prompt()->Field(), Qt::Key_Return);
    });
    window->onMenu(1);  // "Datum"
    EXPECT_EQ(state.Day, 3);
    EXPECT_EQ(state.Month, 3);
    EXPECT_EQ(state.Year, 2021);
    // "Ort ändern geographisch", cancelled at once: place and marks stay.
    WhenReady(shown, [&dialogs]() { QTest::keyClick(dialogs.Prompt()->Field(), Qt::Key_Escape); });
    window->onMenu(26);
    EXPECT_EQ(state.Ort, 1);
    EXPECT_EQ(State(10), platform::kItemChecked);
    EXPECT_EQ(State(26), platform::kItemPlain);
}

TEST_F(MainWindow, QuitDialogFromKeyAndFromTheCloseBox) {
    ASSERT_TRUE(Start());
    QStringList buttons;
    WhenModal([&](QWidget* box) {
        for (QPushButton* b : box->findChildren<QPushButton*>()) buttons << b->text();
        box->findChild<QPushButton*>(QStringLiteral("button3"))->click();  // "Nein"
    });
    shell::QuitDialog(*sh, false);
    EXPECT_FALSE(sh->quit);
    EXPECT_EQ(state.RedrawSuppressed, 0.0f);
    EXPECT_EQ(buttons.size(), 3);
    WhenModal([](QWidget* box) { box->findChild<QPushButton*>(QStringLiteral("button2"))->click(); });
    window->onKey(Char("q"));  // "mit Speichern"
    EXPECT_TRUE(sh->quit);
    EXPECT_TRUE(fs::exists(data / "Kelmaron.ini"));
}

TEST_F(MainWindow, QuitAsksOnceAndNeinKeepsTheProgramRunning) {
    // Wired as the program is: quitting closes the window.
    shell::Connect(*sh, [this] { window->Frame().close(); });
    ASSERT_TRUE(Start());
    window->Frame().show();
    int asked = 0;
    // The close box, "Nein": the window stays.
    WhenModal([&](QWidget* box) {
        ++asked;
        box->findChild<QPushButton*>(QStringLiteral("button3"))->click();
    });
    window->Frame().close();
    QApplication::processEvents();
    EXPECT_TRUE(window->Frame().isVisible());
    EXPECT_FALSE(sh->quit);
    EXPECT_EQ(asked, 1);
    // "q", then "OK": one question, and the window closes. A second question
    // would be left open and reported by the watchdog.
    for (const char* how : {"key", "menu"}) {
        SCOPED_TRACE(how);
        sh->quit = false;
        window->Frame().show();
        asked = 0;
        WhenModal([&](QWidget* box) {
            ++asked;
            box->findChild<QPushButton*>(QStringLiteral("button1"))->click();
        });
        if (std::string(how) == "key") {
            window->onKey(Char("q"));
        } else {
            window->onMenu(sh->menu.ItemOf(shell::MenuAction{shell::Command::Quit}));
        }
        QTest::qWait(3500);
        EXPECT_EQ(asked, 1);
        EXPECT_TRUE(sh->quit);
        EXPECT_FALSE(window->Frame().isVisible());
    }
}

TEST_F(MainWindow, MessierPromptRefusesFortyAndTakesAKnownNumber) {
    ASSERT_TRUE(Start());
    platform::qt::QtDialogs& dialogs = window->DialogBoxes();
    auto fieldShown = [&dialogs]() {
        return dialogs.Prompt() && dialogs.Prompt()->Field() && dialogs.Prompt()->Field()->isVisible();
    };
    auto type = [&dialogs](const char* text) {
        QLineEdit* field = dialogs.Prompt()->Field();
        field->selectAll();
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Return);
    };
    auto messageBox = []() -> QPushButton* {
        QWidget* box = QApplication::activeModalWidget();
        return box ? box->findChild<QPushButton*>(QStringLiteral("button1")) : nullptr;
    };
    std::string refusal;
    // 40 is refused with a message, then 31 is taken.
    WhenReady(fieldShown, [&]() {
        type("40");
        WhenReady([&]() { return messageBox() != nullptr; }, [&]() {
            refusal = messageBox()->text().toStdString();
            messageBox()->click();
            WhenReady(fieldShown, [&]() { type("31"); });
        });
    });
    window->onMenu(44);  // "Messier..."
    EXPECT_EQ(refusal, " Aha ");
    EXPECT_EQ(state.Messier, 31);
    EXPECT_EQ(sh->menu.captions[sh->menu.ItemOf(shell::ObjectAction(astronomy::ObjectKind::Messier))], "M 31");
    EXPECT_EQ(dialogs.Prompt(), nullptr);  // closed again
}

TEST_F(MainWindow, RightButtonHeldFromBeforeTheChartDoesNotStopItsStars) {
    // The right click that ends a tool is still held when the chart is
    // drawn again: the chart comes out whole, the same as without it.
    ASSERT_TRUE(Start());
    SetInstant(22, 7, 12, 2026);
    window->onKey(Char("h"));
    const QImage whole = window->Picture().Image().copy();
    window->onMouse = nullptr;  // only the button state, no command
    QTest::mousePress(&window->Area(), Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
    ASSERT_EQ(window->MouseButtons() & platform::kMouseRight, platform::kMouseRight);
    shell::RedrawView(*sh);
    EXPECT_TRUE(window->Picture().Image() == whole);
    QTest::mouseRelease(&window->Area(), Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
}

TEST_F(MainWindow, TitleFollowsTheMessierPromptInEveryView) {
    ASSERT_TRUE(Start());
    state.Objekt = astronomy::ObjectKind::Messier;
    state.Messier = 1;
    platform::qt::QtDialogs& dialogs = window->DialogBoxes();
    for (const char* view : {"o", "h"}) {
        SCOPED_TRACE(view);
        window->onKey(Char(view));
        for (const char* number : {"42", "13"}) {
            WhenReady([&dialogs]() { return dialogs.Prompt() && dialogs.Prompt()->Field() && dialogs.Prompt()->Field()->isVisible(); },
                      [&dialogs, number]() {
                          QLineEdit* field = dialogs.Prompt()->Field();
                          field->selectAll();
                          QTest::keyClicks(field, number);
                          QTest::keyClick(field, Qt::Key_Return);
                      });
            window->onMenu(44);  // "Messier..."
            const std::string title = window->Title();
            EXPECT_TRUE(title.ends_with(std::string(" - Objekt: M ") + number)) << title;
        }
    }
}

// A settings file with fewer places than the menu has rows: the rows beyond
// the list are greyed and choose nothing, and the place entries work.
TEST_F(MainWindow, PlaceRowsBeyondTheListChooseNothing) {
    std::filesystem::create_directories(data);
    std::ofstream(data / "Kelmaron.ini") << "[Orte]\r\nOrtAnz=3\r\nOrtName01=Hannover\r\nOrtLaenge01=9.8\r\n"
                                            "OrtBreite01=52.4\r\nOrtName02=Berlin\r\nOrtLaenge02=13.4\r\n"
                                            "OrtBreite02=52.5\r\nOrtName03=Hamburg\r\nOrtLaenge03=10\r\n"
                                            "OrtBreite03=53.55\r\nOrt=2\r\n";
    ASSERT_TRUE(Start());
    ASSERT_EQ(state.OrtAnz, 3);
    EXPECT_EQ(State(11), platform::kItemChecked);  // Berlin
    for (int n = 13; n <= 24; ++n) EXPECT_EQ(State(n), platform::kItemGreyed) << n;
    EXPECT_EQ(State(26), platform::kItemPlain);
    EXPECT_EQ(State(27), platform::kItemPlain);
    const double longitude = state.Longitude;
    window->onMenu(14);  // "Ort5": no such place
    EXPECT_EQ(state.Ort, 2);
    EXPECT_EQ(state.Longitude, longitude);
    EXPECT_EQ(State(11), platform::kItemChecked);
    window->onMenu(12);  // Hamburg
    EXPECT_EQ(state.Ort, 3);
    EXPECT_NEAR(state.Longitude, 10 * astronomy::kDegToRad, 1e-12);
}
