// The layout of the drawing area, the window's placement and the colours
// "Invers" switches.
#pragma once

#include "shell/Shell.h"

namespace shell {

// The smallest drawing area: the size the panels and legends are laid out
// for. Below it their rows and columns would run into each other.
constexpr int kSmallestDrawingWidth = 800;
constexpr int kSmallestDrawingHeight = 550;

// Layout of the drawing area (or the printer page while printing).
void ComputeLayout(Shell& sh);
// The window's size changed: new layout; once running, clear and redraw.
void HandleResize(Shell& sh);
// Flips "Invers": colours of the background, text and contrast and the two
// white body colours; clears the window.
void ToggleInvers(Shell& sh);
// The drawing colours of the bodies, numbered by body type + 1.
void FillBodyColours(astronomy::ProgramState& s);
void ApplyWindowPlacement(Shell& sh);
void ReadWindowPlacement(Shell& sh);

}  // namespace shell
