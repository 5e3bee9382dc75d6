// Generated files of an installation, for the decompressor's benchmark:
// text (documents, INI and source-like files), executable-like binaries
// (code, tables, strings, resources) and already-compressed data, each
// file the same for the same seed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lzp::bench {

enum class Kind { Text, Binary, Compressed };
constexpr int kindCount = 3;

struct SampleFile {
    Kind kind = Kind::Text;
    std::vector<uint8_t> bytes;
};

// About `totalBytes` in all: 40% text, 40% binaries, 20% compressed.
std::vector<SampleFile> InstallMix(size_t totalBytes, unsigned seed);

const char* KindName(Kind kind);

}  // namespace lzp::bench
