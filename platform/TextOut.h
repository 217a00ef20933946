// A running text stream in character cells (a text window or the printed
// page), and the printer with its pages.
#pragma once

#include <string>

#include "platform/Canvas.h"

namespace platform {

class TextOut {
public:
    virtual ~TextOut() = default;

    // Moves the cursor to a character cell; column and row count from 1.
    virtual void Locate(int column, int row) = 0;
    // Writes the text at the cursor and moves the cursor behind it; with
    // lineEnd the cursor then goes to column 1 of the next row.
    virtual void Print(const std::string& utf8, bool lineEnd) = 0;
    // The fixed-pitch font of the text that follows (pointSize 0: the
    // role's standard size); the cells take its size.
    virtual void SetFont(FontRole role, double pointSize = 0) = 0;
    // Colours of the text and of the cells behind it (text overwrites
    // whatever the cells showed before).
    virtual void SetColours(Colour text, Colour background) = 0;
    // Clears every cell to the background colour; the cursor goes to (1, 1).
    virtual void Clear() = 0;
    // Number of whole cells across and down.
    virtual int Columns() const = 0;
    virtual int Rows() const = 0;
};

class Printer {
public:
    virtual ~Printer() = default;

    // Shows the system's print dialog (which offers printing to a PDF file)
    // and starts the document; false when the dialog was cancelled.
    virtual bool Begin(const std::string& documentName, bool landscape) = 0;
    // The orientation of the started document: the one asked for, or the
    // one the user chose in the dialog.
    virtual bool Landscape() const = 0;
    // The current page in page units: 980 x 980/0.70735 in portrait, 1176 x
    // 1176*0.70735 in landscape, scaled onto the real page. Inverting raster
    // operations are drawn as plain copies there.
    virtual Canvas& page() = 0;
    // The text stream on the current page.
    virtual TextOut& text() = 0;
    // Ends the current page and starts the next one.
    virtual void NewPage() = 0;
    // Ends the last page and the document.
    virtual void End() = 0;
};

}  // namespace platform
