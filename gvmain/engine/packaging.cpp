#include "gvmain/engine/packaging.h"

#include "gvmain/ops/file_names.h"

#include <cstdio>

namespace gvmain {
namespace {

std::string WithoutTrailingSeparator(std::string path) {
    while (path.size() > 1 && (path.back() == '\\' || path.back() == '/')) {
        path.pop_back();
    }
    return path;
}

}  // namespace

bool ChoosePackaging(MediaKind kind, const std::string& sourceDirectory, PackagingMode* mode) {
    bool disk001 = ::lstrcmpiA(FileNameOf(WithoutTrailingSeparator(sourceDirectory)).c_str(), "disk001") == 0;
    if (kind == MediaKind::Floppy) {
        *mode = PackagingMode::Floppies;
        return !disk001;
    }
    *mode = disk001 ? PackagingMode::DiskDirectories : PackagingMode::OnePlace;
    return true;
}

std::string DiskDirectory(const std::string& firstDiskDirectory, int disk) {
    char name[16];
    std::snprintf(name, sizeof name, "disk%03d", disk + 1);
    return JoinPath(DirectoryOf(WithoutTrailingSeparator(firstDiskDirectory)), name);
}

}  // namespace gvmain
