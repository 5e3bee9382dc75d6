// The per-user settings store: named values under one key, each either a
// binary value of fixed length or a string.
//
// On Linux the key "Software\Tolvane Software\Vorlen" is one file,
//     <config home>/Tolvane Software/Vorlen.conf
// where <config home> is $XDG_CONFIG_HOME when it names an absolute path,
// else $HOME/.config. The file is a wxFileConfig text file in UTF-8 with one
// group per value type, binary values in base64:
//     [Binary]
//     Timer=HgAAAA==
//     [String]
//     DefaultFile=/home/ann/events.vor
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vorlen::platform {

inline constexpr char kVorlenKey[] = "Software\\Tolvane Software\\Vorlen";

// The most bytes Read gives back: a string of 255 characters with its NUL.
inline constexpr std::size_t kMaxValueBytes = 256;

// The outcome of a write. The underlying value keeps the store's historic
// convention (true = the write failed), but callers compare with the names.
enum class WriteResult : bool { written = false, failed = true };

// $XDG_CONFIG_HOME when absolute, else $HOME/.config (the password entry's
// home when HOME is unset).
std::string ConfigHome();

// The file that holds `keyPath`: its parts after "Software" become
// directories under ConfigHome(), the last one the file name plus ".conf".
std::string SettingsFilePath(std::string_view keyPath = kVorlenKey);

// One use of the store: construct, Open, read or write values, Close. Every
// Read sees the file as it is on disk, and every write is saved to disk
// (atomically) before it returns, so that several objects and processes
// can use the key at the same time as they could a registry key.
//
// A file that is damaged (not UTF-8 text, or lines that do not parse) holds
// no values: every Read misses and the callers keep their defaults. Reading
// never changes the file; the next successful write replaces it.
class registryAccess {
public:
    registryAccess();
    ~registryAccess();
    registryAccess(const registryAccess&) = delete;
    registryAccess& operator=(const registryAccess&) = delete;

    // Opens the key, creating it (its directories and an empty file) when it
    // is missing. The key is open afterwards unless that failed or the file
    // exists but cannot be read (both are platform failures: see
    // LastError()). True only when the file existed before and is open.
    bool Open();
    bool IsOpen() const { return open_; }

    // Copies the stored bytes of `name` into `buffer`, whatever the value's
    // type; a string comes with its terminating NUL. False, with `buffer`
    // unchanged, when the key is not open, the value is missing or damaged,
    // or it is longer than kMaxValueBytes.
    bool Read(std::string_view name, std::vector<std::uint8_t>& buffer);

    // Stores `text` as a string value; the text ends at its first NUL, if
    // any, as a C string would.
    WriteResult WriteString(std::string_view name, std::string_view text);
    // Stores `length` bytes as a binary value.
    WriteResult WriteBinary(std::string_view name, const void* bytes, std::size_t length);

    void Close();

    // Why the last failed operation failed, naming the file and the
    // system's reason; empty after a success.
    const std::string& LastError() const { return lastError_; }

private:
    enum class ValueType { binary, string };
    WriteResult Store(std::string_view name, ValueType type, const std::string& bytes);
    bool Fail(const std::string& why);

    std::string keyPath_;
    std::string filePath_;
    bool open_ = false;
    std::string lastError_;
};

}  // namespace vorlen::platform
