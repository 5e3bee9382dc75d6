#include "gvmain/ops/file_writer.h"

#include "gvmain/ops/file_names.h"
#include "gvmain/ops/file_operations.h"
#include "gvmain/ops/message_text.h"
#include "gvmain/ops/packed_input.h"
#include "gvmain/ops/win32_handles.h"

#include <vector>

namespace gvmain {
namespace {

// Collects the copied blocks and hands them to the file in large writes:
// under Wine every WriteFile costs a system call and a signal-mask round
// trip, which at 2 KB blocks outweighed the copying itself.
class BatchedWrite {
public:
    explicit BatchedWrite(HANDLE file) : file_(file) { pending_.reserve(batchBytes); }

    bool Add(const char* bytes, size_t count) {
        if (pending_.size() + count > batchBytes && !Flush()) {
            return false;
        }
        pending_.insert(pending_.end(), bytes, bytes + count);
        return true;
    }

    bool Flush() {
        DWORD written = 0;
        bool complete = pending_.empty() ||
                        (::WriteFile(file_, pending_.data(), static_cast<DWORD>(pending_.size()), &written,
                                     nullptr) &&
                         written == pending_.size());
        pending_.clear();
        return complete;
    }

private:
    static constexpr size_t batchBytes = 256 * 1024;
    HANDLE file_;
    std::vector<char> pending_;
};

int CopyBlocks(const InstallJob& job, HANDLE file, OperationHost& host) {
    PackedInput input(job.source, job.compressed, host);
    if (!input.Open()) {
        return InstallFailed;
    }
    std::vector<char> block(BufferBytes(job.bufferKb));
    BatchedWrite output(file);
    uint64_t total = 0;
    for (;;) {
        int got = input.Fill(block.data(), static_cast<int>(block.size()));
        if (got < 0) {
            return InstallFailed;
        }
        if (got == 0) {
            return output.Flush() ? InstallInstalled : InstallFailed;
        }
        if (!output.Add(block.data(), static_cast<size_t>(got))) {
            return InstallFailed;
        }
        uint32_t reportedKb = static_cast<uint32_t>(total / 1024);
        total += static_cast<uint64_t>(got);
        if (!host.Progress(static_cast<uint32_t>(total / 1024) - reportedKb)) {
            return InstallCancelled;
        }
    }
}

int StampTime(const InstallJob& job, HANDLE file, const std::string& path, OperationHost& host) {
    if (!job.keepTimeStamp) {
        return InstallInstalled;
    }
    FILETIME time;
    time.dwLowDateTime = static_cast<DWORD>(job.recordedTime);
    time.dwHighDateTime = static_cast<DWORD>(job.recordedTime >> 32);
    if (!::SetFileTime(file, nullptr, nullptr, &time)) {
        host.ReportError(FormatText("Unable to set the time stamp of %s", {path}));
        return InstallFailed;
    }
    return InstallInstalled;
}

int WriteInto(const InstallJob& job, HANDLE file, const std::string& path, OperationHost& host) {
    int state = CopyBlocks(job, file, host);
    return state == InstallInstalled ? StampTime(job, file, path, host) : state;
}

void CutBack(HANDLE file, uint32_t length) {
    ::SetFilePointer(file, static_cast<LONG>(length), nullptr, FILE_BEGIN);
    ::SetEndOfFile(file);
}

}  // namespace

uint32_t BufferBytes(int bufferKb) {
    return (bufferKb <= 0 || bufferKb > maxBufferKb ? defaultBufferKb : bufferKb) * 1024u;
}

int WriteNewFile(const InstallJob& job, const std::string& path, OperationHost& host, bool* existed) {
    ScopedHandle file(
        ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        if (existed != nullptr) {
            *existed = PathExists(path);
        }
        return InstallFailed;
    }
    int state = WriteInto(job, file.Get(), path, host);
    file.Reset();
    if (state != InstallInstalled) {
        DeleteQuietly(path);
    }
    return state;
}

int AppendToFile(const InstallJob& job, OperationHost& host, uint32_t& formerLength) {
    ScopedHandle file(::CreateFileA(job.destination.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD high = 0;
    if (!file.Valid() || (formerLength = ::GetFileSize(file.Get(), &high)) == INVALID_FILE_SIZE ||
        high != 0) {
        return InstallFailed;
    }
    ::SetFilePointer(file.Get(), 0, nullptr, FILE_END);
    int state = WriteInto(job, file.Get(), job.destination, host);
    if (state != InstallInstalled) {
        CutBack(file.Get(), formerLength);
    }
    return state;
}

}  // namespace gvmain
