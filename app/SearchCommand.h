// kelmaron-cli search: the event searches of "Springe" without a window.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace cli {

// search --kind 0|1|2 [instant, zone, place, object as for position]
//        [--max-years Y] [--json]
// Exit 3 with one line on err when the search passes Y years (default
// 1000) of searched time without its event.
int RunSearch(const std::vector<std::string>& args, const std::string& programFolder, std::ostream& out,
              std::ostream& err);

}  // namespace cli
