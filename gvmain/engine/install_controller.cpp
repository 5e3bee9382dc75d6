#include "gvmain/engine/install_controller.h"

#include "gvmain/engine/completion_dialog.h"
#include "gvmain/engine/log_finish.h"
#include "gvmain/format/languages.h"
#include "gvmain/ops/file_names.h"
#include "gvmain/ops/file_operations.h"
#include "gvmain/ops/message_text.h"

#include <shellapi.h>

namespace gvmain {
namespace {

constexpr char iconWindowClass[] = "wndclassic";
constexpr int maxLocaleCode = 20;

MediaKind PlatformMediaKind(const std::string& root) {
    uint32_t freeUnits = 0;
    return DriveMediaKind(root, &freeUnits);
}

std::string LocaleLanguageCode() {
    char code[maxLocaleCode + 1] = "";
    ::GetProfileStringA("Intl", "sLanguage", "enu", code, sizeof code);
    return code;
}

bool RegisterIconWindowClass(HINSTANCE instance) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &::DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = iconWindowClass;
    return ::RegisterClassA(&windowClass) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

ScriptInstallController::ScriptInstallController(const EngineStart& start, InstallSeams seams)
    : start_(start),
      seams_(std::move(seams)),
      host_(WithShellFlags(seams_.environment ? *seams_.environment : DetectEnvironment(), start.os),
            *seams_.clock, JoinPath(start.runDirectory, errorLogName)) {
    host_.resources.engine = start.instance;
    if (!seams_.mediaKindOf) {
        seams_.mediaKindOf = &PlatformMediaKind;
    }
}

ScriptInstallController::~ScriptInstallController() {
    Done();
}

bool ScriptInstallController::Fail(const std::string& message) {
    host_.ReportError(message);
    return false;
}

std::string ScriptInstallController::RunFile(const std::string& name) const {
    return JoinPath(start_.runDirectory, name);
}

// The control file is read whole first, so that an unattended run keeps
// even its first error off the screen; the checks go in their fixed order.
bool ScriptInstallController::Init() {
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    control_ = ReadControlFile(RunFile(controlFileName));
    host_.resources.unattended = IsUnattended(control_.commandLine);
    if (control_.sourceDirectory.empty()) {
        return Fail(controlUndefinedMessage);
    }
    MediaKind kind = seams_.mediaKindOf(DriveRoot(control_.sourceDirectory));
    if (!ChoosePackaging(kind, control_.sourceDirectory, &host_.media.mode)) {
        return Fail(invalidPackagingMessage);
    }
    host_.media.firstDirectory = control_.sourceDirectory;
    if (control_.sz == 0) {
        return Fail(controlUndefinedMessage);
    }
    return LoadScript();
}

bool ScriptInstallController::LoadScript() {
    std::string path = RunFile("install.inf");
    if (!PathExists(path)) {
        path = RunFile("setup.inf");
    }
    if (!PathExists(path)) {
        return Fail(scriptNotFoundMessage);
    }
    EventClassRegistry classes =
        RegisterStandardEventClasses([this](const std::string& text) { host_.ReportError(text); });
    ScriptLoad load = LoadScriptFile(path, classes);
    if (!load.error.empty()) {
        return Fail(FormatText(unableToLoadMessage, {path}));
    }
    script_ = std::move(load.script);
    return true;
}

int32_t ScriptInstallController::Run() {
    int32_t result = SetUpAndRunEvents();
    TearDown();
    log_.Close();
    return FinishRun(result);
}

// Each step that fails reports its message (where it has one) and ends
// the run with 1; what was set up is torn down by the caller.
int32_t ScriptInstallController::SetUpAndRunEvents() {
    host_.ResetRestarts();
    backDirectory_.clear();
    languageNumber_ = usEnglish;
    decompressor_.Reset(::LoadLibraryA("lzpunz2.dll"));  // a missing one fails only the files that need it
    if (script_.product.flags & productWantsCtl3d) {
        ctl3d_ = std::make_unique<Ctl3d>(start_.instance);
    }
    host_.productName = script_.product.productName;
    if (!CheckDiskMap() || !CopyAuxFiles() || !LoadLanguage() || !OpenLog() || !ShowScreen() || !LoadIcon() ||
        !CreateIconWindow()) {
        return RunFailed;
    }
    selected_.assign(script_.components.size(), true);
    return RunScriptEvents();
}

// Every packaged file must lie on a disk that the map names.
bool ScriptInstallController::CheckDiskMap() {
    host_.media.diskLabels = script_.texts.diskLabels;
    for (const InstallFile& file : script_.installFiles) {
        if (file.disk < 0 || static_cast<size_t>(file.disk) >= script_.texts.diskLabels.size()) {
            return Fail("Unable to get the disk map");
        }
    }
    return true;
}

bool ScriptInstallController::CopyAuxFiles() {
    for (const AuxFile& file : script_.auxFiles) {
        std::string from = JoinPath(control_.sourceDirectory, file.name);
        std::string to = RunFile(file.name);
        if (file.copy && ::lstrcmpiA(from.c_str(), to.c_str()) != 0 && !CopyFile(from, to, host_, nullptr)) {
            return Fail("Unable to copy the aux files");
        }
    }
    return true;
}

bool ScriptInstallController::LoadLanguage() {
    languageNumber_ = ChooseLanguage(LocaleLanguageCode(), script_.product.languages);
    std::string code = LanguageOf(languageNumber_).code;
    language_.Reset(::LoadLibraryA(RunFile(FormatText("gv%s.dll", {code})).c_str()));
    if (!language_.Valid()) {
        return Fail("Unable to load language DLL");
    }
    host_.resources.language = language_.Get();
    helpFile_ = RunFile(FormatText("gv%s.hlp", {code}));
    return true;
}

bool ScriptInstallController::OpenLog() {
    LogHeader header;
    header.uninstallView = script_.product.uninstallView;
    header.languageNumber = languageNumber_;
    header.buildIdA = script_.buildIds.buildIdA;
    header.buildIdB = script_.buildIds.buildIdB;
    header.undoPaceMs = 100;
    header.productName = script_.product.productName;
    std::string path = RunFile(workingLogName);
    return log_.Open(path, header) || Fail(FormatText(unableToOpenMessage, {path}));
}

// Unattended, no screen is shown and the dialogs have no parent.
bool ScriptInstallController::ShowScreen() {
    if (host_.resources.unattended) {
        return true;
    }
    const std::string& picture = script_.screen.picture;
    std::string picturePath = IsAbsolutePath(picture) ? picture : RunFile(picture);
    if (!screen_.Create(host_.resources, script_.screen, picturePath, helpFile_)) {
        return Fail("Unable to realize the install screen");
    }
    host_.parent = screen_.Window();
    screen_.onExit = [this] { host_.AskToAbandon(); };
    return true;
}

// The first icon of "gvmain.ico" beside the engine, else the language
// DLL's "ICONSETUP"; without either the run ends with no message.
bool ScriptInstallController::LoadIcon() {
    std::string iconFile = RunFile("gvmain.ico");
    HICON extracted = PathExists(iconFile) ? ::ExtractIconA(start_.instance, iconFile.c_str(), 0) : nullptr;
    if (reinterpret_cast<UINT_PTR>(extracted) > 1) {
        icon_ = extracted;
        iconOwned_ = true;
        return true;
    }
    icon_ = ::LoadIconA(language_.Get(), "ICONSETUP");
    iconOwned_ = false;
    return icon_ != nullptr;
}

bool ScriptInstallController::CreateIconWindow() {
    if (RegisterIconWindowClass(start_.instance)) {
        iconWindow_ =
            ::CreateWindowExA(0, iconWindowClass, script_.product.productName.c_str(), WS_OVERLAPPEDWINDOW, 0,
                              0, 100, 100, ::GetDesktopWindow(), nullptr, start_.instance, nullptr);
    }
    if (!iconWindow_) {
        return Fail("Unable to create the icon window");
    }
    ::SendMessageA(iconWindow_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    if (!host_.resources.unattended) {
        ::ShowWindow(iconWindow_, SW_MINIMIZE);
        ::ShowWindow(iconWindow_, SW_HIDE);
    }
    return true;
}

int32_t ScriptInstallController::RunScriptEvents() {
    Variables variables = DeclareVariables(script_);
    EventRunFacts facts;
    facts.resources = host_.resources;
    facts.parent = host_.parent;
    facts.programIcon = icon_;
    facts.runDirectory = start_.runDirectory;
    facts.commandLine = control_.commandLine;
    facts.languageCode = LanguageOf(languageNumber_).code;
    facts.clock = seams_.clock;
    EventRun run{script_, variables, selected_, &log_, host_, *this, facts};
    return RunEvents(run);
}

int32_t ScriptInstallController::ShowCompletion(int32_t status) {
    return gvmain::ShowCompletion(host_.resources, host_.parent, icon_, script_.product.productName, status);
}

// In reverse order of the set-up.
void ScriptInstallController::TearDown() {
    host_.progress.Hide();
    if (iconWindow_) {
        ::DestroyWindow(iconWindow_);
        iconWindow_ = nullptr;
    }
    if (icon_ && iconOwned_) {
        ::DestroyIcon(icon_);
    }
    icon_ = nullptr;
    host_.resources.language = nullptr;
    language_.Reset();
    screen_.Destroy();
    host_.parent = nullptr;
    ctl3d_.reset();
    decompressor_.Reset();
}

// An abandoned run keeps its log for the uninstaller to roll it back (6)
// when the uninstaller is in place. A completed run whose log cannot be
// kept is no success: nothing could undo it.
int32_t ScriptInstallController::FinishRun(int32_t result) {
    LogFinish finish;
    finish.workingLog = RunFile(workingLogName);
    finish.backDirectory = backDirectory_;
    finish.append = (script_.product.flags & productAppendsLog) != 0;
    finish.rollBack = result == RunFailed;
    finish.windowsDirectory = host_.Environment().windowsDirectory;
    FinishOutcome outcome = FinishLog(finish, host_);
    if (finish.rollBack) {
        return outcome == FinishOutcome::Kept ? RunRolledBack : RunFailed;
    }
    return outcome == FinishOutcome::Failed ? RunFailed : result;
}

void ScriptInstallController::Done() {
    TearDown();
    log_.Close();
}

}  // namespace gvmain
