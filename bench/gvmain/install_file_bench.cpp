// InstallFile against a plain copy. 500 files of mixed sizes and kinds
// (text-like, binary, incompressible; 100 MB in all) are packed into one
// container; InstallFile unpacks them onto the Wine drive, and a CopyFileA
// loop copies the same files unpacked, in the same run. Target: InstallFile
// at least half as fast as the plain copy.
//
//   install_file_bench [work directory]   (default: the temporary directory)
#include "gvmain/ops/install_file.h"
#include "gvmain/ops/win32_handles.h"
#include "tools/lzpunz2/lzp_codec.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using gvmain::InstallJob;

constexpr int fileCount = 500;
constexpr size_t totalBytes = 100u * 1024 * 1024;
constexpr double target = 0.5;
constexpr int rounds = 5;

class BenchHost : public gvmain::OperationHost {
public:
    explicit BenchHost(std::string source) : source_(std::move(source)) {
        environment_.windowsDirectory = source_;
    }
    std::string Message(int number) override { return "message " + std::to_string(number) + " %s"; }
    void ReportError(const std::string& text) override { std::fprintf(stderr, "error: %s\n", text.c_str()); }
    int Ask(const gvmain::Question&) override { return gvmain::secondButton; }
    bool Progress(uint32_t) override { return true; }
    void PumpMessages() override {}
    void Notice(const std::string&) override {}
    bool ChangeDisk(int disk, bool force) override { return disk == 0 && !force; }
    std::string SourceDirectory() override { return source_; }
    void SetWindowsRestart() override {}
    void SetDosRestart() override {}
    const gvmain::OperationEnvironment& Environment() override { return environment_; }

private:
    std::string source_;
    gvmain::OperationEnvironment environment_;
};

struct Random {
    uint32_t state;
    uint32_t Next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
};

std::string TextLike(size_t size, Random& random) {
    static const char* words[] = {"install", "the ",   "file ",   "version ", "window\r\n", "setup ",
                                  "of ",     "system", "shared ", "data ",    "= ",         "1.0.3 "};
    std::string text;
    while (text.size() < size) {
        text += words[random.Next() % (sizeof words / sizeof words[0])];
    }
    text.resize(size);
    return text;
}

// Code-like: short repeated patterns with varying operands.
std::string BinaryLike(size_t size, Random& random) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) {
        uint32_t r = random.Next();
        bytes[i] = static_cast<char>(i % 4 == 0 ? 0x8B : (r & 7) == 0 ? r >> 24 : (i * 13) & 0x3F);
    }
    return bytes;
}

std::string Incompressible(size_t size, Random& random) {
    std::string bytes(size, '\0');
    for (char& byte : bytes) {
        byte = static_cast<char>(random.Next() >> 24);
    }
    return bytes;
}

// Sizes from about 2 KB to 2 MB, spread on a logarithmic scale, scaled to
// the total.
std::vector<size_t> FileSizes(Random& random) {
    std::vector<double> weights(fileCount);
    double sum = 0;
    for (double& weight : weights) {
        weight = std::pow(1000.0, (random.Next() % 10000) / 10000.0);
        sum += weight;
    }
    std::vector<size_t> sizes;
    for (double weight : weights) {
        sizes.push_back(static_cast<size_t>(weight / sum * totalBytes));
    }
    return sizes;
}

bool Write(const std::string& path, const void* data, size_t size) {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    bool ok = file != INVALID_HANDLE_VALUE &&
              ::WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr) && written == size;
    if (file != INVALID_HANDLE_VALUE) {
        ::CloseHandle(file);
    }
    return ok;
}

std::string Name(int i) {
    return "file" + std::to_string(i) + ".bin";
}

// Writes the plain files and the packed container; returns the jobs.
std::vector<InstallJob> Prepare(const std::string& work) {
    ::CreateDirectoryA((work + "\\plain").c_str(), nullptr);
    ::CreateDirectoryA((work + "\\disk001").c_str(), nullptr);
    Random random{0x2545F491u};
    std::vector<size_t> sizes = FileSizes(random);
    std::vector<uint8_t> container;
    std::vector<InstallJob> jobs;
    for (int i = 0; i < fileCount; ++i) {
        std::string plain = i % 3 == 0   ? TextLike(sizes[i], random)
                            : i % 3 == 1 ? BinaryLike(sizes[i], random)
                                         : Incompressible(sizes[i], random);
        Write(work + "\\plain\\" + Name(i), plain.data(), plain.size());
        std::vector<uint8_t> packed = lzp::Pack(std::vector<uint8_t>(plain.begin(), plain.end()), 6);
        InstallJob job;
        job.source.container = "data.pak";
        job.source.offset = static_cast<uint32_t>(container.size());
        job.source.packedLength = static_cast<uint32_t>(packed.size());
        job.compressed = true;
        job.bufferKb = gvmain::maxBufferKb;
        jobs.push_back(job);
        container.insert(container.end(), packed.begin(), packed.end());
    }
    Write(work + "\\disk001\\data.pak", container.data(), container.size());
    std::printf("%d files, %.1f MB plain, %.1f MB packed\n", fileCount, totalBytes / 1048576.0,
                container.size() / 1048576.0);
    return jobs;
}

void EmptyDirectory(const std::string& directory) {
    for (int i = 0; i < fileCount; ++i) {
        ::DeleteFileA((directory + "\\" + Name(i)).c_str());
    }
    ::CreateDirectoryA(directory.c_str(), nullptr);
}

// The work directory holds 250 MB; nothing of it stays.
void RemoveWork(const std::string& work) {
    for (const char* directory : {"plain", "installed", "copied"}) {
        EmptyDirectory(work + "\\" + directory);
        ::RemoveDirectoryA((work + "\\" + directory).c_str());
    }
    ::DeleteFileA((work + "\\disk001\\data.pak").c_str());
    ::RemoveDirectoryA((work + "\\disk001").c_str());
    ::RemoveDirectoryA(work.c_str());
}

template <typename Body>
double Seconds(Body body) {
    auto start = std::chrono::steady_clock::now();
    body();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double InstallAll(std::vector<InstallJob>& jobs, const std::string& work, BenchHost& host, bool& ok) {
    std::string target = work + "\\installed";
    EmptyDirectory(target);
    return Seconds([&] {
        for (int i = 0; i < fileCount; ++i) {
            jobs[i].destination = target + "\\" + Name(i);
            gvmain::InstallFile(jobs[i], host, nullptr);
            ok = ok && jobs[i].state == gvmain::InstallInstalled;
        }
    });
}

double CopyAll(const std::string& work, bool& ok) {
    std::string target = work + "\\copied";
    EmptyDirectory(target);
    return Seconds([&] {
        for (int i = 0; i < fileCount; ++i) {
            ok = ::CopyFileA((work + "\\plain\\" + Name(i)).c_str(), (target + "\\" + Name(i)).c_str(),
                             FALSE) &&
                 ok;
        }
    });
}

}  // namespace

int main(int argc, char** argv) {
    char temp[MAX_PATH];
    ::GetTempPathA(sizeof temp, temp);
    std::string work = argc > 1 ? argv[1] : std::string(temp) + "install_file_bench";
    ::CreateDirectoryA(work.c_str(), nullptr);
    std::vector<InstallJob> jobs = Prepare(work);
    BenchHost host(work + "\\disk001");
    // The install controller holds the DLL for the whole run, so that each
    // job's own load and free only count references; unloading it after
    // every file would cost Wine milliseconds a file.
    gvmain::ScopedLibrary runReference(::LoadLibraryA("lzpunz2.dll"));

    double install = 1e9;
    double copy = 1e9;
    bool ok = true;
    for (int round = 0; round < rounds; ++round) {
        copy = std::min(copy, CopyAll(work, ok));
        install = std::min(install, InstallAll(jobs, work, host, ok));
    }
    RemoveWork(work);
    if (!ok) {
        std::printf("a file failed to install or copy\n");
        return 1;
    }
    double mb = totalBytes / 1048576.0;
    double ratio = (mb / install) / (mb / copy);
    std::printf("InstallFile (packed): %.1f MB/s\n", mb / install);
    std::printf("CopyFileA (plain):    %.1f MB/s\n", mb / copy);
    std::printf("ratio %.2f, target >= %.2f: %s\n", ratio, target, ratio >= target ? "met" : "not met");
    return 0;
}
