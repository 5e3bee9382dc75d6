#include "settings.h"

#include <cstdio>
#include <utility>
#include <vector>

namespace vorlen::platform {
namespace {

using Bytes = std::vector<std::uint8_t>;

ProblemReporter& Reporter() {
    static ProblemReporter reporter;
    return reporter;
}

void AppendInt(Bytes& bytes, std::int32_t value) {
    auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<std::uint8_t>(bits >> shift));
}

std::int32_t IntAt(const Bytes& bytes, size_t offset) {
    std::uint32_t bits = 0;
    for (int i = 3; i >= 0; --i)
        bits = bits << 8 | bytes[offset + i];
    return static_cast<std::int32_t>(bits);
}

// The value's bytes when it is there with exactly `length` of them.
bool ReadExactly(registryAccess& key, std::string_view name, size_t length, Bytes& bytes) {
    return key.Read(name, bytes) && bytes.size() == length;
}

WriteResult WriteBytes(registryAccess& key, std::string_view name, const Bytes& bytes, std::string_view tag) {
    WriteResult result = key.WriteBinary(name, bytes.data(), bytes.size());
    if (result == WriteResult::failed)
        ReportSettingsWriteFailure(tag.empty() ? name : tag);
    return result;
}

}  // namespace

Settings ReadSettings() {
    Settings values;
    registryAccess key;
    if (!key.Open())
        return values;
    ReadInt(key, setting::timer, values.timer);
    ReadInt(key, setting::minimizeToTray, values.minimizeToTray);
    ReadInt(key, setting::keepLoaded, values.keepLoaded);
    ReadInt(key, setting::bootupOption, values.bootupOption);
    ReadInt(key, setting::bypassBootupDialog, values.bypassBootupDialog);
    ReadInt(key, setting::initialScreen, values.initialScreen);
    ReadInt(key, setting::dayView, values.dayView);
    if (StoredDate date; ReadDate(key, setting::lastChecked, date))
        values.lastChecked = date;
    if (std::string name; ReadFileName(key, setting::defaultFile, name))
        values.defaultFile = std::move(name);
    ReadFileName(key, setting::archiveFile, values.archiveFile);
    if (StoredRect rect; ReadRect(key, setting::mainWindowPosition, rect))
        values.mainWindowPosition = rect;
    ReadByte(key, setting::maximised, values.maximised);
    if (StoredRect rect; ReadRect(key, setting::toolbarPosition, rect))
        values.toolbarPosition = rect;
    if (StoredInts widths; ReadInts(key, setting::eventListColumnWidths, widths))
        values.eventListColumnWidths = widths;
    return values;
}

bool ReadInt(registryAccess& key, const IntSetting& setting, std::int32_t& value) {
    Bytes bytes;
    if (!ReadExactly(key, setting.name, setting.length, bytes))
        return false;
    value = IntAt(bytes, 0);
    return true;
}

bool ReadByte(registryAccess& key, const ByteSetting& setting, std::uint8_t& value) {
    Bytes bytes;
    if (!ReadExactly(key, setting.name, setting.length, bytes))
        return false;
    value = bytes[0];
    return true;
}

bool ReadDate(registryAccess& key, const DateSetting& setting, StoredDate& value) {
    Bytes bytes;
    if (!ReadExactly(key, setting.name, setting.length, bytes))
        return false;
    value = {IntAt(bytes, 0), IntAt(bytes, 4), IntAt(bytes, 8)};
    return true;
}

bool ReadRect(registryAccess& key, const RectSetting& setting, StoredRect& value) {
    Bytes bytes;
    if (!ReadExactly(key, setting.name, setting.length, bytes))
        return false;
    value = {IntAt(bytes, 0), IntAt(bytes, 4), IntAt(bytes, 8), IntAt(bytes, 12)};
    return true;
}

// A shorter value, written when the list had fewer columns, overwrites the
// first entries byte by byte and leaves the others as they were.
bool ReadInts(registryAccess& key, const IntsSetting& setting, StoredInts& value) {
    Bytes bytes;
    if (!key.Read(setting.name, bytes) || bytes.size() > setting.length)
        return false;
    for (size_t at = 0; at < bytes.size(); ++at) {
        auto bits = static_cast<std::uint32_t>(value[at / 4]);
        unsigned shift = 8 * (at % 4);
        bits = (bits & ~(0xFFu << shift)) | std::uint32_t{bytes[at]} << shift;
        value[at / 4] = static_cast<std::int32_t>(bits);
    }
    return true;
}

bool ReadFileName(registryAccess& key, const TextSetting& setting, std::string& value) {
    Bytes bytes;
    if (!key.Read(setting.name, bytes))
        return false;
    std::string text(bytes.begin(), bytes.end());
    text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
    if (text.size() > setting.length)
        return false;
    value = std::move(text);
    return true;
}

WriteResult WriteInt(registryAccess& key, const IntSetting& setting, std::int32_t value,
                     std::string_view tag) {
    Bytes bytes;
    AppendInt(bytes, value);
    return WriteBytes(key, setting.name, bytes, tag);
}

WriteResult WriteByte(registryAccess& key, const ByteSetting& setting, std::uint8_t value,
                      std::string_view tag) {
    return WriteBytes(key, setting.name, Bytes{value}, tag);
}

WriteResult WriteDate(registryAccess& key, const DateSetting& setting, const StoredDate& value,
                      std::string_view tag) {
    Bytes bytes;
    for (std::int32_t part : {value.day, value.month, value.year})
        AppendInt(bytes, part);
    return WriteBytes(key, setting.name, bytes, tag);
}

WriteResult WriteRect(registryAccess& key, const RectSetting& setting, const StoredRect& value,
                      std::string_view tag) {
    Bytes bytes;
    for (std::int32_t side : {value.left, value.top, value.right, value.bottom})
        AppendInt(bytes, side);
    return WriteBytes(key, setting.name, bytes, tag);
}

WriteResult WriteInts(registryAccess& key, const IntsSetting& setting, const StoredInts& value,
                      std::string_view tag) {
    Bytes bytes;
    for (std::int32_t item : value)
        AppendInt(bytes, item);
    return WriteBytes(key, setting.name, bytes, tag);
}

WriteResult WriteFileName(registryAccess& key, const TextSetting& setting, std::string_view fileName,
                          std::string_view tag) {
    if (fileName.empty() && setting.keepWhenEmpty)
        return WriteResult::written;
    WriteResult result = key.WriteString(setting.name, fileName);
    if (result == WriteResult::failed)
        ReportSettingsWriteFailure(tag.empty() ? setting.name : tag);
    return result;
}

bool OpenForWriting(registryAccess& key, std::string_view tag) {
    if (key.Open())
        return true;
    ReportSettingsWriteFailure(tag);
    return false;
}

ProblemReporter SetProblemReporter(ProblemReporter reporter) {
    return std::exchange(Reporter(), std::move(reporter));
}

void ReportSettingsWriteFailure(std::string_view tag) {
    const std::string caption = "Problem";
    const std::string text = "Cannot save registry information [" + std::string(tag) + "]";
    if (Reporter())
        Reporter()(caption, text);
    else
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
}

}  // namespace vorlen::platform
