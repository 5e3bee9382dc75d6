#include "registry_access.h"

#include <wx/base64.h>
#include <wx/fileconf.h>
#include <wx/log.h>
#include <wx/mstream.h>
#include <wx/strconv.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "file_io.h"

namespace vorlen::platform {
namespace {

// wxFileConfig keeps no value types, so each type has its own group.
constexpr char kBinaryGroup[] = "/Binary/";
constexpr char kStringGroup[] = "/String/";

// String values are bytes (file names need not be UTF-8). Valid UTF-8 stays
// readable in the file; other bytes travel as private-use characters and
// come back unchanged.
const wxMBConv& ByteConv() {
    static const wxMBConvUTF8 conv(wxMBConvUTF8::MAP_INVALID_UTF8_TO_PUA);
    return conv;
}

// Letters, digits and " _.-": nothing that wxFileConfig reads as a path,
// group, comment or escape, so a name always reads back as written.
bool IsValidName(std::string_view name) {
    if (name.empty() || name.front() == ' ' || name.back() == ' ')
        return false;
    for (char c : name) {
        bool alnum = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        if (!alnum && c != ' ' && c != '_' && c != '.' && c != '-')
            return false;
    }
    return true;
}

wxString EntryPath(const char* group, std::string_view name) {
    return wxString::FromUTF8(group) + wxString::FromUTF8(name.data(), name.size());
}

// Takes wx's complaints while it parses or writes a configuration, so that
// none reaches the user (in the program a log message becomes a dialog),
// and counts the errors and warnings among them.
class QuietLog : public wxLog {
public:
    QuietLog() : wasEnabled_(wxLog::EnableLogging(true)), previous_(wxLog::SetActiveTarget(this)) {}
    ~QuietLog() override {
        wxLog::SetActiveTarget(previous_);
        wxLog::EnableLogging(wasEnabled_);
    }
    bool Complained() const { return complaints_ > 0; }

protected:
    void DoLogRecord(wxLogLevel level, const wxString&, const wxLogRecordInfo&) override {
        if (level <= wxLOG_Warning)
            ++complaints_;
    }

private:
    bool wasEnabled_;
    wxLog* previous_;
    int complaints_ = 0;
};

std::unique_ptr<wxFileConfig> MakeConfig(const std::string& text) {
    wxMemoryInputStream in(text.data(), text.size());
    auto config = std::make_unique<wxFileConfig>(in, wxConvUTF8);
    config->SetExpandEnvVars(false);  // "$HOME" in a file name is not a variable here
    return config;
}

// The values of a configuration file. A file that is not UTF-8 text or
// that the parser complains about gives none: a half-understood file could
// give values that were never written.
std::unique_ptr<wxFileConfig> ParseSettings(const std::string& bytes) {
    bool text = bytes.find('\0') == std::string::npos &&
                wxConvUTF8.ToWChar(nullptr, 0, bytes.data(), bytes.size()) != wxCONV_FAILED;
    if (text) {
        QuietLog log;
        std::unique_ptr<wxFileConfig> config = MakeConfig(bytes);
        if (!log.Complained())
            return config;
    }
    return MakeConfig(std::string());
}

enum class LoadResult { loaded, missing, unreadable };

LoadResult LoadFile(const std::string& path, std::string& bytes, std::string& error) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        if (errno == ENOENT)
            return LoadResult::missing;
        error = "Cannot open " + path + ": " + std::strerror(errno);
        return LoadResult::unreadable;
    }
    if (!S_ISREG(info.st_mode)) {
        error = path + " is not a file";
        return LoadResult::unreadable;
    }
    return ReadWholeFile(path, bytes, &error) ? LoadResult::loaded : LoadResult::unreadable;
}

// Creates every missing directory of `dir`, private to the user as the
// XDG base directories are.
bool MakeDirectories(const std::string& dir, std::string& error) {
    for (size_t slash = dir.find('/', 1);; slash = dir.find('/', slash + 1)) {
        std::string part = dir.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            error = "Cannot create " + part + ": " + std::strerror(errno);
            return false;
        }
        if (slash == std::string::npos)
            break;
    }
    struct stat info {};
    if (::stat(dir.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        error = "Cannot create " + dir + ": " + std::strerror(ENOTDIR);
        return false;
    }
    return true;
}

}  // namespace

std::string ConfigHome() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/')
        return xdg;
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
        const passwd* user = ::getpwuid(::geteuid());
        home = user ? user->pw_dir : "";
    }
    return std::string(home) + "/.config";
}

std::string SettingsFilePath(std::string_view keyPath) {
    std::string path = ConfigHome();
    bool first = true;
    while (!keyPath.empty()) {
        size_t separator = keyPath.find('\\');
        std::string_view part = keyPath.substr(0, separator);
        keyPath.remove_prefix(separator == std::string_view::npos ? keyPath.size() : separator + 1);
        // Every key lives under "Software"; the configuration home already
        // says as much.
        if (part.empty() || (first && part == "Software")) {
            first = false;
            continue;
        }
        first = false;
        path += '/';
        path += part;
    }
    return path + ".conf";
}

registryAccess::registryAccess() : keyPath_(kVorlenKey) {}

registryAccess::~registryAccess() {
    Close();
}

bool registryAccess::Open() {
    Close();
    lastError_.clear();
    filePath_ = SettingsFilePath(keyPath_);

    struct stat info {};
    if (::stat(filePath_.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode))
            return Fail(filePath_ + " is not a file");
        int fd = ::open(filePath_.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return Fail("Cannot read " + filePath_ + ": " + std::strerror(errno));
        ::close(fd);
        open_ = true;
        return true;
    }
    if (errno != ENOENT)
        return Fail("Cannot open " + filePath_ + ": " + std::strerror(errno));

    std::string error;
    if (!MakeDirectories(filePath_.substr(0, filePath_.rfind('/')), error) ||
        !WriteFileAtomically(filePath_, std::string_view(), &error))
        return Fail(error);
    open_ = true;
    return false;  // the key did not exist before
}

bool registryAccess::Read(std::string_view name, std::vector<std::uint8_t>& buffer) {
    if (!open_)
        return Fail("The settings key is not open");
    std::string bytes;
    std::string error;
    LoadResult loaded = LoadFile(filePath_, bytes, error);
    if (loaded == LoadResult::unreadable)
        return Fail(error);
    const std::string quoted = "\"" + std::string(name) + "\"";
    if (loaded == LoadResult::missing || !IsValidName(name))
        return Fail("No value " + quoted + " in " + filePath_);

    std::unique_ptr<wxFileConfig> config = ParseSettings(bytes);
    std::string value;
    wxString text;
    if (config->Read(EntryPath(kBinaryGroup, name), &text)) {
        size_t errorAt = 0;
        wxMemoryBuffer decoded = wxBase64Decode(text, wxBase64DecodeMode_SkipWS, &errorAt);
        if (decoded.GetDataLen() == 0 && !text.empty())  // how wx reports bad base64
            return Fail("The value " + quoted + " in " + filePath_ + " is damaged");
        value.assign(static_cast<const char*>(decoded.GetData()), decoded.GetDataLen());
    } else if (config->Read(EntryPath(kStringGroup, name), &text)) {
        wxCharBuffer converted = text.mb_str(ByteConv());
        value.assign(converted.data(), converted.length());
        value += '\0';
    } else {
        return Fail("No value " + quoted + " in " + filePath_);
    }
    if (value.size() > kMaxValueBytes)
        return Fail("The value " + quoted + " is longer than 256 bytes");

    buffer.assign(value.begin(), value.end());
    lastError_.clear();
    return true;
}

WriteResult registryAccess::WriteString(std::string_view name, std::string_view text) {
    return Store(name, ValueType::string, std::string(text.substr(0, text.find('\0'))));
}

WriteResult registryAccess::WriteBinary(std::string_view name, const void* bytes, std::size_t length) {
    return Store(name, ValueType::binary, std::string(static_cast<const char*>(bytes), length));
}

void registryAccess::Close() {
    open_ = false;
}

// Each write reads the file afresh, changes one value and replaces the file
// through a temporary file beside it. wxFileConfig could save the file
// itself (also through a temporary file) but not create its directory, and
// a write must fail at once, with the reason, rather than at some later
// Flush that no caller would hear of.
WriteResult registryAccess::Store(std::string_view name, ValueType type, const std::string& bytes) {
    if (!open_) {
        Fail("The settings key is not open");
        return WriteResult::failed;
    }
    if (!IsValidName(name)) {
        Fail("\"" + std::string(name) + "\" is not a value name");
        return WriteResult::failed;
    }
    std::string current;
    std::string error;
    // A file that cannot be read is not replaced: it may hold values that
    // this write would lose.
    if (LoadFile(filePath_, current, error) == LoadResult::unreadable) {
        Fail(error);
        return WriteResult::failed;
    }

    std::string saved;
    {
        QuietLog log;
        std::unique_ptr<wxFileConfig> config = ParseSettings(current);
        bool binary = type == ValueType::binary;
        config->DeleteEntry(EntryPath(binary ? kStringGroup : kBinaryGroup, name));
        if (binary && bytes.empty()) {
            config->Write(EntryPath(kBinaryGroup, name), wxString());  // wx's encoder asserts on no data
        } else if (binary) {
            wxMemoryBuffer value(bytes.size());
            value.AppendData(bytes.data(), bytes.size());
            config->Write(EntryPath(kBinaryGroup, name), value);
        } else {
            config->Write(EntryPath(kStringGroup, name), wxString(bytes.data(), ByteConv(), bytes.size()));
        }
        wxMemoryOutputStream out;
        if (!config->Save(out, wxConvUTF8) || log.Complained()) {
            Fail("Cannot store the value \"" + std::string(name) + "\"");
            return WriteResult::failed;
        }
        saved.resize(out.GetSize());
        out.CopyTo(saved.data(), saved.size());
    }
    if (!WriteFileAtomically(filePath_, saved, &error)) {
        Fail(error);
        return WriteResult::failed;
    }
    lastError_.clear();
    return WriteResult::written;
}

bool registryAccess::Fail(const std::string& why) {
    lastError_ = why;
    return false;
}

}  // namespace vorlen::platform
