// The file-level operations of an installation and of its undo. Each
// returns success, reports its own failure through the host, and appends
// its record to the log only after the change succeeded; a null log
// records nothing (the copying of the engine's own files, undoing).
#pragma once

#include "gvmain/ops/operation_host.h"
#include "gvmain/format/operation_log.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

// The operations below take the names of Win32 macros; the engine calls the
// ANSI functions by their full names, so the macros are dropped here.
#undef CreateDirectory
#undef RemoveDirectory
#undef DeleteFile
#undef MoveFile
#undef CopyFile

namespace gvmain {

// Makes `path` and its missing parents, logging each directory made,
// outermost first. An existing directory is success.
bool CreateDirectory(const std::string& path, OperationHost& host, OperationLog* log);
// Deletes everything inside, then the directory itself.
bool RemoveDirectory(const std::string& path, OperationHost& host, OperationLog* log);
// A missing file is success; read-only, hidden and system are cleared first.
bool DeleteFile(const std::string& path, OperationHost& host, OperationLog* log);
// Replaces an existing target; renames, or copies and deletes the source.
bool MoveFile(const std::string& from, const std::string& to, OperationHost& host, OperationLog* log);
// Copies through the install pipeline (no compression, no comparison) and
// logs the copy as a created file.
bool CopyFile(const std::string& from, const std::string& to, OperationHost& host, OperationLog* log);
bool SetAttributes(const std::string& path, uint32_t attributes, OperationHost& host, OperationLog* log);
// `needed` and the comparison are in units of 10240 bytes; a shortage shows
// message 91 with the need and the free space, both in KB.
bool CheckFreeSpace(const std::string& drive, uint32_t needed, OperationHost& host);
// Whether another program holds the file open.
bool IsInUse(const std::string& path);

// Calls `visit` with the name of each entry of `directory` but "." and
// "..", and whether it is a directory, until a visit returns false. Returns
// false when a visit stopped the walk; a missing directory has no entries.
bool ForEachEntry(const std::string& directory,
                  const std::function<bool(const std::string& name, bool isDirectory)>& visit);
// Deletes without a report or a record, for files the operations made up
// themselves or probe; clears read-only, hidden and system first.
bool DeleteQuietly(const std::string& path);

}  // namespace gvmain
