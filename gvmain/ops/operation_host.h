// How the install operations talk to the install controller: message texts,
// errors, questions, notices, progress, media changes and the run's restart
// flags.
// The controller implements it over its dialogs; tests record the calls.
#pragma once

#include "gvmain/ops/operation_environment.h"

#include <cstdint>
#include <string>
#include <vector>

namespace gvmain {

enum class Buttons { RetryCancel, YesNo, Custom };

// Ask returns the index of the chosen button: 0 for Retry, Yes or the first
// custom text, 1 for Cancel, No or the second.
struct Question {
    std::string text;
    std::string caption;  // empty: the controller's own
    Buttons buttons = Buttons::RetryCancel;
    std::vector<std::string> customTexts;
};
constexpr int firstButton = 0;
constexpr int secondButton = 1;

class OperationHost {
public:
    virtual ~OperationHost() = default;

    // A numbered message of the language DLL, else the built-in English one;
    // may hold printf-style fields (see FormatText).
    virtual std::string Message(int number) = 0;
    // Shown with the caption "Error".
    virtual void ReportError(const std::string& text) = 0;
    virtual int Ask(const Question& question) = 0;
    // The number of KB just written; false when the user cancelled.
    virtual bool Progress(uint32_t kb) = 0;
    virtual void PumpMessages() = 0;
    // Shows a notice while a long step runs; an empty text hides it.
    virtual void Notice(const std::string& text) = 0;

    // Makes disk `disk` (counted from 0) current. A disk already current is
    // not asked for again unless `force`. Returns false when the user gave
    // up, and also for a forced call when the media cannot change (disk
    // directories need no prompt), so that callers never wait forever.
    virtual bool ChangeDisk(int disk, bool force) = 0;
    // The directory of the current disk, without a trailing backslash.
    virtual std::string SourceDirectory() = 0;

    // The run must ask for a restart of Windows at its end.
    virtual void SetWindowsRestart() = 0;
    // AUTOEXEC.BAT or CONFIG.SYS changed: the run must ask for a restart of DOS.
    virtual void SetDosRestart() = 0;
    virtual const OperationEnvironment& Environment() = 0;
};

}  // namespace gvmain
