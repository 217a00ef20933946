#include "platform/qt/QtTextOut.h"

#include <algorithm>

namespace platform::qt {

int CharacterCount(const std::string& utf8) {
    int count = 0;
    for (const char ch : utf8) {
        // Continuation bytes (10xxxxxx) belong to the character before them.
        if ((static_cast<unsigned char>(ch) & 0xC0u) != 0x80u) ++count;
    }
    return count;
}

QtTextOut::QtTextOut(Canvas& canvas, double pointSize) : canvas_(canvas), pointSize_(pointSize) {
    SetFont(FontRole::Table, pointSize_);
}

void QtTextOut::SetFont(FontRole role, double pointSize) {
    role_ = role;
    pointSize_ = pointSize;
    canvas_.SetFont(role_, pointSize_);
    cellWidth_ = std::max(1, canvas_.TextWidth("M"));
    cellHeight_ = std::max(1, canvas_.TextHeight());
}

void QtTextOut::Locate(int column, int row) {
    column_ = std::max(1, column);
    row_ = std::max(1, row);
}

void QtTextOut::Print(const std::string& utf8, bool lineEnd) {
    if (!utf8.empty()) {
        canvas_.SetFont(role_, pointSize_);
        canvas_.SetRasterOp(RasterOp::Copy);
        canvas_.SetPen(text_);
        canvas_.SetTextBackground(background_, true);
        canvas_.Text((column_ - 1) * cellWidth_, (row_ - 1) * cellHeight_, utf8);
        column_ += CharacterCount(utf8);
    }
    if (lineEnd) {
        column_ = 1;
        ++row_;
    }
}

void QtTextOut::SetColours(Colour text, Colour background) {
    text_ = text;
    background_ = background;
}

void QtTextOut::Clear() {
    canvas_.Clear(background_);
    column_ = 1;
    row_ = 1;
}

int QtTextOut::Columns() const { return canvas_.Width() / cellWidth_; }
int QtTextOut::Rows() const { return canvas_.Height() / cellHeight_; }

}  // namespace platform::qt
