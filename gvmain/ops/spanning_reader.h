// Reads the packed bytes of one packaged file from the media. The bytes
// start at an offset in a container file on the file's first disk; when
// the container ends first, they go on in the part files on the following
// disks, named like the container with the extension "001", "002", ...
// Reading stops exactly at the packed length.
#pragma once

#include "gvmain/ops/operation_host.h"
#include "gvmain/ops/win32_handles.h"

#include <cstdint>
#include <string>
#include <vector>

namespace gvmain {

// Whether the extension of the second part is "001" or the first disk's
// number plus one.
enum class PartNumbering { FromOne, FromFirstDisk };

// The part file the packaged files of one file set are being read from,
// kept open from one file to the next: the files of a set follow one
// another in the same container, and under Wine opening it again for each
// file cost more than copying a small one. Only the last part opened is
// kept, and only for the same disk, so nothing is read from a disk that
// has since been asked to be changed.
class OpenContainers {
public:
    // `path` on disk `disk` opened for reading: the kept part when it is
    // that one, else newly opened and kept; null when it cannot be opened.
    HANDLE Open(const std::string& path, int disk);
    // Closes the kept part unless it lies on `disk`; called before a disk
    // is asked for, so that no file stays open on a disk being taken out.
    void KeepOnly(int disk);
    // Closes the kept part, so that the next open finds the file afresh.
    void Drop();

private:
    std::string path_;
    int disk_ = -1;
    ScopedHandle file_;
};

struct PackedSource {
    // false: `container` is a full path on a fixed drive, never spanned and
    // never asked for (copying an installed file).
    bool onMedia = true;
    int firstDisk = 0;      // counted from 0
    std::string container;  // relative to the disk's directory unless absolute
    uint32_t offset = 0;
    uint32_t packedLength = 0;
    PartNumbering partNumbering = PartNumbering::FromOne;
    // When set, the parts are opened through it and stay open after the
    // read; otherwise each read opens and closes its own.
    OpenContainers* keep = nullptr;
};

// The name of part `part` (1 for the second) of `container`.
std::string PartName(const PackedSource& source, int part);

class SpanningReader {
public:
    SpanningReader(const PackedSource& source, OperationHost& host);

    // Opens the first part, asking for its disk as long as the user goes on.
    bool Open();
    // Up to `size` bytes; 0 at the packed length, -1 on failure.
    int Read(void* buffer, int size);
    // The next byte, or -1 at the packed length and on failure.
    int ReadByte() {
        if (next_ == end_ && !Fill()) {
            return -1;
        }
        return buffer_[next_++];
    }
    bool Failed() const { return failed_; }

private:
    bool Fill();
    bool OpenPart(int part);
    bool TryOpen(const std::string& name, uint32_t offset, int disk);
    // A part that failed is opened afresh next time.
    void ForgetKept();

    PackedSource source_;
    OperationHost& host_;
    ScopedHandle owned_;
    HANDLE file_ = nullptr;  // owned_, or a part kept by source_.keep
    int part_ = 0;
    uint32_t unread_ = 0;  // packed bytes not yet taken from the files
    std::vector<uint8_t> buffer_;
    size_t next_ = 0;
    size_t end_ = 0;
    bool failed_ = false;
};

}  // namespace gvmain
