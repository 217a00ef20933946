// kelmaron-cli phase and eclipse. Each returns the exit status; a bad
// argument throws UsageError with the one line to print.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace cli {

// phase --kind 0|0.25|0.5|0.75 [instant, zone and place] [--count N] [--json]
int RunPhase(const std::vector<std::string>& args, const std::string& programFolder, std::ostream& out);
// eclipse --from D.M.YYYY [--zone] [--place | --lon --lat] [--count N] [--json]
//         [--diagram FILE.png [--width W --height H] [--invers]]
int RunEclipse(const std::vector<std::string>& args, const std::string& programFolder, std::ostream& out);

}  // namespace cli
