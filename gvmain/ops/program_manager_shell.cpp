#include "gvmain/ops/program_manager_shell.h"

#include "gvmain/ops/command_line.h"
#include "gvmain/ops/file_names.h"
#include "gvmain/ops/file_operations.h"

#include <shlobj.h>

namespace gvmain {
namespace {

constexpr char shellFoldersKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// Owns one reference to a COM interface.
template <typename Interface>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() {
        if (pointer != nullptr) {
            pointer->Release();
        }
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;

    Interface* operator->() const { return pointer; }
    void** Out() { return reinterpret_cast<void**>(&pointer); }

    Interface* pointer = nullptr;
};

std::wstring Wide(const std::string& text) {
    int length = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(length > 0 ? length : 1, L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
    wide.resize(wide.size() - 1);
    return wide;
}

bool MakeDirectories(const std::string& path) {
    if (DirectoryExists(path)) {
        return true;
    }
    std::string parent = DirectoryOf(path);
    return (parent == path || MakeDirectories(parent)) &&
           (::CreateDirectoryA(path.c_str(), nullptr) || DirectoryExists(path));
}

std::string WithoutExtension(const std::string& name) {
    size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

// The shell reads a new shortcut soon after it appears, holding the file
// for a moment: a change that meets it is tried again a little later.
template <typename Change>
bool Retrying(Change change) {
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (change()) {
            return true;
        }
        ::Sleep(50);
    }
    return false;
}

}  // namespace

std::string ShellFolderProgramManager::ProgramsFolder() {
    ScopedKey key;
    HKEY opened = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, shellFoldersKey, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) {
        return std::string();
    }
    key.Reset(opened);
    char folder[MAX_PATH] = "";
    DWORD size = sizeof folder - 1;
    DWORD type = 0;
    if (::RegQueryValueExA(key.Get(), "Programs", nullptr, &type, reinterpret_cast<BYTE*>(folder), &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return std::string();
    }
    folder[size] = '\0';
    return folder;
}

bool ShellFolderProgramManager::Connect() {
    Disconnect();
    programs_ = ProgramsFolder();
    ole32_.Reset(::LoadLibraryA("ole32.dll"));
    if (programs_.empty() || !DirectoryExists(programs_) || !ole32_.Valid()) {
        Disconnect();
        return false;
    }
    auto initialize = reinterpret_cast<HRESULT(WINAPI*)(LPVOID)>(
        reinterpret_cast<void*>(::GetProcAddress(ole32_.Get(), "OleInitialize")));
    coCreateInstance_ = reinterpret_cast<CoCreateInstanceFn>(
        reinterpret_cast<void*>(::GetProcAddress(ole32_.Get(), "CoCreateInstance")));
    auto uninitialize = reinterpret_cast<OleUninitializeFn>(
        reinterpret_cast<void*>(::GetProcAddress(ole32_.Get(), "OleUninitialize")));
    if (initialize == nullptr || coCreateInstance_ == nullptr || uninitialize == nullptr ||
        FAILED(initialize(nullptr))) {
        Disconnect();
        return false;
    }
    oleUninitialize_ = uninitialize;
    return true;
}

void ShellFolderProgramManager::Disconnect() {
    if (oleUninitialize_ != nullptr) {
        oleUninitialize_();
    }
    oleUninitialize_ = nullptr;
    coCreateInstance_ = nullptr;
    ole32_.Reset();
}

std::string ShellFolderProgramManager::GroupDirectory(const std::string& group) const {
    return JoinPath(programs_, group);
}

std::string ShellFolderProgramManager::ItemFile(const std::string& group, const std::string& title,
                                                const char* extension) const {
    return JoinPath(GroupDirectory(group), title + extension);
}

bool ShellFolderProgramManager::CreateGroup(const std::string& group) {
    return !group.empty() && MakeDirectories(GroupDirectory(group));
}

bool ShellFolderProgramManager::DeleteGroup(const std::string& group) {
    std::vector<std::string> titles;
    if (!ListItems(group, titles)) {
        return false;
    }
    for (const std::string& title : titles) {
        if (!DeleteItem(group, title)) {
            return false;
        }
    }
    std::string directory = GroupDirectory(group);
    return Retrying([&] { return ::RemoveDirectoryA(directory.c_str()) != 0; });
}

bool ShellFolderProgramManager::ShowGroup(const std::string& group, int) {
    return GroupExists(group);
}

bool ShellFolderProgramManager::AddItemFull(const ProgramItem& item) {
    return SaveLink(item);
}

bool ShellFolderProgramManager::AddItem(const ProgramItem& item) {
    return SaveLink(item);
}

bool ShellFolderProgramManager::DeleteItem(const std::string& group, const std::string& title) {
    return Retrying([&] {
        return DeleteQuietly(ItemFile(group, title, ".lnk")) && DeleteQuietly(ItemFile(group, title, ".pif"));
    });
}

bool ShellFolderProgramManager::GroupExists(const std::string& group) {
    return !group.empty() && DirectoryExists(GroupDirectory(group));
}

bool ShellFolderProgramManager::ItemExists(const std::string& group, const std::string& title) {
    return PathExists(ItemFile(group, title, ".lnk")) || PathExists(ItemFile(group, title, ".pif"));
}

bool ShellFolderProgramManager::GetItem(const std::string& group, const std::string& title,
                                        ProgramItem& item) {
    item = ProgramItem{};
    item.group = group;
    item.title = title;
    std::string path = ItemFile(group, title, ".lnk");
    return PathExists(path) && Retrying([&] { return LoadLink(path, item); });
}

bool ShellFolderProgramManager::ListItems(const std::string& group, std::vector<std::string>& titles) {
    if (!GroupExists(group)) {
        return false;
    }
    return ForEachEntry(GroupDirectory(group), [&](const std::string& name, bool isDirectory) {
        std::string extension = name.size() > 4 ? name.substr(name.size() - 4) : std::string();
        if (!isDirectory &&
            (::lstrcmpiA(extension.c_str(), ".lnk") == 0 || ::lstrcmpiA(extension.c_str(), ".pif") == 0)) {
            titles.push_back(WithoutExtension(name));
        }
        return true;
    });
}

bool ShellFolderProgramManager::SaveLink(const ProgramItem& item) {
    ComRef<IShellLinkA> link;
    ComRef<IPersistFile> file;
    if (coCreateInstance_ == nullptr || !CreateGroup(item.group) ||
        FAILED(
            coCreateInstance_(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.Out()))) {
        return false;
    }
    CommandLine command = SplitCommandLine(item.commandLine);
    link->SetPath(command.program.c_str());
    link->SetArguments(command.arguments.c_str());
    if (!item.iconPath.empty()) {
        link->SetIconLocation(item.iconPath.c_str(), item.iconIndex);
    }
    link->SetWorkingDirectory(item.workingDirectory.c_str());
    link->SetHotkey(item.hotKey);
    link->SetShowCmd(item.minimized ? SW_SHOWMINNOACTIVE : SW_SHOWNORMAL);
    std::wstring path = Wide(ItemFile(item.group, item.title, ".lnk"));
    return SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.Out())) &&
           SUCCEEDED(file->Save(path.c_str(), TRUE));
}

bool ShellFolderProgramManager::LoadLink(const std::string& path, ProgramItem& item) {
    ComRef<IShellLinkA> link;
    ComRef<IPersistFile> file;
    if (coCreateInstance_ == nullptr ||
        FAILED(
            coCreateInstance_(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.Out())) ||
        FAILED(link->QueryInterface(IID_IPersistFile, file.Out())) ||
        FAILED(file->Load(Wide(path).c_str(), STGM_READ))) {
        return false;
    }
    char program[MAX_PATH] = "";
    char arguments[MAX_PATH] = "";
    char icon[MAX_PATH] = "";
    char directory[MAX_PATH] = "";
    int iconIndex = 0;
    WORD hotKey = 0;
    int show = SW_SHOWNORMAL;
    link->GetPath(program, sizeof program, nullptr, SLGP_RAWPATH);
    link->GetArguments(arguments, sizeof arguments);
    link->GetIconLocation(icon, sizeof icon, &iconIndex);
    link->GetWorkingDirectory(directory, sizeof directory);
    link->GetHotkey(&hotKey);
    link->GetShowCmd(&show);
    std::string quoted =
        std::string(program).find(' ') == std::string::npos ? program : "\"" + std::string(program) + "\"";
    item.commandLine = arguments[0] == '\0' ? quoted : quoted + " " + arguments;
    item.iconPath = icon;
    item.iconIndex = iconIndex;
    item.workingDirectory = directory;
    item.hotKey = hotKey;
    item.minimized = show == SW_SHOWMINNOACTIVE || show == SW_SHOWMINIMIZED || show == SW_MINIMIZE;
    return true;
}

}  // namespace gvmain
