#include "gvmain/format/log_reader.h"

#include <cstdio>

namespace gvmain {
namespace {

constexpr char badDataMessage[] = "Log file contains bad data";

bool ReadWholeFile(std::FILE* file, std::vector<uint8_t>& bytes) {
    uint8_t buffer[65536];
    size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + count);
    return std::ferror(file) == 0;
}

}  // namespace

LogContents ReadOperationLog(const std::string& path) {
    LogContents contents;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        contents.error = "Unable to open " + path;
        return contents;
    }
    std::vector<uint8_t> bytes;
    bool read = ReadWholeFile(file, bytes);
    std::fclose(file);
    if (!read) {
        contents.error = badDataMessage;
        return contents;
    }
    return ParseOperationLog(bytes);
}

// A record may only end where the file ends: the loop stops cleanly only
// when no byte of a next kind is there.
LogContents ParseOperationLog(const std::vector<uint8_t>& bytes) {
    LogContents contents;
    PortableStream stream(bytes, IntWidth::Bits32);
    if (!ReadLogHeader(stream, contents.header)) {
        contents.error = badDataMessage;
        return contents;
    }
    while (!stream.AtEnd()) {
        std::unique_ptr<LogRecord> record = ReadRecord(stream);
        if (!record) {
            contents.records.clear();
            contents.error = badDataMessage;
            return contents;
        }
        if (record->mode != 2)
            contents.records.push_back(std::move(record));
    }
    return contents;
}

}  // namespace gvmain
