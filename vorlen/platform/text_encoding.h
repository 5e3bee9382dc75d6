// Conversions between the Windows-1252 texts that the program keeps and the
// UTF-8 of the terminal and the toolkit.
#pragma once

#include <string>
#include <string_view>

namespace vorlen::platform {

std::string Windows1252ToUtf8(std::string_view text);
// The same, appended to `out` (a long output built line by line).
void AppendWindows1252AsUtf8(std::string_view text, std::string& out);
// Characters that Windows-1252 lacks become '?'.
std::string Utf8ToWindows1252(std::string_view text);

}  // namespace vorlen::platform
