// Builds packaged files for the install tests: appends a file's bytes,
// packed with the codec or plain, to a container on a scratch "disk", and
// splits a container into parts across disk directories.
#pragma once

#include "gvmain/ops/install_job.h"
#include "tests/gvmain/ops/ops_test_support.h"
#include "tools/lzpunz2/lzp_codec.h"

#include <string>
#include <vector>

namespace gvmain::test {

inline std::string Packed(const std::string& plain, bool compressed) {
    if (!compressed) {
        return plain;
    }
    std::vector<uint8_t> packed = lzp::Pack(std::vector<uint8_t>(plain.begin(), plain.end()), 6);
    return std::string(packed.begin(), packed.end());
}

// Appends the file to `container` (a full path) and returns its source,
// naming the container by its file name as the script does.
inline PackedSource AppendPacked(const std::string& container, const std::string& plain, bool compressed) {
    std::string existing = Exists(container) ? ReadBytes(container) : std::string();
    std::string packed = Packed(plain, compressed);
    WriteBytes(container, existing + packed);
    PackedSource source;
    source.container = container.substr(container.find_last_of('\\') + 1);
    source.offset = static_cast<uint32_t>(existing.size());
    source.packedLength = static_cast<uint32_t>(packed.size());
    return source;
}

// A job that installs `plain` to `destination` from a fresh container on
// the host's first disk, which becomes `diskDirectory`.
inline InstallJob PackedJob(RecordingHost& host, const std::string& diskDirectory, const std::string& plain,
                            const std::string& destination, bool compressed = false) {
    ::CreateDirectoryA(diskDirectory.c_str(), nullptr);
    host.disks = {diskDirectory};
    std::string container = diskDirectory + "\\data.pak";
    ::DeleteFileA(container.c_str());
    InstallJob job;
    job.source = AppendPacked(container, plain, compressed);
    job.destination = destination;
    job.compressed = compressed;
    return job;
}

}  // namespace gvmain::test
