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

// Sets each file's packed length; `sizes` gets them too.
std::string PackAll(Manifest& manifest, std::vector<std::vector<uint8_t>>& packed,
                    std::vector<uint32_t>& sizes) {
    for (size_t i = 0; i < manifest.fileSources.size(); ++i) {
        std::vector<uint8_t> plain;
        std::string error = ReadWholeFile(manifest.fileSources[i], plain);
        if (!error.empty())
            return error;
        gvmain::InstallFile& file = manifest.script.installFiles[i];
        packed.push_back((file.flags & gvmain::fileCompressed) == 0
                             ? std::move(plain)
                             : lzp::Pack(plain, manifest.packaging.level));
        if (packed.back().empty() && (file.flags & gvmain::fileCompressed) != 0)
            return "Unable to pack " + manifest.fileSources[i];
        if (packed.back().size() > UINT32_MAX)
            return manifest.fileSources[i] + " packs to 4 GB or more";
        file.packedLength = static_cast<uint32_t>(packed.back().size());
        sizes.push_back(file.packedLength);
    }
    return "";
}

std::string ReadAux(const Manifest& manifest, std::vector<std::vector<uint8_t>>& aux, uint64_t& bytes) {
    aux.resize(manifest.auxSources.size());
    for (size_t i = 0; i < aux.size(); ++i) {
        std::string error = ReadWholeFile(manifest.auxSources[i], aux[i]);
        if (!error.empty())
            return error;
        bytes += Rounded(aux[i].size(), manifest.packaging.clusterBytes);
    }
    return "";
}

// Each data file whole, by its path, in the order its pieces were laid.
std::map<std::string, std::vector<uint8_t>> DataFiles(const MediaLayout& layout,
                                                      const std::vector<std::vector<uint8_t>>& packed,
                                                      const std::string& output, Packaging mode) {
    std::map<std::string, std::vector<uint8_t>> files;
    for (size_t i = 0; i < layout.files.size(); ++i) {
        for (const Piece& piece : layout.files[i].pieces) {
            std::string path = (fs::path(DiskDirectory(output, mode, piece.disk)) / piece.name).string();
            std::vector<uint8_t>& bytes = files[path];
            bytes.insert(bytes.end(), packed[i].begin() + piece.from,
                         packed[i].begin() + piece.from + piece.length);
        }
    }
    return files;
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
                 const gvmain::EventClassRegistry& classes, MediaLayout& layout,
                 gvmain::ScriptBytes& script) {
    const PackagingSpec& packaging = manifest.packaging;
    LayoutLimits limits{packaging.diskBytes, auxBytes, packaging.clusterBytes};
    for (;;) {
        layout = LayOut(sizes, limits);
        if (!layout.error.empty())
            return layout.error;
        ApplyLayout(layout, manifest);
        script = gvmain::WriteScript(manifest.script, manifest.format, classes);
        if (!script.error.empty())
            return script.error;
        uint64_t needed = Rounded(script.bytes.size(), packaging.clusterBytes) + auxBytes;
        if (packaging.diskBytes == 0 || needed <= limits.reservedBytes)
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

MediaResult BuildMedia(Manifest& manifest, const std::string& output,
                       const gvmain::EventClassRegistry& classes) {
    MediaResult result;
    std::vector<std::vector<uint8_t>> packed;
    std::vector<std::vector<uint8_t>> aux;
    std::vector<uint32_t> sizes;
    uint64_t auxBytes = 0;
    MediaLayout layout;
    gvmain::ScriptBytes script;
    result.error = PackAll(manifest, packed, sizes);
    if (result.error.empty())
        result.error = ReadAux(manifest, aux, auxBytes);
    if (result.error.empty())
        result.error = Plan(manifest, sizes, auxBytes, classes, layout, script);
    if (!result.error.empty())
        return result;
    std::string first = DiskDirectory(output, manifest.packaging.mode, 0);
    std::map<std::string, std::vector<uint8_t>> files =
        DataFiles(layout, packed, output, manifest.packaging.mode);
    std::vector<std::pair<std::string, const std::vector<uint8_t>*>> outputs;
    for (const auto& [path, bytes] : files)
        outputs.emplace_back(path, &bytes);
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
