// Redrawing the current view, computing the selected object for the object
// view and the charts, and the parameter panel.
#pragma once

#include <string>

#include "shell/Shell.h"
#include "shell/Title.h"

namespace shell {

// Computes the object of the kind for the current instant and keeps it as
// the object view's record; on the object views (and before the first
// view) the view becomes the object view of that kind and the information
// panel is drawn. report: a position that cannot be computed is told in a
// message box (not on every tick of the real-time clock).
astronomy::PositionStatus ComputePosition(Shell& sh, astronomy::ObjectKind kind, bool report = true);

// The current view drawn anew (the object view, a chart), with the title.
void RedrawView(Shell& sh);
// The parameter panel of the view and the title.
void DrawParameterPanel(Shell& sh);
// The drawing area filled with the background colour; the object panel is
// then drawn whole the next time.
void ClearWindow(Shell& sh);

}  // namespace shell
