// The about box.
#pragma once

#include "shell/Shell.h"

namespace shell {

inline constexpr const char* kVersionText = " Version 6.54";
inline constexpr const char* kProgramDate = "    19. Juli 2020";

// Shows the box; at start-up for a moment, else until a key or a click on
// its button area (strictly inside (56, 227)-(165, 300)).
void ShowAbout(Shell& sh, bool atStart);
// A key or a click closes a waiting about box; returns true when it did.
bool CloseAbout(Shell& sh);
// True when (x, y) lies on the box's button.
bool OnAboutButton(int x, int y);

}  // namespace shell
