// The user's orbit object "Disk": choosing and loading an element file,
// saving it under a name, and entering the elements by hand.
#pragma once

#include <string>

#include "shell/Shell.h"

namespace shell {

// The file filter of the load and save dialogs for the current kind.
// Loading offers every kind of element file first, and the files of the
// Minor Planet Center; saving offers the kind's own extension first, which
// a name typed without one then gets.
enum class ElementFileUse { Load, Save };
std::string ElementFileFilter(int kind, ElementFileUse use);

void LoadElementDialog(Shell& sh);
void SaveElementFileDialog(Shell& sh);
void ElementInputDialog(Shell& sh);

// The two halves of the dialogs behind the file choice. LoadDiskFile reads
// the file as the new orbit object, or, when the file holds no element text
// at all (missing, a folder, too large, binary, no "key=value" line), says so
// and changes nothing; true when loaded. SaveDiskFile writes the elements to
// path and remembers it as Pfad; on failure it says so and changes nothing.
bool LoadDiskFile(Shell& sh, const std::string& path);
bool SaveDiskFile(Shell& sh, const std::string& path);

}  // namespace shell
