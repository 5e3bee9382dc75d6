// Whole-file reading and atomic replacement of files.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace vorlen::platform {

// Reads the whole file; false (with the system's reason in `error`) when it
// cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& bytes, std::string* error = nullptr);

// Writes `bytes` to a new temporary file beside `path` and renames it over
// `path`, so that a failure at any point leaves an existing file as it was.
// A file that is replaced keeps its permission bits; a path that is a
// symbolic link replaces the file it points to, and the link stays. On
// failure the temporary file is removed and `error` names what failed and
// why.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error = nullptr);

// Writes `bytes` straight into the file, creating or truncating it: for
// exports, which may go to any file the user can write.
bool WriteWholeFile(const std::string& path, std::string_view bytes, std::string* error = nullptr);

bool CanOpenForReading(const std::string& path);

// A chosen name without any extension gets `extension` (without its dot),
// as a file dialog's default extension gives it.
std::string WithDefaultExtension(std::string_view chosen, std::string_view extension);

// A file read front to back into one buffer, only as far as its reader has
// asked, so that the system reads ahead while the part already read is
// worked on. The buffer holds the file's size at opening and never moves.
// Frees a SequentialFile's buffer the way it was allocated.
struct FileBufferRelease {
    size_t mappedSize = 0;  // nonzero for a mapping of that size
    void operator()(char* buffer) const;
};

class SequentialFile {
public:
    SequentialFile() = default;
    SequentialFile(const SequentialFile&) = delete;
    SequentialFile& operator=(const SequentialFile&) = delete;
    ~SequentialFile();

    bool Open(const std::string& path, std::string* error = nullptr);
    // Reads until at least `wanted` bytes are there or the file ends; the
    // number of bytes there.
    size_t ReadUpTo(size_t wanted);
    const char* Data() const { return buffer_.get(); }
    // False when reading failed (not at the end of the file).
    bool Ok() const { return ok_; }

private:
    int fd_ = -1;
    // Large files get their buffer straight from the system, in huge pages
    // where it allows them: a page fault per 4 KiB costs more than parsing it.
    void AllocateBuffer(size_t size);

    std::unique_ptr<char[], FileBufferRelease> buffer_;
    size_t size_ = 0;
    size_t read_ = 0;
    bool ok_ = true;
};

}  // namespace vorlen::platform
