// Message boxes, the prompt window and the file dialogs on Qt widgets. All
// of them are modal and return when the user has answered.
#pragma once

#include <QColor>
#include <QDialog>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <string>

#include "platform/Canvas.h"
#include "platform/Dialogs.h"
#include "platform/qt/QtCanvas.h"

class QEventLoop;
class QLineEdit;
class QWidget;

namespace platform::qt {

// "Bahnelemente|*.kpl;|Kometen *.kom|*.kom;|alles *.*|*.*" as QFileDialog
// name filters: "Bahnelemente (*.kpl)", "Kometen *.kom (*.kom)", "alles *.* (*)".
QStringList FileNameFilters(const std::string& filters);

// The prompt window: lines of text printed at a cursor that advances line
// by line, and a one-line edit field on the current line.
class PromptWindow : public QDialog {
public:
    PromptWindow(QWidget* parent, const QString& title, int height, QColor background, QColor text, int width = 454);
    ~PromptWindow() override;

    void Print(const QString& text, bool lineEnd);
    // Character cells count from 1; text starting there replaces what the
    // row showed from that column on.
    void Locate(int column, int row);
    void ClearText();
    // Runs until Enter (true) or Escape or closing the window (false).
    bool Edit(QString& text, int maxLength);
    // Runs until a key or a mouse button is pressed in the window (true) or
    // the window is closed (false).
    bool WaitKeyOrClick();
    bool UserClosed() const { return userClosed_; }
    // The edit field while Edit runs, else nullptr.
    QLineEdit* Field() const { return field_; }
    bool Waiting() const { return waiting_; }
    // The rows shown, as text with the cells before a placed text filled
    // with blanks; the cursor's row last.
    QStringList Lines() const;
    // The drawing layer under the text, as large as the window; made on
    // first use, filled with the window's background.
    QtCanvas& Layer();
    bool HasLayer() const { return layer_ != nullptr; }
    // Top-left pixel of the text cell (column, row; from 1).
    QPoint CellOrigin(int column, int row) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void reject() override;

private:
    // A run of text starting at a character cell.
    struct Segment {
        int column = 1;
        QString text;
    };
    using Row = QList<Segment>;

    int LineHeight() const { return lineHeight_; }
    int CellWidth() const;
    int FirstVisibleLine() const;
    int LineTop(int line) const;
    int SegmentX(const Segment& segment) const;
    // The pixel position where the cursor's row continues.
    int CursorX() const;
    Row& CursorRow();

    QList<Row> rows_;
    int cursorRow_ = 0;
    int cursorColumn_ = 1;
    bool located_ = false;  // the next text starts a new run at the cursor column
    QColor background_, text_;
    QFont font_;
    int lineHeight_ = 20;
    QLineEdit* field_ = nullptr;
    std::unique_ptr<QtCanvas> layer_;
    QEventLoop* loop_ = nullptr;
    bool waiting_ = false;
    bool userClosed_ = false;
};

class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent);
    ~QtDialogs() override;

    // Title of the message boxes (the application's name by default).
    void SetMessageTitle(const std::string& title) { messageTitle_ = title; }

    int MessageBox(const std::string& text, const std::string& buttons, int preselected = 0) override;
    void SetPromptColours(Colour background, Colour text) override;
    void OpenPromptWindow(const std::string& title, int height, int width = kPromptWidth) override;
    void PromptPrint(const std::string& text, bool lineEnd = true) override;
    void PromptLocate(int column, int row) override;
    void PromptClear() override;
    bool PromptWaitKeyOrClick() override;
    bool EditField(std::string& text, int maxLength) override;
    bool LineInput(std::string& text) override;
    Canvas& PromptCanvas() override;
    CellOrigin PromptCellOrigin(int column, int row) override;
    void ClosePromptWindow() override;
    std::optional<std::string> OpenFile(const std::string& title, const std::string& folder,
                                        const std::string& filters) override;
    std::optional<std::string> SaveFile(const std::string& title, const std::string& folder,
                                        const std::string& fileName, const std::string& filters) override;

    PromptWindow* Prompt() const { return prompt_.get(); }

    static constexpr int kPromptWidth = 454;

private:
    PromptWindow& EnsurePrompt();

    QPointer<QWidget> parent_;
    std::unique_ptr<PromptWindow> prompt_;
    std::string messageTitle_;
    QColor promptBackground_{0, 0, 0};
    QColor promptText_{180, 180, 180};
};

}  // namespace platform::qt
