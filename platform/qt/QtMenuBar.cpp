#include "platform/qt/QtMenuBar.h"

#include <QAction>
#include <QMenu>

#include <algorithm>
#include <cctype>

#include "platform/qt/QtText.h"

namespace platform::qt {

namespace {

// Number of bytes of the UTF-8 sequence that starts with byte c.
std::size_t Utf8Length(unsigned char c) {
    if (c < 0x80) return 1;
    if ((c & 0xE0) == 0xC0) return 2;
    if ((c & 0xF0) == 0xE0) return 3;
    if ((c & 0xF8) == 0xF0) return 4;
    return 1;
}

bool IsOneCharacter(const std::string& s) { return !s.empty() && Utf8Length(static_cast<unsigned char>(s[0])) == s.size(); }

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

std::string TrimBlanks(const std::string& s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(' ');
    return s.substr(first, last - first + 1);
}

// A single-blank hint is "&x" or one letter; anything else after a single
// blank belongs to the text ("Jul. Datum", "M 1").
bool IsShortHint(const std::string& word) {
    if (word.size() > 1 && word[0] == '&') return IsOneCharacter(word.substr(1));
    return word.size() == 1 && IsAsciiLetter(word[0]);
}

void SetHint(CaptionParts& parts, std::string hint) {
    if (hint.size() > 1 && hint[0] == '&') {
        parts.hintMnemonic = true;
        hint.erase(0, 1);
    }
    if (hint.size() == 2 && hint[0] == '^' && IsAsciiLetter(hint[1])) {
        hint = std::string("Strg+") + static_cast<char>(std::toupper(static_cast<unsigned char>(hint[1])));
    }
    parts.hint = hint;
}

}  // namespace

CaptionParts ParseCaption(const std::string& caption) {
    CaptionParts parts;
    if (caption == "-") {
        parts.separator = true;
        return parts;
    }
    std::string body = caption;
    if (!body.empty() && body[0] == '-') {
        parts.greyed = true;
        body.erase(0, 1);
    }
    const auto start = body.find_first_not_of(' ');
    const auto run = start == std::string::npos ? std::string::npos : body.find("  ", start);
    if (run != std::string::npos) {
        parts.text = TrimBlanks(body.substr(0, run));
        const std::string hint = TrimBlanks(body.substr(run));
        if (!hint.empty()) SetHint(parts, hint);
        return parts;
    }
    const std::string trimmed = TrimBlanks(body);
    const auto blank = trimmed.rfind(' ');
    if (blank != std::string::npos && IsShortHint(trimmed.substr(blank + 1))) {
        parts.text = TrimBlanks(trimmed.substr(0, blank));
        SetHint(parts, trimmed.substr(blank + 1));
        return parts;
    }
    parts.text = trimmed;
    return parts;
}

QtMenuBar::QtMenuBar(QMenuBar* bar) : bar_(bar), context_(std::make_unique<QObject>()) {}

QtMenuBar::~QtMenuBar() { Clear(); }

void QtMenuBar::Clear() {
    if (bar_) bar_->clear();
    for (auto& menu : menus_) {
        // A choice may still be unwinding inside the old menu.
        if (menu) menu->deleteLater();
    }
    menus_.clear();
    actions_.clear();
    states_.clear();
}

void QtMenuBar::Build(const std::vector<std::string>& captions, int last) {
    Clear();
    if (!bar_ || last < 0) return;
    const int count = std::min(last + 1, static_cast<int>(captions.size()));
    actions_.assign(static_cast<std::size_t>(count), nullptr);
    states_.assign(static_cast<std::size_t>(count), kItemPlain);
    QMenu* current = nullptr;
    bool expectTitle = true;
    for (int i = 0; i < count; ++i) {
        const std::string& caption = captions[static_cast<std::size_t>(i)];
        if (caption.empty()) {
            expectTitle = true;
            current = nullptr;
            continue;
        }
        const CaptionParts parts = ParseCaption(caption);
        if (expectTitle) {
            expectTitle = false;
            if (parts.separator) {
                bar_->addSeparator();
                continue;
            }
            current = new QMenu(FromUtf8(parts.text), bar_);
            menus_.emplace_back(current);
            bar_->addMenu(current);
            actions_[static_cast<std::size_t>(i)] = current->menuAction();
            if (parts.greyed) states_[static_cast<std::size_t>(i)] = kItemGreyed;
            ApplyState(i);
            continue;
        }
        if (!current) continue;  // items under a separator in the bar
        if (parts.separator) {
            current->addSeparator();
            continue;
        }
        QString text = FromUtf8(parts.text);
        if (!parts.hint.empty()) text += QLatin1Char('\t') + (parts.hintMnemonic ? QStringLiteral("&") : QString()) + FromUtf8(parts.hint);
        QAction* action = current->addAction(text);
        actions_[static_cast<std::size_t>(i)] = action;
        if (parts.greyed) states_[static_cast<std::size_t>(i)] = kItemGreyed;
        ApplyState(i);
        QObject::connect(action, &QAction::triggered, context_.get(), [this, i]() {
            // The mark stays what the program set; choosing does not toggle it.
            ApplyState(i);
            QMetaObject::invokeMethod(
                context_.get(), [this, i]() { if (onChoose) onChoose(i); }, Qt::QueuedConnection);
        });
    }
}

QAction* QtMenuBar::Action(int n) const {
    if (n < 0 || n >= static_cast<int>(actions_.size())) return nullptr;
    return actions_[static_cast<std::size_t>(n)].data();
}

void QtMenuBar::ApplyState(int n) {
    QAction* action = Action(n);
    if (!action) return;
    const int state = states_[static_cast<std::size_t>(n)];
    if (action->menu() == nullptr) {
        action->setCheckable(state == kItemChecked);
        action->setChecked(state == kItemChecked);
    }
    action->setEnabled(state != kItemGreyed);
}

void QtMenuBar::SetItemState(int n, int state) {
    if (!Action(n)) return;
    states_[static_cast<std::size_t>(n)] = (state >= kItemPlain && state <= kItemEnabled) ? state : kItemPlain;
    ApplyState(n);
}

int QtMenuBar::ItemState(int n) const {
    if (!Action(n)) return kItemPlain;
    return states_[static_cast<std::size_t>(n)];
}

}  // namespace platform::qt
