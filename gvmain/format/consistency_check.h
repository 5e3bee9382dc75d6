// Internal consistency checks: a failed one is reported as "Check failed at
// line %d in file %s" with the source module's name, and the caller goes on.
#pragma once

#include <functional>
#include <string>

namespace gvmain {

using CheckReport = std::function<void(const std::string& text)>;

// The report's text; `file` may be a full path (__FILE__), only its last
// component is shown.
std::string CheckFailedText(int line, const char* file);

}  // namespace gvmain

#define GVMAIN_CHECK_FAILED(report) (report)(::gvmain::CheckFailedText(__LINE__, __FILE__))
