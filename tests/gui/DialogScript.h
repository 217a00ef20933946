// Scripted answers to the program's prompt window and message boxes, played
// from inside their event loops, with a record of what they showed.
#pragma once

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "../platform/ModalHelper.h"
#include "platform/qt/QtDialogs.h"

// One user action: an edit field's answer, a message box button, a key
// press while a result window waits, or an action in the main window once
// it is ready for it.
struct Step {
    enum Kind { Field, Box, Wait, Window } kind = Field;
    std::string text;  // Field: the answer; kKeep accepts the offered text, kEscape cancels
    int button = 0;    // Box: the 1-based button to click
    std::function<bool()> ready = nullptr;  // Window: when to act
    std::function<void()> act = nullptr;    // Window: what to do
};
inline const std::string kKeep = "\x01keep";
inline const std::string kEscape = "\x1b";

inline Step Type(const std::string& text) { return {Step::Field, text, 0}; }
inline Step Click(int button) { return {Step::Box, {}, button}; }
inline Step Key() { return {Step::Wait, {}, 0}; }
inline Step When(std::function<bool()> ready, std::function<void()> act) {
    return {Step::Window, {}, 0, std::move(ready), std::move(act)};
}

class DialogScript {
public:
    // Plays the steps in turn from inside the dialogs' event loops. Records
    // the text each field offered, the text of each message box and the rows
    // the prompt window shows at every box and wait.
    void Play(platform::qt::QtDialogs& dialogs, std::vector<Step> steps) {
        if (steps.empty()) return;
        const Step step = steps.front();
        const std::vector<Step> rest(steps.begin() + 1, steps.end());
        auto ready = [&dialogs, step]() -> bool {
            switch (step.kind) {
                case Step::Field: return dialogs.Prompt() && dialogs.Prompt()->Field() && dialogs.Prompt()->Field()->isVisible();
                case Step::Wait: return dialogs.Prompt() && dialogs.Prompt()->Waiting();
                case Step::Window: return step.ready();
                case Step::Box: {
                    QWidget* top = QApplication::activeModalWidget();
                    return top && top->findChild<QPushButton*>(QStringLiteral("button1"));
                }
            }
            return false;
        };
        platform::qt::testing::WhenReady(ready, [this, &dialogs, step, rest]() {
            Play(dialogs, rest);
            if (step.kind == Step::Window) {
                step.act();
                return;
            }
            if (step.kind != Step::Field) {
                std::vector<std::string> rows;
                if (dialogs.Prompt())
                    for (const QString& row : dialogs.Prompt()->Lines()) rows.push_back(row.toStdString());
                shown.push_back(rows);
            }
            if (step.kind == Step::Box) {
                if (atBox) atBox();
                QWidget* box = QApplication::activeModalWidget();
                boxes.push_back(box->findChild<QLabel*>(QStringLiteral("text"))->text().toStdString());
                box->findChild<QPushButton*>(QStringLiteral("button%1").arg(step.button))->click();
                return;
            }
            if (step.kind == Step::Wait) {
                QTest::keyClick(dialogs.Prompt(), Qt::Key_Return);
                return;
            }
            QLineEdit* field = dialogs.Prompt()->Field();
            offered.push_back(field->text().toStdString());
            if (step.text == kEscape) {
                QTest::keyClick(field, Qt::Key_Escape);
                return;
            }
            if (step.text != kKeep) {
                field->selectAll();
                if (step.text.empty()) QTest::keyClick(field, Qt::Key_Delete);
                else QTest::keyClicks(field, QString::fromStdString(step.text));
            }
            QTest::keyClick(field, Qt::Key_Return);
        });
    }

    // Row r (from 1) of the k-th recorded window.
    std::string Row(std::size_t k, std::size_t r) const {
        if (k >= shown.size() || r == 0 || r > shown[k].size()) return {};
        return shown[k][r - 1];
    }
    static bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

    std::vector<std::string> offered, boxes;
    std::vector<std::vector<std::string>> shown;
    // Looks at the program while each message box waits, before its button
    // is clicked.
    std::function<void()> atBox;
};
