// "Erdnähe", "Sonnennähe" and "Aufgang" of "Springe": the event search with
// the window alive.
#pragma once

#include <string>

#include "astronomy/EventSearch.h"
#include "shell/Shell.h"

namespace shell {

// The menu caption of the search.
std::string_view EventName(astronomy::EventKind kind);

// Searches forward from the current instant for the event of the selected
// object (nothing for a Messier object, the arbitrary object and the Sun's
// perihelion). The window stays alive; after half a second the title shows
// the date reached. Escape (or a right click) while the search leaves the
// current minimum (or waits for the object to set) ends that stage, later
// the search; the instant reached becomes the current instant and the view
// is drawn anew. A search that passes the last year the calendar serves
// leaves the instant as it was and says so.
void SearchEvent(Shell& sh, astronomy::EventKind kind);

// The title while a search runs: what is searched, the date and clock time
// reached in the state's zone, and how to stop.
std::string SearchProgressTitle(astronomy::EventKind kind, const astronomy::ProgramState& s, double J, double F);

}  // namespace shell
