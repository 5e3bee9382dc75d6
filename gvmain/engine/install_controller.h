// The install mode of the engine (ScriptInstallController): Init reads the
// control file, chooses the packaging of the media and loads the install
// script; Run sets up the run step by step (decompressor, 3-D controls,
// disk map, aux files, language, working log, install screen, icon and its
// window, components, help file), runs the script's events, tears the set-up
// down in reverse and finishes the operation log.
#pragma once

#include "gvmain/engine/control_file.h"
#include "gvmain/engine/ctl3d.h"
#include "gvmain/engine/install_host.h"
#include "gvmain/engine/install_screen.h"
#include "gvmain/engine/program_entry.h"
#include "gvmain/engine/run_events.h"
#include "gvmain/ops/win32_handles.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace gvmain {

// What tests replace: Wine gives no floppy drive, and a test keeps its
// system folders to itself.
struct InstallSeams {
    // The MediaKind of the drive with this root ("d:\"); the platform's when empty.
    std::function<MediaKind(const std::string& root)> mediaKindOf;
    std::optional<OperationEnvironment> environment;  // detected when empty
    NoticeClock* clock = &SystemClock();
};

constexpr char scriptNotFoundMessage[] = "install.inf or setup.inf not found";
constexpr char unableToLoadMessage[] = "Unable to load %s";

class ScriptInstallController : public ModeController, public EventController {
public:
    explicit ScriptInstallController(const EngineStart& start, InstallSeams seams = {});
    ~ScriptInstallController() override;

    bool Init() override;
    int32_t Run() override;
    void Done() override;

    RestartFlags Restarts() override { return host_.Restarts(); }
    int32_t ShowCompletion(int32_t status) override;
    // The launcher's "sz", which the controller keeps.
    int32_t Answer() override { return control_.sz; }
    void SetBackDirectory(const std::string& directory) override { backDirectory_ = directory; }
    ProgressDialog& Progress() override { return host_.progress; }
    bool AbandonRequested() override { return host_.AbandonRequested(); }

    PackagingMode Packaging() const { return host_.media.mode; }
    int32_t LanguageNumber() const { return languageNumber_; }
    bool Unattended() const { return host_.resources.unattended; }

private:
    bool Fail(const std::string& message);
    bool LoadScript();
    int32_t SetUpAndRunEvents();
    bool CheckDiskMap();
    bool CopyAuxFiles();
    bool LoadLanguage();
    bool OpenLog();
    bool ShowScreen();
    bool LoadIcon();
    bool CreateIconWindow();
    int32_t RunScriptEvents();
    void TearDown();
    int32_t FinishRun(int32_t result);
    std::string RunFile(const std::string& name) const;

    EngineStart start_;
    InstallSeams seams_;
    ControlFile control_;
    InstallHost host_;
    InstallScript script_;
    ScopedLibrary decompressor_;
    std::unique_ptr<Ctl3d> ctl3d_;
    ScopedLibrary language_;
    int32_t languageNumber_ = usEnglish;
    std::string helpFile_;
    OperationLog log_;
    InstallScreen screen_;
    HICON icon_ = nullptr;
    bool iconOwned_ = false;
    HWND iconWindow_ = nullptr;
    std::vector<bool> selected_;
    std::string backDirectory_;
};

}  // namespace gvmain
