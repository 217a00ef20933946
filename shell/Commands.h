// Running commands: menu items, keys, and the wiring of the window's events
// to the program.
#pragma once

#include <functional>

#include "platform/Window.h"
#include "shell/Menus.h"
#include "shell/Shell.h"

namespace shell {

// The command of menu item n (as the window reports a choice).
void ExecuteMenuCommand(Shell& sh, int n);
// One command, whether from the menu or a key.
void RunCommand(Shell& sh, MenuAction action);
// The commands of a key.
void DispatchKey(Shell& sh, const platform::Key& key);

// Hands the window's events to the program: menu choices, keys, the mouse,
// resizing and closing. quitted runs once the program has ended (the quit
// dialog answered with leaving).
void Connect(Shell& sh, std::function<void()> quitted = nullptr);

}  // namespace shell
