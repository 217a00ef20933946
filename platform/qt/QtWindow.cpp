#include "platform/qt/QtWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>
#include <QThread>

#include <algorithm>
#include <cmath>

#include "platform/qt/QtText.h"

namespace platform::qt {

std::optional<Key> TranslateKey(int qtKey, Qt::KeyboardModifiers modifiers, const QString& text) {
    Key key;
    switch (qtKey) {
        case Qt::Key_PageUp: key.special = Key::PageUp; return key;
        case Qt::Key_PageDown: key.special = Key::PageDown; return key;
        case Qt::Key_Home: key.special = Key::Home; return key;
        case Qt::Key_Left: key.special = Key::Left; return key;
        case Qt::Key_Up: key.special = Key::Up; return key;
        case Qt::Key_Right: key.special = Key::Right; return key;
        case Qt::Key_Down: key.special = Key::Down; return key;
        case Qt::Key_F1: key.special = Key::F1; return key;
        default: break;
    }
    const bool control = modifiers.testFlag(Qt::ControlModifier);
    const bool alt = modifiers.testFlag(Qt::AltModifier);
    if (control && !alt) {
        // Ctrl+A .. Ctrl+Z as the control characters 1 .. 26.
        if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) {
            key.text = std::string(1, static_cast<char>(qtKey - Qt::Key_A + 1));
            return key;
        }
        return std::nullopt;
    }
    if (alt || text.isEmpty()) return std::nullopt;
    const QChar first = text.at(0);
    const bool accepted = first.isPrint() || first == QLatin1Char('\r') || first == QLatin1Char('\x1b') ||
                          first == QLatin1Char('\b') || first == QLatin1Char('\t');
    if (!accepted) return std::nullopt;
    key.text = ToUtf8(text);
    return key;
}

int ButtonBits(Qt::MouseButtons buttons) {
    int bits = 0;
    if (buttons.testFlag(Qt::LeftButton)) bits |= kMouseLeft;
    if (buttons.testFlag(Qt::RightButton)) bits |= kMouseRight;
    if (buttons.testFlag(Qt::MiddleButton)) bits |= kMouseMiddle;
    return bits;
}

// ---------------------------------------------------------------- drawing area

DrawingArea::DrawingArea(QtWindow& owner, QWidget* parent) : QWidget(parent), owner_(owner) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setMinimumSize(1, 1);
}

bool DrawingArea::event(QEvent* event) {
    // Moved to another screen, or the screen's scale changed.
    if (event->type() == QEvent::ScreenChangeInternal
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
        || event->type() == QEvent::DevicePixelRatioChange
#endif
    )
        owner_.FollowScreen();
    return QWidget::event(event);
}

void DrawingArea::paintEvent(QPaintEvent* event) {
    QtCanvas& canvas = owner_.canvas_;
    canvas.ResetChanged();
    const QImage& image = canvas.Image();
    const int ratio = canvas.PixelRatio();
    QPainter p(this);
    // A screen ratio between whole numbers shows the finer picture reduced.
    if (p.device()->devicePixelRatioF() < ratio) p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect area = event->rect();
    const QRect picture(0, 0, canvas.Width(), canvas.Height());
    const QRect shown = area.intersected(picture);
    if (!shown.isEmpty())
        p.drawImage(QRectF(shown), image,
                    QRectF(shown.x() * ratio, shown.y() * ratio, shown.width() * ratio, shown.height() * ratio));
    // Outside the picture (only for a moment while resizing).
    const QRegion outside = QRegion(area).subtracted(QRegion(picture));
    for (const QRect& r : outside) p.fillRect(r, QColor(image.pixel(0, 0)));
    // The screen's ratio changed without telling (a late first show).
    if (owner_.fixedRatio_ == 0 && owner_.ScreenPixelRatio() != ratio) owner_.FollowScreen();
}

void DrawingArea::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    owner_.AreaResized(event->size().width(), event->size().height());
}

void DrawingArea::keyPressEvent(QKeyEvent* event) { owner_.HandleKey(event); }
void DrawingArea::mousePressEvent(QMouseEvent* event) { owner_.HandleMouse(event, true); }
void DrawingArea::mouseReleaseEvent(QMouseEvent* event) { owner_.HandleMouse(event, false); }
void DrawingArea::mouseMoveEvent(QMouseEvent* event) { owner_.HandleMouse(event, false); }

void MainFrame::closeEvent(QCloseEvent* event) {
    if (owner_.MayClose()) {
        event->accept();
    } else {
        event->ignore();
    }
}

// ---------------------------------------------------------------- window

QtWindow::QtWindow(int drawWidth, int drawHeight)
    : canvas_(drawWidth, drawHeight), frame_(std::make_unique<MainFrame>(*this)) {
    area_ = new DrawingArea(*this, frame_.get());
    frame_->setCentralWidget(area_);
    frame_->setFocusProxy(area_);
    // The menu bar keeps its one row even while empty, so that building
    // the menus after the window was placed leaves the drawing area alone.
    {
        QMenuBar probe;
        probe.addMenu(QStringLiteral("Parameter"));
        frame_->menuBar()->setMinimumHeight(probe.sizeHint().height());
    }
    menu_ = std::make_unique<QtMenuBar>(frame_->menuBar());
    menu_->onChoose = [this](int item) {
        if (onMenu) onMenu(item);
    };
    dialogs_ = std::make_unique<QtDialogs>(frame_.get());
    printer_ = std::make_unique<QtPrinter>(frame_.get());
    canvas_.onChanged = [this]() { area_->update(); };
    QObject::connect(&timer_, &QTimer::timeout, [this]() { Tick(); });
    canvas_.SetPixelRatio(ScreenPixelRatio());
    ResizeDrawingArea(canvas_.Width(), canvas_.Height());
}

QtWindow::~QtWindow() {
    timer_.stop();
    canvas_.onChanged = nullptr;
}

void QtWindow::Show() {
    frame_->show();
    area_->setFocus(Qt::OtherFocusReason);
}

void QtWindow::SetTitle(const std::string& title) { frame_->setWindowTitle(FromUtf8(title)); }

std::string QtWindow::Title() const { return ToUtf8(frame_->windowTitle()); }

WindowPlacement QtWindow::Placement() const {
    WindowPlacement p;
    const QPoint corner = frame_->pos();
    p.x = corner.x();
    p.y = corner.y();
    // A hidden window has not laid out its drawing area yet; the picture
    // has the size it will get.
    p.drawWidth = frame_->isVisible() ? area_->width() : canvas_.Width();
    p.drawHeight = frame_->isVisible() ? area_->height() : canvas_.Height();
    const Qt::WindowStates state = frame_->windowState();
    p.maximised = state.testFlag(Qt::WindowMaximized);
    p.normalState = !(state & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
    return p;
}

int QtWindow::MenuBarHeight(int width) const {
    const QWidget* bar = frame_->menuWidget();
    if (!bar || (bar->isHidden() && frame_->isVisible())) return 0;
    const int height = bar->hasHeightForWidth() ? bar->heightForWidth(width) : bar->sizeHint().height();
    return std::max(height, bar->minimumHeight());
}

void QtWindow::SetMinimumDrawingSize(int width, int height) {
    area_->setMinimumSize(std::max(1, width), std::max(1, height));
    const WindowPlacement now = Placement();
    ResizeDrawingArea(now.drawWidth, now.drawHeight);
}

void QtWindow::ResizeDrawingArea(int width, int height) {
    width = std::max(area_->minimumWidth(), width);
    height = std::max(area_->minimumHeight(), height);
    frame_->resize(width, height + MenuBarHeight(width));
    if (!frame_->isVisible()) canvas_.Resize(width, height);
}

void QtWindow::ApplyPlacement(int x, int y, int outerWidth, int outerHeight, bool maximised) {
    if (maximised) {
        frame_->setWindowState((frame_->windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
        return;
    }
    frame_->setWindowState(frame_->windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
    // The window fits the screen's free area, whatever size and place were
    // stored. The offscreen platform has no real screen to fit (its stand-in
    // is smaller than the program's usual window).
    const QScreen* screen = frame_->screen() ? frame_->screen() : QGuiApplication::primaryScreen();
    if (screen && QGuiApplication::platformName() != QStringLiteral("offscreen")) {
        const QRect a = screen->availableGeometry();
        const ScreenRect fitted = FitIntoArea({x, y, outerWidth, outerHeight}, {a.x(), a.y(), a.width(), a.height()},
                                              kFrameWidth + 1, kFrameHeight + 1);
        x = fitted.x, y = fitted.y, outerWidth = fitted.width, outerHeight = fitted.height;
    }
    ResizeDrawingArea(outerWidth - kFrameWidth, outerHeight - kFrameHeight);
    frame_->move(x, y);
}

TextOut& QtWindow::text() {
    if (!text_) text_ = std::make_unique<QtTextOut>(canvas_);
    return *text_;
}

void QtWindow::Update() {
    if (frame_->isVisible()) {
        area_->repaint();
    }
}

void QtWindow::SetPointer(PointerShape shape) {
    pointer_ = shape;
    switch (shape) {
        case PointerShape::Normal:
            frame_->unsetCursor();
            area_->unsetCursor();
            break;
        case PointerShape::Busy:
            frame_->setCursor(Qt::WaitCursor);
            area_->setCursor(Qt::WaitCursor);
            break;
        case PointerShape::Crosshair:
            frame_->unsetCursor();
            area_->setCursor(Qt::CrossCursor);
            break;
    }
}

ClockReading QtWindow::Now() const {
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QDate d = now.date();
    const QTime t = now.time();
    ClockReading lt;
    lt.year = d.year();
    lt.month = d.month();
    lt.day = d.day();
    lt.hour = t.hour();
    lt.minute = t.minute();
    lt.second = t.second() + t.msec() / 1000.0;
    return lt;
}

void QtWindow::Pause(int milliseconds) {
    ++nested_;
    if (milliseconds <= 0) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    } else {
        QEventLoop loop;
        QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    --nested_;
}

void QtWindow::SetTimer(int milliseconds, std::function<void()> tick) {
    timer_.stop();
    tick_ = std::move(tick);
    if (milliseconds > 0 && tick_) timer_.start(milliseconds);
}

void QtWindow::Tick() {
    // Inside a dialog's or a prompt's own event loop, or while a command
    // keeps the window alive with ProcessEvents, a command is running.
    if (nested_ > 0 || QThread::currentThread()->loopLevel() > 1) return;
    if (tick_) tick_();
}

void QtWindow::ProcessEvents() {
    ++nested_;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    --nested_;
}

void QtWindow::HandleKey(QKeyEvent* event) {
    const std::optional<Key> key = TranslateKey(event->key(), event->modifiers(), event->text());
    if (!key) {
        event->ignore();
        return;
    }
    event->accept();
    if (onKey) onKey(*key);
}

void QtWindow::HandleMouse(QMouseEvent* event, bool pressed) {
    const QPoint at = event->position().toPoint();
    mouseX_ = at.x();
    mouseY_ = at.y();
    buttons_ = ButtonBits(event->buttons());
    if (onMouse) onMouse(mouseX_, mouseY_, buttons_, pressed);
}

void QtWindow::AreaResized(int width, int height) {
    canvas_.SetPixelRatio(fixedRatio_ > 0 ? fixedRatio_ : ScreenPixelRatio());
    canvas_.Resize(width, height);
    if (onResize) onResize();
}

int QtWindow::ScreenPixelRatio() const {
    const double screen = area_->devicePixelRatioF();
    return std::clamp(static_cast<int>(std::ceil(screen - 0.01)), 1, kMaxPixelRatio);
}

void QtWindow::SetPixelRatio(int ratio) {
    fixedRatio_ = std::clamp(ratio, 0, kMaxPixelRatio);
    followPending_ = false;
    const int wanted = fixedRatio_ > 0 ? fixedRatio_ : ScreenPixelRatio();
    if (wanted == canvas_.PixelRatio()) return;
    canvas_.SetPixelRatio(wanted);
    if (onResize) onResize();
}

// Redraws at the screen's ratio, from the event loop: the screen tells of
// its change in the middle of painting and moving the window.
void QtWindow::FollowScreen() {
    if (fixedRatio_ > 0 || followPending_) return;
    followPending_ = true;
    QTimer::singleShot(0, frame_.get(), [this]() {
        if (!followPending_) return;
        followPending_ = false;
        if (fixedRatio_ > 0 || ScreenPixelRatio() == canvas_.PixelRatio()) return;
        canvas_.SetPixelRatio(ScreenPixelRatio());
        if (onResize) onResize();
    });
}

bool QtWindow::MayClose() { return !onClose || onClose(); }

}  // namespace platform::qt
