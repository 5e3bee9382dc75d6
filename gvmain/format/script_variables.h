// The script's variables and the expansion of variable references in the
// texts of events. Pure C++.
//
// A variable name is letters, digits and underscores, not starting with a
// digit, at most 39 characters; names compare exactly. An integer variable
// holds a 32-bit signed value, a string variable up to 256 characters
// (longer values are cut when set).
#pragma once

#include "gvmain/format/script_messages.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

namespace gvmain {

enum class VariableKind : int32_t { Int = 0, String = 1 };

constexpr size_t maxVariableNameLength = 39;
constexpr size_t maxStringVariableLength = 256;

bool IsVariableName(const std::string& name);

class Variables {
public:
    // False when the name is no variable name or is declared already.
    bool Declare(const std::string& name, VariableKind kind);

    // The variable of that name and kind, or nullptr.
    int32_t* IntVariable(const std::string& name);
    const int32_t* IntVariable(const std::string& name) const;
    const std::string* StringVariable(const std::string& name) const;
    // False when there is no string variable of that name.
    bool SetString(const std::string& name, const std::string& value);

    // The text a reference inserts: an int in decimal, a string as it is.
    // False when there is no variable of that name.
    bool ValueText(const std::string& name, std::string& text) const;

private:
    struct Value {
        VariableKind kind = VariableKind::Int;
        int32_t number = 0;
        std::string text;
    };
    Value* Find(const std::string& name, VariableKind kind);
    const Value* Find(const std::string& name, VariableKind kind) const;

    std::map<std::string, Value> values_;
};

// Replaces the references in `text`: "$$" gives "$", "${name}" and "$name"
// the variable's value; a "$" at the end, or before any other character,
// stays as it is. On failure reports "Bad variable name in expression %s"
// (a character in braces that no name may hold, or braces left open) or
// "Unknown variable in expression %s" with `text`, leaves `buffer` empty and
// returns false.
bool ExpandText(const std::string& text, const Variables& variables, std::string& buffer,
                const ErrorReport& report);

}  // namespace gvmain
