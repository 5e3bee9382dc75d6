#include "period_text.h"

namespace vorlen {

std::string MonthlyPositionText(const MonthlyPosition& position) {
    static const char* const ordinals[5] = {"The first ", "The second ", "The third ", "The forth ",
                                            "The fifth "};
    std::string text;
    if (position.weekOrdinal >= 1 && position.weekOrdinal <= 5)
        text += ordinals[position.weekOrdinal - 1];
    if (position.weekday >= 1 && position.weekday <= 7)
        text += dayNames[position.weekday - 1];
    if (position.monthSel == 0)
        text += " of every month";
    else if (position.monthSel >= 1 && position.monthSel <= 12)
        text += std::string(" of ") + monthNames[position.monthSel - 1];
    return text;
}

}  // namespace vorlen
