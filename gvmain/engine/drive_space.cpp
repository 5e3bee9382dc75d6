#include "gvmain/engine/drive_space.h"

#include <cstdio>

namespace gvmain {

uint32_t FreeSpaceUnits(DWORD sectorsPerCluster, DWORD bytesPerSector, DWORD freeClusters) {
    uint32_t bytesPerCluster =
        static_cast<uint32_t>(sectorsPerCluster) * static_cast<uint32_t>(bytesPerSector);
    return bytesPerCluster / 128 * static_cast<uint32_t>(freeClusters) / 80;
}

MediaKind MediaKindOf(UINT driveType, uint32_t freeUnits) {
    switch (driveType) {
    case DRIVE_REMOVABLE:
        return freeUnits > largestFloppyUnits ? MediaKind::LargeRemovable : MediaKind::Floppy;
    case DRIVE_FIXED: return MediaKind::Fixed;
    case DRIVE_REMOTE: return MediaKind::Network;
    case DRIVE_CDROM: return MediaKind::CdRom;
    default: return MediaKind::Floppy;
    }
}

MediaKind DriveMediaKind(const std::string& root, uint32_t* freeUnits) {
    DWORD sectorsPerCluster = 0;
    DWORD bytesPerSector = 0;
    DWORD freeClusters = 0;
    DWORD clusters = 0;
    UINT driveType = GetDriveTypeA(root.c_str());
    *freeUnits = 0;
    if (driveType != DRIVE_NO_ROOT_DIR && driveType != DRIVE_UNKNOWN &&
        GetDiskFreeSpaceA(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters)) {
        *freeUnits = FreeSpaceUnits(sectorsPerCluster, bytesPerSector, freeClusters);
    }
    return MediaKindOf(driveType, *freeUnits);
}

std::string DriveLine(char letter, uint32_t freeUnits) {
    uint32_t kb = freeUnits * 10;
    char line[40];
    std::snprintf(line, sizeof line, "%c: %5uMb + %4uKb", letter, static_cast<unsigned>(kb / 1024),
                  static_cast<unsigned>(kb % 1024));
    return line;
}

std::string InstallableDrivesText() {
    std::string text;
    for (char letter = 'C'; letter <= 'Z'; ++letter) {
        std::string root = std::string(1, letter) + ":\\";
        uint32_t freeUnits = 0;
        MediaKind kind = DriveMediaKind(root, &freeUnits);
        if (kind == MediaKind::Fixed || kind == MediaKind::LargeRemovable || kind == MediaKind::Network) {
            if (!text.empty()) {
                text += "\r\n";
            }
            text += DriveLine(letter, freeUnits);
        }
    }
    return text;
}

}  // namespace gvmain
