// Text encodings: the program's files are Windows-1252 (as they always
// were), the program itself works in UTF-8. Readers accept either.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace astronomy {

bool IsValidUtf8(std::string_view text);
std::string Cp1252ToUtf8(std::string_view text);
// Characters that Windows-1252 lacks become "?".
std::string Utf8ToCp1252(std::string_view text);
// File text as the program keeps it: a leading UTF-8 byte order mark is
// dropped, valid UTF-8 stays as it is, anything else is read as Windows-1252.
std::string FileTextToUtf8(std::string_view bytes);

// Characters of a UTF-8 text: the bytes that do not continue a character.
std::size_t CharacterCount(std::string_view utf8);
// The first n characters (not bytes) of a UTF-8 text.
std::string FirstCharacters(std::string_view utf8, std::size_t n);

}  // namespace astronomy
