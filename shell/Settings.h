// The settings file "Kelmaron.ini" in the data folder: writer, reader and the
// import of the older sequential settings files ("Kelmar.ini", "Kelmar.dat").
// Pure functions on ProgramState; no window is needed.
#pragma once

#include <string>
#include <string_view>

#include "astronomy/ProgramState.h"

namespace shell {

// The file's bytes (Windows-1252, CRLF) in the fixed order of sections and
// keys. Numbers are written so that they read back to the same value: the
// shortest text that restores the stored double (for values kept in radians:
// the shortest degree or hour text that gives back the same radians; the few
// radian values that no such text reaches come back within a bit or two),
// integers as integers, single-precision fields as the float's shortest text.
// The caller reads the window placement into `s` first.
std::string SettingsText(const astronomy::ProgramState& s, const std::string& versionText);

// Writes DataFolder + "/Kelmaron.ini" through a temporary file in the same
// folder and a rename, so an old file stays whole when anything fails. A
// missing data folder is created. On failure returns false with a German
// message ("...|<path>") in `error`.
bool WriteSettings(const astronomy::ProgramState& s, const std::string& versionText,
                   std::string& error);

// Reads the key lines of a settings file into `s` on top of what it holds
// (CRLF or LF, Windows-1252 or UTF-8). The state is changed as a whole at the
// end. Decisions beyond the plain key table:
//  - only an "OrtAnz" line changes OrtAnz (a file without one keeps the
//    place list); OrtAnz is held within 0..15, place lines beyond it are
//    ignored, as are place lines before the first "OrtAnz" line;
//  - a number that overflows (such as 1e999), or a converted value that is
//    not finite, leaves the line unused, so the field keeps its value; a
//    text without a numeric prefix ("nan", "inf", "x") reads as 0;
//  - integer values are rounded and held within the int range;
//  - Zone outside 0..2 is ignored; Messier outside 1..109 or 40 becomes 1;
//    Ort outside 1..OrtAnz becomes 1.
void ParseSettingsText(astronomy::ProgramState& s, std::string_view bytes);

// ApplyDefaults, then the settings file of the data folder (found ignoring
// the case of its name, at most 1 MiB); when that cannot be read, the import
// of the older files.
void ReadSettings(astronomy::ProgramState& s);

// "Kelmar.ini" (or else "Kelmar.dat") of the data folder read as values
// separated by commas or line ends, in nine groups. Each group is read as a
// unit: all of its values are taken, or (when one cannot be read: end of
// data, or a numeric value that is not wholly a finite number) none of them
// and the group's fallback values instead. The first group (the places) has
// no fallback: when it fails, nothing at all is imported.
void ImportOldSettings(astronomy::ProgramState& s);

}  // namespace shell
