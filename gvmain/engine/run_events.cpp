#include "gvmain/engine/run_events.h"

#include "gvmain/engine/event_call.h"
#include "gvmain/engine/message_box.h"
#include "gvmain/format/condition_expression.h"
#include "gvmain/format/event_gate.h"

namespace gvmain {
namespace {

ErrorReport Reporter(OperationHost& host) {
    return [&host](const std::string& text) { host.ReportError(text); };
}

const EventClass* ClassOf(int32_t type) {
    for (const EventClass& eventClass : StandardEventClasses()) {
        if (eventClass.type == type) {
            return &eventClass;
        }
    }
    return nullptr;
}

EventHandler HandlerOf(int32_t type) {
    for (EventHandler (*group)(int32_t) : {VariableEventHandler, DialogEventHandler, SystemEventHandler}) {
        if (EventHandler handler = group(type)) {
            return handler;
        }
    }
    return nullptr;
}

// A script held in memory need not have passed the reader's checks: an
// event whose parameters do not match its class cannot be executed.
bool Matches(const ScriptEvent& event, const EventClass& eventClass) {
    return event.params.size() == eventClass.params.size();
}

// Expands the texts and evaluates the expressions, reporting a failure.
bool Prepare(EventCall& call, const EventClass& eventClass) {
    ErrorReport report = Reporter(call.run.host);
    for (size_t i = 0; i < eventClass.params.size(); ++i) {
        EventParam& param = call.params[i];
        switch (eventClass.params[i].kind) {
        case ParamKind::Text:
            if (!ExpandText(call.event.params[i].text, call.run.variables, param.text, report)) {
                return false;
            }
            break;
        case ParamKind::Expression:
            if (!EvalCondition(param.text, call.run.variables, param.number, report)) {
                return false;
            }
            break;
        default: break;
        }
    }
    return true;
}

EventOutcome Execute(EventRun& run, EventRunState& state, const ScriptEvent& event) {
    const EventClass* eventClass = ClassOf(event.type);
    EventHandler handler = HandlerOf(event.type);
    if (eventClass == nullptr || handler == nullptr || !Matches(event, *eventClass)) {
        return EventOutcome::Uninterpretable;
    }
    EventCall call{run, state, event, event.params};
    if (!Prepare(call, *eventClass)) {
        return EventOutcome::Failed;
    }
    return handler(call);
}

void ShowSkipped(EventRun& run) {
    MessageBox request;
    request.format = skippedEventMessage;
    request.caption = run.script.product.productName;
    request.iconCode = iconExclamation;
    ShowMessageBox(run.facts.resources, run.facts.parent, request);
}

// The steps a "back" answer returns to: those that ask the user.
bool IsStep(int32_t type) {
    switch (type) {
    case EventMessageStep:
    case EventAskUserInfo:
    case EventSelectComponents:
    case EventShowText:
    case EventPromptString:
    case EventAskYesNo:
    case EventUserDialog: return true;
    default: return false;
    }
}

}  // namespace

int32_t RunEvents(EventRun& run) {
    EventRunState state(*run.facts.clock);
    std::vector<size_t> steps;  // the steps passed, for "back"
    const std::vector<ScriptEvent>& events = run.script.events;
    for (size_t next = 0; next < events.size();) {
        if (run.controller.AbandonRequested()) {
            return RunFailed;
        }
        const ScriptEvent& event = events[next];
        if (run.log != nullptr) {
            run.log->SetMode(event.mode);
        }
        EventGate gate = GateEvent(event, run.selected, run.variables, Reporter(run.host));
        if (gate == EventGate::Stop) {
            return RunFailed;
        }
        if (gate == EventGate::Skip) {
            if (event.type == EventInstallFiles) {
                PassOverInstallFiles(run, event);
            }
            ++next;
            continue;
        }
        switch (Execute(run, state, event)) {
        case EventOutcome::Next:
            if (IsStep(event.type)) {
                steps.push_back(next);
            }
            ++next;
            break;
        case EventOutcome::Back:
            if (!steps.empty()) {
                next = steps.back();
                steps.pop_back();
            }
            break;
        case EventOutcome::Uninterpretable:
            ShowSkipped(run);
            ++next;
            break;
        case EventOutcome::Finished: return state.status;
        case EventOutcome::Failed:
        case EventOutcome::Abandoned: return RunFailed;
        }
    }
    return state.status;
}

}  // namespace gvmain
