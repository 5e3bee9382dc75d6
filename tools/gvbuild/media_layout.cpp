#include "tools/gvbuild/media_layout.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace gvbuild {
namespace {

constexpr uint64_t maxContainer = std::numeric_limits<uint32_t>::max();
constexpr int lastPart = 999;

std::string Numbered(const char* format, int number) {
    char name[32];
    std::snprintf(name, sizeof name, format, number);
    return name;
}

class Layout {
public:
    explicit Layout(const LayoutLimits& limits) : limits_(limits) {}

    MediaLayout Run(const std::vector<uint32_t>& packedSizes);

private:
    // What the disk's data files may hold: room for rounding the two of
    // them (a part and the container) is kept free.
    uint64_t Budget() const {
        uint64_t taken = (disk_ == 0 ? Rounded(limits_.reservedBytes, limits_.clusterBytes) : 0) +
                         2 * limits_.clusterBytes;
        return limits_.diskBytes > taken ? limits_.diskBytes - taken : 0;
    }
    uint64_t Room() const {
        return limits_.diskBytes == 0 ? maxContainer - containerLength_ : Budget() - used_;
    }
    void NextDisk() {
        ++disk_;
        used_ = containerLength_ = 0;
    }
    bool Place(uint32_t size, FilePlace& place);

    LayoutLimits limits_;
    int32_t disk_ = 0;
    uint64_t used_ = 0;
    uint64_t containerLength_ = 0;
    std::string error_;
};

bool Layout::Place(uint32_t size, FilePlace& place) {
    if (limits_.diskBytes != 0 && size > 0 && Room() == 0)
        NextDisk();
    place.disk = disk_;
    place.container = Numbered("data%03d.pak", disk_ + 1);
    place.offset = static_cast<uint32_t>(containerLength_);
    uint32_t from = 0;
    for (int part = 0;; ++part) {
        uint32_t take = static_cast<uint32_t>(std::min<uint64_t>(size - from, Room()));
        std::string name =
            part == 0 ? place.container : place.container.substr(0, 8) + Numbered("%03d", part);
        place.pieces.push_back({disk_, name, from, take});
        used_ += take;
        from += take;
        if (part == 0)
            containerLength_ += take;
        if (from == size)
            return true;
        if (limits_.diskBytes == 0) {
            error_ = "the packed files exceed the 4 GB a container can hold; package on disks";
            return false;
        }
        if (part == lastPart) {
            error_ = "the disks are too small for the product";
            return false;
        }
        NextDisk();
    }
}

MediaLayout Layout::Run(const std::vector<uint32_t>& packedSizes) {
    MediaLayout layout;
    if (limits_.diskBytes != 0 && limits_.diskBytes <= 2 * limits_.clusterBytes) {
        layout.error = "the disks are too small for their clusters";
        return layout;
    }
    if (limits_.diskBytes != 0 && Budget() == 0) {
        layout.error = "the script and the aux files leave no room on the first disk";
        return layout;
    }
    for (uint32_t size : packedSizes) {
        FilePlace place;
        if (!Place(size, place)) {
            layout.error = error_;
            return layout;
        }
        layout.files.push_back(place);
    }
    layout.diskCount = disk_ + 1;
    return layout;
}

}  // namespace

uint64_t Rounded(uint64_t bytes, uint64_t clusterBytes) {
    return (bytes + clusterBytes - 1) / clusterBytes * clusterBytes;
}

MediaLayout LayOut(const std::vector<uint32_t>& packedSizes, const LayoutLimits& limits) {
    return Layout(limits).Run(packedSizes);
}

}  // namespace gvbuild
