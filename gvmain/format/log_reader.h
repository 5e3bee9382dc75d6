// Reading an operation log back for the uninstaller: the header and the
// records to show, or the message that stops the uninstaller before it
// changes anything.
#pragma once

#include "gvmain/format/log_records.h"
#include "gvmain/format/operation_log.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace gvmain {

struct LogContents {
    LogHeader header;
    // File order; records of mode 2 are left out. Empty when error is set.
    std::vector<std::unique_ptr<LogRecord>> records;
    // "Unable to open <path>" or "Log file contains bad data"; empty on success.
    std::string error;
};

LogContents ReadOperationLog(const std::string& path);
LogContents ParseOperationLog(const std::vector<uint8_t>& bytes);

}  // namespace gvmain
