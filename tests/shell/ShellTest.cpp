// Start-up helpers of the shell that need no window: the command line,
// the required files, the title text and the layout.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "astronomy/TimeCalendar.h"
#include "shell/StartUp.h"
#include "shell/View.h"

namespace fs = std::filesystem;
using astronomy::ProgramState;

TEST(CommandLine, QuotedPathsAndBlanks) {
    struct Case {
        const char* self;
        const char* rest;
        std::vector<std::string> args;
    };
    // The start-up's splitting rules: quotes keep blanks, repeated blanks
    // give no empty arguments, an unclosed quote drops the rest.
    const Case cases[] = {
        {"\"/opt/k/kelmaron\"", "", {"/opt/k/kelmaron"}},
        {"k", "\"/home/a b/Objekte/Hale Bopp.kom\"", {"k", "/home/a b/Objekte/Hale Bopp.kom"}},
        {"k", "  eins   zwei ", {"k", "eins", "zwei"}},
        {"k", "\"a b\" c", {"k", "a b", "c"}},
        {"k", "a \"b c", {"k", "a"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rest);
        EXPECT_EQ(shell::SplitCommandLine(c.self, c.rest), c.args);
    }
    std::string many;
    for (int i = 0; i < 80; ++i) many += "x ";
    EXPECT_EQ(shell::SplitCommandLine("k", many).size(), 50u);  // room for 50 in all
}

TEST(RequiredFiles, ReportsOnlyTheMissingOnesInOrder) {
    const fs::path dir = fs::temp_directory_path() / ("kelmaron-shell-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "prog");
    fs::create_directories(dir / "data" / "Objekte");
    const std::string prog = (dir / "prog").string(), data = (dir / "data").string();
    EXPECT_EQ(shell::CheckRequiredFiles(prog, data),
              "Kelmar.hlp Messier.kat Objekte\\Pluto.kpl Sterne1.var Sterne2.var ");
    std::ofstream(dir / "prog" / "kelmar.hlp") << "x";
    std::ofstream(dir / "data" / "Objekte" / "Pluto.kpl") << "Pluto";  // found ignoring case
    std::ofstream(dir / "data" / "sterne2.var") << "x";
    EXPECT_EQ(shell::CheckRequiredFiles(prog, data), "Messier.kat Sterne1.var ");
    fs::remove_all(dir);
}

TEST(Title, PlaceDateTimeZoneAndObject) {
    ProgramState s;
    s.DataFolder = "/tmp";
    astronomy::ApplyDefaults(s);
    s.Zone = 1;
    const astronomy::JulianDate jd = astronomy::CalendarToJulianDate(21 + 4.0 / 60 + 7.2 / 3600, 5, 12, 2026, 1);
    astronomy::ApplyJulianDate(s, jd.J, jd.F);
    // Place, date, clock time with its zone and object, each after its
    // label and " - ", the seconds whole.
    EXPECT_EQ(shell::TitleText(s, "Sonne"),
              "Kelmaron - Ort: Hannover - Datum: 05.12.2026 - Zeit: 21:04:07 MEZ - Objekt: Sonne");
    s.Ort = 16;  // a place beyond the list: the entered one
    EXPECT_EQ(shell::TitleText(s, ""), "Kelmaron - Ort: Eingabe - Datum: 05.12.2026 - Zeit: 21:04:07 MEZ");
    s.Ort = 1;
    s.Zone = 0;
    const astronomy::JulianDate early = astronomy::CalendarToJulianDate(0.5, 2, 1, 33, 0);
    astronomy::ApplyJulianDate(s, early.J, early.F);
    EXPECT_EQ(shell::TitleText(s, ""), "Kelmaron - Ort: Hannover - Datum: 02.01.  33 - Zeit: 00:30:00 UT");
}
