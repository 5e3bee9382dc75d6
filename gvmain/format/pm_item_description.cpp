#include "gvmain/format/pm_item_description.h"

#include <cstring>

namespace gvmain {
namespace {

constexpr size_t numbersOffset = pmGroupWidth + pmTitleWidth + pmCommandWidth + 2 * pmPathWidth;
static_assert(numbersOffset + 3 * 4 + 2 * 2 == programItemDescriptionSize, "the fields fill the description");

class Writer {
public:
    explicit Writer(std::vector<uint8_t>& bytes) : bytes_(bytes) {}

    bool Text(const std::string& text, size_t width) {
        if (text.size() >= width || text.find('\0') != std::string::npos) {
            return false;
        }
        std::memcpy(bytes_.data() + at_, text.data(), text.size());
        at_ += width;
        return true;
    }
    void Number(uint32_t value, size_t size) {
        for (size_t i = 0; i < size; ++i) {
            bytes_[at_++] = static_cast<uint8_t>(value >> (8 * i));
        }
    }

private:
    std::vector<uint8_t>& bytes_;
    size_t at_ = 0;
};

class Reader {
public:
    explicit Reader(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}

    bool Text(std::string& text, size_t width) {
        const char* start = reinterpret_cast<const char*>(bytes_.data() + at_);
        const void* end = std::memchr(start, 0, width);
        if (end == nullptr) {
            return false;
        }
        text.assign(start, static_cast<const char*>(end));
        at_ += width;
        return true;
    }
    uint32_t Number(size_t size) {
        uint32_t value = 0;
        for (size_t i = 0; i < size; ++i) {
            value |= uint32_t{bytes_[at_++]} << (8 * i);
        }
        return value;
    }

private:
    const std::vector<uint8_t>& bytes_;
    size_t at_ = 0;
};

}  // namespace

bool EncodeItemDescription(const ProgramItem& item, std::vector<uint8_t>& bytes) {
    bytes.assign(programItemDescriptionSize, 0);
    Writer writer(bytes);
    if (!writer.Text(item.group, pmGroupWidth) || !writer.Text(item.title, pmTitleWidth) ||
        !writer.Text(item.commandLine, pmCommandWidth) || !writer.Text(item.iconPath, pmPathWidth) ||
        !writer.Text(item.workingDirectory, pmPathWidth)) {
        bytes.clear();
        return false;
    }
    writer.Number(static_cast<uint32_t>(item.iconIndex), 4);
    writer.Number(static_cast<uint32_t>(item.x), 4);
    writer.Number(static_cast<uint32_t>(item.y), 4);
    writer.Number(item.hotKey, 2);
    writer.Number(item.minimized ? 1 : 0, 2);
    return true;
}

bool DecodeItemDescription(const std::vector<uint8_t>& bytes, ProgramItem& item) {
    if (bytes.size() != programItemDescriptionSize) {
        return false;
    }
    Reader reader(bytes);
    ProgramItem read;
    if (!reader.Text(read.group, pmGroupWidth) || !reader.Text(read.title, pmTitleWidth) ||
        !reader.Text(read.commandLine, pmCommandWidth) || !reader.Text(read.iconPath, pmPathWidth) ||
        !reader.Text(read.workingDirectory, pmPathWidth)) {
        return false;
    }
    read.iconIndex = static_cast<int32_t>(reader.Number(4));
    read.x = static_cast<int32_t>(reader.Number(4));
    read.y = static_cast<int32_t>(reader.Number(4));
    read.hotKey = static_cast<uint16_t>(reader.Number(2));
    uint32_t minimized = reader.Number(2);
    if (minimized > 1) {
        return false;
    }
    read.minimized = minimized == 1;
    item = read;
    return true;
}

}  // namespace gvmain
