// The events that change the computer: files, INI and registry entries,
// Program Manager items, the DOS start-up files, the uninstaller, and
// programs the script runs.
#include "gvmain/engine/event_call.h"

#include "gvmain/engine/dos_inform_dialog.h"
#include "gvmain/format/dos_startup_merge.h"
#include "gvmain/format/pm_item_description.h"
#include "gvmain/format/text_lines.h"
#include "gvmain/ops/command_line.h"
#include "gvmain/ops/file_names.h"
#include "gvmain/ops/file_operations.h"
#include "gvmain/ops/font_operations.h"
#include "gvmain/ops/ini_operations.h"
#include "gvmain/ops/install_file.h"
#include "gvmain/ops/message_text.h"
#include "gvmain/ops/program_manager_operations.h"
#include "gvmain/ops/registry_value_text.h"
#include "gvmain/ops/server_registration.h"
#include "gvmain/ops/spanning_reader.h"
#include "gvmain/ops/startup_files.h"
#include "gvmain/ops/uninstall_registration.h"
#include "gvmain/ops/win32_handles.h"

#include <shellapi.h>

#include <algorithm>
#include <map>

namespace gvmain {

// The script's packaged file; InstallFile is also the operation that installs one.
using ScriptFile = struct InstallFile;

namespace {

constexpr int skippingFilesMessage = 2;
constexpr int abortQuestion = 71;
constexpr int abortCaption = 72;
constexpr char noFileSetMessage[] = "No file set %d in the script";
constexpr char versionFileName[] = "gvver.ini";
constexpr int32_t itemMinimized = 1;  // event type 4's options

// The files of a set whose components are selected; false for a set the
// script does not have.
bool FilesOf(const EventRun& run, int32_t set, std::vector<const ScriptFile*>& files) {
    const InstallScript& script = run.script;
    if (set < 0 || static_cast<size_t>(set) >= script.fileSets.size()) {
        return false;
    }
    for (int32_t index : script.fileSets[set].files) {
        const ScriptFile& file = script.installFiles[index];
        bool selected = file.component < 0 || (static_cast<size_t>(file.component) < run.selected.size() &&
                                               run.selected[file.component]);
        if (selected) {
            files.push_back(&file);
        }
    }
    return true;
}

uint32_t SizeKb(const std::vector<const ScriptFile*>& files) {
    uint64_t bytes = 0;
    for (const ScriptFile* file : files) {
        bytes += file->size;
    }
    return static_cast<uint32_t>((bytes + 1023) / 1024);
}

Comparator ComparatorOf(int32_t comparator) {
    switch (comparator) {
    case 1: return Comparator::Time;
    case 2: return Comparator::FileVersion;
    case 3: return Comparator::Size;
    case 4: return Comparator::VersionFile;
    default: return Comparator::None;
    }
}

// False after reporting a destination that does not expand.
bool JobOf(EventRun& run, const ScriptFile& file, InstallJob& job) {
    OperationHost& host = run.host;
    ErrorReport report = [&host](const std::string& text) { host.ReportError(text); };
    if (!ExpandText(file.destination, run.variables, job.destination, report)) {
        return false;
    }
    job.source.firstDisk = file.disk;
    job.source.container = file.container;
    job.source.offset = file.offset;
    job.source.packedLength = file.packedLength;
    job.compressed = (file.flags & fileCompressed) != 0;
    job.comparator = ComparatorOf(file.comparator);
    job.recordedTime = (static_cast<uint64_t>(file.timeHigh) << 32) | file.timeLow;
    job.recordedVersion = {file.versionHigh, file.versionLow};
    job.recordedSize = file.size;
    job.rule = file.rule;
    job.viaTemp = (file.flags & fileViaTemp) != 0;
    job.inUsePolicy = file.inUsePolicy;
    job.append = (file.flags & fileAppend) != 0;
    job.keepTimeStamp = (file.flags & fileKeepTimeStamp) != 0;
    job.retryPrompt = (file.flags & fileRetryPrompt) != 0;
    if (job.comparator == Comparator::VersionFile) {
        job.versionFile = versionFileName;
    }
    return true;
}

// A file newly in place may be a font or a self-registering server.
bool RegisterInstalled(const ScriptFile& file, const std::string& path, EventRun& run) {
    if ((file.flags & fileFont) && !InstallFont(path, run.host, run.log)) {
        return false;
    }
    return !(file.flags & fileSelfRegister) || RegisterServer(path, true, run.host);
}

// Each destination drive must hold the files going to it, in units of
// 10240 bytes, before the first one is copied.
bool CheckSpace(EventRun& run, const std::vector<const ScriptFile*>& files) {
    std::map<std::string, uint64_t> bytes;
    for (const ScriptFile* file : files) {
        InstallJob job;
        if (!JobOf(run, *file, job)) {
            return false;
        }
        bytes[DriveRoot(job.destination)] += file->size;
    }
    for (const auto& [root, size] : bytes) {
        uint32_t units = static_cast<uint32_t>(std::min<uint64_t>((size + 10239) / 10240, UINT32_MAX));
        if (!root.empty() && !CheckFreeSpace(root, units, run.host)) {
            return false;
        }
    }
    return true;
}

bool InstallSet(EventRun& run, const std::vector<const ScriptFile*>& files) {
    if (!CheckSpace(run, files)) {
        return false;
    }
    ProgressDialog& progress = run.controller.Progress();
    progress.Start(SizeKb(files));
    OpenContainers containers;
    for (const ScriptFile* file : files) {
        InstallJob job;
        if (!JobOf(run, *file, job)) {
            return false;
        }
        job.source.keep = &containers;
        progress.SetText(job.destination);
        InstallFile(job, run.host, run.log);
        if (job.state != InstallInstalled && job.state != InstallSkipped) {
            return false;
        }
        if (job.state == InstallInstalled && !RegisterInstalled(*file, job.destination, run)) {
            return false;
        }
    }
    return true;
}

// A failed step is offered again until the user abandons the run; a step
// that succeeds stays shown for the script's least display time.
EventOutcome InstallFiles(EventCall& call) {
    EventRun& run = call.run;
    std::vector<const ScriptFile*> files;
    if (!FilesOf(run, call.Number(0), files)) {
        return call.Fail(FormatText(noFileSetMessage, {std::to_string(call.Number(0))}));
    }
    NoticeClock& clock = *run.facts.clock;
    uint32_t start = clock.Now();
    while (!InstallSet(run, files)) {
        Question question{
            run.host.Message(abortQuestion), run.host.Message(abortCaption), Buttons::YesNo, {}};
        if (run.host.Ask(question) == firstButton) {
            return EventOutcome::Abandoned;
        }
    }
    uint32_t least = static_cast<uint32_t>(std::max(run.script.product.leastDisplayMs, 0));
    for (uint32_t shown = clock.Now() - start; shown < least; shown = clock.Now() - start) {
        clock.Wait(least - shown);
    }
    return EventOutcome::Next;
}

EventOutcome CreateItem(EventCall& call) {
    ProgramItem item;
    item.group = call.Text(0);
    item.title = call.Text(1);
    item.commandLine = call.Text(2);
    item.iconPath = call.Text(3);
    item.iconIndex = call.Number(4);
    item.workingDirectory = call.Text(5);
    item.hotKey = static_cast<uint16_t>(call.Number(6));
    item.minimized = (call.Number(7) & itemMinimized) != 0;
    bool created = CreatePmItem(item, call.run.host, call.run.log);
    return created ? EventOutcome::Next : EventOutcome::Failed;
}

// "system.ini" of the Windows directory, named with or without it.
bool IsSystemIni(const std::string& file, const OperationEnvironment& environment) {
    std::string path = DirectoryOf(file).empty() ? JoinPath(environment.windowsDirectory, file) : file;
    std::string systemIni = JoinPath(environment.windowsDirectory, "system.ini");
    return ::lstrcmpiA(path.c_str(), systemIni.c_str()) == 0;
}

EventOutcome SetIniEntryEvent(EventCall& call) {
    OperationHost& host = call.run.host;
    if (!SetIniEntry(call.Text(0), call.Text(1), call.Text(2), call.Text(3), host, call.run.log)) {
        return EventOutcome::Failed;
    }
    if (IsSystemIni(call.Text(0), host.Environment())) {
        call.state.systemIniChanged = true;
    }
    return EventOutcome::Next;
}

EventOutcome SetRegistryValue(EventCall& call) {
    bool set = SetScriptValue({call.Text(1), call.Number(0)}, call.Text(2), call.Number(4), call.Text(3),
                              call.run.host, call.run.log);
    return set ? EventOutcome::Next : EventOutcome::Failed;
}

// Show states 0, 1 and 2: normal, minimised, maximised.
int ShowCommand(int32_t state) {
    switch (state) {
    case 1: return SW_SHOWMINIMIZED;
    case 2: return SW_SHOWMAXIMIZED;
    default: return SW_SHOWNORMAL;
    }
}

ScopedHandle Start(const std::string& commandLine, bool shell, int show) {
    if (shell) {
        CommandLine parts = SplitCommandLine(commandLine);
        SHELLEXECUTEINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
        info.lpFile = parts.program.c_str();
        info.lpParameters = parts.arguments.empty() ? nullptr : parts.arguments.c_str();
        info.nShow = show;
        bool started = ::ShellExecuteExA(&info) && info.hProcess != nullptr;
        return ScopedHandle(started ? info.hProcess : INVALID_HANDLE_VALUE);
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(show);
    PROCESS_INFORMATION process{};
    std::string line = commandLine;  // CreateProcessA may write into it
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process)) {
        return ScopedHandle(INVALID_HANDLE_VALUE);
    }
    ::CloseHandle(process.hThread);
    return ScopedHandle(process.hProcess);
}

// Handles messages meanwhile, at the lowest priority, so that the screen
// stays drawn without taking time from the program.
DWORD WaitForExit(HANDLE process, OperationHost& host) {
    HANDLE thread = ::GetCurrentThread();
    int priority = ::GetThreadPriority(thread);
    ::SetThreadPriority(thread, THREAD_PRIORITY_IDLE);
    while (::MsgWaitForMultipleObjects(1, &process, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
        host.PumpMessages();
    }
    ::SetThreadPriority(thread, priority);
    DWORD code = 0;
    ::GetExitCodeProcess(process, &code);
    return code;
}

const char* OrNull(const std::string& text) {
    return text.empty() ? nullptr : text.c_str();
}

// Until a window of that class and title has appeared and gone again, or
// the program ended without ever showing one.
void WaitForWindow(HANDLE process, const std::string& windowClass, const std::string& title,
                   OperationHost& host) {
    bool appeared = false;
    for (;;) {
        bool present = ::FindWindowA(OrNull(windowClass), OrNull(title)) != nullptr;
        appeared = appeared || present;
        if (appeared ? !present : ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0) {
            return;
        }
        host.PumpMessages();
        ::Sleep(50);
    }
}

EventOutcome RunProgram(EventCall& call) {
    const std::string& commandLine = call.Text(5);
    if (!call.Text(6).empty()) {
        ::SetCurrentDirectoryA(call.Text(6).c_str());
    }
    ScopedHandle process = Start(commandLine, call.Number(2) != 0, ShowCommand(call.Number(1)));
    if (!process.Valid()) {
        return call.Fail(FillIn(unableToExecuteMessage, commandLine));
    }
    if (call.Number(0) == 1) {
        DWORD code = WaitForExit(process.Get(), call.run.host);
        if (int32_t* variable = call.IntVar(7)) {
            *variable = static_cast<int32_t>(code);
        }
    } else if (call.Number(0) == 2) {
        WaitForWindow(process.Get(), call.Text(3), call.Text(4), call.run.host);
    }
    return EventOutcome::Next;
}

// File 0 AUTOEXEC.BAT, 1 CONFIG.SYS; place 0 before the lines it matches,
// else after; the result is shown unless "silent" is nonzero.
EventOutcome EditStartupFile(EventCall& call) {
    DosStartupEdit edit;
    edit.file = call.Number(1) == 1 ? DosStartupFile::ConfigSys : DosStartupFile::AutoexecBat;
    edit.lines = call.Text(0);
    edit.place = call.Number(2) == 0 ? NewLinePlace::Before : NewLinePlace::After;
    edit.path = call.Text(3);
    DosStartupMerged merged;
    if (!MergeDosStartupFile(edit, call.run.host, &merged)) {
        return EventOutcome::Failed;
    }
    if (call.Number(4) == 0) {
        ShowDosInform(call.run.facts.resources, call.run.facts.parent, merged.path, merged.text);
    }
    return EventOutcome::Next;
}

// Of the aux files that were copied into the runDirectory only the
// uninstaller's companion goes with the engine (the language DLLs of other
// languages stay behind).
EventOutcome InstallUninstallerEvent(EventCall& call) {
    EventRun& run = call.run;
    UninstallerSetup setup;
    setup.runDirectory = run.facts.runDirectory;
    setup.uninstallDirectory = call.Text(0);
    setup.languageCode = run.facts.languageCode;
    for (const AuxFile& file : run.script.auxFiles) {
        if (file.copy && EqualsIgnoringCase(file.name, uninstallerCompanionName)) {
            setup.auxFiles.push_back(file.name);
        }
    }
    setup.productName = run.script.product.productName;
    setup.itemGroup = call.Text(2);
    setup.itemTitle = call.Text(3);
    std::string backDirectory;
    if (!InstallUninstaller(setup, run.host, run.log, backDirectory)) {
        return EventOutcome::Failed;
    }
    run.controller.SetBackDirectory(backDirectory);
    return EventOutcome::Next;
}

EventOutcome Outcome(bool succeeded) {
    return succeeded ? EventOutcome::Next : EventOutcome::Failed;
}

EventOutcome MoveFileEvent(EventCall& call) {
    if (!PathExists(call.Text(0))) {
        return EventOutcome::Next;
    }
    return Outcome(MoveFile(call.Text(0), call.Text(1), call.run.host, call.run.log));
}

EventOutcome DeleteFileEvent(EventCall& call) {
    return Outcome(DeleteFile(call.Text(0), call.run.host, call.run.log));
}

EventOutcome CopyFileEvent(EventCall& call) {
    const std::string& path = call.Text(0);
    if (!PathExists(path)) {
        return EventOutcome::Next;
    }
    return Outcome(CopyFile(path, JoinPath(call.Text(1), FileNameOf(path)), call.run.host, call.run.log));
}

EventOutcome DeleteItem(EventCall& call) {
    return Outcome(DeletePmItem(call.Text(0), call.Text(1), call.run.host, call.run.log));
}

EventOutcome CreateDirectoryEvent(EventCall& call) {
    return Outcome(CreateDirectory(call.Text(0), call.run.host, call.run.log));
}

EventOutcome DeleteGroup(EventCall& call) {
    return Outcome(DeletePmGroup(call.Text(0), call.run.host, call.run.log));
}

}  // namespace

void PassOverInstallFiles(EventRun& run, const ScriptEvent& event) {
    std::vector<const ScriptFile*> files;
    if (event.params.empty() || !FilesOf(run, event.params[0].number, files)) {
        return;
    }
    run.host.Notice(run.host.Message(skippingFilesMessage));
    run.host.Progress(SizeKb(files));
    run.host.Notice(std::string());
}

EventHandler SystemEventHandler(int32_t type) {
    switch (type) {
    case EventInstallFiles: return InstallFiles;
    case EventCreateItem: return CreateItem;
    case EventSetIniEntry: return SetIniEntryEvent;
    case EventSetRegistryValue: return SetRegistryValue;
    case EventRunProgram: return RunProgram;
    case EventEditStartupFile: return EditStartupFile;
    case EventInstallUninstaller: return InstallUninstallerEvent;
    case EventMoveFile: return MoveFileEvent;
    case EventDeleteFile: return DeleteFileEvent;
    case EventCopyFile: return CopyFileEvent;
    case EventDeleteItem: return DeleteItem;
    case EventCreateDirectory: return CreateDirectoryEvent;
    case EventDeleteGroup: return DeleteGroup;
    default: return nullptr;
    }
}

}  // namespace gvmain
