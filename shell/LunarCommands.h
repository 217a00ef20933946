// The moon-phase jumps and the lunar-eclipse command of "Springe".
#pragma once

#include <optional>
#include <string_view>

#include "astronomy/LunarEvents.h"
#include "astronomy/TimeCalendar.h"
#include "shell/Shell.h"

namespace shell {

// The current instant moves to the next phase of the kind; the view follows.
// Outside the years of the lunar series a message says so instead.
void JumpToPhase(Shell& sh, astronomy::LunarPhase phase);

// "Mondfinsternis": asks for the date to search from, searches full moon
// after full moon for the next eclipse that reaches the umbra (the window
// stays alive; Escape ends the search at the full moon reached), shows it as
// diagram and text and lets the user go on to the next one, set the instant
// to it, print it or give up (the instant as it was).
void SearchLunarEclipse(Shell& sh);

// Where the search starts for a typed answer: 0:00 of the typed date, or for
// an empty answer the current clock time two days before the current day.
// Nothing for a date that cannot be read or lies outside the years of the
// lunar series.
std::optional<astronomy::JulianDate> EclipseSearchStart(std::string_view answer, const astronomy::ProgramState& s);

}  // namespace shell
