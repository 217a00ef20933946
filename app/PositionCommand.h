// The commands of kelmaron-cli. Each returns the exit status; a bad argument
// throws UsageError with the one line to print.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "astronomy/OrbitElements.h"

namespace astronomy {
struct ProgramState;
struct BodyPosition;
struct SunDerived;
}  // namespace astronomy

namespace cli {

class Options;

// The options that choose the instant, the place and the object, and how
// they set the state (the program's defaults first).
const std::vector<std::string>& StateOptionNames();
// What the element file's checks found is appended to notes.
void ReadStateOptions(const Options& o, const std::string& programFolder, astronomy::ProgramState& s,
                      astronomy::ElementNotes& notes);

int RunPosition(const std::vector<std::string>& args, const std::string& programFolder, std::ostream& out,
                std::ostream& err);
int RunUtm(const std::vector<std::string>& args, std::ostream& out);
int RunGeo(const std::vector<std::string>& args, std::ostream& out);

// The readable German block of one position.
void PrintPositionText(std::ostream& out, const astronomy::ProgramState& s, const astronomy::BodyPosition& p,
                       const astronomy::SunDerived& sun);

}  // namespace cli
