// The help file paged in the window.
#pragma once

#include "platform/Window.h"
#include "shell/Shell.h"

namespace shell {

// Pages the help file in the window; a key or a click shows the next page,
// Escape or the right button ends it.
void ShowHelp(Shell& sh);
// Ends a shown help text: the view comes back on a cleared window.
void EndHelp(Shell& sh);
// A key or a click while the help is shown; true when it was used.
bool HelpInput(Shell& sh, const platform::Key* key, int buttons);

}  // namespace shell
