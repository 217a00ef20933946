// The moon-phase jumps and the lunar-eclipse command through the real
// window: prompt, search, diagram, the buttons of "Was nun ?" and printing.
#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "astronomy/LunarEvents.h"
#include "astronomy/TextFormats.h"
#include "astronomy/TimeCalendar.h"
#include "charts/Style.h"
#include "DialogScript.h"
#include "PrintedPage.h"
#include "WindowFixture.h"

namespace fs = std::filesystem;

namespace {

// The items of "Springe".
constexpr int kNewMoonItem = 107;
constexpr int kFullMoonItem = 109;
constexpr int kLastQuarterItem = 110;
constexpr int kLunarEclipseItem = 112;
// The buttons of "Was nun ?".
constexpr int kNext = 1, kSet = 2, kPrint = 3, kHold = 4, kCancel = 5;

class LunarCommands : public WindowFixture, protected DialogScript {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        ASSERT_TRUE(Start());
        // Every message box records the eclipse shown and the picture behind it.
        atBox = [this] {
            if (sh->eclipse) eclipses.push_back(*sh->eclipse);
            modes.push_back(state.ChartMode);
            pictures.push_back(window->Picture().Image().copy());
        };
    }
    void Play(std::vector<Step> steps) { DialogScript::Play(window->DialogBoxes(), std::move(steps)); }
    double Instant() const { return state.J + state.F; }
    // The zone date of an instant as the text block writes it.
    std::string DateOf(const astronomy::Instant& at) const {
        const astronomy::CivilDate d = astronomy::JulianDateToCalendar(at.J, at.F, state.Zone);
        return astronomy::FormatDateNumeric(d.day, d.month, d.year);
    }
    static long CountColour(const QImage& image, platform::Colour c) {
        long n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) == qRgb(c.r, c.g, c.b)) ++n;
        return n;
    }

    std::vector<astronomy::EclipseCircumstances> eclipses;
    std::vector<astronomy::View> modes;
    std::vector<QImage> pictures;
};

}  // namespace

TEST_F(LunarCommands, PhaseJumpsStepFromPhaseToPhaseAndTheTitleFollows) {
    SetInstant(12, 1, 1, 2026);
    window->onMenu(kNewMoonItem);
    const double first = Instant();
    const std::string firstTitle = window->Title();
    window->onMenu(kNewMoonItem);
    const double second = Instant();
    // Two consecutive new moons: one lunation apart (29.27 to 29.83 days).
    EXPECT_GT(second - first, 29.2);
    EXPECT_LT(second - first, 29.9);
    EXPECT_NE(window->Title(), firstTitle);
    EXPECT_NE(window->Title().find(" - Datum: " + astronomy::FormatDateNumeric(state.Day, state.Month, state.Year)),
              std::string::npos)
        << window->Title();
    // The instant is kept as day number and fraction.
    EXPECT_EQ(state.J, std::floor(state.J));
    EXPECT_GE(state.F, 0);
    EXPECT_LT(state.F, 1);

    // Full moon, then last quarter: about a week on, each after the other.
    window->onMenu(kFullMoonItem);
    const double full = Instant();
    window->onMenu(kLastQuarterItem);
    const double last = Instant();
    EXPECT_GT(full - second, 13.5);
    EXPECT_LT(full - second, 16);
    EXPECT_GT(last - full, 6.5);
    EXPECT_LT(last - full, 8.5);
}

TEST_F(LunarCommands, ReturnSearchesFromTwoDaysBackAndAbbruchLeavesTheInstantExactly) {
    // The morning after the total eclipse of 21 January 2000 (greatest at
    // 05:44 MEZ): only from two days back is it still ahead.
    SetInstant(9.5, 21, 1, 2000);
    const astronomy::ProgramState before = state;
    Play({Type(""), Click(kCancel)});
    window->onMenu(kLunarEclipseItem);

    ASSERT_EQ(eclipses.size(), 1u);
    EXPECT_EQ(DateOf(eclipses[0].opposition), "21.01.2000");
    EXPECT_GE(eclipses[0].magnitude, 1);
    EXPECT_EQ(modes.at(0), astronomy::View::MoonPhases);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(boxes.at(0), "Was nun ?\n");
    // The prompt asked as it should.
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered[0], "");

    // Everything about the instant is as before, to the last bit.
    EXPECT_EQ(state.J, before.J);
    EXPECT_EQ(state.F, before.F);
    EXPECT_EQ(state.ClockTime, before.ClockTime);
    EXPECT_EQ(state.Day, before.Day);
    EXPECT_EQ(state.Month, before.Month);
    EXPECT_EQ(state.Year, before.Year);
    EXPECT_EQ(state.tq.LST, before.tq.LST);
    EXPECT_EQ(state.ChartMode, before.ChartMode);
    EXPECT_EQ(state.Aequi, before.Aequi);
    EXPECT_EQ(state.OutputChannel, before.OutputChannel);
    EXPECT_FALSE(sh->eclipse.has_value());
}

TEST_F(LunarCommands, TypedDateNaechsteGoesOnAndSetzenTakesTheGreatestEclipse) {
    SetInstant(12, 7, 12, 2026);
    // German date forms; the penumbral eclipses of 2027 are passed over.
    Play({Type("24.12.2026"), Click(kNext), Click(kHold), Click(kSet)});
    window->onMenu(kLunarEclipseItem);

    ASSERT_EQ(eclipses.size(), 3u);
    const astronomy::EclipseCircumstances& partial = eclipses[0];
    EXPECT_EQ(DateOf(partial.opposition).substr(3), "01.2028");
    EXPECT_GT(partial.magnitude, 0);
    EXPECT_LT(partial.magnitude, 1);
    EXPECT_FALSE(partial.contacts[1] || partial.contacts[2]);  // no totality
    for (int slot : {0, 3, 4, 5, 6}) EXPECT_TRUE(partial.contacts[slot]) << slot;
    // "nächste" found the one after it; "Halten" showed the same again.
    EXPECT_GT(eclipses[1].opposition.J, partial.opposition.J + 100);
    EXPECT_EQ(eclipses[2].opposition, eclipses[1].opposition);
    EXPECT_TRUE(pictures[2] == pictures[1]);

    // A partial eclipse's Moon at greatest eclipse is in the highlight
    // colour, a total one's in the red of the constellation lines.
    EXPECT_GT(CountColour(pictures[0], charts::kHighlightColour), 100);
    EXPECT_EQ(CountColour(pictures[0], charts::kConstellationColour), 0);

    // "Setzen": the instant is the greatest eclipse; the view is back.
    EXPECT_EQ(state.J, eclipses[1].maximum.J);
    EXPECT_EQ(state.F, eclipses[1].maximum.F);
    EXPECT_EQ(state.Aequi, 2000);
    EXPECT_NE(state.ChartMode, astronomy::View::MoonPhases);
}

TEST_F(LunarCommands, ABadDateIsToldAndAskedAgainAndEscapeChangesNothing) {
    SetInstant(12, 7, 12, 2026);
    const double start = Instant();
    Play({Type("31.2.2026"), Click(1), Type("Weihnachten"), Click(1), Type("1.1.9000"), Click(1), Type(kEscape)});
    window->onMenu(kLunarEclipseItem);
    ASSERT_EQ(boxes.size(), 3u);
    for (const std::string& text : boxes) EXPECT_EQ(text.rfind("Kein gültiges Datum: ", 0), 0u) << text;
    EXPECT_NE(boxes[1].find("Weihnachten"), std::string::npos);
    // The prompt as the user saw it behind the first message.
    ASSERT_GE(shown.at(0).size(), 3u);
    EXPECT_EQ(shown[0][0], "Suchen ab Datum:");
    EXPECT_EQ(shown[0][1], "(nur 'Return' --> ab aktuellem Datum)");
    EXPECT_EQ(shown[0][2].rfind("Tag,Monat,Jahr = ", 0), 0u) << shown[0][2];
    EXPECT_TRUE(eclipses.empty());
    EXPECT_EQ(Instant(), start);
    EXPECT_EQ(state.Aequi, 2000);
}

TEST_F(LunarCommands, ATotalEclipseShowsItsSevenContactsAndPrintsBlackOnWhite) {
    window->onKey(platform::Key{"i", platform::Key::None});  // white on black on the screen
    ASSERT_EQ(state.Invers, 0);
    const int xMax = state.x_max, yMax = state.y_max;
    const fs::path pdf = data / "finsternis.pdf";
    fs::create_directories(data);
    window->PrinterDevice().PrintNextToPdf(pdf.string());
    // The date of the eclipse night itself: the eclipse that morning is found.
    Play({Type("21.01.2000"), Click(kPrint), Click(kCancel)});
    window->onMenu(kLunarEclipseItem);

    ASSERT_EQ(eclipses.size(), 2u);
    const astronomy::EclipseCircumstances& total = eclipses[0];
    EXPECT_EQ(DateOf(total.opposition), "21.01.2000");
    for (const auto& contact : total.contacts) EXPECT_TRUE(contact);
    EXPECT_GT(CountColour(pictures[0], charts::kConstellationColour), 100);  // the Moon at greatest eclipse
    EXPECT_GT(CountColour(pictures[0], charts::kHighlightColour), 100);      // the Moon at the totality contacts
    // After printing the same picture is on the screen again.
    EXPECT_TRUE(pictures[1] == pictures[0]);
    EXPECT_EQ(state.Invers, 0);
    EXPECT_EQ(state.PrintingFlag, 0);
    EXPECT_EQ(state.x_max, xMax);
    EXPECT_EQ(state.y_max, yMax);

    ASSERT_TRUE(fs::exists(pdf));
    const std::optional<QImage> page = RenderPdfPage(pdf, 40);
    ASSERT_TRUE(page);
    const auto [all, white, dark] = InkOf(*page, page->rect(), 60);
    EXPECT_GT(white, all * 6 / 10);  // white paper
    EXPECT_GT(dark, 50);             // black lines and text
}

TEST_F(LunarCommands, EscapeWhileSearchingEndsAtTheCandidateReached) {
    SetInstant(12, 7, 12, 2026);
    const double start = Instant();
    // The date is typed, Escape is pressed while Return is still on its way:
    // the key waits in the queue until the search gives the window its
    // first events.
    platform::qt::QtDialogs& dialogs = window->DialogBoxes();
    platform::qt::testing::WhenReady(
        [&dialogs] { return dialogs.Prompt() && dialogs.Prompt()->Field() && dialogs.Prompt()->Field()->isVisible(); },
        [this, &dialogs] {
            QLineEdit* field = dialogs.Prompt()->Field();
            QTest::keyClicks(field, QStringLiteral("1.1.2027"));
            QCoreApplication::postEvent(&window->Area(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape,
                                                                      Qt::NoModifier, QStringLiteral("\x1b")));
            QTest::keyClick(field, Qt::Key_Return);
        });
    window->onMenu(kLunarEclipseItem);
    // No eclipse was shown (a message box would wait here for ever): the
    // search ended at the first candidate it reached, the opposition of a
    // full moon of 2027 no later than that of the penumbral eclipse of
    // 20 February.
    const astronomy::JulianDate february = astronomy::CalendarToJulianDate(0, 21, 2, 2027, state.Zone);
    EXPECT_GT(Instant(), start + 20);
    EXPECT_LT(Instant(), february.J + february.F);
    const astronomy::Instant fullMoon = astronomy::NextLunarPhase(state.J, state.F - 1, astronomy::LunarPhase::Full);
    EXPECT_LT(std::fabs(fullMoon.J + fullMoon.F - Instant()), 0.5);
    EXPECT_FALSE(sh->busy.running);
    EXPECT_NE(state.ChartMode, astronomy::View::MoonPhases);
    // Keys are commands again.
    const double before = Instant();
    window->onMenu(kNewMoonItem);
    EXPECT_GT(Instant(), before);
}

TEST_F(LunarCommands, TheViewComesBackWholeAfterTheCommand) {
    SetInstant(21, 7, 12, 2026);
    window->onKey(platform::Key{"o", platform::Key::None});  // the Sun's object view
    const QImage before = window->Picture().Image().copy();
    Play({Type(""), Click(kNext), Click(kCancel)});
    window->onMenu(kLunarEclipseItem);
    ASSERT_EQ(eclipses.size(), 2u);
    EXPECT_TRUE(window->Picture().Image() == before);
}

TEST_F(LunarCommands, OutsideTheYearsOfTheSeriesAMessageInsteadOfAJump) {
    SetInstant(12, 1, 1, 9000);
    const double start = Instant();
    Play({Click(1)});
    window->onMenu(kNewMoonItem);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rfind("Mondphasen und Mondfinsternisse nur für die Jahre -4000 bis 8000", 0), 0u) << boxes[0];
    EXPECT_EQ(Instant(), start);
    // Return searches from the current date, which is out of the years too.
    Play({Type(""), Click(1), Type(kEscape)});
    window->onMenu(kLunarEclipseItem);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].rfind("Kein gültiges Datum", 0), 0u) << boxes[1];
    EXPECT_EQ(Instant(), start);
}

TEST_F(LunarCommands, WhileBusyMenusKeysAndClosingRunNoCommand) {
    SetInstant(12, 7, 12, 2026);
    const double start = Instant();
    sh->busy.running = true;
    window->onMenu(kNewMoonItem);
    window->onKey(platform::Key{"j", platform::Key::None});  // "Jetzt"
    EXPECT_EQ(Instant(), start);
    EXPECT_FALSE(sh->busy.stop);
    EXPECT_FALSE(window->onClose());  // the running command ends first
    EXPECT_TRUE(sh->busy.stop);
    sh->busy = {};
    window->onKey(platform::Key{"\x1b", platform::Key::None});
    EXPECT_FALSE(sh->busy.stop);
}
