// The start-up: the data files, the settings, the menu bar and the first
// view; and the command line the program is started with.
#pragma once

#include <string>
#include <vector>

#include "shell/Shell.h"

namespace shell {

// The five files without which the program does not start; the report
// names of the missing ones, each followed by one blank.
std::string CheckRequiredFiles(const std::string& programFolder, const std::string& dataFolder);

// On the first start the data folder lacks the star files and Objekte/:
// they are copied there from the program's bundled data.
void InstallDefaultData(const std::string& programFolder, const std::string& dataFolder);

// Splits a command line as the program's own start-up does: quoted
// arguments keep their blanks; at most 50 arguments; slot 0 is the
// program's path without surrounding quotes.
std::vector<std::string> SplitCommandLine(const std::string& programPath, const std::string& rest);

// Reads the element file as the orbit object "Disk" (Pfad and DiskName
// follow it) and tells what its checks found.
void LoadElementFile(Shell& sh, const std::string& path);

// The start-up sequence up to the first drawn view. Returns false when the
// program must end (missing files).
bool StartUp(Shell& sh, const std::string& programPath, const std::string& commandLine);

}  // namespace shell
