// The main window: a menu bar over a drawing area that shows the canvas's
// backing image. Keys, mouse, resize and close are handed to the handlers
// the program installs.
#pragma once

#include <QMainWindow>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

#include "platform/Window.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtMenuBar.h"
#include "platform/qt/QtPrinter.h"

namespace platform::qt {

// A key event as the program reads it; nothing for keys it does not use
// (modifiers alone, Alt combinations, function keys).
std::optional<Key> TranslateKey(int qtKey, Qt::KeyboardModifiers modifiers, const QString& text);

// Mouse buttons of Qt as the program's button bits.
int ButtonBits(Qt::MouseButtons buttons);

class QtWindow;

class DrawingArea : public QWidget {
public:
    DrawingArea(QtWindow& owner, QWidget* parent);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QtWindow& owner_;
};

class MainFrame : public QMainWindow {
public:
    explicit MainFrame(QtWindow& owner) : owner_(owner) {}

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QtWindow& owner_;
};

class QtWindow : public Window {
public:
    // The drawing area starts with the given size.
    QtWindow(int drawWidth, int drawHeight);
    ~QtWindow() override;
    QtWindow(const QtWindow&) = delete;
    QtWindow& operator=(const QtWindow&) = delete;

    void Show();
    // The picture's device pixels per picture pixel follow the screen the
    // window is on (its device pixel ratio, rounded up to whole pixels),
    // unless fixed here (1..kMaxPixelRatio; 0 follows the screen again).
    // A change redraws the view as a resize does.
    void SetPixelRatio(int ratio);

    Canvas& canvas() override { return canvas_; }
    MenuBar& menu() override { return *menu_; }
    Dialogs& dialogs() override { return *dialogs_; }
    Printer& printer() override { return *printer_; }
    // Made at its first use: it sets the canvas's font.
    TextOut& text() override;

    void SetTitle(const std::string& title) override;
    std::string Title() const override;
    WindowPlacement Placement() const override;
    // The outer size holds the drawing area and 18 by 72 pixels of frame,
    // title and menu bar (the program's reference frame), so the drawing
    // area comes out as outerWidth - 18 by outerHeight - 72 whatever the
    // window manager's frame is. The position is that of the frame.
    void ApplyPlacement(int x, int y, int outerWidth, int outerHeight, bool maximised) override;
    void SetMinimumDrawingSize(int width, int height) override;
    void Update() override;
    void SetPointer(PointerShape shape) override;

    int MouseButtons() const override { return buttons_; }
    std::pair<int, int> MousePosition() const override { return {mouseX_, mouseY_}; }

    ClockReading Now() const override;
    // Waits; keys and clicks wait in the queue meanwhile, painting goes on.
    void Pause(int milliseconds) override;
    // A tick that falls while a command runs (inside a dialog, a pause or
    // ProcessEvents) is dropped: ticks never interrupt a command.
    void SetTimer(int milliseconds, std::function<void()> tick) override;
    void ProcessEvents() override;

    static constexpr int kFrameWidth = 18;
    static constexpr int kFrameHeight = 72;

    // The toolkit objects, for the program's main() and for tests.
    MainFrame& Frame() { return *frame_; }
    DrawingArea& Area() { return *area_; }
    QtCanvas& Picture() { return canvas_; }
    QtMenuBar& Menus() { return *menu_; }
    QtDialogs& DialogBoxes() { return *dialogs_; }
    QtPrinter& PrinterDevice() { return *printer_; }
    PointerShape Pointer() const { return pointer_; }
    bool TimerActive() const { return timer_.isActive(); }

private:
    friend class DrawingArea;
    friend class MainFrame;

    void ResizeDrawingArea(int width, int height);
    int MenuBarHeight(int width) const;
    void HandleKey(QKeyEvent* event);
    void HandleMouse(QMouseEvent* event, bool pressed);
    void AreaResized(int width, int height);
    int ScreenPixelRatio() const;
    void FollowScreen();
    bool MayClose();
    void Tick();

    QtCanvas canvas_;
    std::unique_ptr<QtTextOut> text_;
    std::unique_ptr<MainFrame> frame_;
    DrawingArea* area_ = nullptr;
    std::unique_ptr<QtMenuBar> menu_;
    std::unique_ptr<QtDialogs> dialogs_;
    std::unique_ptr<QtPrinter> printer_;
    QTimer timer_;
    std::function<void()> tick_;
    int nested_ = 0;  // pauses and ProcessEvents calls running
    int buttons_ = 0;
    int mouseX_ = 0, mouseY_ = 0;
    PointerShape pointer_ = PointerShape::Normal;
    int fixedRatio_ = 0;  // 0: the screen's
    bool followPending_ = false;
};

}  // namespace platform::qt
