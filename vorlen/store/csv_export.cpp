#include "csv_export.h"

#include "vorlen/core/period_text.h"

#include <optional>
#include <string_view>

namespace vorlen::store {
namespace {

#ifdef _WIN32
constexpr std::string_view lineBreak = "\r\n";
#else
constexpr std::string_view lineBreak = "\n";
#endif

constexpr std::string_view header =
    "Description,Type,\"Start Date\",\"Start Time\",\"End Date\",\"End Time\",Period,"
    "\"Advanced Warning Days\",Location,\"Reoccuring Every\",\"Range End Date\","
    "\"Special Monthly Details\",Alarm(mins),\"Extra Information\"";

// One line of fields: present values are quoted as they stand (nothing is
// escaped), absent ones are empty.
class Line {
public:
    explicit Line(std::string& out) : out_(out) {}
    void Quoted(std::string_view value) {
        Separate();
        out_ += '"';
        out_ += value;
        out_ += '"';
    }
    void Bare(std::string_view value) {
        Separate();
        out_ += value;
    }
    void Optional(const std::optional<std::string>& value) {
        if (value)
            Quoted(*value);
        else
            Separate();
    }

private:
    void Separate() {
        if (fields_++ > 0)
            out_ += ',';
    }
    std::string& out_;
    int fields_ = 0;
};

std::optional<std::string> TimeText(const Time& time) {
    return time.IsValid() ? std::optional(time.Text()) : std::nullopt;
}

std::optional<std::string> DateText(const Date& date, bool present) {
    return present ? std::optional(date.LocaleShortText()) : std::nullopt;
}

std::optional<std::string> PositionText(const MonthlyPosition& position) {
    bool present = position.weekOrdinal != 0 || position.weekday != 0;
    return present ? std::optional(MonthlyPositionText(position)) : std::nullopt;
}

void AppendEvent(std::string& out, const EventNode& event) {
    const Date& rangeEnd = event.rangeEndDate;
    Line line(out);
    line.Quoted(event.description.view());
    line.Quoted(event.typeName.view());
    line.Bare(event.startDate.LocaleShortText());
    line.Optional(TimeText(event.startTime));
    line.Optional(DateText(event.endDate, event.endDate.IsValid()));
    line.Optional(TimeText(event.endTime));
    line.Quoted(event.PeriodName());
    line.Quoted(std::to_string(event.warningDays));
    line.Quoted(event.location.view());
    line.Optional(event.repeatDays != 0 ? std::optional(std::to_string(event.repeatDays)) : std::nullopt);
    line.Optional(DateText(rangeEnd, rangeEnd.day != 0 || rangeEnd.month != 0));
    line.Optional(PositionText(event.monthlyPosition));
    line.Quoted(std::to_string(event.alarmMinutes));
    line.Quoted(event.extraInfo.view());
    out += lineBreak;
}

}  // namespace

std::string CsvText(const Eventlist& events) {
    std::string out(header);
    out += lineBreak;
    for (const EventNode& event : events)
        AppendEvent(out, event);
    return out;
}

}  // namespace vorlen::store
