// What the undo operations ask of the uninstaller: texts of the loaded
// language, errors, questions and message handling. With windows, errors
// and questions are the engine's message boxes; unattended, every question
// takes its default answer and every error becomes a line of the error log.
// Errors before the language DLL is loaded show in the platform's own box.
#pragma once

#include "gvmain/engine/dialog_window.h"
#include "gvmain/ops/operation_host.h"

#include <windows.h>

#include <string>

namespace gvmain {

class UninstallHost : public OperationHost {
public:
    // An empty `errorLog` shows errors and questions; otherwise the run is
    // unattended and errors go to that file.
    UninstallHost(const OperationEnvironment& environment, std::string errorLog);

    // The resources keep the host's unattended flag.
    void SetResources(const DialogResources& resources);
    // The window that owns the message boxes (the open dialog), or null.
    void SetParent(HWND parent) { parent_ = parent; }
    bool Unattended() const { return !errorLog_.empty(); }
    const DialogResources& Resources() const { return resources_; }

    std::string Message(int number) override;
    void ReportError(const std::string& text) override;
    int Ask(const Question& question) override;
    bool Progress(uint32_t) override { return true; }
    void PumpMessages() override;
    void Notice(const std::string&) override {}
    bool ChangeDisk(int, bool) override { return false; }
    std::string SourceDirectory() override { return std::string(); }
    void SetWindowsRestart() override {}
    void SetDosRestart() override {}
    const OperationEnvironment& Environment() override { return environment_; }

private:
    OperationEnvironment environment_;
    std::string errorLog_;
    DialogResources resources_;
    HWND parent_ = nullptr;
};

}  // namespace gvmain
