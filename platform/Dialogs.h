// Message boxes, the prompt window and the file dialogs. All are modal: a
// call returns when the user has answered.
#pragma once

#include <optional>
#include <string>

#include "platform/Canvas.h"

namespace platform {

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Lines of text and button labels are separated by "|". Returns the
    // 1-based number of the chosen button (0 when the box was closed without
    // a choice). preselected is the 1-based default button, 0 for none.
    virtual int MessageBox(const std::string& text, const std::string& buttons, int preselected = 0) = 0;

    // The prompt window: a small window with a title, lines of text printed
    // at a cursor that advances line by line, and one-line edit fields.
    // Its colours are the program's background and text colours of the
    // moment; they apply to the next prompt window opened.
    virtual void SetPromptColours(Colour /*background*/, Colour /*text*/) {}
    // The usual prompt window is 454 pixels wide; the text windows of the
    // element and result dialogs ask for more.
    virtual void OpenPromptWindow(const std::string& title, int height, int width = 454) = 0;
    virtual void PromptPrint(const std::string& text, bool lineEnd = true) = 0;
    // Moves the text cursor to a character cell (column and row from 1);
    // text printed there overwrites the cells it covers.
    virtual void PromptLocate(int column, int row) = 0;
    virtual void PromptClear() = 0;
    // Waits for a key or a mouse click in the prompt window. Returns false
    // when the window was closed instead.
    virtual bool PromptWaitKeyOrClick() = 0;
    // Edits text in place on the current line (at most maxLength
    // characters). Returns false when the user cancels or closes the window.
    virtual bool EditField(std::string& text, int maxLength) = 0;
    // A line without a default.
    virtual bool LineInput(std::string& text) = 0;
    // The prompt window's drawing layer: pixel coordinates from the
    // window's top-left corner; the text stands over what is drawn. Like
    // printing, it opens a window of the usual height when none is open.
    virtual Canvas& PromptCanvas() = 0;
    // The pixel position of the top-left corner of a text cell (column and
    // row from 1) of the prompt window.
    struct CellOrigin {
        int x = 0, y = 0;
    };
    virtual CellOrigin PromptCellOrigin(int column, int row) = 0;
    virtual void ClosePromptWindow() = 0;

    // filters: "Bahnelemente|*.kpl;|Kometen *.kom|*.kom;|..." (description|pattern pairs).
    virtual std::optional<std::string> OpenFile(const std::string& title, const std::string& folder,
                                                const std::string& filters) = 0;
    virtual std::optional<std::string> SaveFile(const std::string& title, const std::string& folder,
                                                const std::string& fileName, const std::string& filters) = 0;
};

}  // namespace platform
