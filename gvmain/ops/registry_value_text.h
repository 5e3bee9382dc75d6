// The value of the script's set-value event: a kind and the expanded text,
// turned into the registry type and data it writes.
//
//   kind 0  nothing: only the key is created
//        1  REG_SZ, the text with its terminating zero
//        2  REG_EXPAND_SZ, as 1
//        3  REG_BINARY from hexadecimal digit pairs ("0a1B..."; either case)
//        4  REG_DWORD from a decimal number (a leading "-" wraps) or "0x" hex
//        7  REG_MULTI_SZ, each line and a zero, one more zero at the end
//   other   the kind as the type, with no data
#pragma once

#include "gvmain/format/operation_log.h"
#include "gvmain/ops/operation_host.h"
#include "gvmain/ops/registry_operations.h"

#include <cstdint>
#include <string>

namespace gvmain {

enum ScriptValueKind : int32_t {
    ValueKeyOnly = 0,
    ValueText = 1,
    ValueExpandText = 2,
    ValueBinary = 3,
    ValueNumber = 4,
    ValueLines = 7,
};

// False, with the message in `error`, for text that the kind cannot take.
bool ValueFromText(int32_t kind, const std::string& text, RegistryValue& value, std::string& error);

// The whole event: creates the key, then sets the value unless the kind is 0.
bool SetScriptValue(const RegistryKey& key, const std::string& name, int32_t kind, const std::string& text,
                    OperationHost& host, OperationLog* log);

}  // namespace gvmain
