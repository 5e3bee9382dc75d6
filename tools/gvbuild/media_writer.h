// Builds the installation media of a manifest: packs every file with the
// installer's codec, lays the packed bytes out on the disks, and writes the
// containers, the aux files and "install.inf" (on the first disk), each
// file atomically.
#pragma once

#include "tools/gvbuild/manifest.h"

#include <string>
#include <vector>

namespace gvbuild {

struct MediaResult {
    std::vector<std::string> written;  // paths, in the order written
    int32_t diskCount = 0;
    std::string error;  // empty on success
};

// The directory of disk `disk` (from 0) under `output`.
std::string DiskDirectory(const std::string& output, Packaging mode, int32_t disk);

// `manifest` receives the files' places and the disk labels.
MediaResult BuildMedia(Manifest& manifest, const std::string& output,
                       const gvmain::EventClassRegistry& classes);

}  // namespace gvbuild
