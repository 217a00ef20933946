// The help file paged in the window.
#include "shell/Help.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "astronomy/Files.h"
#include "astronomy/TextEncoding.h"
#include "shell/View.h"

namespace shell {

namespace {

using platform::ColourFromRgb;

constexpr std::size_t kHelpFileLimit = 1 << 20;
constexpr int kHelpLineHeight = 18;
constexpr std::uint32_t kHelpHighlight = 0x3737E1;
constexpr std::uint32_t kHelpHighlightInvers = 0xB00000;

// Lines of the help page: as many as fit into the drawing area.
int HelpLinesPerPage(const astronomy::ProgramState& s) { return std::max(1, (s.y_max + 1) / kHelpLineHeight); }

void DrawHelpLine(Shell& sh, int y, std::string_view line) {
    platform::Canvas& c = sh.win.canvas();
    const astronomy::ProgramState& s = sh.s;
    const platform::Colour normal = ColourFromRgb(s.ForegroundColour);
    const platform::Colour highlight = ColourFromRgb(s.Invers != 0 ? kHelpHighlightInvers : kHelpHighlight);
    int x = 8;
    auto put = [&](std::string_view text, platform::Colour colour) {
        if (text.empty()) return;
        const std::string t(text);
        c.SetPen(colour);
        c.Text(x, y, t);
        x += c.TextWidth(t);
    };
    // Text between "<" and ">" is highlighted; the markers are not shown.
    while (true) {
        const std::size_t open = line.find('<');
        if (open == std::string_view::npos) break;
        put(line.substr(0, open), normal);
        const std::size_t close = line.find('>', open + 1);
        if (close == std::string_view::npos) {
            put(line.substr(open + 1), highlight);
            return;
        }
        put(line.substr(open + 1, close - open - 1), highlight);
        line = line.substr(close + 1);
    }
    put(line, normal);
}

void ShowHelpPage(Shell& sh) {
    Shell::HelpPager& h = sh.help;
    platform::Canvas& c = sh.win.canvas();
    c.Clear(ColourFromRgb(sh.s.BackgroundColour));
    c.SetRasterOp(platform::RasterOp::Copy);
    c.SetFont(platform::FontRole::Table);
    c.SetTextBackground(ColourFromRgb(sh.s.BackgroundColour), false);
    const std::size_t end = std::min(h.lines.size(), h.next + static_cast<std::size_t>(HelpLinesPerPage(sh.s)));
    for (std::size_t i = h.next; i < end; ++i)
        DrawHelpLine(sh, 2 + static_cast<int>(i - h.next) * kHelpLineHeight, h.lines[i]);
    h.next = end;
    sh.win.Update();
}

}  // namespace

void EndHelp(Shell& sh) {
    sh.help = Shell::HelpPager{};
    // Nothing of the help text may stay behind the view.
    sh.win.canvas().Clear(ColourFromRgb(sh.s.BackgroundColour));
    sh.panel = reports::PanelMemory{};
    RedrawView(sh);
}

void ShowHelp(Shell& sh) {
    const std::string path = astronomy::ResolvePathCaseInsensitive(sh.s.ProgramFolder + "/kelmar.hlp");
    std::string bytes;
    if (!astronomy::ReadSmallFile(path, bytes, kHelpFileLimit)) {
        sh.win.dialogs().MessageBox("Die Hilfedatei|" + astronomy::FileTextToUtf8(path) + "|ist nicht lesbar.", " OK ", 1);
        return;
    }
    Shell::HelpPager h;
    const std::string text = astronomy::FileTextToUtf8(bytes);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        h.lines.push_back(std::move(line));
        start = end + 1;
    }
    h.open = true;
    sh.help = std::move(h);
    ShowHelpPage(sh);
}

bool HelpInput(Shell& sh, const platform::Key* key, int buttons) {
    if (!sh.help.open) return false;
    // Escape or the right button ends the help; any other key or button
    // shows the next page, and after the last page the view returns.
    const bool stop = (key && key->text == "\x1b") || (buttons & platform::kMouseRight) != 0;
    if (stop || sh.help.next >= sh.help.lines.size())
        EndHelp(sh);
    else
        ShowHelpPage(sh);
    return true;
}

}  // namespace shell
