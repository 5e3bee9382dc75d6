#include "local_clock.h"

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <utility>

namespace vorlen::platform {
namespace {

std::tm ToTm(const ClockReading& r) {
    std::tm tm{};
    tm.tm_year = r.year - 1900;
    tm.tm_mon = r.month - 1;
    tm.tm_mday = r.day;
    tm.tm_hour = r.hour;
    tm.tm_min = r.minute;
    tm.tm_isdst = -1;
    return tm;
}

int OffsetWestAt(std::time_t instant) {
    std::tm local{};
    if (!localtime_r(&instant, &local))
        return 0;
    return static_cast<int>(-local.tm_gmtoff / 60);
}

ClockSource& Source() {
    static ClockSource source;
    return source;
}

}  // namespace

void SetClockSource(ClockSource source) {
    Source() = std::move(source);
}

ClockReading LocalNow() {
    if (Source())
        return Source()();
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min};
}

int UtcOffsetWestAtLocal(const ClockReading& local) {
    tzset();
    std::tm tm = ToTm(local);
    std::time_t instant = std::mktime(&tm);
    if (instant == static_cast<std::time_t>(-1))
        return 0;
    return OffsetWestAt(instant);
}

int UtcOffsetWestAtUtc(const ClockReading& utc) {
    tzset();
    std::tm tm = ToTm(utc);
    tm.tm_isdst = 0;
    std::time_t instant = timegm(&tm);
    if (instant == static_cast<std::time_t>(-1))
        return 0;
    return OffsetWestAt(instant);
}

std::string LocalZoneName() {
    // A zone name has no blanks, digits only after a letter, and no ".."
    // (a TZ of "/etc/localtime" or a POSIX rule is no name).
    auto isName = [](const std::string& name) {
        return !name.empty() && name[0] != '/' && name.find("..") == std::string::npos &&
               name.find_first_of(" ,<>") == std::string::npos && !(name[0] >= '0' && name[0] <= '9');
    };
    if (const char* tz = std::getenv("TZ")) {
        std::string name = tz[0] == ':' ? tz + 1 : tz;
        if (name.rfind("/usr/share/zoneinfo/", 0) == 0)
            name.erase(0, 20);
        return isName(name) && std::filesystem::is_regular_file("/usr/share/zoneinfo/" + name) ? name
                                                                                                : std::string();
    }
    std::string name;
    if (std::ifstream file("/etc/timezone"); file && std::getline(file, name) && isName(name))
        return name;
    std::error_code ignored;
    std::string target = std::filesystem::read_symlink("/etc/localtime", ignored).string();
    size_t at = target.find("zoneinfo/");
    return at == std::string::npos ? std::string() : target.substr(at + 9);
}

}  // namespace vorlen::platform
