// Program Manager groups as the Windows 95 shell keeps them: a group is a
// directory below the user's Programs folder, an item the shortcut file
// "<title>.lnk" in it, made and read through the shell-link object of
// "ole32.dll" (loaded by name). Looking for or deleting an item also tries
// "<title>.pif". A shortcut keeps no position, so x and y read back as -1;
// a ".pif" item cannot be read back and so is never deleted with a record.
#pragma once

#include "gvmain/ops/program_manager.h"
#include "gvmain/ops/win32_handles.h"

#include <objbase.h>

namespace gvmain {

class ShellFolderProgramManager : public ProgramManager {
public:
    ~ShellFolderProgramManager() override { Disconnect(); }

    void Disconnect() override;
    bool Connect() override;
    bool CreateGroup(const std::string& group) override;
    bool DeleteGroup(const std::string& group) override;
    bool ShowGroup(const std::string& group, int showCommand) override;
    bool AddItemFull(const ProgramItem& item) override;
    bool AddItem(const ProgramItem& item) override;
    bool DeleteItem(const std::string& group, const std::string& title) override;
    bool GroupExists(const std::string& group) override;
    bool ItemExists(const std::string& group, const std::string& title) override;
    bool GetItem(const std::string& group, const std::string& title, ProgramItem& item) override;
    bool ListItems(const std::string& group, std::vector<std::string>& titles) override;

    // The value "Programs" of the user's "Shell Folders" key; empty if none.
    static std::string ProgramsFolder();

private:
    using CoCreateInstanceFn = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);
    using OleUninitializeFn = void(WINAPI*)();

    std::string GroupDirectory(const std::string& group) const;
    std::string ItemFile(const std::string& group, const std::string& title, const char* extension) const;
    bool SaveLink(const ProgramItem& item);
    bool LoadLink(const std::string& path, ProgramItem& item);

    std::string programs_;
    ScopedLibrary ole32_;
    CoCreateInstanceFn coCreateInstance_ = nullptr;
    OleUninitializeFn oleUninitialize_ = nullptr;
};

}  // namespace gvmain
