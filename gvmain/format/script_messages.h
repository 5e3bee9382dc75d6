// The fixed English texts of the script interpreter (variables, expansion,
// conditions, the strings file). Each holds one "%s" or "%d".
#pragma once

#include <functional>
#include <string>

namespace gvmain {

constexpr char badVariableNameMessage[] = "Bad variable name in expression %s";
constexpr char unknownVariableMessage[] = "Unknown variable in expression %s";
constexpr char syntaxErrorMessage[] = "Syntax error in expression %s";
constexpr char unableToOpenMessage[] = "Unable to open %s";
constexpr char noStringMessage[] = "No string %s in the strings file";
constexpr char skippedEventMessage[] = "An uninterpretible event is being skipped";

// How the interpreter's operations report an error before they return false.
using ErrorReport = std::function<void(const std::string& text)>;

// `format` with its one "%s" replaced by `value` (no other field is touched,
// so a value holding "%" stays as it is).
std::string FillIn(const char* format, const std::string& value);

}  // namespace gvmain
