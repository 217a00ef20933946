// Keeping the window alive inside a command, and waiting there for a key or
// a click.
#include "shell/Busy.h"

namespace shell {

namespace {
// The wait looks at the window's events this often.
constexpr int kPollMilliseconds = 10;
// A busy command gives the window its events at least this often.
constexpr auto kEventInterval = std::chrono::milliseconds(40);
}  // namespace

BusyWindow::BusyWindow(Shell& sh) : sh_(sh) {
    sh_.busy = Shell::Busy{};
    sh_.busy.running = true;
    sh_.win.SetPointer(platform::PointerShape::Busy);
}

BusyWindow::~BusyWindow() {
    sh_.busy = Shell::Busy{};
    sh_.win.SetPointer(platform::PointerShape::Normal);
}

void BusyWindow::KeepAlive() {
    if (std::chrono::steady_clock::now() - lastEvents_ < kEventInterval) return;
    sh_.win.Update();
    sh_.win.ProcessEvents();
    lastEvents_ = std::chrono::steady_clock::now();
}

KeyOrClick WaitKeyOrClick(Shell& sh) {
    Shell::Busy& busy = sh.busy;
    const auto answered = [&busy] { return busy.key || busy.pressed != 0 || busy.stop; };
    busy.waiting = true;
    sh.win.SetPointer(platform::PointerShape::Normal);
    sh.win.Update();
    sh.win.ProcessEvents();
    while (!answered()) {
        sh.win.Pause(kPollMilliseconds);
        sh.win.ProcessEvents();
    }
    busy.waiting = false;
    sh.win.SetPointer(platform::PointerShape::Busy);
    // The key or click is taken: the next wait waits for another one.
    const KeyOrClick answer{busy.key ? busy.key->text : std::string(), busy.pressed};
    busy.key.reset();
    busy.pressed = 0;
    return answer;
}

}  // namespace shell
