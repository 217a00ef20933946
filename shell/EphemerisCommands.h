// The ephemeris tables in the window: the interval table of the selected
// object ("Ephemeride" of "Rechnen"), paged in the window or printed, and
// the view of the day ephemeris of the ten bodies ("Tagesephemeride").
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "shell/Shell.h"

namespace shell {

// "Ephemeride": asks for the interval, lists the table page by page (a key
// or a click turns the page; "x" or the right button ends the list, Escape
// or the right button at any time), then offers "Schließen" (the instant
// and the view as before), "Nochmal" and "Drucken". A cancelled prompt
// changes nothing.
void ListIntervalEphemeris(Shell& sh);

// The prompt of the start, end and step of the interval table; the
// answers become the state's Interval. False when cancelled (nothing
// changed).
bool AskIntervalParameters(Shell& sh);

// The step typed as "d h m" (blanks, "," or "/" between the numbers; a
// leading "-" makes the whole step negative) in days; nothing for an empty
// answer.
std::optional<double> ReadIntervalStep(std::string_view text);
// A step in days as the prompt offers it: "1", "0 1", "-0 0 10".
std::string IntervalStepText(double step);

// The day ephemeris at the current instant: in the window, or on the
// printer's page while the view is printed.
void ListDayEphemeris(Shell& sh);

}  // namespace shell
