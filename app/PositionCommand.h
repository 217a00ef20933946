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

// The program's defaults and folders ("--data" or the bundled data).
void StartState(const Options& o, const std::string& programFolder, astronomy::ProgramState& s);
// The single options: "--zone" (MEZ when absent), the place (place 1 of
// the list when absent), the instant (zone first), all into the state.
int ReadZone(const Options& o);
void ReadPlace(const Options& o, astronomy::ProgramState& s);
void ReadInstant(const Options& o, astronomy::ProgramState& s);
// "--object" with "--equinox", "--messier", the arbitrary object's options
// and, for "Disk", the element file; what the file's checks found is
// appended to notes.
void ReadObject(const Options& o, astronomy::ProgramState& s, astronomy::ElementNotes& notes);
// The element file "--elements" (default: the bundled Objekte/Pluto.kpl)
// as the orbit object.
void ReadElementFile(const Options& o, astronomy::ProgramState& s, astronomy::ElementNotes& notes);
// "D.M.YYYY" with whole numbers, the year may be negative; a month outside
// 1..12 is taken as January.
void ReadDate(const std::string& text, int& day, int& month, int& year);
// "H:M" or "H:M:S" with whole hours and minutes; seconds may have decimals.
double ReadTime(const std::string& text);
// A number as JSON writes it (%.17g, reads back exactly), a JSON string.
std::string Num(double x);
std::string JsonString(const std::string& t);
// A message's "|"-separated lines as one line.
std::string OneLine(const std::string& text);

int RunPosition(const std::vector<std::string>& args, const std::string& programFolder, std::ostream& out,
                std::ostream& err);
int RunUtm(const std::vector<std::string>& args, std::ostream& out);
int RunGeo(const std::vector<std::string>& args, std::ostream& out);

// The readable German block of one position.
void PrintPositionText(std::ostream& out, const astronomy::ProgramState& s, const astronomy::BodyPosition& p,
                       const astronomy::SunDerived& sun);

}  // namespace cli
