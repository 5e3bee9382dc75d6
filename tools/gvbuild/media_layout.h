// Where the packed files lie on the media. Each disk d (from 0) has one
// container "data%03d.pak" (d + 1) holding the files that start on it, one
// after the other. A file that does not fit goes on in part files on the
// following disks, the container's name with the extension "001", "002",
// ... (the engine's spanning reader counts its parts from one), each
// filling its disk; the next file then starts in that disk's own
// container. So a container ends exactly where a spanning file leaves it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace gvbuild {

struct LayoutLimits {
    uint64_t diskBytes = 0;      // 0: one place without limit and without spanning
    uint64_t reservedBytes = 0;  // taken on the first disk by the script and aux files
    uint64_t clusterBytes = 512;
};

// Bytes [from, from + length) of a file's packed bytes, appended to the
// file `name` on disk `disk`.
struct Piece {
    int32_t disk = 0;
    std::string name;
    uint32_t from = 0;
    uint32_t length = 0;
};

struct FilePlace {
    int32_t disk = 0;
    std::string container;
    uint32_t offset = 0;
    std::vector<Piece> pieces;
};

struct MediaLayout {
    std::vector<FilePlace> files;
    int32_t diskCount = 1;
    std::string error;  // empty on success
};

MediaLayout LayOut(const std::vector<uint32_t>& packedSizes, const LayoutLimits& limits);

// The cluster-rounded size a file of `bytes` takes.
uint64_t Rounded(uint64_t bytes, uint64_t clusterBytes);

}  // namespace gvbuild
