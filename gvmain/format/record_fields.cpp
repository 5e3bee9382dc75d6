#include "gvmain/format/record_fields.h"

#include <cstdio>
#include <iterator>

namespace gvmain {

bool FieldWriter::Text(const char*, std::string& value) {
    return stream_.WriteString(value);
}

bool FieldWriter::Int(const char*, int32_t& value) {
    return stream_.WriteInt(value);
}

bool FieldWriter::Dword(const char*, uint32_t& value) {
    return stream_.WriteDword(value);
}

bool FieldWriter::Flags(const char*, uint32_t& value) {
    return stream_.WriteDword(value);
}

bool FieldWriter::Key(const char*, RegistryKey& key) {
    return stream_.WriteString(key.path) && stream_.WriteInt(key.root);
}

bool FieldWriter::CountedBlock(const char*, BlockCount count, std::vector<uint8_t>& bytes) {
    bool counted = count == BlockCount::Dword ? stream_.WriteDword(static_cast<uint32_t>(bytes.size()))
                                              : stream_.WriteInt(static_cast<int32_t>(bytes.size()));
    return counted && stream_.WriteBlock(bytes.data(), bytes.size());
}

// A block of another size would shift every record after it.
bool FieldWriter::FixedBlock(size_t size, std::vector<uint8_t>& bytes) {
    return bytes.size() == size && stream_.WriteBlock(bytes.data(), bytes.size());
}

bool FieldReader::Text(const char*, std::string& value) {
    return stream_.ReadString(value);
}

bool FieldReader::Int(const char*, int32_t& value) {
    return stream_.ReadInt(value);
}

bool FieldReader::Dword(const char*, uint32_t& value) {
    return stream_.ReadDword(value);
}

bool FieldReader::Flags(const char*, uint32_t& value) {
    return stream_.ReadDword(value);
}

bool FieldReader::Key(const char*, RegistryKey& key) {
    return stream_.ReadString(key.path) && stream_.ReadInt(key.root);
}

bool FieldReader::CountedBlock(const char*, BlockCount count, std::vector<uint8_t>& bytes) {
    if (count == BlockCount::Dword) {
        uint32_t size = 0;
        return stream_.ReadDword(size) && Bytes(size, bytes);
    }
    int32_t size = 0;
    return stream_.ReadInt(size) && size >= 0 && Bytes(static_cast<size_t>(size), bytes);
}

bool FieldReader::FixedBlock(size_t size, std::vector<uint8_t>& bytes) {
    return Bytes(size, bytes);
}

bool FieldReader::Bytes(size_t size, std::vector<uint8_t>& bytes) {
    if (size > stream_.Remaining()) {
        return false;
    }
    bytes.resize(size);
    return stream_.ReadBlock(bytes.data(), size);
}

bool DetailCollector::Text(const char* label, std::string& value) {
    lines.push_back({label, value});
    return true;
}

bool DetailCollector::Int(const char* label, int32_t& value) {
    lines.push_back({label, std::to_string(value)});
    return true;
}

bool DetailCollector::Dword(const char* label, uint32_t& value) {
    lines.push_back({label, std::to_string(value)});
    return true;
}

bool DetailCollector::Flags(const char* label, uint32_t& value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
    lines.push_back({label, text});
    return true;
}

bool DetailCollector::Key(const char* label, RegistryKey& key) {
    lines.push_back({label, RegistryKeyText(key)});
    return true;
}

bool DetailCollector::CountedBlock(const char* countLabel, BlockCount, std::vector<uint8_t>& bytes) {
    lines.push_back({countLabel, std::to_string(bytes.size())});
    return true;
}

bool DetailCollector::FixedBlock(size_t, std::vector<uint8_t>&) {
    return true;
}

std::string RegistryKeyText(const RegistryKey& key) {
    static const char* const rootNames[] = {"HKLM", "HKCR", "HKCU", "HKUS", "HKCF"};
    if (key.root < 0 || key.root >= static_cast<int32_t>(std::size(rootNames))) {
        return "Unknown";
    }
    return std::string(rootNames[key.root]) + "\\" + key.path;
}

}  // namespace gvmain
