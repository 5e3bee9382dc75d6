#include "file_io.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace vorlen::platform {
namespace {

bool Fail(std::string* error, const std::string& what, int code) {
    if (error)
        *error = what + ": " + std::strerror(code);
    return false;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// The directory part of a path, with its separator ("" for a bare name).
std::string DirectoryOf(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The process's umask can only be read by setting it; the program is
// single-threaded, so setting it back at once is safe.
mode_t CurrentUmask() {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// The file a path names: the target of a symbolic link, else the path.
std::string FileBehind(const std::string& path) {
    struct stat link {};
    if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode))
        return path;
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (!resolved)
        return path;
    std::string target = resolved;
    std::free(resolved);
    return target;
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string* error) {
    SequentialFile file;
    if (!file.Open(path, error))
        return false;
    size_t size = file.ReadUpTo(SIZE_MAX);
    if (!file.Ok())
        return Fail(error, "Cannot read " + path, EIO);
    bytes.assign(file.Data(), size);
    return true;
}

bool WriteWholeFile(const std::string& path, std::string_view bytes, std::string* error) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return Fail(error, "Cannot create " + path, errno);
    bool ok = WriteAll(fd, bytes);
    int code = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        code = errno;
    }
    return ok || Fail(error, "Cannot write " + path, code);
}

bool WriteFileAtomically(const std::string& requestedPath, std::string_view bytes, std::string* error) {
    std::string path = FileBehind(requestedPath);
    std::string temporary = DirectoryOf(path) + ".vorlen-save-XXXXXX";
    int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return Fail(error, "Cannot create a file beside " + path, errno);
    struct stat existing {};
    mode_t mode = ::stat(path.c_str(), &existing) == 0 ? existing.st_mode & 07777 : 0666 & ~CurrentUmask();
    bool ok = WriteAll(fd, bytes) && ::fchmod(fd, mode) == 0;
    int code = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        code = errno;
    }
    if (ok && ::rename(temporary.c_str(), path.c_str()) != 0) {
        ok = false;
        code = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        return Fail(error, "Cannot write " + path, code);
    }
    return true;
}

void FileBufferRelease::operator()(char* buffer) const {
    if (mappedSize != 0)
        ::munmap(buffer, mappedSize);
    else
        delete[] buffer;
}

void SequentialFile::AllocateBuffer(size_t size) {
    constexpr size_t hugePage = 2 << 20;
    if (size >= hugePage) {
        size_t mapped = (size + hugePage - 1) / hugePage * hugePage;
        void* memory = ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (memory != MAP_FAILED) {
            ::madvise(memory, mapped, MADV_HUGEPAGE);
            buffer_ = {static_cast<char*>(memory), FileBufferRelease{mapped}};
            return;
        }
    }
    buffer_ = {new char[size], FileBufferRelease{}};  // not zeroed: every byte used is read first
}

SequentialFile::~SequentialFile() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool SequentialFile::Open(const std::string& path, std::string* error) {
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0)
        return Fail(error, "Cannot open " + path, errno);
    struct stat info {};
    if (::fstat(fd_, &info) != 0 || S_ISDIR(info.st_mode))
        return Fail(error, "Cannot read " + path, S_ISDIR(info.st_mode) ? EISDIR : errno);
    size_ = info.st_size > 0 ? static_cast<size_t>(info.st_size) : 0;
    AllocateBuffer(size_ + 1);
    ::posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
    return true;
}

size_t SequentialFile::ReadUpTo(size_t wanted) {
    // At least a megabyte at a time: fewer calls, and the system's read-ahead
    // runs beyond it meanwhile.
    constexpr size_t step = 1 << 20;
    size_t target = std::min(size_, std::max(wanted, read_ + step));
    while (ok_ && read_ < target) {
        ssize_t got = ::read(fd_, buffer_.get() + read_, target - read_);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            ok_ = got == 0;
            size_ = read_;  // the file ended early or failed: stop here
            break;
        }
        read_ += static_cast<size_t>(got);
    }
    return read_;
}

bool CanOpenForReading(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

std::string WithDefaultExtension(std::string_view chosen, std::string_view extension) {
    if (chosen.empty())
        return {};
    std::size_t base = chosen.find_last_of('/');
    base = base == std::string_view::npos ? 0 : base + 1;
    std::size_t dot = chosen.find_last_of('.');
    bool hasExtension = dot != std::string_view::npos && dot > base && dot + 1 < chosen.size();
    if (hasExtension)
        return std::string(chosen);
    return std::string(chosen) + (chosen.back() == '.' ? "" : ".") + std::string(extension);
}

}  // namespace vorlen::platform
