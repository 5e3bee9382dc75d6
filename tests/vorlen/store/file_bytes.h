// Pieces of data files built by hand, independently of the writer, so that
// tests check the layout itself.
#pragma once

#include <cstdint>
#include <string>

namespace vorlen::test {

inline std::string Le(int32_t value) {
    uint32_t bits = static_cast<uint32_t>(value);
    return std::string{static_cast<char>(bits), static_cast<char>(bits >> 8), static_cast<char>(bits >> 16),
                       static_cast<char>(bits >> 24)};
}

inline std::string Num(int32_t value) {
    return "|" + std::to_string(value) + "|";
}

inline std::string Text(const std::string& text) {
    return Le(static_cast<int32_t>(text.size())) + text;
}

inline std::string DateBytes(int32_t day, int32_t month, int32_t year) {
    return Le(day) + Le(month) + Le(year);
}

inline std::string TimeBytes(int32_t hour, int32_t minute) {
    return Le(hour) + Le(minute);
}

inline std::string Header(const std::string& version = "0.9.7", const std::string& owner = "Owner",
                          const std::string& title = "Title", char archive = 0) {
    return "\xFE<TOLVANE VORLEN>\xFE<DATA><VERSION = " + version + ">" + Text(owner) + Text(title) +
           std::string(1, archive);
}

// An EVENTDB2 record of a once-off or weekly event with the given texts.
inline std::string EventRecord(const std::string& description, const std::string& typeName,
                               int32_t period = 1, int32_t startHour = -1, int32_t endHour = -1) {
    return DateBytes(5, 3, 1998) + DateBytes(0, 0, 0) + DateBytes(0, 0, 0) + TimeBytes(startHour, 0) +
           TimeBytes(endHour, 0) + Num(period) + Num(0) + Num(0) + Text("") + Text(description) +
           Text(typeName) + Text("") + Text("") + Text("") + Num(0) + Num(0);
}

inline std::string CategoryRecord(const std::string& name, int32_t period = 0,
                                  const std::string& location = "", int32_t warningDays = 0) {
    return Text(name) + Text(location) + Num(period) + Num(0) + Num(warningDays) + Num(0) +
           DateBytes(0, 0, 0);
}

inline std::string Section(const std::string& name, int count, const std::string& records) {
    return "<SECTION = " + name + ">[" + std::to_string(count) + "]" + records + "<END_SECTION>";
}

inline std::string Trailer() {
    return "<END_DATA>\xFE";
}

}  // namespace vorlen::test
