#include "platform/qt/QtDialogs.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFileDialog>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

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

PromptWindow::PromptWindow(QWidget* parent, const QString& title, int height, QColor background, QColor text,
                           int width)
    : QDialog(parent), rows_{Row{}}, background_(background), text_(text), font_(RoleFont(FontRole::Label)) {
    setWindowTitle(title);
    setFixedSize(std::max(120, width), std::max(40, height));
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

int PromptWindow::CellWidth() const { return std::max(1, QFontMetrics(font_).horizontalAdvance(QLatin1Char('0'))); }

int PromptWindow::FirstVisibleLine() const {
    const int visible = std::max(1, (height() - 2 * kMargin) / LineHeight());
    const int total = std::max(static_cast<int>(rows_.size()), cursorRow_ + 1);
    return std::max(0, total - visible);
}

int PromptWindow::LineTop(int line) const { return kMargin + (line - FirstVisibleLine()) * LineHeight(); }

int PromptWindow::SegmentX(const Segment& segment) const { return kMargin + (segment.column - 1) * CellWidth(); }

PromptWindow::Row& PromptWindow::CursorRow() {
    while (rows_.size() <= cursorRow_) rows_.append(Row{});
    return rows_[cursorRow_];
}

int PromptWindow::CursorX() const {
    if (located_ || cursorRow_ >= rows_.size() || rows_[cursorRow_].isEmpty())
        return kMargin + (cursorColumn_ - 1) * CellWidth();
    const Segment& last = rows_[cursorRow_].last();
    return SegmentX(last) + QFontMetrics(font_).horizontalAdvance(last.text);
}

QStringList PromptWindow::Lines() const {
    QStringList all;
    const int count = std::max(static_cast<int>(rows_.size()), cursorRow_ + 1);
    for (int r = 0; r < count; ++r) {
        QString line;
        if (r < rows_.size()) {
            for (const Segment& segment : rows_[r]) {
                const int start = segment.column - 1;
                if (line.size() < start) line += QString(start - line.size(), QLatin1Char(' '));
                line = line.left(start) + segment.text;
            }
        }
        all << line;
    }
    return all;
}

QtCanvas& PromptWindow::Layer() {
    if (!layer_) {
        layer_ = std::make_unique<QtCanvas>(width(), height());
        // As fine as the screen: its device pixel ratio, rounded up.
        layer_->SetPixelRatio(static_cast<int>(std::ceil(devicePixelRatioF() - 0.01)));
        layer_->Clear({static_cast<std::uint8_t>(background_.red()), static_cast<std::uint8_t>(background_.green()),
                       static_cast<std::uint8_t>(background_.blue())});
        layer_->onChanged = [this]() { update(); };
    }
    return *layer_;
}

QPoint PromptWindow::CellOrigin(int column, int row) const {
    return {kMargin + (std::max(1, column) - 1) * CellWidth(), LineTop(std::max(1, row) - 1)};
}

void PromptWindow::Print(const QString& text, bool lineEnd) {
    Row& row = CursorRow();
    if (located_ || row.isEmpty()) {
        // A placed text replaces the runs that start under it.
        const int column = cursorColumn_;
        row.erase(std::remove_if(row.begin(), row.end(),
                                 [column, &text](const Segment& s) {
                                     return s.column >= column && s.column < column + std::max<int>(1, text.size());
                                 }),
                  row.end());
        auto at = std::find_if(row.begin(), row.end(), [column](const Segment& s) { return s.column > column; });
        row.insert(at, Segment{column, text});
        located_ = false;
    } else {
        row.last().text += text;
    }
    cursorColumn_ += static_cast<int>(text.size());
    if (lineEnd) {
        ++cursorRow_;
        cursorColumn_ = 1;
        CursorRow();
    }
    update();
}

void PromptWindow::Locate(int column, int row) {
    cursorColumn_ = std::max(1, column);
    cursorRow_ = std::clamp(row, 1, 500) - 1;
    CursorRow();
    located_ = true;
}

void PromptWindow::ClearText() {
    rows_ = {Row{}};
    cursorRow_ = 0;
    cursorColumn_ = 1;
    located_ = false;
    update();
}

bool PromptWindow::Edit(QString& text, int maxLength) {
    if (userClosed_) return false;
    if (!isVisible()) show();
    raise();
    activateWindow();

    const QFontMetrics fm(font_);
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
    const int x = std::min(CursorX(), width() - kMargin - 60);
    const int available = width() - kMargin - x;
    const int wanted = maxLength > 0 ? fm.horizontalAdvance(QLatin1Char('0')) * (maxLength + 1) + 12 : available;
    field.setGeometry(x, LineTop(cursorRow_), std::clamp(wanted, 40, available), lineHeight - 2);
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

bool PromptWindow::WaitKeyOrClick() {
    if (userClosed_) return false;
    if (!isVisible()) show();
    raise();
    activateWindow();
    setFocus(Qt::OtherFocusReason);
    QEventLoop loop;
    loop_ = &loop;
    waiting_ = true;
    const bool pressed = loop.exec() == 1;
    waiting_ = false;
    loop_ = nullptr;
    return pressed;
}

void PromptWindow::keyPressEvent(QKeyEvent* event) {
    if (waiting_ && loop_) {
        loop_->exit(1);
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void PromptWindow::mousePressEvent(QMouseEvent* event) {
    if (waiting_ && loop_) {
        loop_->exit(1);
        event->accept();
        return;
    }
    QDialog::mousePressEvent(event);
}

void PromptWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (layer_) {
        p.drawImage(0, 0, layer_->Image());
        layer_->ResetChanged();
    } else {
        p.fillRect(rect(), background_);
    }
    p.setPen(text_);
    p.setFont(font_);
    const QFontMetrics fm(font_);
    const int lineHeight = LineHeight();
    for (int i = FirstVisibleLine(); i < rows_.size(); ++i) {
        const int baseline = LineTop(i) + (lineHeight - fm.height()) / 2 + fm.ascent();
        for (const Segment& segment : rows_[i]) p.drawText(SegmentX(segment), baseline, segment.text);
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

void QtDialogs::OpenPromptWindow(const std::string& title, int height, int width) {
    prompt_ = std::make_unique<PromptWindow>(parent_, FromUtf8(title), height, promptBackground_, promptText_, width);
    prompt_->show();
}

void QtDialogs::PromptPrint(const std::string& text, bool lineEnd) { EnsurePrompt().Print(FromUtf8(text), lineEnd); }

void QtDialogs::PromptLocate(int column, int row) { EnsurePrompt().Locate(column, row); }

void QtDialogs::PromptClear() { EnsurePrompt().ClearText(); }

bool QtDialogs::PromptWaitKeyOrClick() { return EnsurePrompt().WaitKeyOrClick(); }

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

Canvas& QtDialogs::PromptCanvas() { return EnsurePrompt().Layer(); }

Dialogs::CellOrigin QtDialogs::PromptCellOrigin(int column, int row) {
    const QPoint at = EnsurePrompt().CellOrigin(column, row);
    return {at.x(), at.y()};
}

void QtDialogs::ClosePromptWindow() { prompt_.reset(); }

namespace {

// The file list's size and date columns in German ("394 Bytes", "1,2 KB",
// "07.12.2026 17:40"): the toolkit's file model writes them in the
// computer's locale, which the program does not change, since that locale
// also decides how the C library reads and writes numbers.
class GermanFileColumns : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || !files || !index.isValid() || (index.column() != 1 && index.column() != 3))
            return QIdentityProxyModel::data(index, role);
        const QModelIndex file = mapToSource(index);
        const QLocale german(QLocale::German, QLocale::Germany);
        if (index.column() == 1) {
            if (files->isDir(file)) return QString();
            return german.formattedDataSize(files->size(file), 1, QLocale::DataSizeTraditionalFormat);
        }
        const QDateTime changed = files->lastModified(file);
        return changed.isValid() ? german.toString(changed, QStringLiteral("dd.MM.yyyy HH:mm")) : QString();
    }
};

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
    // The list with its columns (name, size, type, date), each wide enough
    // to read: the names as wide as the longest one, in a dialog of room.
    dialog.setViewMode(QFileDialog::Detail);
    dialog.setProxyModel(new GermanFileColumns(&dialog));
    dialog.resize(std::max(dialog.width(), 820), std::max(dialog.height(), 480));
    if (auto* list = dialog.findChild<QTreeView*>(QStringLiteral("treeView")))
        list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
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
