// The two ephemeris tables as lines of fixed-pitch text: the interval table
// of one object (a row per time step between two instants) and the day
// ephemeris of the ten bodies at one instant. Where the lines go (window,
// printer, command line) is the caller's business.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "astronomy/LunarEvents.h"
#include "astronomy/PositionService.h"
#include "astronomy/ProgramState.h"
#include "astronomy/TimeCalendar.h"

namespace reports {

// Blanks in front of every line in the window and on paper.
inline constexpr int kScreenIndent = 1;
inline constexpr int kPrinterIndent = 10;

// The indentation and 78 hyphens: under the column heads and at the end.
std::string TableRule(int indent);

// ---- The interval table

// The instant after `at`: whole days of the step are added to the day
// number, the rest to the fraction (so a step of 2 days leaves the fraction
// exactly as it was), and the fraction is kept within 0..1.
astronomy::Instant NextIntervalInstant(const astronomy::Instant& at, double step);
// The instant lies beyond the end in the direction of the step (by more
// than the rounding of the summed steps). A step of 0 never passes the end.
bool PassedIntervalEnd(const astronomy::Instant& at, const astronomy::IntervalParameters& p);
// The instants of the table: the start, then step after step until the end
// is passed; at most `most` + 1 of them, so that the caller sees when there
// would be more than `most`.
std::vector<astronomy::Instant> IntervalInstants(const astronomy::IntervalParameters& p, std::size_t most);

// One row: its instant, the zone date it shows (that of the instant 0.001
// day later, so that an instant at a whole minute does not fall back into
// the minute before) and the object's place there.
struct IntervalRow {
    astronomy::Instant at;
    astronomy::CivilDate shown;
    astronomy::PositionResult place;
};
IntervalRow ComputeIntervalRow(const astronomy::ProgramState& s, const astronomy::Target& target,
                               const astronomy::Instant& at);

// The header of the table of the object named `name` (the computed object's
// own name) for the state's place, equinox, zone and clock time.
std::vector<std::string> IntervalHeader(const astronomy::ProgramState& s, const std::string& name,
                                        astronomy::ObjectKind kind, int indent);
// A row; only the date when the object has no place there.
std::string IntervalRowText(const IntervalRow& row, astronomy::ObjectKind kind, int indent);

// The table's line counter: the header counts as this many lines, every row
// as one more, and after every fifth line comes an empty one; a page of the
// window is full when the counter is 1 more than a multiple of 30.
inline constexpr int kIntervalHeaderLines = 10;
struct AfterRow {
    bool emptyLine = false;
    bool pageFull = false;
};
AfterRow CountIntervalRow(int& lineCounter);

// ---- The day ephemeris

inline constexpr std::array<astronomy::ObjectKind, 10> kDayEphemerisBodies = {
    astronomy::ObjectKind::Sun,     astronomy::ObjectKind::Moon,   astronomy::ObjectKind::Mercury,
    astronomy::ObjectKind::Venus,   astronomy::ObjectKind::Mars,   astronomy::ObjectKind::Jupiter,
    astronomy::ObjectKind::Saturn,  astronomy::ObjectKind::Uranus, astronomy::ObjectKind::Neptune,
    astronomy::ObjectKind::Disk};

struct DayRow {
    astronomy::ObjectKind kind;
    std::string name;  // the orbit object's own name for "Disk"
    astronomy::PositionResult place;
};
// The ten bodies at the state's instant and place.
std::vector<DayRow> ComputeDayEphemeris(const astronomy::ProgramState& s);

// A line and the body type whose colour it is written in on the screen
// (charts::BodyColour; 0 for the text colour).
struct TableLine {
    std::string text;
    int bodyType = 0;
    bool operator==(const TableLine&) const = default;
};
std::vector<TableLine> DayEphemerisLines(const astronomy::ProgramState& s, const std::vector<DayRow>& rows,
                                         int indent);

}  // namespace reports
