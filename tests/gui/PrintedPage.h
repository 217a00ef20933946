// A printed PDF page as an image, and how much of it is white paper and how
// much dark ink, for the printing tests.
#pragma once

#include <QImage>
#include <QRect>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

// The first page of the PDF at the resolution (dots per inch); nothing when
// it cannot be rendered.
inline std::optional<QImage> RenderPdfPage(const std::filesystem::path& pdf, int dpi) {
    const std::filesystem::path png = pdf.parent_path() / (pdf.stem().string() + "-seite");
    const std::string command = "pdftoppm -r " + std::to_string(dpi) + " -png -singlefile '" + pdf.string() + "' '" +
                                png.string() + "'";
    if (std::system(command.c_str()) != 0) return std::nullopt;
    QImage page(QString::fromStdString(png.string() + ".png"));
    if (page.isNull()) return std::nullopt;
    return page;
}

// Pixels of the area: all, white (grey above 240) and dark (grey below darkBelow).
struct Ink {
    long all = 0, white = 0, dark = 0;
};
inline Ink InkOf(const QImage& page, const QRect& area, int darkBelow = 100) {
    Ink ink;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const int grey = qGray(page.pixel(x, y));
            ++ink.all;
            if (grey > 240) ++ink.white;
            if (grey < darkBelow) ++ink.dark;
        }
    return ink;
}
