// A command that keeps the window alive while it runs (the eclipse search,
// the ephemeris table): the window's events run no commands meanwhile,
// Escape or closing the window asks the command to stop, and the command
// can wait for a key or a click.
#pragma once

#include <chrono>
#include <string>

#include "shell/Shell.h"

namespace shell {

// While it lives, the window is busy and the pointer shows it.
class BusyWindow {
public:
    explicit BusyWindow(Shell& sh);
    ~BusyWindow();
    BusyWindow(const BusyWindow&) = delete;
    BusyWindow& operator=(const BusyWindow&) = delete;

    // Shows the picture and gives the window its events, at most every
    // 40 ms however often it is called (the first call at once).
    void KeepAlive();

private:
    Shell& sh_;
    std::chrono::steady_clock::time_point lastEvents_{};
};

// What ended a wait: the key's text, or the buttons of the mouse press.
struct KeyOrClick {
    std::string key;
    int buttons = 0;
};
// Inside a busy command: waits until a key is pressed or a mouse button
// clicked in the window (the picture is shown meanwhile); one that came
// since the last wait ends it at once. A request to stop (Escape, closing
// the window) ends the wait as well.
KeyOrClick WaitKeyOrClick(Shell& sh);

}  // namespace shell
