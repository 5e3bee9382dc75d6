// setup.exe, the launcher of an installation (outside the engine): it lies
// on the media beside "gvmain.exe" and the install script, copies both
// (and the decompressor "lzpunz2.dll", which the engine loads first, when
// the media have it) into a fresh run directory, writes the control file
// "gvmain.ini" (the media directory "p", its own command line "cmdl", the
// script's size "sz"), starts the engine there and waits for it, then acts
// on the RunResult "r" it wrote back: 2 and 4 offer to restart the
// computer, 6 starts the roll-back through the file mover, which hands over
// to the uninstaller that the engine named in "movexe.ini".
//
// The file mover "movexe.exe" of the media goes into the Windows directory
// before the engine runs: every uninstaller starts it from there (to hand
// over to its copy at the drive root, and to remove that copy at the end),
// the roll-back's as well as any later one's, so it stays there for all
// products installed this way.
//
// "/S" runs unattended: it goes to the engine in "cmdl" and, on a
// roll-back, through the file mover to the uninstaller; no question is
// asked, and the engine's error log is copied to %TEMP%\gverrors.log.
// The exit code is the RunResult (1 when the engine wrote none).
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr char caption[] = "Setup";
constexpr char errorLogName[] = "gverrors.log";
constexpr char moverName[] = "movexe.exe";

std::string Join(const std::string& directory, const std::string& name) {
    return directory.empty() || directory.back() == '\\' ? directory + name : directory + "\\" + name;
}

std::string OwnDirectory() {
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, sizeof path);
    std::string directory = path;
    return directory.substr(0, directory.find_last_of('\\'));
}

std::string WindowsDirectory() {
    char directory[MAX_PATH] = "";
    ::GetWindowsDirectoryA(directory, sizeof directory);
    return directory;
}

bool Exists(const std::string& path) {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The arguments after the program's own name.
std::string Arguments() {
    const char* line = ::GetCommandLineA();
    bool quoted = false;
    for (; *line != '\0' && (quoted || (*line != ' ' && *line != '\t')); ++line) {
        quoted = *line == '"' ? !quoted : quoted;
    }
    while (*line == ' ' || *line == '\t') {
        ++line;
    }
    return line;
}

bool HasSwitch(const std::string& arguments, const std::string& name) {
    size_t at = 0;
    while ((at = arguments.find(name, at)) != std::string::npos) {
        size_t end = at + name.size();
        bool starts = at == 0 || arguments[at - 1] == ' ';
        if (starts && (end == arguments.size() || arguments[end] == ' ')) {
            return true;
        }
        at = end;
    }
    return false;
}

// A new directory "gvrunNNN" in the temporary directory.
std::string MakeRunDirectory() {
    char temp[MAX_PATH] = "";
    ::GetTempPathA(sizeof temp, temp);
    for (int n = 0; n < 1000; ++n) {
        char name[16];
        std::snprintf(name, sizeof name, "gvrun%03d", n);
        std::string directory = Join(temp, name);
        if (::CreateDirectoryA(directory.c_str(), nullptr)) {
            return directory;
        }
    }
    return std::string();
}

void RemoveTree(const std::string& directory) {
    WIN32_FIND_DATAA found;
    HANDLE find = ::FindFirstFileA(Join(directory, "*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            std::string path = Join(directory, name);
            if (name == "." || name == "..") {
                continue;
            }
            ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                ::DeleteFileA(path.c_str());
            }
        } while (::FindNextFileA(find, &found));
        ::FindClose(find);
    }
    ::RemoveDirectoryA(directory.c_str());
}

class Launcher {
public:
    Launcher()
        : media_(OwnDirectory()),
          arguments_(Arguments()),
          unattended_(HasSwitch(arguments_, "/S") || HasSwitch(arguments_, "/s")) {}

    int Run() {
        std::string script = Exists(Join(media_, "install.inf")) ? "install.inf" : "setup.inf";
        runDirectory_ = MakeRunDirectory();
        if (runDirectory_.empty()) {
            return Failed("Unable to make a run directory in the temporary directory");
        }
        for (const std::string& name : {std::string("gvmain.exe"), script}) {
            if (!::CopyFileA(Join(media_, name).c_str(), Join(runDirectory_, name).c_str(), FALSE)) {
                return Failed("Unable to copy " + Join(media_, name));
            }
        }
        std::string decompressor = Join(media_, "lzpunz2.dll");
        if (Exists(decompressor) &&
            !::CopyFileA(decompressor.c_str(), Join(runDirectory_, "lzpunz2.dll").c_str(), FALSE)) {
            return Failed("Unable to copy " + decompressor);
        }
        if (!PlaceFileMover()) {
            return Failed("Unable to copy " + Join(media_, moverName) + " into " + WindowsDirectory());
        }
        if (!WriteControlFile(script)) {
            return Failed("Unable to write " + Join(runDirectory_, "gvmain.ini"));
        }
        if (!StartEngine()) {
            return Failed("Unable to execute " + Join(runDirectory_, "gvmain.exe"));
        }
        int result =
            static_cast<int>(::GetPrivateProfileIntA("x", "r", 1, Join(runDirectory_, "gvmain.ini").c_str()));
        KeepErrorLog();
        Act(result);
        if (result != 1) {
            RemoveTree(runDirectory_);  // a failed run keeps its working log and errors there
        }
        return result;
    }

private:
    int Failed(const std::string& text) {
        if (!unattended_) {
            ::MessageBoxA(nullptr, text.c_str(), caption, MB_OK | MB_ICONSTOP);
        }
        return 1;
    }

    // A copy already there will do when this one cannot replace it (a
    // mover still running for another uninstaller holds its file).
    bool PlaceFileMover() {
        std::string mover = Join(media_, moverName);
        std::string placed = Join(WindowsDirectory(), moverName);
        return !Exists(mover) || ::CopyFileA(mover.c_str(), placed.c_str(), FALSE) || Exists(placed);
    }

    bool WriteControlFile(const std::string& script) {
        std::string ini = Join(runDirectory_, "gvmain.ini");
        WIN32_FILE_ATTRIBUTE_DATA data{};
        ::GetFileAttributesExA(Join(media_, script).c_str(), GetFileExInfoStandard, &data);
        std::string size = std::to_string(data.nFileSizeLow == 0 ? 1 : data.nFileSizeLow);
        return ::WritePrivateProfileStringA("x", "p", media_.c_str(), ini.c_str()) &&
               ::WritePrivateProfileStringA("x", "cmdl", arguments_.c_str(), ini.c_str()) &&
               ::WritePrivateProfileStringA("x", "sz", size.c_str(), ini.c_str());
    }

    bool StartEngine() {
        std::string command = "\"" + Join(runDirectory_, "gvmain.exe") + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              runDirectory_.c_str(), &startup, &process)) {
            return false;
        }
        ::CloseHandle(process.hThread);
        ::WaitForSingleObject(process.hProcess, INFINITE);
        ::CloseHandle(process.hProcess);
        return true;
    }

    void KeepErrorLog() {
        std::string errors = Join(runDirectory_, errorLogName);
        char temp[MAX_PATH] = "";
        ::GetTempPathA(sizeof temp, temp);
        if (unattended_ && Exists(errors)) {
            ::CopyFileA(errors.c_str(), Join(temp, errorLogName).c_str(), FALSE);
        }
    }

    void Act(int result) {
        if (result == 6) {
            StartRollBack();
        } else if ((result == 2 || result == 4) && !unattended_) {
            const char* text = result == 2 ? "Windows must be restarted to finish the installation.\n"
                                             "Restart now?"
                                           : "The computer must be restarted to finish the installation.\n"
                                             "Restart now?";
            if (::MessageBoxA(nullptr, text, caption, MB_YESNO | MB_ICONQUESTION) == IDYES) {
                Restart();
            }
        }
    }

    // The file mover waits for this process to end, then starts the
    // uninstaller that "movexe.ini" names to undo the installation, with
    // the arguments given to the mover.
    void StartRollBack() {
        std::string mover = Join(WindowsDirectory(), moverName);
        std::string command = "\"" + mover + "\"" + (unattended_ ? " /S" : "");
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &process)) {
            Failed("Unable to execute " + mover + "\nThe installation could not be rolled back.");
            return;
        }
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }

    static void Restart() {
        HANDLE token = nullptr;
        if (::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
            TOKEN_PRIVILEGES privileges{};
            privileges.PrivilegeCount = 1;
            privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
            ::LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid);
            ::AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
            ::CloseHandle(token);
        }
        ::ExitWindowsEx(EWX_REBOOT, 0);
    }

    std::string media_;
    std::string arguments_;
    bool unattended_;
    std::string runDirectory_;
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return Launcher().Run();
}
