#include "gvmain/ops/spanning_reader.h"

#include "gvmain/ops/file_names.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace gvmain {
namespace {

constexpr size_t blockSize = 256 * 1024;
constexpr int lastPart = 999;

HANDLE OpenForReading(const std::string& path) {
    return ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

}  // namespace

HANDLE OpenContainers::Open(const std::string& path, int disk) {
    if (!file_.Valid() || disk != disk_ || path != path_) {
        Drop();
        file_.Reset(OpenForReading(path));
        path_ = path;
        disk_ = disk;
    }
    return file_.Valid() ? file_.Get() : nullptr;
}

void OpenContainers::KeepOnly(int disk) {
    if (disk != disk_) {
        Drop();
    }
}

void OpenContainers::Drop() {
    file_.Reset();
    path_.clear();
    disk_ = -1;
}

std::string PartName(const PackedSource& source, int part) {
    if (part == 0) {
        return source.container;
    }
    int number = part + (source.partNumbering == PartNumbering::FromFirstDisk ? source.firstDisk : 0);
    char extension[16];
    std::snprintf(extension, sizeof extension, "%03d", number);
    return WithExtension(source.container, extension);
}

SpanningReader::SpanningReader(const PackedSource& source, OperationHost& host)
    : source_(source),
      host_(host),
      unread_(source.packedLength),
      buffer_(std::max<size_t>(1, std::min<size_t>(blockSize, source.packedLength))) {}

bool SpanningReader::Open() {
    if (!OpenPart(0)) {
        failed_ = true;
    }
    return !failed_;
}

int SpanningReader::Read(void* buffer, int size) {
    auto* out = static_cast<uint8_t*>(buffer);
    int copied = 0;
    while (copied < size && (next_ < end_ || Fill())) {
        size_t take = std::min<size_t>(end_ - next_, static_cast<size_t>(size - copied));
        std::memcpy(out + copied, buffer_.data() + next_, take);
        next_ += take;
        copied += static_cast<int>(take);
    }
    return failed_ ? -1 : copied;
}

bool SpanningReader::Fill() {
    next_ = end_ = 0;
    while (unread_ > 0 && !failed_) {
        DWORD wanted = static_cast<DWORD>(std::min<size_t>(unread_, buffer_.size()));
        DWORD got = 0;
        if (!::ReadFile(file_, buffer_.data(), wanted, &got, nullptr)) {
            failed_ = true;
            ForgetKept();
        } else if (got > 0) {
            unread_ -= got;
            end_ = got;
            return true;
        } else if (part_ == lastPart || !OpenPart(part_ + 1)) {
            failed_ = true;
        }
    }
    return false;
}

// Asks for the part's disk until the part opens or the user gives up.
bool SpanningReader::OpenPart(int part) {
    owned_.Reset();
    file_ = nullptr;
    part_ = part;
    std::string name = PartName(source_, part);
    uint32_t offset = part == 0 ? source_.offset : 0;
    if (!source_.onMedia) {
        return part == 0 && TryOpen(name, offset, -1);
    }
    int disk = source_.firstDisk + part;
    if (source_.keep != nullptr) {
        source_.keep->KeepOnly(disk);
    }
    for (bool force = false; host_.ChangeDisk(disk, force); force = true) {
        if (TryOpen(name, offset, disk)) {
            return true;
        }
    }
    return false;
}

bool SpanningReader::TryOpen(const std::string& name, uint32_t offset, int disk) {
    std::string path =
        !source_.onMedia || IsAbsolutePath(name) ? name : JoinPath(host_.SourceDirectory(), name);
    if (source_.keep != nullptr) {
        file_ = source_.keep->Open(path, disk);
    } else {
        owned_.Reset(OpenForReading(path));
        file_ = owned_.Valid() ? owned_.Get() : nullptr;
    }
    if (file_ == nullptr) {
        return false;
    }
    LONG high = 0;
    DWORD at = ::SetFilePointer(file_, static_cast<LONG>(offset), &high, FILE_BEGIN);
    if (at == INVALID_SET_FILE_POINTER && ::GetLastError() != NO_ERROR) {
        ForgetKept();
        return false;
    }
    return true;
}

void SpanningReader::ForgetKept() {
    if (source_.keep != nullptr) {
        source_.keep->Drop();
    }
}

}  // namespace gvmain
