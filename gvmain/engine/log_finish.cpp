#include "gvmain/engine/log_finish.h"

#include "gvmain/format/log_reader.h"
#include "gvmain/ops/file_names.h"
#include "gvmain/ops/file_operations.h"
#include "gvmain/ops/message_text.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace gvmain {
namespace {

constexpr size_t appendBlock = 1024;

// The bytes of the working log after its header; false when it cannot be
// read or its header is bad.
bool RecordBytes(const std::string& path, std::vector<uint8_t>& records) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) {
        return false;
    }
    std::vector<uint8_t> bytes;
    uint8_t buffer[4096];
    size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        bytes.insert(bytes.end(), buffer, buffer + count);
    }
    PortableStream stream(std::move(bytes), IntWidth::Bits32);
    LogHeader header;
    if (std::ferror(file.get()) || !ReadLogHeader(stream, header)) {
        return false;
    }
    records.assign(stream.Data().begin() + static_cast<std::ptrdiff_t>(stream.Position()),
                   stream.Data().end());
    return true;
}

int HighestLog(const std::string& directory) {
    for (int n = maxLogNumber; n >= 0; --n) {
        if (PathExists(NumberedLogPath(directory, n))) {
            return n;
        }
    }
    return -1;
}

int LowestFreeLog(const std::string& directory) {
    for (int n = 0; n <= maxLogNumber; ++n) {
        if (!PathExists(NumberedLogPath(directory, n))) {
            return n;
        }
    }
    return -1;
}

bool Append(const std::string& target, const std::vector<uint8_t>& records, OperationHost& host) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(target.c_str(), "ab"), &std::fclose);
    bool written = file != nullptr;
    for (size_t at = 0; written && at < records.size(); at += appendBlock) {
        size_t size = std::min(appendBlock, records.size() - at);
        written = std::fwrite(records.data() + at, 1, size, file.get()) == size;
    }
    written = file && std::fclose(file.release()) == 0 && written;
    if (!written) {
        host.ReportError("Unable to write " + target);
    }
    return written;
}

bool WriteMoveRequest(const LogFinish& finish) {
    std::string ini = JoinPath(finish.windowsDirectory, "movexe.ini");
    std::string engine = JoinPath(finish.backDirectory, "gvmain.exe");
    return ::WritePrivateProfileStringA("x", "f", engine.c_str(), ini.c_str()) &&
           ::WritePrivateProfileStringA("x", "t", "", ini.c_str()) &&
           ::WritePrivateProfileStringA("x", "x", "1", ini.c_str());
}

}  // namespace

std::string NumberedLogPath(const std::string& directory, int number) {
    char name[16];
    std::snprintf(name, sizeof name, "gvlog3.%03d", number);
    return JoinPath(directory, name);
}

FinishOutcome FinishLog(const LogFinish& finish, OperationHost& host) {
    std::vector<uint8_t> records;
    if (finish.backDirectory.empty() || !RecordBytes(finish.workingLog, records) || records.empty()) {
        return FinishOutcome::NothingToKeep;
    }
    int previous = finish.append && !finish.rollBack ? HighestLog(finish.backDirectory) : -1;
    if (previous >= 0) {
        bool appended = Append(NumberedLogPath(finish.backDirectory, previous), records, host);
        return appended ? FinishOutcome::Kept : FinishOutcome::Failed;
    }
    int free = LowestFreeLog(finish.backDirectory);
    if (free < 0) {
        host.ReportError(FormatText(noFreeLogMessage, {finish.backDirectory}));
        return FinishOutcome::Failed;
    }
    if (!MoveFile(finish.workingLog, NumberedLogPath(finish.backDirectory, free), host, nullptr)) {
        return FinishOutcome::Failed;
    }
    if (finish.rollBack && !WriteMoveRequest(finish)) {
        host.ReportError("Unable to write movexe.ini");
        return FinishOutcome::Failed;
    }
    return FinishOutcome::Kept;
}

}  // namespace gvmain
