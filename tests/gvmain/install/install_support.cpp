#include "tests/gvmain/install/install_support.h"

#include "gvmain/ops/file_names.h"
#include "gvmain/ops/file_operations.h"

namespace gvmain::test {

InstallRun::InstallRun(const std::string& name) : dir(name), run(dir / "run"), app(dir / "app") {
    ::CreateDirectoryA(run.c_str(), nullptr);
    environment = DetectEnvironment();
    environment.windowsDirectory = dir.Path();
}

void InstallRun::Launch(const std::string& source, const std::string& commandLine) {
    for (const char* name : {"gvmain.exe", "install.inf"}) {
        ::CopyFileA(JoinPath(source, name).c_str(), JoinPath(run, name).c_str(), FALSE);
    }
    std::string ini = JoinPath(run, "gvmain.ini");
    ::WritePrivateProfileStringA("x", "p", source.c_str(), ini.c_str());
    ::WritePrivateProfileStringA("x", "cmdl", commandLine.c_str(), ini.c_str());
    ::WritePrivateProfileStringA("x", "sz", "1", ini.c_str());
}

int32_t InstallRun::Install(MediaKind kind) {
    InstallSeams seams;
    seams.mediaKindOf = [kind](const std::string&) { return kind; };
    seams.environment = environment;
    EngineStart start{::GetModuleHandleA(nullptr), DetectOsInfo(), run};
    ScriptInstallController controller(start, seams);
    if (!controller.Init()) {
        return initRefused;
    }
    packaging = controller.Packaging();
    int32_t result = controller.Run();
    languageNumber = controller.LanguageNumber();
    controller.Done();
    return result;
}

int RunProcess(const std::string& program, const std::string& arguments) {
    std::string command = "\"" + program + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &started)) {
        return -1;
    }
    ScopedHandle process(started.hProcess);
    ScopedHandle thread(started.hThread);
    if (::WaitForSingleObject(process.Get(), 60000) != WAIT_OBJECT_0) {
        ::TerminateProcess(process.Get(), 99);
        return -1;
    }
    DWORD code = 0;
    ::GetExitCodeProcess(process.Get(), &code);
    return static_cast<int>(code);
}

bool WaitUntil(const std::function<bool()>& done) {
    for (DWORD start = ::GetTickCount(); !done(); ::Sleep(100)) {
        if (::GetTickCount() - start >= 60000) {
            return false;
        }
    }
    return true;
}

std::string RegistryText(HKEY root, const std::string& key, const char* name) {
    char value[MAX_PATH] = "";
    DWORD size = sizeof value;
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) {
        return "";
    }
    RegQueryValueExA(opened, name, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(opened);
    return value;
}

void CopyFiles(const std::string& from, const std::string& to) {
    ::CreateDirectoryA(to.c_str(), nullptr);
    ForEachEntry(from, [&](const std::string& name, bool isDirectory) {
        if (!isDirectory) {
            ::CopyFileA(JoinPath(from, name).c_str(), JoinPath(to, name).c_str(), FALSE);
        }
        return true;
    });
}

}  // namespace gvmain::test
