#include "file_type_registration.h"

#include "vorlen/platform/file_io.h"
#include "vorlen/platform/registry_access.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace vorlen::shell {
namespace {

// Desktop entries quote an argument that holds a space or one of the
// reserved characters, escaping the quote, backquote, dollar and backslash.
std::string DesktopQuoted(const std::string& path) {
    if (path.find_first_of(" \t\"'\\><~|&;$*?#()`") == std::string::npos)
        return path;
    std::string quoted = "\"";
    for (char c : path) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += "\\\\";
        quoted += c;
    }
    return quoted + "\"";
}

bool WriteInto(const std::string& dir, const std::string& name, const std::string& text, std::string* error) {
    std::error_code failure;
    std::filesystem::create_directories(dir, failure);
    if (failure) {
        if (error)
            *error = "Cannot create " + dir + ": " + failure.message();
        return false;
    }
    return platform::WriteFileAtomically(dir + "/" + name, text, error);
}

// Runs `tool dir` from the PATH, without a shell, output discarded; a tool
// that is not installed is no failure.
void RunIfPresent(const char* tool, const std::string& dir) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    char* const argv[] = {const_cast<char*>(tool), const_cast<char*>(dir.c_str()), nullptr};
    pid_t child = 0;
    if (posix_spawnp(&child, tool, &actions, nullptr, argv, environ) == 0)
        waitpid(child, nullptr, 0);
    posix_spawn_file_actions_destroy(&actions);
}

}  // namespace

std::string DataHome() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && xdg[0] == '/')
        return xdg;
    std::string config = platform::ConfigHome();  // $HOME/.config, or XDG's
    const char* home = std::getenv("HOME");
    return (home && *home ? std::string(home) : config.substr(0, config.rfind('/'))) + "/.local/share";
}

std::string MimePackageText() {
    return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                       "  <mime-type type=\"") +
           vorlenMimeType +
           "\">\n"
           "    <comment>Vorlen.Document.1</comment>\n"
           "    <glob pattern=\"*.vor\"/>\n"
           "    <magic priority=\"60\">\n"
           "      <match type=\"string\" offset=\"0\" value=\"&lt;TOLVANE VORLEN&gt;\"/>\n"
           "    </magic>\n"
           "  </mime-type>\n"
           "</mime-info>\n";
}

std::string DesktopEntryText(const std::string& programPath) {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Tolvane Vorlen\n"
           "Comment=Personal schedule and event reminders\n"
           "Exec=" +
           DesktopQuoted(programPath) +
           " %f\n"
           "Icon=vorlen\n"
           "Terminal=false\n"
           "Categories=Office;Calendar;\n"
           "MimeType=" +
           vorlenMimeType + ";\n";
}

bool RegisterFileType(const std::string& programPath, const std::string& iconSvg, std::string* error) {
    std::string home = DataHome();
    if (!WriteInto(home + "/mime/packages", "vorlen.xml", MimePackageText(), error) ||
        !WriteInto(home + "/applications", "vorlen.desktop", DesktopEntryText(programPath), error) ||
        !WriteInto(home + "/icons/hicolor/scalable/apps", "vorlen.svg", iconSvg, error))
        return false;
    RunIfPresent("update-mime-database", home + "/mime");
    RunIfPresent("update-desktop-database", home + "/applications");
    return true;
}

}  // namespace vorlen::shell
