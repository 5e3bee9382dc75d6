#include "gvmain/ops/server_registration.h"

#include "gvmain/ops/message_text.h"
#include "gvmain/ops/win32_handles.h"

#include <windows.h>

namespace gvmain {
namespace {

using EntryPoint = HRESULT(STDAPICALLTYPE*)();

bool IsProgram(const std::string& path) {
    return path.size() >= 4 && ::lstrcmpiA(path.c_str() + path.size() - 4, ".exe") == 0;
}

// An unquoted path with a space would let the system start a program named
// by the path's first word instead.
std::string ProgramCommand(const std::string& path, bool registering) {
    std::string program = path.find(' ') == std::string::npos ? path : "\"" + path + "\"";
    return FormatText("%s %s", {program, registering ? "/reg" : "/unreg"});
}

bool CallEntryPoint(const std::string& path, bool registering) {
    ScopedLibrary library(::LoadLibraryA(path.c_str()));
    if (!library.Valid()) {
        return false;
    }
    auto entry = reinterpret_cast<EntryPoint>(reinterpret_cast<void*>(
        ::GetProcAddress(library.Get(), registering ? "DllRegisterServer" : "DllUnregisterServer")));
    return entry != nullptr && SUCCEEDED(entry());
}

}  // namespace

bool RegisterServer(const std::string& path, bool registering, OperationHost& host) {
    bool done = IsProgram(path) ? ::WinExec(ProgramCommand(path, registering).c_str(), SW_HIDE) >= 32
                                : CallEntryPoint(path, registering);
    if (!done) {
        host.ReportError(FormatText(
            registering ? "Unable to register OLE2 server %s" : "Unable to unregister OLE2 server %s",
            {path}));
    }
    return done;
}

}  // namespace gvmain
