// One pass over a log record's fields in file order. Each record lists its
// fields once, in its Transfer; reading, writing and the detail lines of
// the uninstaller's list are three passes of that one list, so they cannot
// drift apart.
#pragma once

#include "gvmain/format/portable_stream.h"
#include "gvmain/ops/undo_actions.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace gvmain {

struct DetailLine {
    std::string label;
    std::string value;
};

// How a block's byte count is stored before it.
enum class BlockCount { Dword, Int };

class FieldTransfer {
public:
    virtual ~FieldTransfer() = default;
    // Each returns false when the field cannot be read or written; the
    // labels name the field in the detail lines.
    virtual bool Text(const char* label, std::string& value) = 0;
    virtual bool Int(const char* label, int32_t& value) = 0;
    virtual bool Dword(const char* label, uint32_t& value) = 0;
    // A dword shown as "0x%08X".
    virtual bool Flags(const char* label, uint32_t& value) = 0;
    // The key path (string), then the root (int); shown as "HKLM\path".
    virtual bool Key(const char* label, RegistryKey& key) = 0;
    // The byte count, then the bytes; the detail line shows the count.
    virtual bool CountedBlock(const char* countLabel, BlockCount count, std::vector<uint8_t>& bytes) = 0;
    // Exactly `size` bytes; not shown.
    virtual bool FixedBlock(size_t size, std::vector<uint8_t>& bytes) = 0;
};

class FieldWriter final : public FieldTransfer {
public:
    explicit FieldWriter(PortableStream& stream) : stream_(stream) {}
    bool Text(const char*, std::string& value) override;
    bool Int(const char*, int32_t& value) override;
    bool Dword(const char*, uint32_t& value) override;
    bool Flags(const char*, uint32_t& value) override;
    bool Key(const char*, RegistryKey& key) override;
    bool CountedBlock(const char*, BlockCount count, std::vector<uint8_t>& bytes) override;
    bool FixedBlock(size_t size, std::vector<uint8_t>& bytes) override;

private:
    PortableStream& stream_;
};

// Counts come from the file: each is checked against what is left before
// anything is allocated, so a corrupt count cannot ask for gigabytes.
class FieldReader final : public FieldTransfer {
public:
    explicit FieldReader(PortableStream& stream) : stream_(stream) {}
    bool Text(const char*, std::string& value) override;
    bool Int(const char*, int32_t& value) override;
    bool Dword(const char*, uint32_t& value) override;
    bool Flags(const char*, uint32_t& value) override;
    bool Key(const char*, RegistryKey& key) override;
    bool CountedBlock(const char*, BlockCount count, std::vector<uint8_t>& bytes) override;
    bool FixedBlock(size_t size, std::vector<uint8_t>& bytes) override;

private:
    bool Bytes(size_t size, std::vector<uint8_t>& bytes);

    PortableStream& stream_;
};

class DetailCollector final : public FieldTransfer {
public:
    bool Text(const char* label, std::string& value) override;
    bool Int(const char* label, int32_t& value) override;
    bool Dword(const char* label, uint32_t& value) override;
    bool Flags(const char* label, uint32_t& value) override;
    bool Key(const char* label, RegistryKey& key) override;
    bool CountedBlock(const char* countLabel, BlockCount count, std::vector<uint8_t>& bytes) override;
    bool FixedBlock(size_t size, std::vector<uint8_t>& bytes) override;

    std::vector<DetailLine> lines;
};

// "HKLM\Software\..." style text of a key; an unknown root shows as "Unknown".
std::string RegistryKeyText(const RegistryKey& key);

}  // namespace gvmain
