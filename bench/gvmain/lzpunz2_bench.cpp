// Unpacking speed of lzpunz2.dll as the installer calls it (loaded by name,
// one callback per packed byte, reads into a buffer) against zlib's own
// inflate of the same files packed by zlib at the same level, buffer to
// buffer, in the same run. Target: at least 90% of inflate's speed.
// The codec reading from memory (no callback) is measured against the same
// target, to show the decompressor's own speed apart from the callback,
// which costs a call and a memory round trip per packed byte.
#include "bench/gvmain/install_mix.h"
#include "tools/lzpunz2/lzp_codec.h"
#include "tools/lzpunz2/lzpunz2.h"

#include <windows.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

namespace {

using namespace lzp::bench;
using Clock = std::chrono::steady_clock;

constexpr size_t totalBytes = 100000000;
constexpr int level = 9;
constexpr int runs = 5;
constexpr int readSize = 256 * 1024;
constexpr double targetRatio = 0.9;

struct PackedFile {
    Kind kind;
    const std::vector<uint8_t>* plain;
    std::vector<uint8_t> lzp;
    std::vector<uint8_t> zlib;
};

struct Dll {
    decltype(&LzpUnzOpen) unzOpen;
    decltype(&LzpUnzRead) unzRead;
    decltype(&LzpUnzClose) unzClose;
};

// The byte callback of the installer, reading the packed file from memory.
const uint8_t* feedNext = nullptr;
const uint8_t* feedEnd = nullptr;

int LZP_CALL ReadPackedByte() {
    return feedNext < feedEnd ? *feedNext++ : -1;
}

template <typename Fn>
bool Find(HMODULE module, const char* name, Fn& entry) {
    entry = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    return entry != nullptr;
}

std::vector<uint8_t> ZlibCompress(const std::vector<uint8_t>& plain) {
    uLongf size = compressBound(static_cast<uLong>(plain.size()));
    std::vector<uint8_t> packed(size);
    compress2(packed.data(), &size, plain.data(), static_cast<uLong>(plain.size()), level);
    packed.resize(size);
    return packed;
}

std::vector<PackedFile> PackAll(const std::vector<SampleFile>& files) {
    std::vector<PackedFile> packed;
    for (const SampleFile& file : files)
        packed.push_back({file.kind, &file.bytes, lzp::Pack(file.bytes, level), ZlibCompress(file.bytes)});
    return packed;
}

// Each decoder unpacks one file and returns the number of plain bytes it got.
using Decoder = std::function<size_t(const PackedFile&, std::vector<uint8_t>&)>;

size_t Inflate(const PackedFile& file, std::vector<uint8_t>& out) {
    z_stream zs{};
    inflateInit(&zs);
    zs.next_in = file.zlib.data();
    zs.avail_in = static_cast<uInt>(file.zlib.size());
    zs.next_out = out.data();
    zs.avail_out = static_cast<uInt>(out.size());
    int code = inflate(&zs, Z_FINISH);
    inflateEnd(&zs);
    return code == Z_STREAM_END ? zs.total_out : 0;
}

Decoder DllDecoder(const Dll& dll) {
    return [&dll](const PackedFile& file, std::vector<uint8_t>& out) -> size_t {
        feedNext = file.lzp.data();
        feedEnd = file.lzp.data() + file.lzp.size();
        if (dll.unzOpen(ReadPackedByte, LZP_FORMAT) != 0)
            return 0;
        size_t total = 0;
        int count;
        while ((count = dll.unzRead(out.data(), readSize)) > 0)
            total += static_cast<size_t>(count);
        dll.unzClose();
        return count == 0 ? total : 0;
    };
}

size_t CodecFromMemory(const PackedFile& file, std::vector<uint8_t>& out) {
    lzp::MemorySource source(file.lzp);
    lzp::Unpacker unpacker(source);
    size_t total = 0;
    ptrdiff_t count;
    while ((count = unpacker.Read(out.data(), readSize)) > 0)
        total += static_cast<size_t>(count);
    return count == 0 ? total : 0;
}

// The DLL's output must be the plain file before its speed means anything.
bool DllUnpacksAll(const Dll& dll, const std::vector<PackedFile>& files) {
    std::vector<uint8_t> out(readSize);
    for (const PackedFile& file : files) {
        feedNext = file.lzp.data();
        feedEnd = file.lzp.data() + file.lzp.size();
        if (dll.unzOpen(ReadPackedByte, LZP_FORMAT) != 0)
            return false;
        size_t offset = 0;
        int count;
        while ((count = dll.unzRead(out.data(), readSize)) > 0) {
            if (offset + count > file.plain->size() ||
                std::memcmp(out.data(), file.plain->data() + offset, count))
                return false;
            offset += static_cast<size_t>(count);
        }
        dll.unzClose();
        if (count != 0 || offset != file.plain->size())
            return false;
    }
    return true;
}

// Seconds per kind of file for one pass of the decoder over all files.
std::vector<double> TimePass(const std::vector<PackedFile>& files, const Decoder& decode,
                             std::vector<uint8_t>& out, bool& ok) {
    std::vector<double> seconds(kindCount, 0.0);
    for (const PackedFile& file : files) {
        auto start = Clock::now();
        size_t produced = decode(file, out);
        seconds[static_cast<int>(file.kind)] += std::chrono::duration<double>(Clock::now() - start).count();
        ok = ok && produced == file.plain->size();
    }
    return seconds;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Figures {
    std::vector<double> mbPerSecond;  // per kind, then all kinds
};

// Runs the decoders in turns, `runs` times, and gives each one's median speed.
std::vector<Figures> Measure(const std::vector<PackedFile>& files, const std::vector<Decoder>& decoders,
                             bool& ok) {
    std::vector<double> plainBytes(kindCount + 1, 0.0);
    size_t largest = 0;
    for (const PackedFile& file : files) {
        plainBytes[static_cast<int>(file.kind)] += double(file.plain->size());
        plainBytes[kindCount] += double(file.plain->size());
        largest = std::max(largest, file.plain->size());
    }
    std::vector<uint8_t> out(std::max<size_t>(largest, readSize));
    std::vector<std::vector<std::vector<double>>> seconds(decoders.size(),
                                                          std::vector<std::vector<double>>(kindCount + 1));
    for (int run = 0; run < runs; ++run) {
        for (size_t d = 0; d < decoders.size(); ++d) {
            std::vector<double> pass = TimePass(files, decoders[d], out, ok);
            double all = 0;
            for (int kind = 0; kind < kindCount; ++kind) {
                seconds[d][kind].push_back(pass[kind]);
                all += pass[kind];
            }
            seconds[d][kindCount].push_back(all);
        }
    }
    std::vector<Figures> figures(decoders.size());
    for (size_t d = 0; d < decoders.size(); ++d)
        for (int column = 0; column <= kindCount; ++column)
            figures[d].mbPerSecond.push_back(plainBytes[column] / Median(seconds[d][column]) / 1e6);
    return figures;
}

void PrintSizes(const std::vector<PackedFile>& files) {
    double plain[kindCount] = {}, packed[kindCount] = {};
    for (const PackedFile& file : files) {
        plain[static_cast<int>(file.kind)] += double(file.plain->size());
        packed[static_cast<int>(file.kind)] += double(file.lzp.size());
    }
    std::printf("lzpunz2 bench: %zu files, level %d, median of %d runs, reads of %d KiB (MB = 10^6 bytes)\n",
                files.size(), level, runs, readSize / 1024);
    for (int kind = 0; kind < kindCount; ++kind)
        std::printf("  %-10s %7.1f MB plain, packed to %5.1f%%\n", KindName(static_cast<Kind>(kind)),
                    plain[kind] / 1e6, 100.0 * packed[kind] / plain[kind]);
}

void PrintFigures(const char* name, const Figures& figures, const Figures& anchor) {
    std::printf("  %-34s", name);
    for (double speed : figures.mbPerSecond)
        std::printf(" %9.1f", speed);
    std::printf("   ratio %.2f\n", figures.mbPerSecond[kindCount] / anchor.mbPerSecond[kindCount]);
}

void PrintVerdict(const char* what, const Figures& figures, const Figures& anchor) {
    double ratio = figures.mbPerSecond[kindCount] / anchor.mbPerSecond[kindCount];
    std::printf("  %-52s %4.0f%%  %s\n", what, ratio * 100, ratio >= targetRatio ? "met" : "not met");
}

}  // namespace

int main() {
    HMODULE module = LoadLibraryA("lzpunz2.dll");
    Dll dll{};
    if (module == nullptr || !Find(module, "LzpUnzOpen", dll.unzOpen) ||
        !Find(module, "LzpUnzRead", dll.unzRead) || !Find(module, "LzpUnzClose", dll.unzClose)) {
        std::fprintf(stderr, "lzpunz2_bench: cannot load lzpunz2.dll and its entry points\n");
        return 1;
    }
    std::vector<SampleFile> mix = InstallMix(totalBytes, 2026);
    std::vector<PackedFile> files = PackAll(mix);
    PrintSizes(files);
    if (!DllUnpacksAll(dll, files)) {
        std::fprintf(stderr, "lzpunz2_bench: the DLL's output differs from the plain files\n");
        return 1;
    }

    bool ok = true;
    std::vector<Figures> figures = Measure(files, {Inflate, DllDecoder(dll), CodecFromMemory}, ok);
    if (!ok) {
        std::fprintf(stderr, "lzpunz2_bench: a decoder failed during the timing\n");
        return 1;
    }
    std::printf("  %-34s %9s %9s %9s %9s  (MB/s of plain output)\n", "", "text", "binaries", "compr.", "all");
    PrintFigures("zlib inflate, buffer to buffer", figures[0], figures[0]);
    PrintFigures("lzpunz2.dll, byte callback", figures[1], figures[0]);
    PrintFigures("codec from memory, no callback", figures[2], figures[0]);
    std::printf("target: at least %.0f%% of inflate's speed\n", targetRatio * 100);
    PrintVerdict("the decompressor (codec, packed bytes from memory)", figures[2], figures[0]);
    PrintVerdict("through lzpunz2.dll's one-byte callback", figures[1], figures[0]);
    FreeLibrary(module);
    return 0;
}
