// How the packaged files of an installation lie on its media, chosen once
// at start from the kind of the source drive and from whether the source
// directory is "disk001".
#pragma once

#include "gvmain/engine/drive_space.h"

#include <cstdint>
#include <string>

namespace gvmain {

enum class PackagingMode : int32_t {
    OnePlace = 0,         // all files in one place, no disk changes
    Floppies = 1,         // one floppy per disk, asked for by its label
    DiskDirectories = 2,  // "disk001", "disk002", ... beside each other
};

constexpr char invalidPackagingMessage[] = "Invalid packaging-media combination";

// False for a floppy whose directory is "disk001".
bool ChoosePackaging(MediaKind kind, const std::string& sourceDirectory, PackagingMode* mode);

// The directory of disk `disk` (from 0): the parent of the first disk's
// directory joined with "disk%03d" of disk + 1.
std::string DiskDirectory(const std::string& firstDiskDirectory, int disk);

}  // namespace gvmain
