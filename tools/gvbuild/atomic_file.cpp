#include "tools/gvbuild/atomic_file.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

namespace gvbuild {

std::string WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::string temporary = path + ".tmp" + std::to_string(::getpid());
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr)
        return "Unable to create " + temporary + ": " + std::strerror(errno);
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    // fsync before the rename, so that a crash never leaves a short target.
    written = std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0 && written;
    int saved = errno;
    written = std::fclose(file) == 0 && written;
    if (written && std::rename(temporary.c_str(), path.c_str()) == 0)
        return "";
    saved = saved != 0 ? saved : errno;
    std::remove(temporary.c_str());
    return "Unable to write " + path + ": " + std::strerror(saved);
}

std::string ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return "Unable to open " + path;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return in.bad() ? "Unable to read " + path : "";
}

}  // namespace gvbuild
