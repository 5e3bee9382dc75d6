#include "gvmain/ops/registry_value_text.h"

#include "gvmain/ops/message_text.h"

#include <cctype>

namespace gvmain {
namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

bool HexBytes(const std::string& text, std::vector<uint8_t>& bytes) {
    if (text.size() % 2 != 0) {
        return false;
    }
    for (size_t at = 0; at < text.size(); at += 2) {
        int high = HexDigit(text[at]);
        int low = HexDigit(text[at + 1]);
        if (high < 0 || low < 0) {
            return false;
        }
        bytes.push_back(static_cast<uint8_t>(high * 16 + low));
    }
    return true;
}

// Digits only, in the given base, at most 32 bits.
bool Digits(const std::string& text, size_t from, uint32_t base, uint32_t& number) {
    uint64_t value = 0;
    if (from >= text.size()) {
        return false;
    }
    for (size_t at = from; at < text.size(); ++at) {
        int digit = HexDigit(text[at]);
        if (digit < 0 || static_cast<uint32_t>(digit) >= base) {
            return false;
        }
        value = value * base + static_cast<uint32_t>(digit);
        if (value > 0xFFFFFFFFull) {
            return false;
        }
    }
    number = static_cast<uint32_t>(value);
    return true;
}

bool Number(const std::string& text, uint32_t& number) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        return Digits(text, 2, 16, number);
    }
    bool negative = !text.empty() && text[0] == '-';
    if (!Digits(text, negative ? 1 : 0, 10, number) || (negative && number > 0x80000000u)) {
        return false;
    }
    number = negative ? 0u - number : number;
    return true;
}

// Empty lines are left out: a reader of the value stops at the first
// empty string, so one would hide every line after it.
std::vector<uint8_t> Lines(const std::string& text) {
    std::vector<uint8_t> bytes;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        size_t length = end - start;
        if (length > 0 && text[end - 1] == '\r') {
            --length;
        }
        if (length > 0) {
            bytes.insert(bytes.end(), text.begin() + start, text.begin() + start + length);
            bytes.push_back(0);
        }
        start = end + 1;
    }
    bytes.push_back(0);
    return bytes;
}

}  // namespace

bool ValueFromText(int32_t kind, const std::string& text, RegistryValue& value, std::string& error) {
    value = RegistryValue{static_cast<uint32_t>(kind), {}};
    switch (kind) {
    case ValueText:
    case ValueExpandText:
        value.type = kind == ValueText ? REG_SZ : REG_EXPAND_SZ;
        value.data.assign(text.begin(), text.end());
        value.data.push_back(0);
        return true;
    case ValueBinary:
        value.type = REG_BINARY;
        if (!HexBytes(text, value.data)) {
            error = FormatText("Bad hexadecimal data %s", {text});
            return false;
        }
        return true;
    case ValueNumber: {
        uint32_t number = 0;
        if (!Number(text, number)) {
            error = FormatText("Unable to convert %s to integer", {text});
            return false;
        }
        value.type = REG_DWORD;
        value.data = {static_cast<uint8_t>(number), static_cast<uint8_t>(number >> 8),
                      static_cast<uint8_t>(number >> 16), static_cast<uint8_t>(number >> 24)};
        return true;
    }
    case ValueLines:
        value.type = REG_MULTI_SZ;
        value.data = Lines(text);
        return true;
    default: return true;
    }
}

bool SetScriptValue(const RegistryKey& key, const std::string& name, int32_t kind, const std::string& text,
                    OperationHost& host, OperationLog* log) {
    if (kind == ValueKeyOnly) {
        return CreateKey(key, host, log);
    }
    RegistryValue value;
    std::string error;
    if (!ValueFromText(kind, text, value, error)) {
        host.ReportError(error);
        return false;
    }
    return SetValue(key, name, value, host, log);
}

}  // namespace gvmain
