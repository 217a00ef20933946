// The ephemeris tables through the real window: the interval prompt, the
// pages of the table and what ends them, "Nochmal", "Drucken" onto paper,
// and the day ephemeris view with its colours, time steps and printout.
#include <QImage>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "DialogScript.h"
#include "PrintedPage.h"
#include "WindowFixture.h"
#include "charts/Style.h"
#include "platform/qt/QtTextOut.h"
#include "reports/EphemerisTables.h"

namespace fs = std::filesystem;

namespace {

constexpr int kDayEphemerisItem = 75;
constexpr int kEphemerisItem = 116;
// The buttons of "Weiter?".
constexpr int kClose = 1, kAgain = 2, kPrint = 3;

class EphemerisCommands : public WindowFixture, protected DialogScript {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        ASSERT_TRUE(Start());
        SetInstant(12, 7, 12, 2026);
    }
    void Play(std::vector<Step> steps) { DialogScript::Play(window->DialogBoxes(), std::move(steps)); }

    // At the next wait for a key or a click: keep the picture, then answer.
    Step AtWait(std::function<void()> answer) {
        return When([this] { return sh->busy.waiting && !sh->busy.key && sh->busy.pressed == 0; },
                    [this, answer] {
                        pages.push_back(window->Picture().Image().copy());
                        answer();
                    });
    }
    Step AtWait(const std::string& key) {
        return AtWait([this, key] { window->onKey(platform::Key{key, platform::Key::None}); });
    }

    // The text rows (of the window's cells, from 1) of a picture that hold
    // a pixel of the colour, or of anything but the background.
    std::set<int> Rows(const QImage& image, std::optional<platform::Colour> colour = std::nullopt) const {
        const int h = dynamic_cast<platform::qt::QtTextOut&>(window->text()).CellHeight();
        const platform::Colour bg = platform::ColourFromRgb(state.BackgroundColour);
        const QRgb paper = qRgb(bg.r, bg.g, bg.b);
        std::set<int> rows;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                if (colour ? p == qRgb(colour->r, colour->g, colour->b) : p != paper) rows.insert(y / h + 1);
            }
        return rows;
    }

    std::vector<QImage> pages;
};

// The rows of the ranges, both ends included.
std::set<int> Ranges(std::initializer_list<std::pair<int, int>> ranges) {
    std::set<int> rows;
    for (const auto& [from, to] : ranges)
        for (int r = from; r <= to; ++r) rows.insert(r);
    return rows;
}

// Lines as the page shows them: from `margin` on, without trailing blanks
// and without empty lines before and after.
std::vector<std::string> AsShown(std::vector<std::string> lines, std::size_t margin = 0) {
    for (std::string& line : lines) {
        line = line.size() > margin ? line.substr(margin) : "";
        while (!line.empty() && line.back() == ' ') line.pop_back();
    }
    while (!lines.empty() && lines.front().empty()) lines.erase(lines.begin());
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
}

// The printed table without the page's margin: its rule stands at the
// printer's indentation.
std::vector<std::string> PrintedTable(const fs::path& pdf) {
    const auto printed = FixedPitchLines(pdf);
    if (!printed) {
        ADD_FAILURE() << "pdftotext failed on " << pdf;
        return {};
    }
    std::size_t margin = 0;
    for (const std::string& line : *printed)
        if (line.find(std::string(78, '-')) != std::string::npos) margin = line.find('-') - reports::kPrinterIndent;
    return AsShown(*printed, margin);
}

}  // namespace

TEST_F(EphemerisCommands, PagesOfThirtyLinesThePrintoutAndTheInstantComesBack) {
    const astronomy::ProgramState before = state;
    state.Objekt = astronomy::ObjectKind::Moon;
    const fs::path pdf = data / "ephemeride.pdf";
    fs::create_directories(data);
    window->PrinterDevice().PrintNextToPdf(pdf.string());
    // 25 hourly rows: 17 on the first page, 8 on the second; then printed.
    Play({Type("5 1 2026"), Type("0"), Type("6 1 2026"), Type("0"), Type("0 1"), AtWait(" "), AtWait(" "),
          Click(kPrint), Click(kClose)});
    window->onMenu(kEphemerisItem);

    // First use: the current day at 0:00, a week later, a day a step.
    EXPECT_EQ(offered, (std::vector<std::string>{"7 12 2026", "", "14 12 2026", "", "1"}));
    ASSERT_EQ(pages.size(), 2u);
    ASSERT_EQ(boxes, (std::vector<std::string>{"Weiter?", "Weiter?"}));
    // Header lines 2, 3, 5, 7 to 9 (1, 4 and 6 empty), then groups of 5, 4,
    // 4 and 4 rows each followed by an empty line: 30 lines.
    EXPECT_EQ(Rows(pages[0]), Ranges({{2, 3}, {5, 5}, {7, 14}, {16, 19}, {21, 24}, {26, 29}}));
    // The next page goes on without the header: 4 rows, empty, 4 rows, empty, the rule.
    EXPECT_EQ(Rows(pages[1]), Ranges({{1, 4}, {6, 9}, {11, 11}}));

    // On paper the whole table without page waits, at the printer's
    // indentation, in lined-up columns.
    astronomy::ProgramState s = state;
    astronomy::SetInstant(s, state.Interval->startJ, state.Interval->startF);
    const astronomy::Target moon = astronomy::TargetOf(s, astronomy::ObjectKind::Moon);
    std::vector<std::string> expected =
        reports::IntervalHeader(s, "Mond", astronomy::ObjectKind::Moon, reports::kPrinterIndent);
    int counter = reports::kIntervalHeaderLines;
    for (const astronomy::Instant& at : reports::IntervalInstants(*state.Interval, 100)) {
        expected.push_back(reports::IntervalRowText(reports::ComputeIntervalRow(s, moon, at),
                                                    astronomy::ObjectKind::Moon, reports::kPrinterIndent));
        if (reports::CountIntervalRow(counter).emptyLine) expected.emplace_back();
    }
    expected.push_back(reports::TableRule(reports::kPrinterIndent));
    EXPECT_EQ(PrintedTable(pdf), AsShown(expected));

    // "Schließen": the instant, its clock, the view and the channel as before.
    EXPECT_EQ(std::tie(state.J, state.F, state.ClockTime, state.ChartMode, state.OutputChannel, state.PrintingFlag),
              std::tie(before.J, before.F, before.ClockTime, before.ChartMode, before.OutputChannel,
                       before.PrintingFlag));
    const astronomy::JulianDate from = astronomy::CalendarToJulianDate(0, 5, 1, 2026, 1);
    const astronomy::JulianDate to = astronomy::CalendarToJulianDate(0, 6, 1, 2026, 1);
    const astronomy::IntervalParameters typed{from.J, from.F, to.J, to.F, 1.0 / 24};
    EXPECT_EQ(state.Interval, typed);

    // The next time the prompt offers what was typed; Escape changes nothing.
    Play({Type(kKeep), Type(kKeep), Type(kKeep), Type(kKeep), Type(kEscape)});
    window->onMenu(kEphemerisItem);
    EXPECT_EQ(std::vector<std::string>(offered.begin() + 5, offered.end()),
              (std::vector<std::string>{"5 1 2026", "", "6 1 2026", "", "0 1"}));
    EXPECT_EQ(state.Interval, typed);
    EXPECT_EQ(state.ChartMode, before.ChartMode);
}

TEST_F(EphemerisCommands, AStepOfZeroRunsUntilXTheRightButtonOrEscape) {
    // "x" at the first page, then "Nochmal": the right button at the first
    // page, then "Nochmal": Escape.
    const auto rightClick = [this] { window->onMouse(300, 300, platform::kMouseRight, true); };
    Play({Type("5 1 2026"), Type("0"), Type("6 1 2026"), Type("0"), Type("0"), AtWait("x"), AtWait(" "),
          Click(kAgain), AtWait(rightClick), AtWait(" "), Click(kAgain), AtWait("\x1b"), Click(kClose)});
    window->onMenu(kEphemerisItem);

    ASSERT_EQ(pages.size(), 5u);
    ASSERT_EQ(boxes.size(), 3u);
    // Each time the list starts again at the start: the same first page.
    EXPECT_TRUE(pages[2] == pages[0]);
    EXPECT_TRUE(pages[4] == pages[0]);
    // "x" and the right button end the list at once: the rule follows the
    // page, and the window waits once more.
    std::set<int> withRule = Rows(pages[0]);
    withRule.insert(31);
    EXPECT_EQ(Rows(pages[1]), withRule);
    EXPECT_EQ(Rows(pages[3]), withRule);
    // After Escape the box comes without a wait.
    EXPECT_EQ(state.OutputChannel, 2);
    EXPECT_FALSE(sh->busy.running);
}

TEST_F(EphemerisCommands, DayEphemerisViewInBodyColoursFollowsTheTimeAndPrints) {
    window->onMenu(kDayEphemerisItem);
    EXPECT_EQ(state.ChartMode, astronomy::View::DayEphemeris);
    EXPECT_EQ(window->menu().ItemState(kDayEphemerisItem), platform::kItemChecked);
    const QImage first = window->Picture().Image().copy();
    // Each body in its colour on its own line (the header and the rules are
    // grey); the empty line 15 separates Mars (14) from Jupiter (16).
    for (int type = 1; type <= 10; ++type) {
        SCOPED_TRACE(type);
        const int row = type <= 5 ? 9 + type : 10 + type;
        EXPECT_EQ(Rows(first, charts::BodyColour(state, type)), std::set<int>{row});
    }

    // A time step draws the view anew for the new instant.
    const double before = state.J + state.F;
    window->onKey(platform::Key{"+", platform::Key::None});
    EXPECT_NEAR(state.J + state.F - before, 1.0 / 24, 1e-9);
    EXPECT_EQ(state.ChartMode, astronomy::View::DayEphemeris);
    EXPECT_FALSE(window->Picture().Image() == first);

    // "Drucken ^P": the same table at the printer's indentation.
    const fs::path pdf = data / "tagesephemeride.pdf";
    fs::create_directories(data);
    window->PrinterDevice().PrintNextToPdf(pdf.string());
    window->onKey(platform::Key{"\x10", platform::Key::None});
    std::vector<std::string> expected;
    for (const reports::TableLine& line :
         reports::DayEphemerisLines(state, reports::ComputeDayEphemeris(state), reports::kPrinterIndent))
        expected.push_back(line.text);
    EXPECT_EQ(PrintedTable(pdf), AsShown(expected));
    EXPECT_EQ(state.OutputChannel, 2);
    EXPECT_EQ(state.ChartMode, astronomy::View::DayEphemeris);
}

TEST_F(EphemerisCommands, RenderDrawsTheDayEphemerisAsTheWindowDoes) {
    window->onMenu(kDayEphemerisItem);
    const std::string out = (data / "tagesephemeride.png").string();
    fs::create_directories(data);
    const std::string command = std::string(KELMARON_CLI) +
                                " render --view tagesephemeride --date 7.12.2026 --time 12:00 --invers --out '" +
                                out + "' --width " + std::to_string(state.x_max + 1) + " --height " +
                                std::to_string(state.y_max + 1) + " >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    const QImage rendered = QImage(QString::fromStdString(out)).convertToFormat(QImage::Format_RGB32);
    const QImage shown = window->Picture().Image().convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(rendered == shown);
}
