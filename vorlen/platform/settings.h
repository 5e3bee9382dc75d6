// Every value of the settings store with its encoding and its default, the
// readers and writers of each encoding, and the one report of a failed
// settings write.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "registry_access.h"

namespace vorlen::platform {

enum class SettingType { binary, string };

// One descriptor type per encoding, so that a value can only be read or
// written in its own. Integers are 32-bit little-endian. Binary values have
// exactly `length` bytes; strings hold at most `length` characters.
struct IntSetting {
    static constexpr SettingType type = SettingType::binary;
    static constexpr std::size_t length = 4;
    std::string_view name;
    std::int32_t byDefault;
};
struct ByteSetting {
    static constexpr SettingType type = SettingType::binary;
    static constexpr std::size_t length = 1;
    std::string_view name;
    std::uint8_t byDefault;
};
// Day, month, year: 5 March 1998 is 05 00 00 00 03 00 00 00 CE 07 00 00.
struct DateSetting {
    static constexpr SettingType type = SettingType::binary;
    static constexpr std::size_t length = 12;
    std::string_view name;
};
// Left, top, right, bottom.
struct RectSetting {
    static constexpr SettingType type = SettingType::binary;
    static constexpr std::size_t length = 16;
    std::string_view name;
};
// Twelve integers.
struct IntsSetting {
    static constexpr SettingType type = SettingType::binary;
    static constexpr std::size_t length = 48;
    std::string_view name;
};
struct TextSetting {
    static constexpr SettingType type = SettingType::string;
    static constexpr std::size_t length = 255;
    std::string_view name;
    // An empty text in a write leaves the stored value as it is.
    bool keepWhenEmpty;
};

// The table. Values without a default below have none: their absence means
// something (no start-up check yet, not set up, the toolkit's placement,
// the list's own widths) and Settings holds them as std::optional.
namespace setting {
inline constexpr IntSetting timer{"Timer", 60};  // seconds between reminder checks
inline constexpr IntSetting minimizeToTray{"MinimizeToTray", 1};
inline constexpr IntSetting keepLoaded{"KeepLoaded", 0};
inline constexpr IntSetting bootupOption{"BootupOption", 1};  // 0 once a day, 1 every start, 2 never
inline constexpr IntSetting bypassBootupDialog{"BypassBootupDialog", 0};
inline constexpr IntSetting initialScreen{"InitialScreen", 1};  // the Options dialog's default
inline constexpr IntSetting dayView{"DayView", 0};              // 0 full, 1 compressed
inline constexpr DateSetting lastChecked{"LastChecked"};
inline constexpr TextSetting defaultFile{"DefaultFile", false};
inline constexpr TextSetting archiveFile{"ArchiveFile", true};  // default empty
inline constexpr RectSetting mainWindowPosition{"MainWindowPosition"};
inline constexpr ByteSetting maximised{"Maximised", 0};
inline constexpr RectSetting toolbarPosition{"ToolbarPosition"};  // written at exit, never read
inline constexpr IntsSetting eventListColumnWidths{"EventListColumnWidths"};
}  // namespace setting

struct StoredDate {
    std::int32_t day = 0;
    std::int32_t month = 0;
    std::int32_t year = 0;
};
struct StoredRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};
using StoredInts = std::array<std::int32_t, 12>;

// Every value, as the reading pattern leaves it: the default unless the key
// existed and held the value.
struct Settings {
    std::int32_t timer = setting::timer.byDefault;
    std::int32_t minimizeToTray = setting::minimizeToTray.byDefault;
    std::int32_t keepLoaded = setting::keepLoaded.byDefault;
    std::int32_t bootupOption = setting::bootupOption.byDefault;
    std::int32_t bypassBootupDialog = setting::bypassBootupDialog.byDefault;
    std::int32_t initialScreen = setting::initialScreen.byDefault;
    std::int32_t dayView = setting::dayView.byDefault;
    std::optional<StoredDate> lastChecked;
    std::optional<std::string> defaultFile;
    std::string archiveFile;
    std::optional<StoredRect> mainWindowPosition;
    std::uint8_t maximised = setting::maximised.byDefault;
    std::optional<StoredRect> toolbarPosition;
    std::optional<StoredInts> eventListColumnWidths;
};

// Sets every value to its default, opens the key (creating it when missing)
// and, only when it existed before, reads each value. Never reports.
Settings ReadSettings();

// Readers on an open key: true when the value is there with its encoding's
// length (a string: at most 255 characters; twelve integers: at most 48
// bytes); otherwise `value` keeps what it held, normally the default.
bool ReadInt(registryAccess& key, const IntSetting& setting, std::int32_t& value);
bool ReadByte(registryAccess& key, const ByteSetting& setting, std::uint8_t& value);
bool ReadDate(registryAccess& key, const DateSetting& setting, StoredDate& value);
bool ReadRect(registryAccess& key, const RectSetting& setting, StoredRect& value);
bool ReadInts(registryAccess& key, const IntsSetting& setting, StoredInts& value);
bool ReadFileName(registryAccess& key, const TextSetting& setting, std::string& value);

// Writers on an open key. A failed write is reported as "Cannot save
// registry information [tag]" (the value's name when `tag` is empty) and
// does not stop the caller's other writes.
WriteResult WriteInt(registryAccess& key, const IntSetting& setting, std::int32_t value,
                     std::string_view tag = {});
WriteResult WriteByte(registryAccess& key, const ByteSetting& setting, std::uint8_t value,
                      std::string_view tag = {});
WriteResult WriteDate(registryAccess& key, const DateSetting& setting, const StoredDate& value,
                      std::string_view tag = {});
WriteResult WriteRect(registryAccess& key, const RectSetting& setting, const StoredRect& value,
                      std::string_view tag = {});
WriteResult WriteInts(registryAccess& key, const IntsSetting& setting, const StoredInts& value,
                      std::string_view tag = {});
// An empty name for a setting that keeps its value when empty writes
// nothing and succeeds.
WriteResult WriteFileName(registryAccess& key, const TextSetting& setting, std::string_view fileName,
                          std::string_view tag = {});

// Opens `key` before a group of writes. When the key did not exist before,
// reports "Cannot save registry information [tag]" and returns false: the
// caller writes nothing.
bool OpenForWriting(registryAccess& key, std::string_view tag);

// Receives the caption and the text of a problem report. The window layer
// shows a message box; by default the text goes to stderr.
using ProblemReporter = std::function<void(const std::string& caption, const std::string& text)>;

// Routes every report to `reporter` (an empty one restores the default);
// returns the reporter it replaces, empty for the default.
ProblemReporter SetProblemReporter(ProblemReporter reporter);

// "Cannot save registry information [" + tag + "]", caption "Problem".
void ReportSettingsWriteFailure(std::string_view tag);

}  // namespace vorlen::platform
