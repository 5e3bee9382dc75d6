// The strings file "strs" in the runDirectory: lines "name=value" that the
// build tool writes (in the language of the installation) and the script
// takes into its string variables.
#pragma once

#include "gvmain/format/script_messages.h"
#include "gvmain/format/script_variables.h"

#include <string>

namespace gvmain {

constexpr char stringsFileName[] = "strs";

// Each line of `text` (lines end in "\r\n" or "\n"; empty ones are passed
// over) is expanded and then names a string variable, which takes the value
// of the file's line of that name. Stops at the first line that fails:
// "Unable to open %s" (the path) when the file cannot be read, an
// expansion error, "Unknown variable in expression %s" when the line names
// no string variable, "No string %s in the strings file" when the file lacks it.
bool LoadStrings(const std::string& path, const std::string& text, Variables& variables,
                 const ErrorReport& report);

}  // namespace gvmain
