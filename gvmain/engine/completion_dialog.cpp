#include "gvmain/engine/completion_dialog.h"

#include "gvmain/engine/message_box.h"
#include "gvmain/engine/run_events.h"

namespace gvmain {
namespace {

constexpr int okButton = 76;
constexpr int completedMessage = 61;
constexpr int windowsRestartMessage = 62;
constexpr int restartButton = 63;
constexpr int stayButton = 64;
constexpr int dosRestartMessage = 65;
constexpr int completedCaption = 66;
constexpr int abortedMessage = 85;
constexpr int abortedCaption = 86;

}  // namespace

CompletionBox CompletionFor(int32_t status) {
    switch (status) {
    case RunFailed: return {abortedMessage, abortedCaption, {okButton}, {RunFailed}};
    case RunWindowsRestart:
        return {windowsRestartMessage,
                completedCaption,
                {restartButton, stayButton},
                {RunWindowsRestart, RunCompleted}};
    case statusForcedWindowsRestart:
        return {windowsRestartMessage, completedCaption, {restartButton}, {RunWindowsRestart}};
    case RunDosRestart:
        return {
            dosRestartMessage, completedCaption, {restartButton, stayButton}, {RunDosRestart, RunCompleted}};
    default: return {completedMessage, completedCaption, {okButton}, {RunCompleted}};
    }
}

int32_t ShowCompletion(const DialogResources& resources, HWND parent, HICON icon,
                       const std::string& productName, int32_t status) {
    CompletionBox box = CompletionFor(status);
    MessageBox request;
    request.format = DialogText(resources, box.message);
    request.args = {productName};
    request.caption = DialogText(resources, box.caption);
    request.iconCode = 0;  // the program icon
    request.icon = icon;
    request.buttons = ButtonSet::Custom;
    for (int number : box.buttons) {
        request.customTexts.push_back(DialogText(resources, number));
    }
    request.defaultButton = 0;
    request.escapeButton = static_cast<int>(box.buttons.size()) - 1;
    int answer = ShowMessageBox(resources, parent, request);
    return box.results[answer >= 0 && static_cast<size_t>(answer) < box.results.size() ? answer : 0];
}

}  // namespace gvmain
