#include "gvmain/uninstall/uninstall_host.h"

#include "gvmain/engine/message_box.h"
#include "gvmain/ops/error_log.h"

#include <utility>

namespace gvmain {

namespace {

// What Return would answer: the first of custom buttons, else the second
// (No, Cancel).
int DefaultAnswer(const Question& question) {
    return question.buttons == Buttons::Custom ? firstButton : secondButton;
}

}  // namespace

UninstallHost::UninstallHost(const OperationEnvironment& environment, std::string errorLog)
    : environment_(environment), errorLog_(std::move(errorLog)) {
    resources_.unattended = Unattended();
}

void UninstallHost::SetResources(const DialogResources& resources) {
    resources_ = resources;
    resources_.unattended = Unattended();
}

std::string UninstallHost::Message(int number) {
    return DialogText(resources_, number);
}

void UninstallHost::ReportError(const std::string& text) {
    if (Unattended()) {
        AppendErrorLine(errorLog_, text, environment_);
        return;
    }
    if (!resources_.language) {
        ::MessageBoxA(parent_, text.c_str(), nullptr, MB_OK);
        return;
    }
    MessageBox box;
    box.format = "%s";  // the text is complete: a percent sign in a path stays
    box.args = {text};
    ShowMessageBox(resources_, parent_, box);
}

// Unattended, the message box answers by default without showing.
int UninstallHost::Ask(const Question& question) {
    MessageBox box;
    box.format = "%s";
    box.args = {question.text};
    box.caption = question.caption;
    box.iconCode = iconQuestion;
    switch (question.buttons) {
    case Buttons::RetryCancel: box.buttons = ButtonSet::RetryCancel; break;
    case Buttons::YesNo: box.buttons = ButtonSet::YesNo; break;
    case Buttons::Custom:
        box.buttons = ButtonSet::Custom;
        box.customTexts = question.customTexts;
        break;
    }
    int answer = ShowMessageBox(resources_, parent_, box);
    return answer < 0 ? DefaultAnswer(question) : answer;
}

void UninstallHost::PumpMessages() {
    gvmain::PumpMessages();
}

}  // namespace gvmain
