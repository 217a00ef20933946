// The window title: place, date, time, zone and object.
#pragma once

#include <string>

#include "shell/Shell.h"

namespace shell {

// "Kelmaron - Ort: ... - Datum: ... - Zeit: ... - Objekt: ..."
std::string TitleText(const astronomy::ProgramState& s, const std::string& objectTitle);
void UpdateTitle(Shell& sh);

}  // namespace shell
