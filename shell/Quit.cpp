// Leaving the program, and saving the settings.
#include "shell/Quit.h"

#include <string>

#include "shell/About.h"
#include "shell/Layout.h"
#include "shell/Settings.h"
#include "shell/View.h"

namespace shell {

bool SaveSettings(Shell& sh) {
    ReadWindowPlacement(sh);
    std::string error;
    if (WriteSettings(sh.s, kVersionText, error)) return true;
    sh.win.dialogs().MessageBox(error, " OK ", 1);
    return false;
}

void QuitDialog(Shell& sh, bool fromMenu) {
    sh.s.RedrawSuppressed = -1;
    int answer = sh.win.dialogs().MessageBox(" Programm verlassen ?    ",
                                             fromMenu ? " OK |mit Speichern" : " OK |mit Speichern|Nein", 1);
    if (answer == 2 && !SaveSettings(sh)) answer = 0;  // not saved: stay
    if (answer == 1 || answer == 2) {
        sh.quit = true;
        return;
    }
    sh.s.RedrawSuppressed = 0;
    RedrawView(sh);
}

}  // namespace shell
