// Leaving the program, and saving the settings.
#pragma once

#include "shell/Shell.h"

namespace shell {

// Writes the settings file with the window's placement now; a failure is
// shown in a message box and returns false.
bool SaveSettings(Shell& sh);
// fromMenu: called by the menu item or the key "q" (no "Nein" button).
void QuitDialog(Shell& sh, bool fromMenu);

}  // namespace shell
