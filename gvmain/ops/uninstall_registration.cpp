#include "gvmain/ops/uninstall_registration.h"

#include "gvmain/ops/file_names.h"
#include "gvmain/ops/file_operations.h"
#include "gvmain/ops/message_text.h"
#include "gvmain/ops/program_manager_operations.h"
#include "gvmain/ops/registry_operations.h"

namespace gvmain {
namespace {

constexpr int messageInstallingUninstaller = 201;
constexpr char engineName[] = "gvmain.exe";

RegistryValue Text(const std::string& text) {
    RegistryValue value{REG_SZ, std::vector<uint8_t>(text.begin(), text.end())};
    value.data.push_back(0);
    return value;
}

bool CopyOwnFiles(const UninstallerSetup& setup, OperationHost& host) {
    std::vector<std::string> names = {engineName, FormatText("gv%s.dll", {setup.languageCode})};
    names.insert(names.end(), setup.auxFiles.begin(), setup.auxFiles.end());
    host.Notice(FormatText(host.Message(messageInstallingUninstaller), {setup.productName}));
    bool copied = true;
    for (const std::string& name : names) {
        copied = copied && CopyFile(JoinPath(setup.runDirectory, name),
                                    JoinPath(setup.uninstallDirectory, name), host, nullptr);
    }
    host.Notice(std::string());
    return copied;
}

bool Register(const UninstallerSetup& setup, OperationHost& host) {
    RegistryKey key{UninstallKeyPath(setup.productName), RootLocalMachine};
    if (key.path.back() == '\\') {
        return false;  // a nameless product would write into the Uninstall key itself
    }
    std::string uninstaller = JoinPath(setup.uninstallDirectory, engineName);
    return CreateKey(key, host, nullptr) &&
           SetValue(key, "DisplayName", Text(setup.productName), host, nullptr) &&
           SetValue(key, "UninstallString", Text(uninstaller), host, nullptr);
}

bool AddItem(const UninstallerSetup& setup, OperationHost& host, OperationLog* log) {
    if (setup.itemTitle.empty()) {
        return true;
    }
    ProgramItem item;
    item.group = setup.itemGroup;
    item.title = setup.itemTitle;
    item.commandLine = "\"" + JoinPath(setup.uninstallDirectory, engineName) + "\"";
    return CreatePmItem(item, host, log);
}

}  // namespace

std::string UninstallKeyPath(const std::string& productName) {
    std::string name;
    for (char c : productName) {
        if (c != ' ') {
            name += c;
        }
    }
    return FormatText(uninstallKeyFormat, {name});
}

bool InstallUninstaller(const UninstallerSetup& setup, OperationHost& host, OperationLog* log,
                        std::string& backDirectory) {
    if (!CreateDirectory(setup.uninstallDirectory, host, log) || !CopyOwnFiles(setup, host) ||
        !Register(setup, host) || !AddItem(setup, host, log)) {
        host.ReportError("Unable to install the uninstaller");
        return false;
    }
    backDirectory = setup.uninstallDirectory;
    return true;
}

}  // namespace gvmain
