#include "gvmain/uninstall/hand_over.h"

#include "gvmain/ops/file_names.h"
#include "gvmain/ops/message_text.h"
#include "gvmain/ops/uninstall_registration.h"

#include <windows.h>

namespace gvmain {
namespace {

constexpr char handOverSection[] = "GVMAIN";
constexpr size_t maxBackDirectory = 260;

// A rename, else a copy and a delete; the running program's copy counts as
// moved even when its delete fails, since the file mover removes it later.
bool MoveOne(const std::string& from, const std::string& to) {
    if (!PathExists(from)) {
        return false;
    }
    ::SetFileAttributesA(to.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(to.c_str());
    if (::MoveFileA(from.c_str(), to.c_str())) {
        return true;
    }
    if (!::CopyFileA(from.c_str(), to.c_str(), FALSE)) {
        return false;
    }
    ::DeleteFileA(from.c_str());
    return true;
}

void MoveBack(const std::vector<std::string>& names, size_t count, const std::string& from,
              const std::string& to) {
    for (size_t i = 0; i < count; ++i) {
        MoveOne(JoinPath(to, names[i]), JoinPath(from, names[i]));
    }
}

}  // namespace

bool IsDriveRoot(const std::string& directory) {
    std::string path = directory;
    if (!path.empty() && (path.back() == '\\' || path.back() == '/')) {
        path.pop_back();
    }
    if (path.size() == 2 && path[1] == ':' && IsCharAlphaA(path[0])) {
        return true;
    }
    if (path.size() < 5 || path.compare(0, 2, "\\\\") != 0) {
        return false;
    }
    size_t share = path.find('\\', 2);
    return share != std::string::npos && share > 2 && share + 1 < path.size() &&
           path.find('\\', share + 1) == std::string::npos;
}

std::vector<std::string> OwnFileNames(const std::string& languageCode) {
    return {"gvmain.exe", FormatText("gv%s.dll", {languageCode}), uninstallerCompanionName};
}

bool MoveOwnFiles(const std::vector<std::string>& names, const std::string& from, const std::string& to,
                  std::string& error) {
    for (size_t i = 0; i < names.size(); ++i) {
        std::string source = JoinPath(from, names[i]);
        bool required = i < 2;
        if (MoveOne(source, JoinPath(to, names[i]))) {
            continue;
        }
        if (!required && !PathExists(source)) {
            continue;
        }
        error = PathExists(source) ? FormatText("Unable to move %s", {source})
                                   : FormatText("%s not found", {source});
        MoveBack(names, i, from, to);
        return false;
    }
    return true;
}

void ReturnOwnFiles(const std::vector<std::string>& names, const std::string& from, const std::string& to) {
    for (const std::string& name : names) {
        if (PathExists(JoinPath(from, name))) {
            MoveOne(JoinPath(from, name), JoinPath(to, name));
        }
    }
}

void DeleteOwnFiles(const std::vector<std::string>& names, const std::string& directory) {
    for (const std::string& name : names) {
        std::string path = JoinPath(directory, name);
        ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileA(path.c_str());
    }
}

void WriteHandOver(const HandOver& handOver) {
    ::WriteProfileStringA(handOverSection, "b", handOver.backDirectory.c_str());
    if (handOver.unattended) {
        ::WriteProfileStringA(handOverSection, "s", "1");
    }
}

HandOver TakeHandOver() {
    char back[maxBackDirectory + 1] = "";
    ::GetProfileStringA(handOverSection, "b", "", back, sizeof back);
    HandOver handOver;
    handOver.backDirectory = back;
    handOver.unattended = ::GetProfileIntA(handOverSection, "s", 0) != 0;
    if (!handOver.backDirectory.empty()) {
        RemoveHandOver();
    }
    return handOver;
}

void RemoveHandOver() {
    ::WriteProfileStringA(handOverSection, nullptr, nullptr);
}

bool OrderMover(const std::string& windowsDirectory, const MoverOrder& order) {
    std::string ini = JoinPath(windowsDirectory, moverIniName);
    std::string command = "\"" + JoinPath(windowsDirectory, moverProgramName) + "\"";
    bool started = ::WritePrivateProfileStringA("x", "f", order.from.c_str(), ini.c_str()) &&
                   ::WritePrivateProfileStringA("x", "t", order.to.c_str(), ini.c_str()) &&
                   ::WritePrivateProfileStringA("x", "x", order.launch ? "1" : "0", ini.c_str()) &&
                   ::WinExec(command.c_str(), SW_SHOWNORMAL) > 31;
    if (!started) {
        ::DeleteFileA(ini.c_str());
    }
    return started;
}

}  // namespace gvmain
