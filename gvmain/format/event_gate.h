// Whether the next event of the script runs: the first steps of running the
// events, before an event is executed by its type. The interpreter
// (RunEvents) sets the log's mode from the event, asks this, then executes
// the event through the parameters its class lays out (event_classes.h),
// expanding Text parameters and evaluating Expression ones first.
#pragma once

#include "gvmain/format/install_script.h"

#include <vector>

namespace gvmain {

enum class EventGate {
    Run,
    Skip,  // a component not selected, or a false condition
    Stop,  // the condition could not be evaluated: the run ends with result 1
};

// An event of a component that is not selected is skipped without its
// condition being evaluated; `selected` holds one flag per component of
// the script. A failed condition (an empty one among them) is reported
// before Stop is returned.
EventGate GateEvent(const ScriptEvent& event, const std::vector<bool>& selected, const Variables& variables,
                    const ErrorReport& report);

}  // namespace gvmain
