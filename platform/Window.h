// The main window as the shell drives it, and the services beside it.
#pragma once

#include <functional>
#include <string>

#include "platform/Canvas.h"
#include "platform/Dialogs.h"
#include "platform/Menu.h"

namespace platform {

struct WindowPlacement {
    int x = 0, y = 0;           // top-left corner on the screen
    int drawWidth = 0, drawHeight = 0;  // drawing area
    bool maximised = false;
    bool normalState = true;
};

// Keys as the program reads them: a character (UTF-8) or a special key.
struct Key {
    enum Special { None = 0, PageUp = 33, PageDown = 34, Home = 36, Left = 37, Up = 38, Right = 39, Down = 40 };
    std::string text;      // the typed character, Ctrl+P as "\x10", Ctrl+S as "\x13"
    Special special = None;
};

enum class PointerShape { Normal, Busy, Crosshair };

struct LocalTime {
    int year = 2000, month = 1, day = 1;
    int hour = 0, minute = 0;
    double second = 0;
};

class Window {
public:
    virtual ~Window() = default;

    virtual Canvas& canvas() = 0;
    virtual MenuBar& menu() = 0;
    virtual Dialogs& dialogs() = 0;

    virtual void SetTitle(const std::string& title) = 0;
    virtual std::string Title() const = 0;
    virtual WindowPlacement Placement() const = 0;
    // Outer size and position, or maximised.
    virtual void ApplyPlacement(int x, int y, int outerWidth, int outerHeight, bool maximised) = 0;
    // Shows the picture's changes on the screen.
    virtual void Update() = 0;
    virtual void SetPointer(PointerShape shape) = 0;

    // Handlers the shell installs.
    std::function<void(int item)> onMenu;
    std::function<void(const Key&)> onKey;
    std::function<void()> onResize;
    std::function<bool()> onClose;  // true: the window may close

    // Services.
    virtual LocalTime Now() const = 0;
    virtual void Pause(int milliseconds) = 0;
    // A repeating timer; interval 0 stops it.
    virtual void SetTimer(int milliseconds, std::function<void()> tick) = 0;
    // Keeps the window responsive during a long computation.
    virtual void ProcessEvents() = 0;
};

}  // namespace platform
