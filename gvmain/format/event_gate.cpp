#include "gvmain/format/event_gate.h"

#include "gvmain/format/condition_expression.h"

namespace gvmain {

EventGate GateEvent(const ScriptEvent& event, const std::vector<bool>& selected, const Variables& variables,
                    const ErrorReport& report) {
    if (event.component > 0) {
        size_t component = static_cast<size_t>(event.component - 1);
        if (component >= selected.size() || !selected[component])
            return EventGate::Skip;
    }
    int32_t value = 0;
    if (!EvalCondition(event.condition, variables, value, report))
        return EventGate::Stop;
    return value != 0 ? EventGate::Run : EventGate::Skip;
}

}  // namespace gvmain
