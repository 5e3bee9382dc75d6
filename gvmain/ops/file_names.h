// Path pieces and the free names the operations make up: temporary names
// ("tmp000.000", ...) and backup names ("x.bak", "x.000", ...). Paths are
// ANSI with backslashes; forward slashes are accepted as separators.
#pragma once

#include <string>

namespace gvmain {

// The directory part without a trailing separator, kept for a root ("c:\").
std::string DirectoryOf(const std::string& path);
std::string FileNameOf(const std::string& path);
std::string JoinPath(const std::string& directory, const std::string& name);
// "c:\" for "c:\x\y", "\\server\share\" for a UNC path; empty if neither.
std::string DriveRoot(const std::string& path);
// Replaces the extension of the file name (or adds one); `extension` has no dot.
std::string WithExtension(const std::string& path, const std::string& extension);
// Whether `path` is `folder` or lies beneath it; case-insensitive.
bool IsWithin(const std::string& path, const std::string& folder);
bool IsAbsolutePath(const std::string& path);

bool PathExists(const std::string& path);
bool DirectoryExists(const std::string& path);

// The first free "<prefix>NNN.NNN" in `directory` (n = 0, 1, ... formed as
// n / 1000 and n % 1000); empty when all million are taken.
std::string TemporaryName(const std::string& directory, const std::string& prefix);
// `path` with the extension "bak", else "000" to "999", whichever is free
// first; empty when none is.
std::string BackupName(const std::string& path);

}  // namespace gvmain
