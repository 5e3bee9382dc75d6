#include "tools/gvbuild/media_writer.h"

#include "tools/gvbuild/atomic_file.h"
#include "tools/gvbuild/media_layout.h"
#include "tools/lzpunz2/lzp_codec.h"

#include <cstdio>
#include <filesystem>
#include <map>

namespace gvbuild {
namespace {

namespace fs = std::filesystem;

constexpr char scriptName[] = "install.inf";

std::string Label(const std::string& format, int32_t number) {
    std::string label = format;
    size_t at = label.find("%d");
    if (at != std::string::npos)
        label.replace(at, 2, std::to_string(number));
    return label;
}

std::string PackAll(const Manifest& manifest, std::vector<std::vector<uint8_t>>& packed) {
    for (size_t i = 0; i < manifest.fileSources.size(); ++i) {
        std::vector<uint8_t> plain;
        std::string error = ReadWholeFile(manifest.fileSources[i], plain);
        if (!error.empty())
            return error;
        if ((manifest.script.installFiles[i].flags & gvmain::fileCompressed) == 0) {
            packed.push_back(std::move(plain));
            continue;
        }
        packed.push_back(lzp::Pack(plain, manifest.packaging.level));
        if (packed.back().empty())
            return "Unable to pack " + manifest.fileSources[i];
    }
    return "";
}

void ApplyLayout(const MediaLayout& layout, Manifest& manifest) {
    gvmain::InstallScript& script = manifest.script;
    for (size_t i = 0; i < layout.files.size(); ++i) {
        script.installFiles[i].container = layout.files[i].container;
        script.installFiles[i].disk = layout.files[i].disk;
        script.installFiles[i].offset = layout.files[i].offset;
    }
    script.texts.diskLabels.clear();
    for (int32_t disk = 1; disk <= layout.diskCount; ++disk)
        script.texts.diskLabels.push_back(Label(manifest.packaging.labelFormat, disk));
}

// Lays out until the script, whose disk map grows with the disks, fits in
// the room kept for it on the first disk.
std::string Plan(Manifest& manifest, const std::vector<uint32_t>& sizes, uint64_t auxBytes,
                 const gvmain::EventClassRegistry& classes, MediaLayout& layout, gvmain::ScriptBytes& script) {
    const PackagingSpec& spec = manifest.packaging;
    LayoutLimits limits{spec.diskBytes, auxBytes, spec.clusterBytes};
    for (;;) {
        layout = LayOut(sizes, limits);
        if (!layout.error.empty())
            return layout.error;
        ApplyLayout(layout, manifest);
        script = gvmain::WriteScript(manifest.script, manifest.format, classes);
        if (!script.error.empty())
            return script.error;
        uint64_t needed = Rounded(script.bytes.size(), spec.clusterBytes) + auxBytes;
        if (spec.diskBytes == 0 || needed <= limits.reservedBytes)
            return "";
        limits.reservedBytes = needed;
    }
}

}  // namespace

std::string DiskDirectory(const std::string& output, Packaging mode, int32_t disk) {
    if (mode == Packaging::OneDirectory)
        return output;
    char name[32];
    std::snprintf(name, sizeof name, mode == Packaging::Disks ? "disk%03d" : "floppy%03d", disk + 1);
    return (fs::path(output) / name).string();
}

MediaResult BuildMedia(Manifest& manifest, const std::string& output, const gvmain::EventClassRegistry& classes) {
    MediaResult result;
    std::vector<std::vector<uint8_t>> packed;
    result.error = PackAll(manifest, packed);
    if (!result.error.empty())
        return result;
    std::vector<uint32_t> sizes;
    for (size_t i = 0; i < packed.size(); ++i) {
        if (packed[i].size() > UINT32_MAX) {
            result.error = manifest.fileSources[i] + " packs to 4 GB or more";
            return result;
        }
        sizes.push_back(static_cast<uint32_t>(packed[i].size()));
        manifest.script.installFiles[i].packedLength = sizes.back();
    }
    uint64_t auxBytes = 0;
    std::vector<std::vector<uint8_t>> aux(manifest.auxSources.size());
    for (size_t i = 0; i < aux.size() && result.error.empty(); ++i) {
        result.error = ReadWholeFile(manifest.auxSources[i], aux[i]);
        auxBytes += Rounded(aux[i].size(), manifest.packaging.clusterBytes);
    }
    MediaLayout layout;
    gvmain::ScriptBytes script;
    if (result.error.empty())
        result.error = Plan(manifest, sizes, auxBytes, classes, layout, script);
    if (!result.error.empty())
        return result;

    // Each data file whole in memory, in the order its pieces were laid.
    std::map<std::pair<int32_t, std::string>, std::vector<uint8_t>> files;
    for (size_t i = 0; i < layout.files.size(); ++i) {
        for (const Piece& piece : layout.files[i].pieces) {
            std::vector<uint8_t>& bytes = files[{piece.disk, piece.name}];
            bytes.insert(bytes.end(), packed[i].begin() + piece.from, packed[i].begin() + piece.from + piece.length);
        }
    }
    std::string first = DiskDirectory(output, manifest.packaging.mode, 0);
    std::vector<std::pair<std::string, const std::vector<uint8_t>*>> outputs;
    for (const auto& [where, bytes] : files)
        outputs.emplace_back((fs::path(DiskDirectory(output, manifest.packaging.mode, where.first)) / where.second).string(),
                             &bytes);
    for (size_t i = 0; i < aux.size(); ++i)
        outputs.emplace_back((fs::path(first) / manifest.script.auxFiles[i].name).string(), &aux[i]);
    outputs.emplace_back((fs::path(first) / scriptName).string(), &script.bytes);

    for (const auto& [path, bytes] : outputs) {
        std::error_code error;
        fs::create_directories(fs::path(path).parent_path(), error);
        result.error = WriteFileAtomically(path, *bytes);
        if (!result.error.empty())
            return result;
        result.written.push_back(path);
    }
    result.diskCount = layout.diskCount;
    return result;
}

}  // namespace gvbuild
