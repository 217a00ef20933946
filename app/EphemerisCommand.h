// kelmaron-cli ephemeris: the interval table of one object and the day
// ephemeris of the ten bodies, as text, CSV or JSON lines.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace cli {

int RunEphemeris(const std::vector<std::string>& args, const std::string& programFolder, std::ostream& out,
                 std::ostream& err);

}  // namespace cli
