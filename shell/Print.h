// Printing through the system's print dialog: the current view, and the
// page set-up every printout shares.
#pragma once

#include <functional>
#include <string>

#include "shell/Shell.h"

namespace shell {

// The view is drawn once more onto the printer's page (dark on white, the
// page's layout); the window's layout and picture come back afterwards. A
// cancelled dialog changes nothing.
void PrintView(Shell& sh);

// One printed page: the system's print dialog (false when it is cancelled:
// nothing changed), then dark on white and the page's layout while draw
// draws onto sh.canvas(); afterwards the window's colours, layout and panel
// memory come back (the caller redraws).
bool PrintPage(Shell& sh, const std::string& documentName, bool landscape, const std::function<void()>& draw);

}  // namespace shell
