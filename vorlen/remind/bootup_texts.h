// The four texts of the start-up reminder dialog, as its callers fill
// them: the count, today's date, the current time and the last check.
#pragma once

#include <string>

namespace vorlen {

struct BootupTexts {
    int count = 0;
    std::string dateText;
    std::string timeText;
    std::string lastCheckedText;
};

}  // namespace vorlen
