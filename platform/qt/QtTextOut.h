// A text stream in character cells drawn into a canvas in the fixed-pitch
// table font: cell width is the width of "M", cell height the text height;
// column c, row r has its top-left corner at ((c-1)*width, (r-1)*height).
#pragma once

#include "platform/Canvas.h"
#include "platform/TextOut.h"

namespace platform::qt {

class QtTextOut : public TextOut {
public:
    // pointSize 0 chooses the table font's standard size.
    explicit QtTextOut(Canvas& canvas, double pointSize = 0);

    void Locate(int column, int row) override;
    void Print(const std::string& utf8, bool lineEnd) override;
    void SetFont(FontRole role, double pointSize = 0) override;
    void SetColours(Colour text, Colour background) override;
    void Clear() override;
    int Columns() const override;
    int Rows() const override;

    int CellWidth() const { return cellWidth_; }
    int CellHeight() const { return cellHeight_; }
    int Column() const { return column_; }
    int Row() const { return row_; }

private:
    Canvas& canvas_;
    FontRole role_ = FontRole::Table;
    double pointSize_;
    int cellWidth_ = 1;
    int cellHeight_ = 1;
    int column_ = 1;
    int row_ = 1;
    Colour text_{0, 0, 0};
    Colour background_{255, 255, 255};
};

// Number of characters (Unicode code points) of a UTF-8 text.
int CharacterCount(const std::string& utf8);

}  // namespace platform::qt
