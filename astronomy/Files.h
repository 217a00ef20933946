// Reading the program's small data files safely, and finding them by name.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace astronomy {

// Element files are a few hundred bytes; anything far larger is no element file.
inline constexpr std::size_t kElementFileLimit = 1 << 20;

// The path with backslashes read as "/" and every component that does not
// exist as written looked up ignoring the case of letters (names from old
// settings files such as objekte\pluto.kpl). Components that are not found are
// kept as given, so a path for a new file comes back usable.
std::string ResolvePathCaseInsensitive(const std::string& path);

// Reads a regular file of at most limit bytes whole. False for a missing or
// unreadable file, a folder, a device or pipe, or a larger file.
bool ReadSmallFile(const std::string& path, std::string& bytes, std::size_t limit);

// The lines of a file's text, split at LF with one CR before each LF
// dropped, so CRLF and LF files read alike. The line end after the last
// line does not start another line.
std::vector<std::string_view> SplitLines(std::string_view text);

}  // namespace astronomy
