// Putting the uninstaller in place (the script's install-uninstaller
// event): the engine, its language DLL and the named aux files copied into
// the uninstall directory, the uninstall entry under HKEY_LOCAL_MACHINE,
// and optionally a Program Manager item that starts it.
//
// The copies and the uninstall entry are not logged: the uninstaller
// removes its own files and the entry last, after every record has been
// undone, so that an interrupted uninstallation can still be run again.
// The uninstall directory, when it is made, and the item are logged.
#pragma once

#include "gvmain/format/operation_log.h"
#include "gvmain/format/pm_item_description.h"
#include "gvmain/ops/operation_host.h"

#include <string>
#include <vector>

namespace gvmain {

constexpr char uninstallKeyFormat[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\%s";
// The one aux file that goes with the uninstaller: with the engine and its
// language DLL it is all the uninstaller removes of itself, so no other
// file may be put beside it (its directory could then never go).
constexpr char uninstallerCompanionName[] = "guuser.dll";

struct UninstallerSetup {
    std::string runDirectory;
    std::string uninstallDirectory;
    std::string languageCode;           // "enu" for "gvenu.dll"
    std::vector<std::string> auxFiles;  // the companion when the script has it, in the runDirectory
    std::string productName;
    // With a title, a Program Manager item in this group starts the uninstaller.
    std::string itemGroup;
    std::string itemTitle;
};

// The key path of the product's uninstall entry: its name without spaces.
std::string UninstallKeyPath(const std::string& productName);

// On success `backDirectory` becomes the uninstall directory. Any failure
// reports "Unable to install the uninstaller".
bool InstallUninstaller(const UninstallerSetup& setup, OperationHost& host, OperationLog* log,
                        std::string& backDirectory);

}  // namespace gvmain
