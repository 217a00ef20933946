// kelmaron-cli render: the window's drawing of a view, written as an image.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace astronomy {
struct ProgramState;
}
namespace shell {
struct Shell;
}

namespace cli {

inline constexpr int kDefaultRenderWidth = 1301;
inline constexpr int kDefaultRenderHeight = 901;
inline constexpr int kMinRenderSize = 320;
inline constexpr int kMaxRenderSize = 6000;
inline constexpr int kMaxRenderScale = 4;

class Options;

// The path of an option naming a PNG file whose folder exists.
std::string ReadPngPath(const Options& o, const char* name);
// An image size option within kMinRenderSize..kMaxRenderSize, or fallback.
int ReadRenderSize(const Options& o, const char* name, int fallback);
// The --scale option: image pixels per picture pixel, 1..kMaxRenderScale
// (default 1), such that the image stays within kMaxRenderSize.
int ReadRenderScale(const Options& o, int width, int height);
// Draws with draw into an off-screen window of the size that shows the
// state (white background with invers) and writes the picture to out, with
// scale x scale image pixels for each picture pixel; an existing file is
// replaced only by a complete image.
void RenderToPng(astronomy::ProgramState& s, int width, int height, int scale, bool invers, const std::string& out,
                 const std::function<void(shell::Shell&)>& draw);

int RunRender(const std::vector<std::string>& args, const std::string& programFolder, std::ostream& err);

}  // namespace cli
