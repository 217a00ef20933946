// The menu bar built from the program's caption table. Key hints are shown
// beside the items but not registered as shortcuts: the program reads its
// command keys itself, so a key must reach the window, not an action.
#pragma once

#include <QMenuBar>
#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Menu.h"

class QAction;
class QMenu;

namespace platform::qt {

// One caption taken apart.
struct CaptionParts {
    bool separator = false;  // "-"
    bool greyed = false;     // "-text"
    std::string text;        // shown text, "&" kept as the mnemonic mark
    std::string hint;        // key hint as shown ("J", "Ctrl+P", "Bild vor"), may be empty
    bool hintMnemonic = false;  // the hint was written "&x": x is the item's mnemonic
};

// The text after the first run of two or more blanks is the key hint. A
// caption without such a run may end in a single blank and a one-letter
// hint ("&Sternbilder S", "1 Woche + &w"). "^P" is shown as "Ctrl+P".
CaptionParts ParseCaption(const std::string& caption);

class QtMenuBar : public MenuBar {
public:
    explicit QtMenuBar(QMenuBar* bar);
    ~QtMenuBar() override;

    void Build(const std::vector<std::string>& captions, int last) override;
    void SetItemState(int n, int state) override;
    int ItemState(int n) const override;

    // Called with the item number when an item is chosen. The call is
    // queued: it runs after the menu has closed, so the handler may rebuild
    // the menu bar.
    std::function<void(int item)> onChoose;

    QMenuBar* Bar() const { return bar_; }
    // The action of item or title n, nullptr for separators, empty captions
    // and numbers outside the table.
    QAction* Action(int n) const;

private:
    void Clear();
    void ApplyState(int n);

    QPointer<QMenuBar> bar_;
    std::unique_ptr<QObject> context_;  // receiver of the queued choices
    std::vector<QPointer<QMenu>> menus_;
    std::vector<QPointer<QAction>> actions_;
    std::vector<int> states_;
};

}  // namespace platform::qt
