// The script's texts are Windows-1252 (the engine calls the ANSI API); the
// manifest is UTF-8 and the dump is printed as UTF-8.
#pragma once

#include <string>

namespace gvbuild {

// False when the text is no valid UTF-8 or holds a character that
// Windows-1252 lacks.
bool Utf8ToWindows1252(const std::string& text, std::string& converted);
// Bytes that Windows-1252 leaves undefined become U+FFFD.
std::string Windows1252ToUtf8(const std::string& text);

}  // namespace gvbuild
