// Sets the process-wide date text settings for one test and restores the
// previous ones afterwards.
#pragma once

#include "vorlen/core/date_time.h"

namespace vorlen::test {

class DateSettingsGuard {
public:
    DateSettingsGuard(int order, char separator, int clock24)
        : order_(dateOrder), separator_(dateSeparator), clock24_(time24Hour) {
        dateOrder = order;
        dateSeparator = separator;
        time24Hour = clock24;
    }
    ~DateSettingsGuard() {
        dateOrder = order_;
        dateSeparator = separator_;
        time24Hour = clock24_;
    }
    DateSettingsGuard(const DateSettingsGuard&) = delete;
    DateSettingsGuard& operator=(const DateSettingsGuard&) = delete;

private:
    int order_;
    char separator_;
    int clock24_;
};

}  // namespace vorlen::test
