// An install script as readable text, one object per line, texts quoted
// with C escapes, events with their parameters by name.
#pragma once

#include "gvmain/format/event_classes.h"
#include "gvmain/format/install_script.h"

#include <string>

namespace gvbuild {

std::string DumpScript(const gvmain::ScriptLoad& load, const gvmain::EventClassRegistry& classes);
// The event classes as a manifest names them: type, name, then each
// parameter's key, kind and default.
std::string DumpClasses(const gvmain::EventClassRegistry& classes);

}  // namespace gvbuild
