// Self-registering servers: a program told "/reg" or "/unreg", or a library
// whose DllRegisterServer or DllUnregisterServer entry point is called.
// Nothing is logged: the script unregisters what it registered itself.
#pragma once

#include "gvmain/ops/operation_host.h"

#include <string>

namespace gvmain {

// A path ending in ".exe" (any case) is started hidden and counts as
// registered once it has started; any other file is loaded as a library and
// its entry point must report success.
bool RegisterServer(const std::string& path, bool registering, OperationHost& host);

}  // namespace gvmain
