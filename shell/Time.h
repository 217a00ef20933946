// Moving the current instant: the steps of the "Offset" menu, "Jetzt" and
// the real-time clock.
#pragma once

#include "shell/Shell.h"

namespace shell {

using astronomy::SetInstant;

// One step of the "Offset" menu; the free steps ask for their number first
// (a cancelled prompt changes nothing). The view is drawn anew.
void StepTime(Shell& sh, TimeStep step);
// The instant of the computer's clock, in the selected zone.
void SetToNow(Shell& sh);

// Real time: the timer moves the clock every second and keeps the view
// current; a second call stops it.
void ToggleRealtime(Shell& sh);
void RealtimeTimer_Timer(Shell& sh);

}  // namespace shell
