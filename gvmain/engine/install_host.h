// The install controller's side of the operations (OperationHost): its
// texts, errors and questions through the engine's message box, the copy
// progress, the notices, the restart flags, and the media changes of the
// packaging modes. Unattended, nothing is shown: each error is appended to
// an error log and each question takes its default answer.
#pragma once

#include "gvmain/engine/notice.h"
#include "gvmain/engine/packaging.h"
#include "gvmain/engine/progress_dialog.h"
#include "gvmain/engine/run_events.h"
#include "gvmain/ops/operation_host.h"

#include <windows.h>

#include <string>
#include <vector>

namespace gvmain {

constexpr char errorLogName[] = "gverrors.log";

struct MediaSetup {
    PackagingMode mode = PackagingMode::OnePlace;
    std::string firstDirectory;           // the sourceDirectory of the control file
    std::vector<std::string> diskLabels;  // the disk map's labels, disk 0 first
};

class InstallHost : public OperationHost {
public:
    // `errorLog` is the file an unattended run writes its errors to.
    InstallHost(const OperationEnvironment& environment, NoticeClock& clock, std::string errorLog);

    // What the run has set up so far; the resources change when the
    // language DLL is loaded, the parent when the install screen shows.
    DialogResources resources;
    HWND parent = nullptr;
    std::string productName;
    ProgressDialog progress;
    MediaSetup media;

    RestartFlags Restarts() const { return restarts_; }

    // The install screen's exit button: message 71 captioned 72; "&Yes"
    // abandons the run before its next event (and stops a copy at once).
    void AskToAbandon();
    bool AbandonRequested() const { return abandonRequested_; }
    void ResetRestarts() { restarts_ = RestartFlags{}; }

    std::string Message(int number) override;
    void ReportError(const std::string& text) override;
    int Ask(const Question& question) override;
    bool Progress(uint32_t kb) override;
    void PumpMessages() override;
    void Notice(const std::string& text) override;
    bool ChangeDisk(int disk, bool force) override;
    std::string SourceDirectory() override;
    void SetWindowsRestart() override { restarts_.fileLeftForRestart = true; }
    void SetDosRestart() override { restarts_.dosStartupChanged = true; }
    const OperationEnvironment& Environment() override { return environment_; }

private:
    bool AskForDisk(int disk);

    OperationEnvironment environment_;
    gvmain::Notice notice_;
    std::string errorLog_;
    RestartFlags restarts_;
    int currentDisk_ = -1;
    bool abandonRequested_ = false;
};

}  // namespace gvmain
