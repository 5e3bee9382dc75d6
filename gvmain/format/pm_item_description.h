// A Program Manager item as the log keeps it whole (records of kind 15), so
// that a deleted item can be made again exactly. Pure C++, no Win32.
//
// Layout, programItemDescriptionSize (1112) bytes, little-endian; each text is zero-terminated and
// zero-padded to its field, so a text holds at most its width less one:
//
//   offset  size  field
//        0   128  group name
//      128   128  item title
//      256   320  command line (program and arguments)
//      576   260  icon path
//      836   260  working directory
//     1096     4  icon index (signed)
//     1100     4  position x (signed; -1 lets Program Manager choose)
//     1104     4  position y (signed)
//     1108     2  hot key (virtual key in the low byte, modifiers above)
//     1110     2  minimised flag (0 or 1)
#pragma once

#include "gvmain/format/log_records.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace gvmain {

constexpr size_t pmGroupWidth = 128;
constexpr size_t pmTitleWidth = 128;
constexpr size_t pmCommandWidth = 320;
constexpr size_t pmPathWidth = 260;

struct ProgramItem {
    std::string group;
    std::string title;
    std::string commandLine;
    std::string iconPath;
    int32_t iconIndex = 0;
    int32_t x = -1;
    int32_t y = -1;
    std::string workingDirectory;
    uint16_t hotKey = 0;
    bool minimized = false;

    bool HasPosition() const { return x >= 0 && y >= 0; }
};

// False when a text does not fit its field; `bytes` is then left empty.
bool EncodeItemDescription(const ProgramItem& item, std::vector<uint8_t>& bytes);
// False for bad data: a wrong size, a text without its terminating zero or
// a minimised flag other than 0 or 1.
bool DecodeItemDescription(const std::vector<uint8_t>& bytes, ProgramItem& item);

}  // namespace gvmain
