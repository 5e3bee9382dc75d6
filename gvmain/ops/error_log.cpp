#include "gvmain/ops/error_log.h"

#include "gvmain/ops/text_file.h"

namespace gvmain {
namespace {

// Far more than any run writes; a larger file is not ours to rewrite.
constexpr size_t maxErrorLog = 1 << 20;

}  // namespace

bool AppendErrorLine(const std::string& path, const std::string& text,
                     const OperationEnvironment& environment) {
    std::string bytes;
    if (ReadWholeFile(path, maxErrorLog, bytes) == FileRead::Failed) {
        return false;
    }
    for (char c : text) {
        bytes += c == '\r' || c == '\n' ? ' ' : c;
    }
    bytes += "\r\n";
    return SaveFileAtomically(path, bytes, "err", environment);
}

}  // namespace gvmain
