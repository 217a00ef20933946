// The text stream in character cells on a canvas, and the printer writing
// PDF documents.
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <string>

#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtPrinter.h"
#include "platform/qt/QtTextOut.h"

namespace {

using platform::Colour;
using platform::RasterOp;
using platform::qt::QtCanvas;
using platform::qt::QtPrinter;
using platform::qt::QtTextOut;

constexpr Colour kBlack{0, 0, 0};
constexpr Colour kWhite{255, 255, 255};
constexpr Colour kBlue{0, 0, 255};

struct Cell {
    int column = 0;
    int row = 0;
};

// Cell of the top-most, then left-most pixel that differs from the background.
std::optional<Cell> FirstInkCell(const QtCanvas& canvas, const QtTextOut& out, Colour background) {
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            if (canvas.ReadPixel(x, y) != background) {
                return Cell{x / out.CellWidth() + 1, y / out.CellHeight() + 1};
            }
        }
    }
    return std::nullopt;
}

// Number of pixels of the colour inside the cells [c1, c2] of a row.
int InkInCells(const QtCanvas& canvas, const QtTextOut& out, int row, int c1, int c2, Colour ink) {
    int count = 0;
    for (int y = (row - 1) * out.CellHeight(); y < row * out.CellHeight(); ++y) {
        for (int x = (c1 - 1) * out.CellWidth(); x < c2 * out.CellWidth(); ++x) {
            if (canvas.ReadPixel(x, y) == ink) ++count;
        }
    }
    return count;
}

TEST(TextOut, CellIsTheFixedPitchTableFont) {
    QtCanvas canvas(400, 300);
    QtTextOut out(canvas);
    EXPECT_EQ(out.CellWidth(), canvas.TextWidth("M"));
    EXPECT_EQ(out.CellHeight(), canvas.TextHeight());
    // Fixed pitch: every character is one cell wide.
    EXPECT_EQ(canvas.TextWidth("iiiii"), 5 * out.CellWidth());
    EXPECT_GT(out.CellWidth(), 3);
    EXPECT_GT(out.CellHeight(), 8);
}

TEST(TextOut, AnotherFontGivesCellsOfItsSize) {
    QtCanvas canvas(400, 300);
    QtTextOut out(canvas);
    const int small = out.CellWidth();
    out.SetFont(platform::FontRole::PrinterTable, 20);
    EXPECT_GT(out.CellWidth(), small);
    EXPECT_EQ(canvas.TextWidth("iiiii"), 5 * out.CellWidth());  // fixed pitch
}

TEST(TextOut, ColumnsAndRowsFromCanvasSize) {
    QtCanvas canvas(400, 300);
    QtTextOut out(canvas);
    EXPECT_EQ(out.Columns(), 400 / out.CellWidth());
    EXPECT_EQ(out.Rows(), 300 / out.CellHeight());
    QtCanvas wide(800, 300);
    QtTextOut wideOut(wide);
    EXPECT_EQ(wideOut.Columns(), 800 / wideOut.CellWidth());
    EXPECT_GT(wideOut.Columns(), out.Columns());
}

TEST(TextOut, LocateAndPrintDrawInTheAddressedCell) {
    QtCanvas canvas(400, 300);
    canvas.Clear(kWhite);
    QtTextOut out(canvas);
    out.SetColours(kBlack, kWhite);
    out.Locate(7, 4);
    out.Print("M", false);
    const auto cell = FirstInkCell(canvas, out, kWhite);
    ASSERT_TRUE(cell.has_value());
    EXPECT_EQ(cell->column, 7);
    EXPECT_EQ(cell->row, 4);
    EXPECT_GT(InkInCells(canvas, out, 4, 7, 7, kBlack), 5);
    EXPECT_EQ(out.Column(), 8);
    EXPECT_EQ(out.Row(), 4);
    // Nothing outside the cell.
    EXPECT_EQ(InkInCells(canvas, out, 4, 1, 6, kBlack), 0);
    EXPECT_EQ(InkInCells(canvas, out, 4, 8, out.Columns(), kBlack), 0);
    EXPECT_EQ(InkInCells(canvas, out, 3, 1, out.Columns(), kBlack), 0);
    EXPECT_EQ(InkInCells(canvas, out, 5, 1, out.Columns(), kBlack), 0);
}

TEST(TextOut, PrintContinuesBehindThePreviousText) {
    QtCanvas canvas(400, 300);
    canvas.Clear(kWhite);
    QtTextOut out(canvas);
    out.SetColours(kBlack, kWhite);
    out.Locate(2, 1);
    out.Print("ab", false);
    out.Print("W", false);
    // "W" lands in column 4, right after the two characters.
    EXPECT_EQ(out.Column(), 5);
    EXPECT_GT(InkInCells(canvas, out, 1, 4, 4, kBlack), 5);
    EXPECT_EQ(InkInCells(canvas, out, 1, 5, out.Columns(), kBlack), 0);
}

TEST(TextOut, MultiByteCharactersTakeOneCell) {
    QtCanvas canvas(400, 300);
    QtTextOut out(canvas);
    out.Locate(1, 1);
    out.Print("ä°", false);
    EXPECT_EQ(out.Column(), 3);
    EXPECT_EQ(platform::qt::CharacterCount("Präzession"), 10);
}

TEST(TextOut, LineEndMovesToColumnOneOfTheNextRow) {
    QtCanvas canvas(400, 300);
    canvas.Clear(kWhite);
    QtTextOut out(canvas);
    out.SetColours(kBlack, kWhite);
    out.Locate(5, 2);
    out.Print("xy", true);
    EXPECT_EQ(out.Column(), 1);
    EXPECT_EQ(out.Row(), 3);
    out.Print("M", false);
    EXPECT_GT(InkInCells(canvas, out, 3, 1, 1, kBlack), 5);
    EXPECT_EQ(InkInCells(canvas, out, 3, 2, out.Columns(), kBlack), 0);
    // An empty text with line end only moves the cursor.
    out.Print("", true);
    EXPECT_EQ(out.Row(), 4);
    EXPECT_EQ(InkInCells(canvas, out, 4, 1, out.Columns(), kBlack), 0);
}

TEST(TextOut, TrailingBlanksEraseOlderLongerText) {
    QtCanvas canvas(400, 300);
    canvas.Clear(kWhite);
    QtTextOut out(canvas);
    out.SetColours(kBlack, kWhite);
    out.Locate(3, 2);
    out.Print("WWWWWWWW", false);
    ASSERT_GT(InkInCells(canvas, out, 2, 7, 10, kBlack), 20);
    out.Locate(3, 2);
    out.Print("MM      ", false);
    EXPECT_GT(InkInCells(canvas, out, 2, 3, 4, kBlack), 5);
    EXPECT_EQ(InkInCells(canvas, out, 2, 5, 10, kBlack), 0);
}

TEST(TextOut, ClearFillsWithBackgroundAndHomesTheCursor) {
    QtCanvas canvas(200, 100);
    canvas.Clear(kWhite);
    QtTextOut out(canvas);
    out.SetColours(kWhite, kBlue);
    out.Locate(3, 3);
    out.Print("A", false);
    out.Clear();
    EXPECT_EQ(out.Column(), 1);
    EXPECT_EQ(out.Row(), 1);
    EXPECT_EQ(canvas.ReadPixel(0, 0), kBlue);
    EXPECT_EQ(canvas.ReadPixel(199, 99), kBlue);
    EXPECT_FALSE(FirstInkCell(canvas, out, kBlue).has_value());
}

TEST(TextOut, PrintsInCopyModeWhateverTheCanvasModeWas) {
    QtCanvas canvas(200, 100);
    canvas.Clear(kWhite);
    QtTextOut out(canvas);
    out.SetColours(kBlack, kWhite);
    canvas.SetRasterOp(RasterOp::Xor);
    out.Print("M", false);
    out.Locate(1, 1);
    out.Print("M", false);
    // Printed twice in copy mode the text stays (XOR would erase it).
    EXPECT_GT(InkInCells(canvas, out, 1, 1, 1, kBlack), 5);
}

TEST(PageUnits, PortraitAndLandscapeSizes) {
    EXPECT_EQ(platform::qt::PageWidthUnits(false), 980);
    EXPECT_EQ(platform::qt::PageHeightUnits(false), 1385);  // 980 / 0.70735
    EXPECT_EQ(platform::qt::PageWidthUnits(true), 1176);
    EXPECT_EQ(platform::qt::PageHeightUnits(true), 832);  // 1176 * 0.70735
}

std::string ReadStart(const QString& path, std::size_t n) {
    std::ifstream in(path.toStdString(), std::ios::binary);
    std::string s(n, '\0');
    in.read(s.data(), static_cast<std::streamsize>(n));
    s.resize(static_cast<std::size_t>(in.gcount()));
    return s;
}

// Runs a tool and returns its standard output; nullopt when it is missing
// or fails.
std::optional<QString> RunTool(const QString& tool, const QStringList& args) {
    const QString exe = QStandardPaths::findExecutable(tool);
    if (exe.isEmpty()) return std::nullopt;
    QProcess process;
    process.start(exe, args);
    if (!process.waitForFinished(30000) || process.exitCode() != 0) return std::nullopt;
    return QString::fromUtf8(process.readAllStandardOutput());
}

TEST(Printer, PdfWithTwoPagesAndXorDrawingVisible) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("druck.pdf"));
    QtPrinter printer;
    ASSERT_TRUE(printer.BeginToPdf(path.toStdString(), "Kelmaron", false));
    EXPECT_TRUE(printer.Active());
    platform::Canvas& page = printer.page();
    EXPECT_EQ(page.Width(), 980);
    EXPECT_EQ(page.Height(), 1385);
    page.Clear(kWhite);
    page.SetPen(kBlack);
    page.SetBrush(kBlack);
    page.SetRasterOp(RasterOp::Xor);
    page.Line(100, 100, 800, 100);
    page.FillCircle(490, 700, 200);
    page.SetFont(platform::FontRole::Label);
    page.Text(100, 1200, "Sternkarte");
    printer.text().Locate(3, 2);
    printer.text().Print("Zeile eins", true);
    printer.text().Print("Zeile zwei", true);
    printer.NewPage();
    page.SetRasterOp(RasterOp::Copy);
    page.Text(100, 100, "Seite zwei");
    printer.End();
    EXPECT_FALSE(printer.Active());

    ASSERT_TRUE(QFileInfo::exists(path));
    EXPECT_EQ(ReadStart(path, 4), "%PDF");

    const auto info = RunTool(QStringLiteral("pdfinfo"), {path});
    if (!info) GTEST_SKIP() << "pdfinfo is not available";
    EXPECT_TRUE(info->contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\b")))) << info->toStdString();
    EXPECT_TRUE(info->contains(QRegularExpression(QStringLiteral("Title:\\s+Kelmaron")))) << info->toStdString();
    // A4 portrait.
    EXPECT_TRUE(info->contains(QStringLiteral("595"))) << info->toStdString();

    const auto text = RunTool(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    if (!text) GTEST_SKIP() << "pdftotext is not available";
    EXPECT_TRUE(text->contains(QStringLiteral("Sternkarte"))) << text->toStdString();
    EXPECT_TRUE(text->contains(QStringLiteral("Zeile eins"))) << text->toStdString();
    EXPECT_TRUE(text->contains(QStringLiteral("Zeile zwei"))) << text->toStdString();
    EXPECT_TRUE(text->contains(QStringLiteral("Seite zwei"))) << text->toStdString();

    // The page as a picture: the XOR-drawn filled circle is dark, in the
    // middle of the page's width at 700 / 1385 of its height.
    const QString prefix = dir.filePath(QStringLiteral("seite"));
    if (!RunTool(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("100"), QStringLiteral("-f"),
                                               QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
                                               QStringLiteral("-png"), path, prefix})) {
        GTEST_SKIP() << "pdftoppm is not available";
    }
    QDir out(dir.path());
    const QStringList pngs = out.entryList({QStringLiteral("seite*.png")});
    ASSERT_EQ(pngs.size(), 1);
    const QImage image(out.filePath(pngs.first()));
    ASSERT_FALSE(image.isNull());
    const QColor centre = image.pixelColor(image.width() / 2, image.height() * 700 / 1385);
    EXPECT_LT(centre.lightness(), 60);
    const QColor corner = image.pixelColor(image.width() / 20, image.height() * 20 / 1385 + 2);
    EXPECT_GT(corner.lightness(), 200);
    // The horizontal line at y 100 from x 100 to 800: the only ink in the
    // middle of the page's upper quarter (the texts are further left).
    int darkInLine = 0;
    for (int y = 0; y < image.height() / 4; ++y) {
        if (image.pixelColor(image.width() / 2, y).lightness() < 160) ++darkInLine;
    }
    EXPECT_GT(darkInLine, 0);
}

TEST(Printer, LandscapePageUnits) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("quer.pdf"));
    QtPrinter printer;
    ASSERT_TRUE(printer.BeginToPdf(path.toStdString(), "Kelmaron", true));
    EXPECT_EQ(printer.page().Width(), 1176);
    EXPECT_EQ(printer.page().Height(), 832);
    EXPECT_GT(printer.text().Columns(), 80);
    printer.page().SetPen(kBlack);
    printer.page().Box(10, 10, 1166, 822);
    printer.End();
    ASSERT_TRUE(QFileInfo::exists(path));
    EXPECT_EQ(ReadStart(path, 4), "%PDF");
    const auto info = RunTool(QStringLiteral("pdfinfo"), {path});
    if (!info) GTEST_SKIP() << "pdfinfo is not available";
    EXPECT_TRUE(info->contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\b")))) << info->toStdString();
    // Landscape A4: wider than high (842 x 595 points).
    EXPECT_TRUE(info->contains(QRegularExpression(QStringLiteral("Page size:\\s+84[12](\\.\\d+)? x 595")))) << info->toStdString();
}

TEST(Printer, DrawingWithoutADocumentDoesNothing) {
    QtPrinter printer;
    EXPECT_FALSE(printer.Active());
    printer.page().Line(0, 0, 10, 10);
    printer.text().Print("nichts", true);
    printer.NewPage();
    printer.End();
    EXPECT_FALSE(printer.Active());
}

}  // namespace
