// Registers the data file type "*.vor" with the desktop, as the program
// does each time it starts: a shared-mime-info package that names the type
// (by the extension and by the file's header) and a desktop entry that opens
// such files with this program, both under $XDG_DATA_HOME. The desktop's
// databases are brought up to date when their tools are installed.
#pragma once

#include <string>

namespace vorlen::shell {

inline constexpr char vorlenMimeType[] = "application/x-vorlen";

// $XDG_DATA_HOME when it names an absolute path, else $HOME/.local/share.
std::string DataHome();

// The two files' texts; `programPath` is the program as started.
std::string MimePackageText();
std::string DesktopEntryText(const std::string& programPath);

// Writes both files and the program's icon `iconSvg` (an SVG document)
// atomically, and runs update-mime-database and update-desktop-database
// when present. False, with the reason, when a file cannot be written.
bool RegisterFileType(const std::string& programPath, const std::string& iconSvg, std::string* error = nullptr);

}  // namespace vorlen::shell
