#include "bench/gvmain/install_mix.h"

#include <cctype>
#include <cmath>
#include <random>
#include <string>

namespace lzp::bench {
namespace {

using Random = std::mt19937;

int Pick(Random& random, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
}

// Sizes spread evenly on a log scale, as in a real file list.
size_t FileSize(Random& random, size_t smallest, size_t largest) {
    std::uniform_real_distribution<double> exponent(std::log(double(smallest)), std::log(double(largest)));
    return static_cast<size_t>(std::exp(exponent(random)));
}

void Append(std::vector<uint8_t>& out, const std::string& text) {
    out.insert(out.end(), text.begin(), text.end());
}

void AppendDword(std::vector<uint8_t>& out, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// Made-up words from syllables, drawn with Zipf-like frequencies.
class Vocabulary {
public:
    explicit Vocabulary(Random& random) {
        static const char* const syllables[] = {
            "in",   "st",  "al",   "er",  "con", "fig", "ure", "de",  "ta",  "file", "sys", "tem", "pro",
            "gram", "ver", "sion", "reg", "is",  "ter", "win", "dow", "set", "up",   "lo",  "ca",  "tion"};
        std::vector<double> weights;
        for (int rank = 0; rank < 3000; ++rank) {
            std::string word;
            for (int i = Pick(random, 1, 3); i > 0; --i)
                word += syllables[Pick(random, 0, 25)];
            words_.push_back(word);
            weights.push_back(1.0 / (rank + 1));
        }
        pick_ = std::discrete_distribution<int>(weights.begin(), weights.end());
    }
    const std::string& Word(Random& random) { return words_[pick_(random)]; }

private:
    std::vector<std::string> words_;
    std::discrete_distribution<int> pick_;
};

std::string TextLine(Random& random, Vocabulary& vocabulary) {
    std::string line(static_cast<size_t>(Pick(random, 0, 3) * 4), ' ');
    switch (Pick(random, 0, 5)) {
    case 0: return line + vocabulary.Word(random) + "=" + std::to_string(Pick(random, 0, 99999)) + "\r\n";
    case 1: return line + "[" + vocabulary.Word(random) + "]\r\n";
    default: break;
    }
    for (int i = Pick(random, 3, 14); i > 0; --i)
        line += vocabulary.Word(random) + (Pick(random, 0, 9) == 0 ? ", " : " ");
    return line + ".\r\n";
}

std::vector<uint8_t> TextFile(Random& random, Vocabulary& vocabulary, size_t size) {
    std::vector<uint8_t> out;
    while (out.size() < size)
        Append(out, TextLine(random, vocabulary));
    out.resize(size);
    return out;
}

// One function of x86-like code: a prologue, instructions with small
// displacements, calls and addresses near the image base, int3 padding.
void CodeFunction(Random& random, std::vector<uint8_t>& out, uint32_t imageBase) {
    Append(out, "\x55\x8b\xec");
    for (int i = Pick(random, 4, 60); i > 0; --i) {
        switch (Pick(random, 0, 6)) {
        case 0: out.insert(out.end(), {0x8b, 0x45, static_cast<uint8_t>(Pick(random, 1, 16) * 4)}); break;
        case 1: out.insert(out.end(), {0x89, 0x45, static_cast<uint8_t>(-Pick(random, 1, 16) * 4)}); break;
        case 2:
            out.push_back(0xe8);
            AppendDword(out, static_cast<uint32_t>(Pick(random, -200000, 200000)));
            break;
        case 3:
            out.push_back(0x68);
            AppendDword(out, imageBase + static_cast<uint32_t>(Pick(random, 0x10000, 0x40000)));
            break;
        case 4: out.insert(out.end(), {0x74, static_cast<uint8_t>(Pick(random, 2, 60))}); break;
        case 5: out.insert(out.end(), {0x83, 0xc4, static_cast<uint8_t>(Pick(random, 1, 6) * 4)}); break;
        default: out.insert(out.end(), {0x85, 0xc0}); break;
        }
    }
    Append(out, "\x5d\xc3");
    while (out.size() % 16 != 0)
        out.push_back(0xcc);
}

void DataTable(Random& random, std::vector<uint8_t>& out, uint32_t imageBase) {
    uint32_t pointer = imageBase + 0x20000;
    for (int i = Pick(random, 16, 400); i > 0; --i) {
        pointer += static_cast<uint32_t>(Pick(random, 4, 64));
        AppendDword(out, Pick(random, 0, 3) == 0 ? 0 : pointer);
    }
}

void NameTable(Random& random, std::vector<uint8_t>& out, Vocabulary& vocabulary) {
    for (int i = Pick(random, 8, 80); i > 0; --i) {
        std::string name = vocabulary.Word(random) + vocabulary.Word(random);
        name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
        out.insert(out.end(), {static_cast<uint8_t>(Pick(random, 0, 255)), 0});
        Append(out, name + (Pick(random, 0, 1) ? "A" : "W"));
        out.push_back(0);
    }
}

// Resource strings are UTF-16: every other byte zero.
void ResourceStrings(Random& random, std::vector<uint8_t>& out, Vocabulary& vocabulary) {
    for (int i = Pick(random, 4, 40); i > 0; --i) {
        std::string text = TextLine(random, vocabulary);
        out.insert(out.end(), {static_cast<uint8_t>(text.size()), 0});
        for (char c : text)
            out.insert(out.end(), {static_cast<uint8_t>(c), 0});
    }
}

std::vector<uint8_t> BinaryFile(Random& random, Vocabulary& vocabulary, size_t size) {
    const uint32_t imageBase = 0x00400000u + static_cast<uint32_t>(Pick(random, 0, 255)) * 0x10000u;
    std::vector<uint8_t> out(1024, 0);
    Append(out, "MZ");
    while (out.size() < size) {
        int part = Pick(random, 0, 19);
        if (part < 12)
            CodeFunction(random, out, imageBase);
        else if (part < 15)
            DataTable(random, out, imageBase);
        else if (part < 17)
            NameTable(random, out, vocabulary);
        else if (part < 19)
            ResourceStrings(random, out, vocabulary);
        else
            out.resize(out.size() + static_cast<size_t>(Pick(random, 16, 2048)), 0);
    }
    out.resize(size);
    return out;
}

std::vector<uint8_t> CompressedFile(Random& random, size_t size) {
    std::vector<uint8_t> out(size);
    for (uint8_t& byte : out)
        byte = static_cast<uint8_t>(random());
    return out;
}

void AddFiles(std::vector<SampleFile>& files, Kind kind, size_t budget, Random& random,
              Vocabulary& vocabulary) {
    for (size_t total = 0; total < budget;) {
        SampleFile file;
        file.kind = kind;
        switch (kind) {
        case Kind::Text: file.bytes = TextFile(random, vocabulary, FileSize(random, 1 << 10, 2 << 20)); break;
        case Kind::Binary:
            file.bytes = BinaryFile(random, vocabulary, FileSize(random, 8 << 10, 4 << 20));
            break;
        case Kind::Compressed:
            file.bytes = CompressedFile(random, FileSize(random, 32 << 10, 5 << 20));
            break;
        }
        total += file.bytes.size();
        files.push_back(std::move(file));
    }
}

}  // namespace

std::vector<SampleFile> InstallMix(size_t totalBytes, unsigned seed) {
    Random random(seed);
    Vocabulary vocabulary(random);
    std::vector<SampleFile> files;
    AddFiles(files, Kind::Text, totalBytes / 10 * 4, random, vocabulary);
    AddFiles(files, Kind::Binary, totalBytes / 10 * 4, random, vocabulary);
    AddFiles(files, Kind::Compressed, totalBytes / 10 * 2, random, vocabulary);
    return files;
}

const char* KindName(Kind kind) {
    switch (kind) {
    case Kind::Text: return "text";
    case Kind::Binary: return "binaries";
    case Kind::Compressed: return "compressed";
    }
    return "?";
}

}  // namespace lzp::bench
