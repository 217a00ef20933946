// The event searches of "Springe" through the real window: the instant the
// items leave behind, the items that do nothing, and a hopeless search that
// shows its progress in the title and ends with Escape.
#include <QCoreApplication>
#include <QKeyEvent>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>

#include "astronomy/Constants.h"
#include "astronomy/EventSearch.h"
#include "astronomy/OrbitElements.h"
#include "DialogScript.h"
#include "WindowFixture.h"

namespace {

// The items of "Objekt" and "Springe".
constexpr int kSunItem = 30, kMoonItem = 31, kDiskItem = 39, kMessierItem = 41;
constexpr int kPerihelionItem = 103, kPerigeeItem = 104, kRisingItem = 105;

class SearchCommands : public WindowFixture, protected DialogScript {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        ASSERT_TRUE(Start());
    }
    double Instant() const { return state.J + state.F; }
    // The comet that never sets at 50 degrees north as the selected object.
    void SelectCircumpolarComet() {
        astronomy::ElementNotes notes;
        state.Elements = astronomy::ParseElementFile(std::string(KELMARON_TEST_DATA) + "/elements/Fortflug.kom",
                                                     state.DataFolder, 2000, notes)
                             .elements;
        state.Latitude = 50 * astronomy::kDegToRad;
        astronomy::SetLatitudeTerms(state);
        window->onMenu(kDiskItem);
    }
};

}  // namespace

TEST_F(SearchCommands, ItemsMoveTheInstantToTheEventAndTheViewShowsIt) {
    struct Case {
        int object, item;
        astronomy::EventKind kind;
    };
    for (const Case c : {Case{kMoonItem, kPerigeeItem, astronomy::EventKind::Perigee},
                         Case{kSunItem, kRisingItem, astronomy::EventKind::Rising},
                         Case{kSunItem, kPerigeeItem, astronomy::EventKind::Perigee}}) {
        window->onMenu(c.object);
        SetInstant(23.5, 24, 12, 2026);
        const astronomy::EventSearchResult expected = astronomy::SearchEvent(state, c.kind);
        const astronomy::View mode = state.ChartMode;
        window->onMenu(c.item);
        EXPECT_EQ(state.J, expected.J);
        EXPECT_EQ(state.F, expected.F);
        EXPECT_EQ(state.ChartMode, mode);
        EXPECT_FALSE(sh->busy.running);
        // The calendar and the object's record follow the instant.
        const astronomy::CivilDate d = astronomy::JulianDateToCalendar(state.J, state.F, state.Zone);
        EXPECT_EQ(state.Day, d.day);
        EXPECT_EQ(state.ClockTime, d.hours);
        EXPECT_EQ(astronomy::SearchQuantity(c.kind, sh->pos), expected.quantity);
        EXPECT_NE(window->Title().find("Datum: " + std::string(d.day < 10 ? "0" : "") + std::to_string(d.day)),
                  std::string::npos)
            << window->Title();
    }
    // The Moon's perigee lies within a month and 406000 km.
    window->onMenu(kMoonItem);
    SetInstant(0, 1, 3, 2027);
    window->onMenu(kPerigeeItem);
    EXPECT_GT(Instant(), astronomy::CalendarToJulianDate(12, 1, 3, 2027, 1).J);
    EXPECT_LT(sh->pos.delta, 371000);
}

TEST_F(SearchCommands, ItemsWithoutMeaningChangeNothing) {
    for (const auto& [object, item] : {std::pair{kSunItem, kPerihelionItem}, std::pair{kMessierItem, kPerigeeItem},
                                       std::pair{kMessierItem, kRisingItem}}) {
        window->onMenu(object);
        SetInstant(10, 3, 5, 2027);
        const double J = state.J, F = state.F;
        const std::string title = window->Title();
        window->onMenu(item);
        EXPECT_EQ(state.J, J);
        EXPECT_EQ(state.F, F);
        EXPECT_EQ(window->Title(), title);
    }
}

TEST_F(SearchCommands, HopelessSearchShowsItsProgressAndEndsWithEscape) {
    // A comet leaving the Sun towards declination +79 degrees never sets at
    // 50 degrees north: "Aufgang" waits for it to set until Escape.
    SelectCircumpolarComet();
    SetInstant(12, 7, 12, 2026);
    const double start = Instant();
    const astronomy::View mode = state.ChartMode;
    std::string progress;
    QTimer::singleShot(900, [&] {
        progress = window->Title();
        QCoreApplication::postEvent(&window->Area(),
                                    new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b")));
    });
    window->onMenu(kRisingItem);
    EXPECT_NE(progress.find("Kelmaron - Suche Aufgang - Datum: "), std::string::npos) << progress;
    EXPECT_NE(progress.find("Esc"), std::string::npos) << progress;
    // Escape ended the wait for the setting; the coarse steps found the comet
    // up at once. The search had gone on for years meanwhile.
    EXPECT_GT(Instant(), start + 365);
    EXPECT_EQ(state.ChartMode, mode);
    EXPECT_FALSE(sh->busy.running);
    EXPECT_EQ(window->Title().find("Suche"), std::string::npos) << window->Title();
    EXPECT_GE(astronomy::SearchQuantity(astronomy::EventKind::Rising, sh->pos), 0);
}

TEST_F(SearchCommands, SearchBeyondTheServedYearsLeavesTheInstantAndSaysSo) {
    SelectCircumpolarComet();
    SetInstant(12, 1, 6, 9990);
    const double J = state.J, F = state.F;
    DialogScript::Play(window->DialogBoxes(), {Click(1)});
    window->onMenu(kRisingItem);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("9999"), std::string::npos) << boxes[0];
    EXPECT_EQ(state.J, J);
    EXPECT_EQ(state.F, F);
    EXPECT_EQ(window->Title().find("Suche"), std::string::npos) << window->Title();
}
