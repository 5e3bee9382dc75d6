// Whole-file reads and atomic saves of the small text files the engine
// edits in place (INI files, AUTOEXEC.BAT, CONFIG.SYS): a save never leaves
// a half-written file, whatever stops it.
#pragma once

#include "gvmain/ops/operation_environment.h"

#include <cstddef>
#include <string>

namespace gvmain {

enum class FileRead { Read, Missing, Failed };

// Failed also for a file larger than `limit` bytes or a directory.
FileRead ReadWholeFile(const std::string& path, size_t limit, std::string& bytes);

// Writes `bytes` to a new temporary file "<prefix>NNN.NNN" beside `path`,
// then puts it in the place of `path` in one step; an existing file keeps
// its attributes. A failure leaves `path` as it was and no temporary file.
bool SaveFileAtomically(const std::string& path, const std::string& bytes, const std::string& prefix,
                        const OperationEnvironment& environment);

}  // namespace gvmain
