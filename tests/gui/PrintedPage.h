// A printed PDF page as an image, how much of it is white paper and how
// much dark ink, and its text on a fixed-pitch grid, for the printing tests.
#pragma once

#include <QImage>
#include <QRect>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <regex>
#include <string>
#include <vector>

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

// The text lines of the first page of a PDF written in a fixed-pitch font,
// every character in its cell: the pitch is taken from the longest run of
// hyphens on the page (a table's rule), and pdftotext lays the text out on
// that grid. A table whose columns do not line up on paper comes out with
// its characters out of place. Nothing when the tools fail.
inline std::optional<std::vector<std::string>> FixedPitchLines(const std::filesystem::path& pdf) {
    const std::filesystem::path boxes = pdf.parent_path() / (pdf.stem().string() + "-woerter.html");
    const std::filesystem::path text = pdf.parent_path() / (pdf.stem().string() + "-text.txt");
    if (std::system(("pdftotext -f 1 -l 1 -bbox '" + pdf.string() + "' '" + boxes.string() + "'").c_str()) != 0)
        return std::nullopt;
    std::ifstream in(boxes);
    const std::string html((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::regex word(R"rx(<word xMin="([0-9.]+)" yMin="[0-9.]+" xMax="([0-9.]+)" yMax="[0-9.]+">(-+)</word>)rx");
    double pitch = 0;
    std::size_t longest = 0;
    for (auto m = std::sregex_iterator(html.begin(), html.end(), word); m != std::sregex_iterator(); ++m) {
        const std::size_t n = (*m)[3].length();
        if (n <= longest) continue;
        longest = n;
        pitch = (std::stod((*m)[2]) - std::stod((*m)[1])) / static_cast<double>(n);
    }
    if (longest < 10) return std::nullopt;
    const std::string command = "pdftotext -f 1 -l 1 -layout -fixed " + std::to_string(pitch) + " '" + pdf.string() +
                                "' '" + text.string() + "'";
    if (std::system(command.c_str()) != 0) return std::nullopt;
    std::ifstream lines(text);
    std::vector<std::string> out;
    for (std::string line; std::getline(lines, line);)
        if (line != "\f") out.push_back(line);
    return out;
}
