// One event on its way through the interpreter: its parameters ready for
// use, the run's state, and the handlers of the event types grouped by
// topic (variable_events.cpp, dialog_events.cpp, system_events.cpp).
#pragma once

#include "gvmain/engine/run_events.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace gvmain {

enum class EventOutcome {
    Next,
    Back,             // a message step's "back": the previous step again
    Failed,           // reported already; the run ends with 1
    Abandoned,        // the user confirmed leaving; the run ends with 1
    Finished,         // the finish event set the run's result
    Uninterpretable,  // skipped with a message
};

// What lasts from one event to the next.
struct EventRunState {
    int32_t status = RunCompleted;
    bool systemIniChanged = false;
    Notice notice;

    explicit EventRunState(NoticeClock& clock) : notice(clock) {}
};

struct EventCall {
    EventRun& run;
    EventRunState& state;
    const ScriptEvent& event;
    // As the class lays them out: Text expanded, an Expression's value in
    // `number`, a variable's name in `text`.
    std::vector<EventParam> params;

    int32_t Number(size_t index) const { return params[index].number; }
    const std::string& Text(size_t index) const { return params[index].text; }
    // Null for an optional variable left empty.
    int32_t* IntVar(size_t index) const { return run.variables.IntVariable(params[index].text); }
    void SetString(size_t index, const std::string& value) const {
        run.variables.SetString(params[index].text, value);
    }
    std::string StringVar(size_t index) const {
        const std::string* value = run.variables.StringVariable(params[index].text);
        return value != nullptr ? *value : std::string();
    }
    // Message `number` with the product name in its "%s".
    std::string ProductMessage(int number) const {
        return FillIn(run.host.Message(number).c_str(), run.script.product.productName);
    }
    EventOutcome Fail(const std::string& text) const {
        run.host.ReportError(text);
        return EventOutcome::Failed;
    }
};

using EventHandler = EventOutcome (*)(EventCall& call);

// The handler of `type` among each group's, or nullptr.
EventHandler VariableEventHandler(int32_t type);
EventHandler DialogEventHandler(int32_t type);
EventHandler SystemEventHandler(int32_t type);

// Asks message 142, captioned with the product name: true when the user
// confirms leaving the installation.
bool ConfirmLeaving(EventCall& call);

// A skipped install-files event still moves the progress display on by
// the size of its files, with message 2 shown meanwhile.
void PassOverInstallFiles(EventRun& run, const ScriptEvent& event);

}  // namespace gvmain
