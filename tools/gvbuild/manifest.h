// The build tool's manifest: a TOML file describing a product (see
// examples/README.md). Reading it yields the install script with every field
// but the files' places on the media, plus where each file comes from and
// how the media are cut. Every error names the manifest's line.
#pragma once

#include "gvmain/format/event_classes.h"
#include "gvmain/format/install_script.h"

#include <cstdint>
#include <string>
#include <vector>

namespace gvbuild {

enum class Packaging {
    OneDirectory,  // everything in the output directory, disk 0 only
    Disks,         // "disk001", "disk002", ... beside each other
    Floppies,      // "floppy001", ...: the contents of each floppy
};

constexpr uint64_t floppyBytes = 1457664;  // a 1.44 MB floppy

struct PackagingSpec {
    Packaging mode = Packaging::OneDirectory;
    uint64_t diskBytes = 0;       // per disk; 0: no limit (one directory)
    uint64_t clusterBytes = 512;  // allocation unit of the media
    std::string labelFormat;      // "%d" becomes the disk's number from 1
    int level = 9;                // zlib level of the codec
};

struct Manifest {
    gvmain::InstallScript script;  // installFiles without container, disk, offset, packedLength
    gvmain::ScriptFormat format;
    std::vector<std::string> fileSources;  // one per installFiles entry
    std::vector<std::string> auxSources;   // one per auxFiles entry
    PackagingSpec packaging;
};

struct ManifestLoad {
    Manifest manifest;
    std::string error;  // "name:line:column: what", empty on success
};

// `text` is the manifest; `path` names it in errors and its directory is
// where relative source paths start.
ManifestLoad ReadManifest(const std::string& text, const std::string& path,
                          const gvmain::EventClassRegistry& classes);
ManifestLoad LoadManifestFile(const std::string& path, const gvmain::EventClassRegistry& classes);

}  // namespace gvbuild
