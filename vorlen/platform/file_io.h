// Whole-file reading and atomic replacement of files.
#pragma once

#include <string>
#include <string_view>

namespace vorlen::platform {

// Reads the whole file; false (with the system's reason in `error`) when it
// cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& bytes, std::string* error = nullptr);

// Writes `bytes` to a new temporary file beside `path` and renames it over
// `path`, so that a failure at any point leaves an existing file as it was.
// A file that is replaced keeps its permission bits. On failure the
// temporary file is removed and `error` names what failed and why.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error = nullptr);

bool CanOpenForReading(const std::string& path);

}  // namespace vorlen::platform
