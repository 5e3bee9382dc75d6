// Finishing the working operation log at the end of an install run: it
// becomes the lowest free numbered log "gvlog3.%03d" of the uninstaller's
// directory, or its records are appended to the highest one when the
// script adds this installation to the previous one. A roll-back also
// prepares "movexe.ini" so that the uninstaller undoes the installation.
#pragma once

#include "gvmain/ops/operation_host.h"

#include <string>

namespace gvmain {

constexpr char workingLogName[] = "gvlog3.nnn";
constexpr int maxLogNumber = 999;
constexpr char noFreeLogMessage[] = "Unable to keep the operation log: %s holds logs 000 to 999";

struct LogFinish {
    std::string workingLog;
    std::string backDirectory;  // empty: the uninstaller was never installed
    bool append = false;        // add to the previous installation's log
    bool rollBack = false;
    std::string windowsDirectory;  // where "movexe.ini" goes
};

enum class FinishOutcome {
    NothingToKeep,  // no uninstaller, or a log holding only its header
    Kept,
    Failed,  // reported; the working log stays where it is
};

FinishOutcome FinishLog(const LogFinish& finish, OperationHost& host);

// backDirectory\"gvlog3.%03d"
std::string NumberedLogPath(const std::string& directory, int number);

}  // namespace gvmain
