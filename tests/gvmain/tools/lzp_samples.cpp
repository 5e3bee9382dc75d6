#include "tests/gvmain/tools/lzp_samples.h"

#include <random>
#include <string>

namespace lzp::testing {

std::vector<uint8_t> TextLike(size_t size, unsigned seed) {
    static const char* const words[] = {"install", "the",  "file",   "setup", "program", "folder", "=",
                                        "Windows", "copy", "system", "\r\n",  "version", "[Files]"};
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> pick(0, 12);
    std::vector<uint8_t> text;
    text.reserve(size + 16);
    while (text.size() < size) {
        std::string word = words[pick(random)];
        text.insert(text.end(), word.begin(), word.end());
        text.push_back(' ');
    }
    text.resize(size);
    return text;
}

std::vector<uint8_t> RandomBytes(size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<uint8_t> bytes(size);
    for (uint8_t& byte : bytes)
        byte = static_cast<uint8_t>(random());
    return bytes;
}

}  // namespace lzp::testing
