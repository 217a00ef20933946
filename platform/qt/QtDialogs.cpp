#include "platform/qt/QtDialogs.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFileDialog>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtText.h"

namespace platform::qt {

namespace {

constexpr int kMargin = 8;

QStringList SplitBars(const std::string& text) { return FromUtf8(text).split(QLatin1Char('|')); }

// File names may come in the old form with backslashes.
QString LocalPath(const std::string& path) {
    QString p = FromUtf8(path);
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return p;
}

}  // namespace

QStringList FileNameFilters(const std::string& filters) {
    const QStringList parts = SplitBars(filters);
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString p = pattern.trimmed();
            if (p.isEmpty()) continue;
            // "*.*" means every file, with or without an extension.
            patterns << (p == QStringLiteral("*.*") ? QStringLiteral("*") : p);
        }
        if (description.isEmpty() && patterns.isEmpty()) continue;
        if (patterns.isEmpty()) patterns << QStringLiteral("*");
        result << description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return result;
}

// ---------------------------------------------------------------- prompt window

PromptWindow::PromptWindow(QWidget* parent, const QString& title, int height, QColor background, QColor text)
    : QDialog(parent), background_(background), text_(text), font_(RoleFont(FontRole::Label)) {
    setWindowTitle(title);
    setFixedSize(QtDialogs::kPromptWidth, std::max(40, height));
    setWindowModality(Qt::ApplicationModal);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // A row holds a line of text or an edit field.
    QLineEdit probe;
    probe.setFont(font_);
    lineHeight_ = std::max(QFontMetrics(font_).height() + 6, probe.sizeHint().height() + 2);
}

PromptWindow::~PromptWindow() {
    if (loop_) loop_->exit(0);
}

int PromptWindow::FirstVisibleLine() const {
    const int rows = std::max(1, (height() - 2 * kMargin) / LineHeight());
    const int total = static_cast<int>(lines_.size()) + 1;
    return std::max(0, total - rows);
}

int PromptWindow::LineTop(int line) const { return kMargin + (line - FirstVisibleLine()) * LineHeight(); }

QStringList PromptWindow::Lines() const {
    QStringList all = lines_;
    all << current_;
    return all;
}

void PromptWindow::Print(const QString& text, bool lineEnd) {
    current_ += text;
    if (lineEnd) {
        lines_ << current_;
        current_.clear();
    }
    update();
}

void PromptWindow::ClearText() {
    lines_.clear();
    current_.clear();
    update();
}

bool PromptWindow::Edit(QString& text, int maxLength) {
    if (userClosed_) return false;
    if (!isVisible()) show();
    raise();
    activateWindow();

    const QFontMetrics fm(font_);
    const int line = static_cast<int>(lines_.size());
    const int lineHeight = LineHeight();
    QLineEdit field(this);
    field.setFont(font_);
    field.setMaxLength(maxLength > 0 ? maxLength : 32767);
    QPalette palette = field.palette();
    palette.setColor(QPalette::Base, background_);
    palette.setColor(QPalette::Text, text_);
    field.setPalette(palette);
    field.setText(text);
    field.selectAll();
    const int x = std::min(kMargin + fm.horizontalAdvance(current_), width() - kMargin - 60);
    const int available = width() - kMargin - x;
    const int wanted = maxLength > 0 ? fm.horizontalAdvance(QLatin1Char('0')) * (maxLength + 1) + 12 : available;
    field.setGeometry(x, LineTop(line), std::clamp(wanted, 40, available), lineHeight - 2);
    field.show();
    field.setFocus(Qt::OtherFocusReason);
    field_ = &field;

    QEventLoop loop;
    loop_ = &loop;
    QObject::connect(&field, &QLineEdit::returnPressed, &loop, [&loop]() { loop.exit(1); });
    const bool entered = loop.exec() == 1;
    loop_ = nullptr;
    field_ = nullptr;
    if (entered) text = field.text();
    // The answer stays on its line; the cursor moves to the next one.
    Print(text, true);
    return entered;
}

void PromptWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), background_);
    p.setPen(text_);
    p.setFont(font_);
    const QFontMetrics fm(font_);
    const QStringList all = Lines();
    const int lineHeight = LineHeight();
    for (int i = FirstVisibleLine(); i < all.size(); ++i) {
        const int top = LineTop(i) + (lineHeight - fm.height()) / 2;
        p.drawText(kMargin, top + fm.ascent(), all[i]);
    }
}

void PromptWindow::closeEvent(QCloseEvent* event) {
    userClosed_ = true;
    if (loop_) loop_->exit(0);
    event->accept();
}

// Escape ends the edit without an answer; the window stays until the
// program closes it.
void PromptWindow::reject() {
    if (loop_) loop_->exit(0);
}

// ---------------------------------------------------------------- dialogs

QtDialogs::QtDialogs(QWidget* parent) : parent_(parent) {}

QtDialogs::~QtDialogs() = default;

int QtDialogs::MessageBox(const std::string& text, const std::string& buttons, int preselected) {
    QDialog box(parent_);
    box.setWindowTitle(messageTitle_.empty() ? QApplication::applicationDisplayName() : FromUtf8(messageTitle_));
    auto* layout = new QVBoxLayout(&box);
    auto* label = new QLabel(SplitBars(text).join(QLatin1Char('\n')), &box);
    label->setTextFormat(Qt::PlainText);
    label->setObjectName(QStringLiteral("text"));
    layout->addWidget(label);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    QStringList labels = SplitBars(buttons);
    if (buttons.empty()) labels = QStringList{QStringLiteral("OK")};
    for (qsizetype i = 0; i < labels.size(); ++i) {
        const int answer = static_cast<int>(i) + 1;
        auto* button = new QPushButton(labels[i], &box);
        button->setObjectName(QStringLiteral("button%1").arg(answer));
        button->setAutoDefault(false);
        QObject::connect(button, &QPushButton::clicked, &box, [&box, answer]() { box.done(answer); });
        row->addWidget(button);
        if (answer == preselected) {
            button->setDefault(true);
            button->setFocus(Qt::OtherFocusReason);
        }
    }
    row->addStretch(1);
    layout->addLayout(row);
    // Escape and closing the box answer 0.
    return box.exec();
}

void QtDialogs::SetPromptColours(Colour background, Colour text) {
    promptBackground_ = QColor(background.r, background.g, background.b);
    promptText_ = QColor(text.r, text.g, text.b);
}

// Printing or editing without an open prompt window opens one of the usual
// height.
PromptWindow& QtDialogs::EnsurePrompt() {
    if (!prompt_) OpenPromptWindow(std::string(), 235);
    return *prompt_;
}

void QtDialogs::OpenPromptWindow(const std::string& title, int height) {
    prompt_ = std::make_unique<PromptWindow>(parent_, FromUtf8(title), height, promptBackground_, promptText_);
    prompt_->show();
}

void QtDialogs::PromptPrint(const std::string& text, bool lineEnd) { EnsurePrompt().Print(FromUtf8(text), lineEnd); }

void QtDialogs::PromptClear() { EnsurePrompt().ClearText(); }

bool QtDialogs::EditField(std::string& text, int maxLength) {
    QString value = FromUtf8(text);
    if (!EnsurePrompt().Edit(value, maxLength)) return false;
    text = ToUtf8(value);
    return true;
}

bool QtDialogs::LineInput(std::string& text) {
    QString value;
    if (!EnsurePrompt().Edit(value, 0)) return false;
    text = ToUtf8(value);
    return true;
}

void QtDialogs::ClosePromptWindow() { prompt_.reset(); }

namespace {

std::optional<std::string> RunFileDialog(QWidget* parent, QFileDialog::AcceptMode mode, const std::string& title,
                                         const std::string& folder, const std::string& fileName,
                                         const std::string& filters) {
    QFileDialog dialog(parent, FromUtf8(title), LocalPath(folder));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    const QStringList nameFilters = FileNameFilters(filters);
    if (!nameFilters.isEmpty()) dialog.setNameFilters(nameFilters);
    if (mode == QFileDialog::AcceptSave && !nameFilters.isEmpty()) {
        // A name typed without extension gets the first filter's one.
        const QString first = nameFilters.first();
        const qsizetype open = first.lastIndexOf(QLatin1Char('('));
        const QString pattern = first.mid(open + 1).section(QLatin1Char(' '), 0, 0).remove(QLatin1Char(')'));
        if (pattern.startsWith(QStringLiteral("*.")) && !pattern.mid(2).contains(QLatin1Char('*'))) {
            dialog.setDefaultSuffix(pattern.mid(2));
        }
    }
    if (!fileName.empty()) dialog.selectFile(LocalPath(fileName));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) return std::nullopt;
    return ToUtf8(files.first());
}

}  // namespace

std::optional<std::string> QtDialogs::OpenFile(const std::string& title, const std::string& folder,
                                               const std::string& filters) {
    return RunFileDialog(parent_, QFileDialog::AcceptOpen, title, folder, std::string(), filters);
}

std::optional<std::string> QtDialogs::SaveFile(const std::string& title, const std::string& folder,
                                               const std::string& fileName, const std::string& filters) {
    return RunFileDialog(parent_, QFileDialog::AcceptSave, title, folder, fileName, filters);
}

}  // namespace platform::qt
