// kelmaron-cli render: the window's drawing of a view, written as an image.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace cli {

inline constexpr int kDefaultRenderWidth = 1301;
inline constexpr int kDefaultRenderHeight = 901;
inline constexpr int kMinRenderSize = 320;
inline constexpr int kMaxRenderSize = 6000;

int RunRender(const std::vector<std::string>& args, const std::string& programFolder, std::ostream& err);

}  // namespace cli
