// A view drawn without the start-up's files, dialogs and pauses, for the
// command-line renderer: the same drawing code as the window.
#pragma once

#include <string>

#include "shell/Shell.h"

namespace shell {

// Layout of the window's size, the colours (white background with invers),
// the body colours, the menu table and the Messier catalogue of the
// program folder. False with a German error when the catalogue cannot be
// read.
bool PrepareOffscreenView(Shell& sh, bool invers, std::string& error);

}  // namespace shell
