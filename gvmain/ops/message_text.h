// Fills the fields of a message text. The texts come from language DLLs
// that this program does not control, so printf is never given them: each
// field (%s, %d, %u, %i, %x with optional flags, width and 'l') takes the
// next argument as text, "%%" is a percent sign, and a field without an
// argument becomes empty.
#pragma once

#include <string>
#include <vector>

namespace gvmain {

std::string FormatText(const std::string& format, const std::vector<std::string>& args);

}  // namespace gvmain
