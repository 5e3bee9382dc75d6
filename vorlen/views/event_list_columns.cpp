#include "event_list_columns.h"

#include <algorithm>
#include <cmath>

namespace vorlen::views {
namespace {

namespace setting = platform::setting;

constexpr int maxStoredWidth = 10000;
constexpr int expiryColumn = 6;
constexpr int whereColumn = 7;

std::string TimeText(const Time& time) {
    return time.IsValid() ? time.Text() : std::string();
}

std::string DateTextWithDay(const Date& date) {
    return date.day != 0 ? date.Text() : std::string();
}

}  // namespace

std::string EventListCellText(const EventNode& event, int column) {
    switch (column) {
    case 0: return std::string(event.description.view());
    case 1: return std::string(event.typeName.view());
    case 2: return event.startDate.Text();
    case 3: return TimeText(event.startTime);
    case 4: return DateTextWithDay(event.endDate);
    case 5: return TimeText(event.endTime);
    case 6: return DateTextWithDay(event.rangeEndDate);
    case 7: return std::string(event.location.view());
    default: return {};
    }
}

double ColumnWidthScale(double digitWidth) {
    return std::max(1.0, digitWidth / layoutDigitWidth);
}

int ShownColumnWidth(int stored, double scale) {
    return static_cast<int>(std::lround(std::clamp(stored, 0, maxStoredWidth) * scale));
}

int StoredColumnWidth(int shown, double scale) {
    return std::clamp(static_cast<int>(std::lround(shown / scale)), 0, maxStoredWidth);
}

ColumnWidths ReadColumnWidths() {
    ColumnWidths widths{};
    platform::registryAccess key;
    key.Open();
    if (!platform::ReadInts(key, setting::eventListColumnWidths, widths)) {
        for (int column = 0; column < eventListColumnCount; ++column)
            widths[column] = eventListColumns[column].defaultWidth;
    }
    if (widths[expiryColumn] == 0)
        widths[expiryColumn] = eventListColumns[expiryColumn].defaultWidth;
    if (widths[whereColumn] == 0)
        widths[whereColumn] = eventListColumns[whereColumn].defaultWidth;
    return widths;
}

void WriteColumnWidths(const ColumnWidths& widths) {
    platform::registryAccess key;
    key.Open();
    platform::WriteInts(key, setting::eventListColumnWidths, widths);
}

}  // namespace vorlen::views
