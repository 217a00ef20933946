// kelmaron-cli photo: the astrophotography calculator without its prompts.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace cli {

// photo --asa N [--filter F] [--aperture D] [--focal F] [--ratio N]
//       [instant, zone, place and object as for position] [--json]
int RunPhoto(const std::vector<std::string>& args, const std::string& programFolder, std::ostream& out);

}  // namespace cli
