// Answers modal dialogs from inside their event loops: a timer waits for
// the condition, then acts once. A watchdog closes a dialog still open a
// few seconds later, so that a failing test ends instead of hanging.
#pragma once

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace platform::qt::testing {

// Closes the dialog, and whatever it opened on top of itself, if it is
// still open after three seconds.
inline void Watch(QPointer<QWidget> dialog) {
    QTimer::singleShot(3000, [dialog]() {
        while (dialog && dialog->isVisible()) {
            QWidget* top = QApplication::activeModalWidget();
            if (!top) break;
            ADD_FAILURE() << "a dialog was left open: " << top->windowTitle().toStdString();
            top->close();
            QApplication::processEvents();
        }
    });
}

inline void WhenReady(std::function<bool()> ready, std::function<void()> action) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    auto polls = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, ready, action, polls]() {
        if (++*polls > 500) {  // five seconds: give up, end a waiting dialog
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "the awaited state did not come";
            if (QWidget* top = QApplication::activeModalWidget()) top->close();
            return;
        }
        if (!ready()) return;
        timer->stop();
        timer->deleteLater();
        Watch(QApplication::activeModalWidget());
        action();
    });
    timer->start();
}

// Acts on the active modal dialog once it is shown.
inline void WhenModal(std::function<void(QWidget*)> action) {
    WhenReady([]() { return QApplication::activeModalWidget() != nullptr; },
              [action]() { action(QApplication::activeModalWidget()); });
}

}  // namespace platform::qt::testing
