// Drives as the engine sees them: the kind of medium (which decides how
// files are packaged and which drives can take an installation) and the
// free space in units of 10240 bytes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace gvmain {

enum class MediaKind { Floppy = 0, Fixed = 1, LargeRemovable = 2, Network = 3, CdRom = 4 };

// Removable media with more free space than this are no floppies.
constexpr uint32_t largestFloppyUnits = 4095;

// Sectors per cluster times bytes per sector, divided by 128, times the
// free clusters, divided by 80, in unsigned 32-bit arithmetic as the
// engine always counted it.
uint32_t FreeSpaceUnits(DWORD sectorsPerCluster, DWORD bytesPerSector, DWORD freeClusters);

// `driveType` as GetDriveType gives it.
MediaKind MediaKindOf(UINT driveType, uint32_t freeUnits);

// The kind of the drive with root `root` ("C:\"), and its free units
// (0 when the platform cannot tell).
MediaKind DriveMediaKind(const std::string& root, uint32_t* freeUnits);

// "%c: %5uMb + %4uKb": the free space as whole Mb and the Kb left over.
std::string DriveLine(char letter, uint32_t freeUnits);

// A line for every drive from C to Z that can take an installation (fixed,
// large removable or network), joined by "\r\n".
std::string InstallableDrivesText();

}  // namespace gvmain
