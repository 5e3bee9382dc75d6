#include "gvmain/format/script_variables.h"

namespace gvmain {
namespace {

bool IsNameStart(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

bool IsNameChar(char c) {
    return IsNameStart(c) || (c >= '0' && c <= '9');
}

enum class Expansion { Done, BadName, UnknownName };

// One reference starting at text[at] == '$'; `at` moves past it.
Expansion ExpandReference(const std::string& text, size_t& at, const Variables& variables, std::string& out) {
    size_t next = at + 1;
    if (next == text.size()) {
        out += '$';
        at = next;
        return Expansion::Done;
    }
    if (text[next] == '$') {
        out += '$';
        at = next + 1;
        return Expansion::Done;
    }
    std::string name;
    if (text[next] == '{') {
        size_t close = text.find('}', next + 1);
        if (close == std::string::npos)
            return Expansion::BadName;
        name = text.substr(next + 1, close - next - 1);
        for (char c : name) {
            if (!IsNameChar(c))
                return Expansion::BadName;
        }
        at = close + 1;
    } else if (IsNameStart(text[next])) {
        size_t end = next;
        while (end < text.size() && IsNameChar(text[end]))
            ++end;
        name = text.substr(next, end - next);
        at = end;
    } else {
        out.append(text, at, 2);
        at = next + 1;
        return Expansion::Done;
    }
    std::string value;
    if (!variables.ValueText(name, value))
        return Expansion::UnknownName;
    out += value;
    return Expansion::Done;
}

}  // namespace

bool IsVariableName(const std::string& name) {
    if (name.empty() || name.size() > maxVariableNameLength || !IsNameStart(name[0]))
        return false;
    for (char c : name) {
        if (!IsNameChar(c))
            return false;
    }
    return true;
}

bool Variables::Declare(const std::string& name, VariableKind kind) {
    if (!IsVariableName(name))
        return false;
    Value value;
    value.kind = kind;
    return values_.emplace(name, value).second;
}

Variables::Value* Variables::Find(const std::string& name, VariableKind kind) {
    auto found = values_.find(name);
    return found != values_.end() && found->second.kind == kind ? &found->second : nullptr;
}

const Variables::Value* Variables::Find(const std::string& name, VariableKind kind) const {
    auto found = values_.find(name);
    return found != values_.end() && found->second.kind == kind ? &found->second : nullptr;
}

int32_t* Variables::IntVariable(const std::string& name) {
    Value* value = Find(name, VariableKind::Int);
    return value != nullptr ? &value->number : nullptr;
}

const int32_t* Variables::IntVariable(const std::string& name) const {
    const Value* value = Find(name, VariableKind::Int);
    return value != nullptr ? &value->number : nullptr;
}

const std::string* Variables::StringVariable(const std::string& name) const {
    const Value* value = Find(name, VariableKind::String);
    return value != nullptr ? &value->text : nullptr;
}

bool Variables::SetString(const std::string& name, const std::string& value) {
    Value* variable = Find(name, VariableKind::String);
    if (variable == nullptr)
        return false;
    variable->text = value.substr(0, maxStringVariableLength);
    return true;
}

bool Variables::ValueText(const std::string& name, std::string& text) const {
    auto found = values_.find(name);
    if (found == values_.end())
        return false;
    const Value& value = found->second;
    text = value.kind == VariableKind::Int ? std::to_string(value.number) : value.text;
    return true;
}

bool ExpandText(const std::string& text, const Variables& variables, std::string& buffer,
                const ErrorReport& report) {
    std::string out;
    size_t at = 0;
    while (at < text.size()) {
        size_t dollar = text.find('$', at);
        if (dollar == std::string::npos) {
            out.append(text, at, std::string::npos);
            break;
        }
        out.append(text, at, dollar - at);
        at = dollar;
        Expansion result = ExpandReference(text, at, variables, out);
        if (result != Expansion::Done) {
            buffer.clear();
            report(
                FillIn(result == Expansion::BadName ? badVariableNameMessage : unknownVariableMessage, text));
            return false;
        }
    }
    buffer = std::move(out);
    return true;
}

}  // namespace gvmain
