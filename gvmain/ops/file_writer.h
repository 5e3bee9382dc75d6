// Writes the plain bytes of a job's packaged file to a file, in blocks of
// the job's buffer size, reporting each block to the progress display.
// A write that does not complete leaves nothing behind: a new file is
// deleted, an appended one cut back to its former length.
#pragma once

#include "gvmain/ops/install_job.h"
#include "gvmain/ops/operation_host.h"

#include <cstdint>
#include <string>

namespace gvmain {

// The block size in bytes: bufferKb KB, where 0 or above 31 means 2.
uint32_t BufferBytes(int bufferKb);

// Creates `path` and writes the file into it. Returns InstallInstalled,
// InstallFailed or InstallCancelled; `existed` tells whether the failure
// was that something of that name was there already. Trying the creation
// first spares the lookup of a name that mostly does not exist (under Wine
// each such lookup scans the directory).
int WriteNewFile(const InstallJob& job, const std::string& path, OperationHost& host,
                 bool* existed = nullptr);
// Writes the file at the end of the existing job.destination.
int AppendToFile(const InstallJob& job, OperationHost& host, uint32_t& formerLength);

}  // namespace gvmain
