// arg_recorder.exe (copied under any name): writes its arguments and how
// its window was to be shown to "<own path>.args", as "show=N" and one
// argument a line, so that a test can see how it was started.
#include <windows.h>

#include <string>

int main(int argc, char** argv) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    ::GetStartupInfoA(&startup);
    int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;
    std::string text = "show=" + std::to_string(show) + "\n";
    for (int i = 1; i < argc; ++i) {
        text += std::string(argv[i]) + "\n";
    }
    char self[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, self, sizeof self);
    std::string target = std::string(self) + ".args";
    std::string temporary = target + ".tmp";
    HANDLE file = ::CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    if (file == INVALID_HANDLE_VALUE) {
        return 1;
    }
    ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ::CloseHandle(file);
    // Renamed only when complete, so that a reader never sees half of it.
    return ::MoveFileExA(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
