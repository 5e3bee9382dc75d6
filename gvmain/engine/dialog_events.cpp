// The events that ask the user something or show something: the message
// step, the input dialogs, questions, notices, the progress dialog, the
// script's own dialogs and the finish with its completion dialog.
#include "gvmain/engine/event_call.h"

#include "gvmain/engine/component_selection.h"
#include "gvmain/engine/message_box.h"
#include "gvmain/engine/prompt_dialog.h"
#include "gvmain/engine/user_dialog_window.h"
#include "gvmain/engine/user_info_dialog.h"

#include <algorithm>

namespace gvmain {
namespace {

constexpr int stepCaption = 60;
constexpr int nextButton = 58;
constexpr int exitButton = 59;
constexpr int backButton = 141;
constexpr int leaveQuestion = 142;
constexpr int preparingNotice = 57;
constexpr int updatingNotice = 43;
constexpr int completingNotice = 44;
constexpr uint32_t scriptNoticeTime = 3000;

constexpr char progressFailedMessage[] = "Unable to show the progress dialog";

// A box of `text` shown as it is: a "%" in the script's text is no field.
MessageBox Box(const std::string& text, const std::string& caption, int iconCode) {
    MessageBox request;
    request.format = "%s";
    request.args = {text};
    request.caption = caption;
    request.iconCode = iconCode;
    return request;
}

int Show(const EventCall& call, const MessageBox& request) {
    return ShowMessageBox(call.run.facts.resources, call.run.facts.parent, request);
}

void SetInt(const EventCall& call, size_t index, int32_t value) {
    if (int32_t* variable = call.IntVar(index)) {
        *variable = value;
    }
}

// The first button goes on, the third goes back, the second (or Escape)
// leaves once the user confirms.
EventOutcome MessageStep(EventCall& call) {
    OperationHost& host = call.run.host;
    MessageBox request = Box(call.Text(1), host.Message(stepCaption), iconInformation);
    request.buttons = ButtonSet::Custom;
    request.customTexts = {host.Message(nextButton), host.Message(exitButton)};
    if (call.Number(0) != 0) {
        request.customTexts.push_back(host.Message(backButton));
    }
    request.defaultButton = 0;
    request.escapeButton = 1;
    for (;;) {
        int answer = Show(call, request);
        if (answer == 0) {
            return EventOutcome::Next;
        }
        if (answer == 2) {
            return EventOutcome::Back;
        }
        if (ConfirmLeaving(call)) {
            return EventOutcome::Abandoned;
        }
    }
}

EventOutcome AskUserInfoEvent(EventCall& call) {
    std::vector<std::string> texts(call.params.size() - 2);
    for (size_t i = 0; i < texts.size(); ++i) {
        texts[i] = call.Text(i + 2);
    }
    UserInfo info{call.StringVar(0), call.StringVar(1)};
    while (!AskUserInfo(call.run.facts.resources, call.run.facts.parent, texts, &info)) {
        if (ConfirmLeaving(call)) {
            return EventOutcome::Abandoned;
        }
    }
    call.SetString(0, info.name);
    call.SetString(1, info.company);
    return EventOutcome::Next;
}

EventOutcome SelectComponentsEvent(EventCall& call) {
    const std::vector<Component>& components = call.run.script.components;
    std::vector<bool>& selected = call.run.selected;
    std::vector<ComponentChoice> choices;
    for (size_t i = 0; i < components.size(); ++i) {
        std::vector<int> members(components[i].members.begin(), components[i].members.end());
        choices.push_back(
            {components[i].name, components[i].sizeKb, i < selected.size() && selected[i], members});
    }
    while (!SelectComponents(call.run.facts.resources, call.run.facts.parent, &choices)) {
        if (ConfirmLeaving(call)) {
            return EventOutcome::Abandoned;
        }
    }
    selected.resize(choices.size());
    for (size_t i = 0; i < choices.size(); ++i) {
        selected[i] = choices[i].selected;
    }
    return EventOutcome::Next;
}

// Kind 0 decides from what the run changed; kinds 1 to 4 name the status.
bool FinishStatus(EventCall& call, int32_t kind, int32_t& status) {
    static const int32_t named[] = {RunCompleted, RunWindowsRestart, RunDosRestart, RunFailed};
    if (kind >= 1 && kind <= 4) {
        status = named[kind - 1];
        return true;
    }
    if (kind != 0) {
        return false;
    }
    RestartFlags restarts = call.run.controller.Restarts();
    status = restarts.fileLeftForRestart   ? RunWindowsRestart
             : restarts.dosStartupChanged  ? RunDosRestart
             : call.state.systemIniChanged ? RunWindowsRestart
                                           : RunCompleted;
    return true;
}

// Without a variable the run ends with the status; with one, it goes on.
EventOutcome Finish(EventCall& call) {
    int32_t status = RunCompleted;
    if (!FinishStatus(call, call.Number(0), status)) {
        return EventOutcome::Uninterpretable;
    }
    if (call.Number(1) != 0) {
        status = call.run.controller.ShowCompletion(status);
    }
    if (int32_t* variable = call.IntVar(2)) {
        *variable = status;
        return EventOutcome::Next;
    }
    call.state.status = status;
    return EventOutcome::Finished;
}

EventOutcome ShowText(EventCall& call) {
    Show(call, Box(call.Text(0), call.run.script.product.productName, iconInformation));
    return EventOutcome::Next;
}

EventOutcome PromptStringEvent(EventCall& call) {
    PromptArgs args{call.Text(0), call.Text(1), {}};
    std::string value = call.StringVar(2);
    while (!PromptString(call.run.facts.resources, call.run.facts.parent, args, &value)) {
        if (ConfirmLeaving(call)) {
            return EventOutcome::Abandoned;
        }
    }
    call.SetString(2, value);
    return EventOutcome::Next;
}

EventOutcome AskYesNo(EventCall& call) {
    MessageBox request = Box(call.Text(0), call.run.script.product.productName, iconQuestion);
    request.buttons = ButtonSet::YesNo;
    SetInt(call, 1, Show(call, request) == 0 ? 1 : 0);
    return EventOutcome::Next;
}

EventOutcome ShowProgress(EventCall& call) {
    const EventRunFacts& facts = call.run.facts;
    if (!call.run.controller.Progress().Show(facts.resources, facts.parent, call.Number(0), call.Number(1),
                                             facts.programIcon)) {
        return call.Fail(progressFailedMessage);
    }
    return EventOutcome::Next;
}

EventOutcome HideProgress(EventCall& call) {
    call.run.controller.Progress().Hide();
    return EventOutcome::Next;
}

EventOutcome ShowNotice(EventCall& call, NoticeArgs args) {
    args.icon = call.run.facts.programIcon;
    if (args.caption.empty()) {
        args.caption = call.run.script.product.productName;
    }
    call.state.notice.Show(call.run.facts.resources, call.run.facts.parent, args);
    return EventOutcome::Next;
}

template <int message>
EventOutcome ShowMessageNotice(EventCall& call) {
    NoticeArgs args;
    args.text = call.ProductMessage(message);
    args.leastDisplayTime = scriptNoticeTime;
    return ShowNotice(call, args);
}

EventOutcome HideNotice(EventCall& call) {
    call.state.notice.Hide();
    return EventOutcome::Next;
}

// Text 1 is the notice's text, text 2 its caption (the product name when empty).
EventOutcome ShowTextNotice(EventCall& call) {
    NoticeArgs args;
    args.x = call.Number(0);
    args.y = call.Number(1);
    args.leastDisplayTime = static_cast<uint32_t>(std::max(call.Number(2), 0));
    args.text = call.Text(3);
    args.caption = call.Text(4);
    return ShowNotice(call, args);
}

EventOutcome UserDialogEvent(EventCall& call) {
    const std::string& name = call.Text(0);
    for (const UserDialog& dialog : call.run.script.userDialogs) {
        if (dialog.name != name) {
            continue;
        }
        int32_t result = 0;
        OperationHost& host = call.run.host;
        ErrorReport report = [&host](const std::string& text) { host.ReportError(text); };
        if (!RunUserDialog(call.run.facts.resources, call.run.facts.parent, dialog, call.run.variables,
                           report, &result)) {
            return EventOutcome::Failed;
        }
        SetInt(call, 1, result);
        return EventOutcome::Next;
    }
    return call.Fail(FillIn(userDialogNotFoundMessage, name));
}

}  // namespace

bool ConfirmLeaving(EventCall& call) {
    MessageBox request =
        Box(call.run.host.Message(leaveQuestion), call.run.script.product.productName, iconQuestion);
    request.buttons = ButtonSet::YesNo;
    // A box that cannot be shown leaves rather than asking for ever.
    return Show(call, request) != 1;
}

EventHandler DialogEventHandler(int32_t type) {
    switch (type) {
    case EventMessageStep: return MessageStep;
    case EventAskUserInfo: return AskUserInfoEvent;
    case EventSelectComponents: return SelectComponentsEvent;
    case EventFinish: return Finish;
    case EventShowText: return ShowText;
    case EventPromptString: return PromptStringEvent;
    case EventAskYesNo: return AskYesNo;
    case EventShowProgress: return ShowProgress;
    case EventHideProgress: return HideProgress;
    case EventShowNotice57: return ShowMessageNotice<preparingNotice>;
    case EventShowNotice43: return ShowMessageNotice<updatingNotice>;
    case EventShowNotice44: return ShowMessageNotice<completingNotice>;
    case EventHideNotice57:
    case EventHideNotice43:
    case EventHideNotice44:
    case EventHideTextNotice: return HideNotice;
    case EventShowTextNotice: return ShowTextNotice;
    case EventUserDialog: return UserDialogEvent;
    default: return nullptr;
    }
}

}  // namespace gvmain
