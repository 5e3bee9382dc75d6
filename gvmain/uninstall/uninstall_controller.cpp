#include "gvmain/uninstall/uninstall_controller.h"

#include "gvmain/engine/control_file.h"
#include "gvmain/engine/install_host.h"
#include "gvmain/format/languages.h"
#include "gvmain/ops/file_names.h"
#include "gvmain/ops/file_operations.h"
#include "gvmain/ops/file_undo_actions.h"
#include "gvmain/ops/message_text.h"
#include "gvmain/ops/uninstall_registration.h"
#include "gvmain/uninstall/hand_over.h"
#include "gvmain/uninstall/undo_dialog.h"
#include "gvmain/uninstall/undo_walk.h"

#include <cstdio>

namespace gvmain {
namespace {

constexpr int maxLogNumber = 999;

std::string LogName(int number) {
    char name[16];
    std::snprintf(name, sizeof name, "gvlog3.%03d", number);
    return name;
}

UninstallHost MakeHost(const UninstallFacts& facts) {
    UninstallHost host(facts.environment, facts.unattended ? facts.errorLog : std::string());
    DialogResources resources;
    resources.engine = facts.instance;
    host.SetResources(resources);
    return host;
}

}  // namespace

std::string UnattendedErrorLog() {
    char directory[MAX_PATH] = "";
    DWORD length = ::GetTempPathA(sizeof directory, directory);
    return JoinPath(length > 0 && length < sizeof directory ? directory : "c:\\", errorLogName);
}

UninstallFacts DetectUninstallFacts(HINSTANCE instance, const OsInfo& os, const std::string& commandLine) {
    UninstallFacts facts;
    facts.instance = instance;
    char program[MAX_PATH] = "";
    ::GetModuleFileNameA(instance, program, sizeof program);
    facts.programPath = program;
    facts.environment = WithShellFlags(DetectEnvironment(), os);
    facts.unattended = IsUnattended(commandLine);
    facts.errorLog = UnattendedErrorLog();
    return facts;
}

UninstallController::UninstallController(const UninstallFacts& facts)
    : facts_(facts), host_(MakeHost(facts)) {}

UninstallController::~UninstallController() {
    Done();
}

std::vector<std::string> UninstallController::OwnFiles() const {
    return OwnFileNames(std::string(LanguageOf(languageNumber).code));
}

bool UninstallController::Init() {
    ctl3d_ = std::make_unique<Ctl3d>(facts_.instance);
    runDirectory = DirectoryOf(facts_.programPath);
    if (IsDriveRoot(runDirectory)) {
        relaunched = 1;
        HandOver handOver = TakeHandOver();
        if (handOver.backDirectory.empty()) {
            host_.ReportError("Back dir is undefined");
            return false;
        }
        backDirectory = handOver.backDirectory;
        if (handOver.unattended && !facts_.unattended) {
            facts_.unattended = true;
            facts_.errorLog = UnattendedErrorLog();
            host_ = MakeHost(facts_);
        }
        logNumber = 0;
    } else {
        relaunched = 0;
        backDirectory = runDirectory;
        ::SetCurrentDirectoryA(backDirectory.c_str());
        if (!FindNewestLog()) {
            host_.ReportError("No log file");
            return false;
        }
    }
    logPath = JoinPath(backDirectory, LogName(logNumber));
    if (!ReadLog()) {
        return false;
    }
    if (relaunched == 0 && logNumber == 0) {
        Relaunch();
        return false;
    }
    return true;
}

bool UninstallController::FindNewestLog() {
    int number = 0;
    while (number <= maxLogNumber && PathExists(JoinPath(backDirectory, LogName(number)))) {
        ++number;
    }
    logNumber = number - 1;
    return number > 0;
}

bool UninstallController::ReadLog() {
    log_ = ReadOperationLog(logPath);
    if (!log_.error.empty()) {
        host_.ReportError(log_.error);
        return false;
    }
    uninstallView = log_.header.uninstallView;
    languageNumber = log_.header.languageNumber;
    undoPaceMs = log_.header.undoPaceMs;
    productName = log_.header.productName;
    return true;
}

// The uninstaller's directory goes with the last installation: a copy at
// the root of the drive does the work, started by the file mover once this
// process has ended. Whatever fails leaves the computer as it was.
void UninstallController::Relaunch() {
    std::string root = DriveRoot(backDirectory);
    std::string windows = facts_.environment.windowsDirectory;
    WriteHandOver({backDirectory, facts_.unattended});
    std::string error;
    if (!MoveOwnFiles(OwnFiles(), backDirectory, root, error)) {
        RemoveHandOver();
        host_.ReportError(error);
        return;
    }
    if (!OrderMover(windows, {facts_.programPath, root, true})) {
        ReturnOwnFiles(OwnFiles(), root, backDirectory);
        RemoveHandOver();
        host_.ReportError("Unable to launch movexe");
    }
}

int32_t UninstallController::Run() {
    std::string dll =
        JoinPath(runDirectory, FormatText("gv%s.dll", {std::string(LanguageOf(languageNumber).code)}));
    HMODULE language = ::LoadLibraryA(dll.c_str());
    if (!language) {
        // A copy at the drive root still goes back, or the uninstaller is lost.
        host_.ReportError("Unable to load language DLL");
        Finish(false);
        return 0;
    }
    DialogResources resources = host_.Resources();
    resources.language = language;
    host_.SetResources(resources);
    // The log read, the back directory need not hold it any more: it would
    // stop the directory's own removal with a question.
    if (relaunched && ::MoveFileA(logPath.c_str(), JoinPath(runDirectory, LogName(logNumber)).c_str())) {
        logAside_ = JoinPath(runDirectory, LogName(logNumber));
    }
    FileUndoActions actions(host_);
    // Nobody watches an unattended walk: it takes no pace.
    uint32_t pace = host_.Unattended() ? 0 : undoPaceMs;
    UndoWalk walk(std::move(log_.records), pace, productName, host_, actions, SystemClock());
    bool complete = false;
    if (host_.Unattended()) {
        SilentNotifications silent;
        walk.Walk(silent);
        complete = walk.IsComplete();
    } else {
        complete = ShowViews(walk);
    }
    resources.language = nullptr;
    host_.SetResources(resources);
    ::FreeLibrary(language);
    Finish(complete);
    return complete ? 1 : 0;
}

bool UninstallController::ShowViews(UndoWalk& walk) {
    std::string caption = UndoCaption(host_.Resources(), productName);
    UndoView view = ViewOfHeader(uninstallView);
    for (;;) {
        if (view == AutomaticView) {
            return RunAutomaticView(walk, host_, caption) && walk.IsComplete();
        }
        DialogEnd end = DialogEnd::Incomplete;
        if (!ShowUndoView(view, walk, host_, caption, end)) {
            return false;
        }
        if (end != DialogEnd::SwitchView) {
            return end == DialogEnd::Complete;
        }
        view = view == SimpleView ? AdvancedView : SimpleView;
    }
}

// An undone log goes in both cases: at the drive root too, where the
// back directory itself may have been kept.
void UninstallController::Finish(bool complete) {
    if (complete) {
        ::DeleteFileA(logPath.c_str());
        if (!logAside_.empty()) {
            ::DeleteFileA(logAside_.c_str());
        }
    }
    if (relaunched == 0) {
        return;
    }
    MoverOrder order{facts_.programPath, std::string(), false};
    if (complete) {
        ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, UninstallKeyPath(productName).c_str());
        DeleteOwnFiles(OwnFiles(), runDirectory);
    } else {
        ReturnToBackDirectory();
        order.to = backDirectory;
    }
    if (!OrderMover(facts_.environment.windowsDirectory, order)) {
        host_.ReportError("Unable to launch movexe");
    }
}

// The walk may have removed the directory itself before it stopped.
void UninstallController::ReturnToBackDirectory() {
    CreateDirectory(backDirectory, host_, nullptr);
    ReturnOwnFiles(OwnFiles(), runDirectory, backDirectory);
    if (!logAside_.empty()) {
        ::MoveFileA(logAside_.c_str(), logPath.c_str());
    }
}

void UninstallController::Done() {
    ctl3d_.reset();
}

}  // namespace gvmain
