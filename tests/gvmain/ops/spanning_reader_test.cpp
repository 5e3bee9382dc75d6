// Packaged files that span disks: a container cut into parts on the disk
// directories, read back through InstallFile.
#include "gvmain/ops/spanning_reader.h"
#include "gvmain/ops/install_file.h"

#include "tests/gvmain/ops/ops_test_support.h"
#include "tests/gvmain/ops/packed_files.h"

#include <gtest/gtest.h>

namespace gvmain {
namespace {

using test::Exists;
using test::ReadBytes;
using test::RecordingHost;
using test::ScratchDir;
using test::WriteBytes;

constexpr size_t floppyBytes = 1457664;

class SpanningDisks : public ::testing::Test {
protected:
    // Writes a container holding a small file, then `plain` (packed or not),
    // cut into parts of at most a floppy's size across disk001, disk002, ...
    // starting at disk `firstDisk` + 1. Returns the job for `plain`.
    InstallJob SpreadOverDisks(const std::string& plain, bool compressed, int firstDisk = 0,
                               PartNumbering numbering = PartNumbering::FromOne) {
        std::string container =
            test::Packed("a small file before it", compressed) + test::Packed(plain, compressed);
        InstallJob job;
        job.source.firstDisk = firstDisk;
        job.source.container = "data.pak";
        job.source.offset = static_cast<uint32_t>(test::Packed("a small file before it", compressed).size());
        job.source.packedLength = static_cast<uint32_t>(container.size() - job.source.offset);
        job.source.partNumbering = numbering;
        job.compressed = compressed;
        job.destination = dir / "out\\big.bin";
        host.disks.clear();
        for (int disk = 0; disk < firstDisk; ++disk) {
            host.disks.push_back(dir / "unused");
        }
        for (int part = 0; part * floppyBytes < container.size(); ++part) {
            char name[16];
            snprintf(name, sizeof name, "disk%03d", firstDisk + part + 1);
            host.disks.push_back(dir / name);
            ::CreateDirectoryA(host.disks.back().c_str(), nullptr);
            WriteBytes(host.disks.back() + "\\" + PartName(job.source, part),
                       container.substr(part * floppyBytes, floppyBytes));
        }
        return job;
    }

    ScratchDir dir;
    RecordingHost host;
};

TEST_F(SpanningDisks, AThreeMegabyteFileReadsOnFromTheNextDisk) {
    // Random bytes, so that even packed the file needs three floppies.
    std::string plain(3 * 1024 * 1024, '\0');
    uint32_t state = 2463534242u;
    for (char& byte : plain) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        byte = static_cast<char>(state >> 24);
    }
    for (bool compressed : {false, true}) {
        SCOPED_TRACE(compressed ? "compressed" : "plain");
        host.diskChanges.clear();
        host.pumps = 0;
        InstallJob job = SpreadOverDisks(plain, compressed);
        ASSERT_GE(host.disks.size(), 2u);
        EXPECT_TRUE(Exists(dir / "disk002\\data.001"));
        job.bufferKb = 31;
        InstallFile(job, host, nullptr);
        EXPECT_EQ(job.state, InstallInstalled);
        EXPECT_TRUE(ReadBytes(dir / "out\\big.bin") == plain);
        ASSERT_GE(host.diskChanges.size(), 2u);
        EXPECT_EQ(host.diskChanges[0], std::make_pair(0, false));
        EXPECT_EQ(host.diskChanges[1], std::make_pair(1, false));
        EXPECT_TRUE(host.errors.empty());
        // The byte feed of the decompressor keeps the window alive.
        EXPECT_GE(host.pumps, compressed ? 40 : 0);
        ::DeleteFileA((dir / "out\\big.bin").c_str());
    }
}

TEST_F(SpanningDisks, PartsNumberedFromTheFirstDisk) {
    std::string plain = test::SampleBytes(2 * floppyBytes, 9);
    InstallJob job = SpreadOverDisks(plain, false, 2, PartNumbering::FromFirstDisk);
    EXPECT_TRUE(Exists(dir / "disk004\\data.003"));
    EXPECT_TRUE(Exists(dir / "disk005\\data.004"));
    InstallFile(job, host, nullptr);
    EXPECT_EQ(job.state, InstallInstalled);
    EXPECT_TRUE(ReadBytes(dir / "out\\big.bin") == plain);
}

TEST_F(SpanningDisks, AMissingPartIsAskedForUntilItComesOrTheUserGivesUp) {
    std::string plain = test::SampleBytes(floppyBytes + 5000, 4);
    InstallJob job = SpreadOverDisks(plain, false);
    std::string part = dir / "disk002\\data.001";
    std::string partBytes = ReadBytes(part);
    ::DeleteFileA(part.c_str());

    int asked = 0;
    host.onForcedChange = [&](int disk) { return disk == 1 && ++asked < 3; };
    InstallFile(job, host, nullptr);
    EXPECT_EQ(job.state, InstallFailed);
    EXPECT_EQ(asked, 3);
    EXPECT_FALSE(Exists(dir / "out\\big.bin"));

    asked = 0;
    host.onForcedChange = [&](int) {
        WriteBytes(part, partBytes);
        return ++asked == 1;
    };
    ::DeleteFileA(part.c_str());
    InstallFile(job, host, nullptr);
    EXPECT_EQ(job.state, InstallInstalled);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(ReadBytes(dir / "out\\big.bin") == plain);
}

TEST_F(SpanningDisks, ReadingStopsExactlyAtThePackedLength) {
    ::CreateDirectoryA((dir / "disk001").c_str(), nullptr);
    host.disks = {dir / "disk001"};
    WriteBytes(dir / "disk001\\data.pak", "headFILEtail");
    PackedSource source;
    source.container = "data.pak";
    source.offset = 4;
    source.packedLength = 4;
    SpanningReader reader(source, host);
    ASSERT_TRUE(reader.Open());
    char bytes[16] = "";
    EXPECT_EQ(reader.Read(bytes, sizeof bytes), 4);
    EXPECT_EQ(std::string(bytes, 4), "FILE");
    EXPECT_EQ(reader.Read(bytes, sizeof bytes), 0);
    EXPECT_EQ(reader.ReadByte(), -1);
    EXPECT_FALSE(reader.Failed());

    source.packedLength = 100;
    SpanningReader beyond(source, host);
    ASSERT_TRUE(beyond.Open());
    EXPECT_EQ(beyond.Read(bytes, sizeof bytes), -1);
    EXPECT_TRUE(beyond.Failed());
}

// Both disks go into one drive, as floppies do: the container of the
// first must be let go before the second is asked for.
TEST_F(SpanningDisks, FilesOfASetShareTheOpenContainerOfTheirDisk) {
    std::string drive = dir / "a";
    ::CreateDirectoryA(drive.c_str(), nullptr);
    host.disks = {drive, drive};
    std::string container = drive + "\\data.pak";
    WriteBytes(container, "headFIRSTmidSECOND");
    bool swapped = false;
    host.onChange = [&](int disk) {
        if (disk == 1 && !swapped) {
            swapped = ::DeleteFileA(container.c_str()) != FALSE;
            WriteBytes(container, "THIRD");
        }
    };
    OpenContainers kept;
    auto read = [&](int disk, uint32_t offset, uint32_t length) {
        PackedSource source;
        source.firstDisk = disk;
        source.container = "data.pak";
        source.offset = offset;
        source.packedLength = length;
        source.keep = &kept;
        SpanningReader reader(source, host);
        char bytes[32] = "";
        int got = reader.Open() ? reader.Read(bytes, sizeof bytes) : -1;
        return got < 0 ? std::string("(failed)") : std::string(bytes, got);
    };
    EXPECT_EQ(read(0, 4, 5), "FIRST");
    EXPECT_EQ(read(0, 12, 6), "SECOND");
    EXPECT_EQ(read(0, 0, 4), "head");
    // Still open after the reads: its sharing refuses a deletion.
    EXPECT_FALSE(::DeleteFileA(container.c_str()));
    EXPECT_EQ(read(1, 0, 5), "THIRD");
    EXPECT_TRUE(swapped);
    kept.Drop();
    EXPECT_TRUE(::DeleteFileA(container.c_str()));
}

}  // namespace
}  // namespace gvmain
