#include "gvbuild_fixture.h"

#include "tools/gvbuild/atomic_file.h"
#include "tools/gvbuild/media_layout.h"
#include "tools/gvbuild/media_writer.h"
#include "tools/lzpunz2/lzp_codec.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace {

using namespace gvmain;
namespace fs = std::filesystem;

// The packed bytes as the engine reads them: from the offset in the
// container on the file's first disk to the container's end, then on in
// the parts "001", "002", ... on the following disks.
std::vector<uint8_t> ReadPacked(const std::string& output, gvbuild::Packaging mode, const InstallFile& file) {
    std::vector<uint8_t> packed;
    std::string name = file.container;
    uint32_t offset = file.offset;
    for (int part = 1; packed.size() < file.packedLength; ++part) {
        std::string path =
            (fs::path(gvbuild::DiskDirectory(output, mode, file.disk + part - 1)) / name).string();
        std::FILE* in = std::fopen(path.c_str(), "rb");
        if (in == nullptr)
            return {};
        std::vector<uint8_t> bytes(file.packedLength - packed.size());
        std::fseek(in, offset, SEEK_SET);
        bytes.resize(std::fread(bytes.data(), 1, bytes.size(), in));
        std::fclose(in);
        if (bytes.empty())
            return {};
        packed.insert(packed.end(), bytes.begin(), bytes.end());
        char extension[16];
        std::snprintf(extension, sizeof extension, "%03d", part);
        name = fs::path(file.container).replace_extension(extension).string();
        offset = 0;
    }
    return packed;
}

class MediaTest : public GvbuildTest {
protected:
    // Builds the manifest of the given packaging over the sources, and
    // checks that every file unpacks to its source.
    InstallScript BuildAndUnpack(const std::string& packaging,
                                 const std::vector<std::vector<uint8_t>>& sources, gvbuild::Packaging mode,
                                 bool compressed = true) {
        std::string text = "[product]\nname = \"P\"\n[packaging]\n" + packaging + "\n";
        for (size_t i = 0; i < sources.size(); ++i) {
            std::string name = "src/f" + std::to_string(i);
            WriteFile(name, sources[i]);
            text += "[[file]]\nsource = \"" + name +
                    "\"\ndestination = \"$i\\\\f\"\ncompressed = " + (compressed ? "true" : "false") + "\n";
        }
        gvbuild::ManifestLoad load = Read(text);
        EXPECT_EQ(load.error, "");
        gvbuild::MediaResult media = gvbuild::BuildMedia(load.manifest, Path("out"), classes_);
        EXPECT_EQ(media.error, "");
        ScriptLoad back = LoadScriptFile(
            (fs::path(gvbuild::DiskDirectory(Path("out"), mode, 0)) / "install.inf").string(), classes_);
        EXPECT_EQ(back.error, "");
        EXPECT_EQ(back.script.texts.diskLabels.size(), static_cast<size_t>(media.diskCount));
        for (size_t i = 0; i < back.script.installFiles.size(); ++i) {
            std::vector<uint8_t> packed = ReadPacked(Path("out"), mode, back.script.installFiles[i]);
            std::vector<uint8_t> plain = packed;
            if (compressed) {
                EXPECT_EQ(lzp::Unpack(packed, plain), lzp::Error::None) << "file " << i;
            }
            EXPECT_TRUE(plain == sources[i]) << "file " << i;
        }
        return back.script;
    }

    // Every disk directory's files, rounded to the cluster, fit the disk.
    void ExpectDisksFit(gvbuild::Packaging mode, int32_t disks, uint64_t diskBytes, uint64_t cluster) {
        for (int32_t disk = 0; disk < disks; ++disk) {
            uint64_t used = 0;
            for (const auto& entry : fs::directory_iterator(gvbuild::DiskDirectory(Path("out"), mode, disk)))
                used += gvbuild::Rounded(entry.file_size(), cluster);
            EXPECT_LE(used, diskBytes) << "disk " << disk;
        }
    }
};

TEST_F(MediaTest, OneDirectoryHoldsTheScriptAndOneContainer) {
    InstallScript script = BuildAndUnpack("mode = \"one-directory\"",
                                          {NoiseBytes(300000, 1), {}, std::vector<uint8_t>(5000, 'x')},
                                          gvbuild::Packaging::OneDirectory);
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(Path("out")))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"data001.pak", "install.inf"}));
    for (const InstallFile& file : script.installFiles)
        EXPECT_EQ(file.disk, 0);
}

TEST_F(MediaTest, DiskDirectoriesSpanAFileOverSeveralDisks) {
    const uint64_t diskBytes = 65536, cluster = 2048;
    InstallScript script = BuildAndUnpack("mode = \"disks\"\ndisk_size = 65536\ncluster_size = 2048",
                                          {NoiseBytes(20000, 2), NoiseBytes(150000, 3), NoiseBytes(9000, 4)},
                                          gvbuild::Packaging::Disks, false);
    int32_t disks = static_cast<int32_t>(script.texts.diskLabels.size());
    EXPECT_GE(disks, 3);
    EXPECT_EQ(script.texts.diskLabels.back(), "P disk " + std::to_string(disks));
    EXPECT_EQ(script.installFiles[2].disk, disks - 1);
    EXPECT_TRUE(fs::exists(Path("out/disk002/data001.001")));
    EXPECT_FALSE(fs::exists(Path("out/disk002/install.inf")));
    ExpectDisksFit(gvbuild::Packaging::Disks, disks, diskBytes, cluster);
}

TEST_F(MediaTest, FloppiesOfTheDefaultSizeTakeAPackedFileOfThreeMegabytes) {
    InstallScript script = BuildAndUnpack("mode = \"floppies\"\nlevel = 1", {NoiseBytes(3000000, 5)},
                                          gvbuild::Packaging::Floppies);
    EXPECT_EQ(script.texts.diskLabels.size(), 3u);
    EXPECT_TRUE(fs::exists(Path("out/floppy002/data001.001")));
    EXPECT_TRUE(fs::exists(Path("out/floppy003/data001.002")));
    ExpectDisksFit(gvbuild::Packaging::Floppies, 3, gvbuild::floppyBytes, 512);
}

TEST(MediaLayout, AFullDiskSendsTheNextFileToTheNextDisksContainer) {
    // 64512 bytes per disk: 65536 less two clusters kept for rounding.
    gvbuild::MediaLayout layout = gvbuild::LayOut({64512, 10, 200000}, {65536, 0, 512});
    ASSERT_EQ(layout.error, "");
    ASSERT_EQ(layout.files.size(), 3u);
    EXPECT_EQ(layout.files[0].pieces.size(), 1u);
    EXPECT_EQ(layout.files[1].disk, 1);
    EXPECT_EQ(layout.files[1].container, "data002.pak");
    EXPECT_EQ(layout.files[1].offset, 0u);
    EXPECT_EQ(layout.files[2].offset, 10u);
    std::vector<std::string> parts;
    for (const gvbuild::Piece& piece : layout.files[2].pieces)
        parts.push_back(std::to_string(piece.disk) + ":" + piece.name + ":" + std::to_string(piece.length));
    EXPECT_EQ(parts, (std::vector<std::string>{"1:data002.pak:64502", "2:data002.001:64512",
                                               "3:data002.002:64512", "4:data002.003:6474"}));
    EXPECT_EQ(layout.diskCount, 5);
}

TEST(MediaLayout, RefusesWhatCannotFit) {
    EXPECT_NE(gvbuild::LayOut({1}, {65536, 70000, 512}).error, "");
    EXPECT_NE(gvbuild::LayOut({0xFFFFFFFF, 2}, {0, 0, 512}).error, "");
}

TEST_F(GvbuildTest, AFailedWriteLeavesTheTargetAsItWas) {
    WriteText("target", "old");
    fs::create_directories(Path("target.tmp") + std::to_string(::getpid()));
    EXPECT_NE(gvbuild::WriteFileAtomically(Path("target"), {'n', 'e', 'w'}), "");
    EXPECT_EQ(ReadFile(Path("target")), (std::vector<uint8_t>{'o', 'l', 'd'}));
}

}  // namespace
