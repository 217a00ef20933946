// The input prompts answered through the real prompt window.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "../platform/ModalHelper.h"
#include "astronomy/TimeCalendar.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtWindow.h"
#include "shell/Prompts.h"
#include "shell/Shell.h"
#include "shell/Time.h"
#include "WindowFixture.h"

namespace fs = std::filesystem;
using platform::qt::testing::WhenReady;

namespace {

constexpr double kDeg = 0.017453292519943295;
const std::string kEscape = "\x1b";

class Prompts : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        ASSERT_TRUE(Start());
    }
    // Answers the coming edit fields in turn: each answer replaces the
    // offered text (kEscape cancels). The offered texts and the line each
    // field stands on are recorded.
    void Answer(std::vector<std::string> answers) {
        if (answers.empty()) return;
        platform::qt::QtDialogs& dialogs = window->DialogBoxes();
        WhenReady([&dialogs]() { return dialogs.Prompt() && dialogs.Prompt()->Field() && dialogs.Prompt()->Field()->isVisible(); },
                  [this, &dialogs, answers]() {
                      QLineEdit* field = dialogs.Prompt()->Field();
                      offered.push_back(field->text().toStdString());
                      labels.push_back(dialogs.Prompt()->Lines().join(QStringLiteral("|")).toStdString());
                      Answer(std::vector<std::string>(answers.begin() + 1, answers.end()));
                      if (answers.front() == kEscape) {
                          QTest::keyClick(field, Qt::Key_Escape);
                          return;
                      }
                      field->selectAll();
                      if (!answers.front().empty()) QTest::keyClicks(field, QString::fromStdString(answers.front()));
                      else QTest::keyClick(field, Qt::Key_Delete);
                      QTest::keyClick(field, Qt::Key_Return);
                  });
    }

    std::vector<std::string> offered, labels;
};

}  // namespace

TEST(PromptFieldValue, FieldsOfATextAndMissingFields) {
    EXPECT_EQ(shell::FieldValue("12 5 2020", 1, ' '), 12);
    EXPECT_EQ(shell::FieldValue("  12   5  2020 ", 2, ' '), 5);
    EXPECT_EQ(shell::FieldValue("12 5 2020", 3, ' '), 2020);
    EXPECT_EQ(shell::FieldValue("12 5 2020", 4, ' '), 0);
    EXPECT_EQ(shell::FieldValue("", 1, ' '), 0);
    EXPECT_EQ(shell::FieldValue("52/24.5/x", 2, '/'), 24.5);
    EXPECT_EQ(shell::FieldValue("52/24.5/x", 3, '/'), 0);
}

TEST_F(Prompts, DateRollsOverTheMonthAndForcesABadMonthToJanuary) {
    SetInstant(12, 7, 12, 2026);
    Answer({"31 2 2021"});
    shell::DatePrompt(*sh);
    EXPECT_EQ(offered.at(0), "7 12 2026");
    EXPECT_EQ(state.Day, 3);
    EXPECT_EQ(state.Month, 3);
    EXPECT_EQ(state.Year, 2021);
    EXPECT_NEAR(state.ClockTime, 12, 1e-6);
    EXPECT_EQ(window->DialogBoxes().Prompt(), nullptr);

    Answer({"1 13 2020"});
    shell::DatePrompt(*sh);
    EXPECT_EQ(state.Day, 1);
    EXPECT_EQ(state.Month, 1);
    EXPECT_EQ(state.Year, 2020);

    // The German way of writing a date, and the label's commas.
    for (const char* typed : {"24.12.2026", "24,12,2026", "24. 12. 2026"}) {
        Answer({typed});
        shell::DatePrompt(*sh);
        EXPECT_EQ(state.Day, 24) << typed;
        EXPECT_EQ(state.Month, 12) << typed;
        EXPECT_EQ(state.Year, 2026) << typed;
    }
}

TEST_F(Prompts, CancelledDatePromptChangesNothing) {
    SetInstant(12, 7, 12, 2026);
    const double J = state.J, F = state.F;
    Answer({kEscape});
    shell::DatePrompt(*sh);
    EXPECT_EQ(state.J, J);
    EXPECT_EQ(state.F, F);
    EXPECT_EQ(state.Day, 7);
    EXPECT_EQ(state.Month, 12);
    EXPECT_EQ(state.Year, 2026);
}

TEST_F(Prompts, TimeBeyondMidnightMovesToTheNextDay) {
    SetInstant(12.5, 7, 12, 2026);
    Answer({"25 0 0"});
    shell::TimePrompt(*sh);
    EXPECT_EQ(offered.at(0), "12 30 0");
    EXPECT_NE(labels.at(0).find("Zeit in MEZ: H,M,S = "), std::string::npos) << labels.at(0);
    EXPECT_EQ(state.Day, 8);
    EXPECT_EQ(state.Month, 12);
    EXPECT_NEAR(state.ClockTime, 1, 1e-6);

    // A clock time as it is written, and with the label's commas.
    Answer({"23:30"});
    shell::TimePrompt(*sh);
    EXPECT_EQ(state.Day, 8);
    EXPECT_NEAR(state.ClockTime, 23.5, 1e-6);
    Answer({"6,15,30"});
    shell::TimePrompt(*sh);
    EXPECT_NEAR(state.ClockTime, 6 + 15 / 60.0 + 30 / 3600.0, 1e-6);
}

TEST_F(Prompts, JulianDateInUniversalTime) {
    state.Zone = 0;
    SetInstant(3, 7, 12, 2026);
    Answer({"2451545.0"});
    shell::JulianDatePrompt(*sh);
    EXPECT_EQ(offered.at(0), "");
    EXPECT_EQ(state.Day, 1);
    EXPECT_EQ(state.Month, 1);
    EXPECT_EQ(state.Year, 2000);
    EXPECT_NEAR(state.ClockTime, 12, 1e-6);
    // An empty answer changes nothing.
    const double J = state.J, F = state.F;
    Answer({""});
    shell::JulianDatePrompt(*sh);
    EXPECT_EQ(state.J, J);
    EXPECT_EQ(state.F, F);
}

TEST_F(Prompts, TextWithoutANumberOrBeyondTheServedYearsKeepsTheInstant) {
    // Each refused answer keeps the instant and says why in one line.
    SetInstant(12, 7, 12, 2026);
    const double J = state.J, F = state.F;
    struct Case {
        void (*prompt)(shell::Shell&);
        const char* typed;
        const char* said;
    };
    const Case cases[] = {
        {shell::DatePrompt, "abc", "Keine Zahl eingegeben: das Datum bleibt unver\u00e4ndert."},
        {shell::TimePrompt, "halb acht", "Keine Zahl eingegeben: die Uhrzeit bleibt unver\u00e4ndert."},
        {shell::JulianDatePrompt, "hallo", "Keine Zahl eingegeben: das Julianische Datum bleibt unver\u00e4ndert."},
        {shell::DatePrompt, "1.1.99999999999", "Nur die Jahre -4712 bis 9999: der Zeitpunkt bleibt unver\u00e4ndert."},
        {shell::DatePrompt, "1.1.-5000", "Nur die Jahre -4712 bis 9999: der Zeitpunkt bleibt unver\u00e4ndert."},
        {shell::JulianDatePrompt, "12345678901234567890", "Nur die Jahre -4712 bis 9999: der Zeitpunkt bleibt unver\u00e4ndert."},
        {shell::TimePrompt, "99999999999", "Nur die Jahre -4712 bis 9999: der Zeitpunkt bleibt unver\u00e4ndert."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        std::string said;
        Answer({c.typed});
        WhenReady([]() { return QApplication::activeModalWidget() && !QApplication::activeModalWidget()->findChild<QLineEdit*>(); },
                  [&said]() {
                      QWidget* box = QApplication::activeModalWidget();
                      if (auto* label = box->findChild<QLabel*>(QStringLiteral("text")))
                          said = label->text().toStdString();
                      box->close();
                  });
        c.prompt(*sh);
        EXPECT_EQ(said, c.said);
        EXPECT_EQ(state.J, J);
        EXPECT_EQ(state.F, F);
        EXPECT_EQ(state.Year, 2026);
    }
    // Year steps stop at the last served year.
    SetInstant(12, 7, 12, 9999);
    WhenReady([]() { return QApplication::activeModalWidget() != nullptr; },
              []() { QApplication::activeModalWidget()->close(); });
    shell::StepTime(*sh, shell::TimeStep::YearForward);
    EXPECT_EQ(state.Year, 9999);
}

TEST_F(Prompts, DateAndTimeFieldsOfTheOtherPromptsReadTheGermanForms) {
    platform::qt::QtDialogs& dialogs = window->DialogBoxes();
    for (const char* typed : {"24.12.2026", "24,12,2026", "24 12 2026"}) {
        SCOPED_TRACE(typed);
        shell::DateEntry date;
        dialogs.OpenPromptWindow("  Test  ", 235);
        Answer({typed});
        ASSERT_TRUE(shell::InputDate(*sh, "Tag,Monat,Jahr = ", date));
        dialogs.ClosePromptWindow();
        EXPECT_EQ(date.day, 24);
        EXPECT_EQ(date.month, 12);
        EXPECT_EQ(date.year, 2026);
    }
    for (const auto& [typed, hours] : {std::pair{"23:30", 23.5}, {"23:30:15", 23.5 + 15 / 3600.0}, {":::", 7.25}}) {
        SCOPED_TRACE(typed);
        double value = 7.25;
        dialogs.OpenPromptWindow("  Test  ", 235);
        Answer({typed});
        ASSERT_TRUE(shell::InputSexagesimal(*sh, "  Zeit [h] = ", value));
        dialogs.ClosePromptWindow();
        EXPECT_NEAR(value, hours, 1e-9);
    }
}

TEST_F(Prompts, MidnightPastTheMonthsEndShowsTheNextDay) {
    // 0:00 on 31 February, 29 February of a common year, and a month step
    // from 31 January: the next valid day at 00:00, in the title as well.
    for (int zone : {0, 1, 2}) {
        SCOPED_TRACE(zone);
        state.Zone = zone;
        SetInstant(0, 7, 12, 2026);
        Answer({"31 2 2026"});
        shell::DatePrompt(*sh);
        EXPECT_EQ(state.Day, 3);
        EXPECT_EQ(state.Month, 3);
        EXPECT_EQ(state.ClockTime, 0);
        Answer({"29.2.2026"});
        shell::DatePrompt(*sh);
        EXPECT_EQ(state.Day, 1);
        EXPECT_EQ(state.Month, 3);
        EXPECT_EQ(state.ClockTime, 0);
        SetInstant(0, 31, 1, 2027);
        shell::StepTime(*sh, shell::TimeStep::MonthForward);
        EXPECT_EQ(state.Day, 3);
        EXPECT_EQ(state.Month, 3);
        EXPECT_EQ(state.ClockTime, 0);
        EXPECT_NE(window->Title().find("Datum: 03.03.2027 - Zeit: 00:00:00 "), std::string::npos) << window->Title();
        shell::StepTime(*sh, shell::TimeStep::DayForward);
        EXPECT_EQ(state.Day, 4);
        EXPECT_EQ(state.ClockTime, 0);
    }
}

TEST_F(Prompts, EquinoxTakesTheDateMarker) {
    Answer({"9999"});
    shell::EquinoxPrompt(*sh);
    EXPECT_EQ(offered.at(0), "2000");
    EXPECT_EQ(state.Aequi, 9999);
}

TEST_F(Prompts, PlaceLongitudeWestAndLatitudeLimits) {
    Answer({"Testort", "-10.5", "95", "90"});
    ASSERT_TRUE(shell::PlacePrompt(*sh));
    ASSERT_EQ(offered.size(), 4u);
    EXPECT_EQ(offered.at(3), "95");  // asked again, offering the refused value
    EXPECT_NEAR(state.Longitude / kDeg, -10.5, 1e-12);
    EXPECT_NEAR(state.Latitude / kDeg, 89.99999999, 1e-12);
    EXPECT_EQ(state.Orte[state.Ort].name, "Testort");
    EXPECT_EQ(state.Orte[state.Ort].latitude, state.Latitude);
    EXPECT_EQ(sh->menu.captions[state.Ort + 9], "Testort");

    state.Longitude = 0;
    offered.clear();
    Answer({"Testort", "-10 30", ""});
    ASSERT_TRUE(shell::PlacePrompt(*sh));
    EXPECT_NEAR(state.Longitude / kDeg, -10.5, 1e-12);
    EXPECT_NEAR(state.Latitude / kDeg, 89.99999999, 1e-12);  // empty: kept

    // The offered longitude is written as typed; a cancel keeps everything.
    offered.clear();
    Answer({"Anders", kEscape});
    EXPECT_FALSE(shell::PlacePrompt(*sh));
    EXPECT_EQ(offered.at(1), "-10 30");
    EXPECT_EQ(state.Orte[state.Ort].name, "Testort");
}

TEST_F(Prompts, ObjectPromptReadsCoordinatesMagnitudeAndEquinox) {
    Answer({"Testobj", "5 30", "-10.5", "", "1950.4"});
    shell::ObjectPrompt(*sh);
    ASSERT_EQ(labels.size(), 5u);
    EXPECT_NE(labels[1].find("  Alpha in h,m,s = "), std::string::npos) << labels[1];
    EXPECT_NE(labels[2].find("\u03b4 in \u00b0,',\"\" = "), std::string::npos) << labels[2];
    EXPECT_EQ(offered[3], "1.97");
    EXPECT_EQ(state.BelName, "Testobj");
    EXPECT_NEAR(state.BelAlpha, 5.5 * 0.2617993877991494, 1e-12);
    EXPECT_NEAR(state.BelDelta, -10.5 * kDeg, 1e-12);
    EXPECT_EQ(state.BelMag, 1.97);
    EXPECT_EQ(state.BelAequi, 1950);
    EXPECT_EQ(sh->menu.captions[sh->menu.ItemOf(shell::ObjectAction(astronomy::ObjectKind::Arbitrary))], "Testobj");
}

TEST_F(Prompts, LimitingMagnitudeDefaultsToSixAndStopsAtEight) {
    platform::Dialogs& d = window->dialogs();
    d.OpenPromptWindow("  Test  ", 235);
    Answer({"", "9.5", "-1"});
    ASSERT_TRUE(shell::LimitingMagnitudePrompt(*sh));
    EXPECT_EQ(state.Grenzmag, 6);
    ASSERT_TRUE(shell::LimitingMagnitudePrompt(*sh));
    EXPECT_EQ(state.Grenzmag, 8);
    ASSERT_TRUE(shell::LimitingMagnitudePrompt(*sh));
    EXPECT_EQ(state.Grenzmag, -1);
    d.ClosePromptWindow();
    EXPECT_EQ(offered.at(0), "8");
}
