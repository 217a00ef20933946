// Printing the current view through the system's print dialog.
#pragma once

#include "shell/Shell.h"

namespace shell {

// The view is drawn once more onto the printer's page (dark on white, the
// page's layout); the window's layout and picture come back afterwards. A
// cancelled dialog changes nothing.
void PrintView(Shell& sh);

}  // namespace shell
