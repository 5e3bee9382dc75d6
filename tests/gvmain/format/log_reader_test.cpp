#include "gvmain/format/log_reader.h"

#include "tests/gvmain/ops/scratch_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

namespace gvmain {
namespace {

using Bytes = std::vector<uint8_t>;

const char badData[] = "Log file contains bad data";

// Log bytes put together by hand, independent of the writer.
class LogBytes {
public:
    LogBytes() { Int(2).Int(7).Int(1).Int(2).Int(100).Text("Vorlen"); }

    LogBytes& Int(uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<uint8_t>(value >> shift));
        return *this;
    }
    LogBytes& Text(const std::string& text) {
        bytes.push_back(static_cast<uint8_t>(text.size()));
        bytes.insert(bytes.end(), text.begin(), text.end());
        return *this;
    }
    LogBytes& Raw(std::initializer_list<uint8_t> raw) {
        bytes.insert(bytes.end(), raw);
        return *this;
    }
    // Where a record may end: after the header and after every Mark.
    LogBytes& Mark() {
        boundaries.push_back(bytes.size());
        return *this;
    }

    Bytes bytes;
    std::vector<size_t> boundaries;
};

// Several kinds, each with strings, dwords and blocks, and a mode-2 record.
LogBytes SampleLog() {
    LogBytes log;
    log.Mark();
    log.Int(LogFileMoved).Int(0).Text("a").Text("bc").Mark();
    log.Int(LogFileDeleted).Int(1).Text("gone").Mark();
    log.Int(LogRegValueChanged).Int(2).Text("Key").Int(1).Text("Name").Int(3).Int(2).Raw({7, 8}).Mark();
    log.Int(LogIniEntryChanged).Int(1).Text("f").Text("s").Text("e").Text("old").Int(1).Mark();
    log.Int(LogUserData).Int(0).Int(5).Int(3).Raw({1, 2, 3}).Mark();
    return log;
}

TEST(LogReaderHeader, HeaderFieldsAndAnEmptyLog) {
    LogContents contents = ParseOperationLog(LogBytes().bytes);
    EXPECT_EQ(contents.error, "");
    EXPECT_TRUE(contents.records.empty());
    EXPECT_EQ(contents.header.uninstallView, 2);
    EXPECT_EQ(contents.header.languageNumber, 7);
    EXPECT_EQ(contents.header.buildIdA, 1u);
    EXPECT_EQ(contents.header.buildIdB, 2u);
    EXPECT_EQ(contents.header.undoPaceMs, 100u);
    EXPECT_EQ(contents.header.productName, "Vorlen");
}

TEST(LogReaderRecords, KeepsFileOrderDropsModeTwoAndSetsTheUndoStates) {
    LogContents contents = ParseOperationLog(SampleLog().bytes);
    ASSERT_EQ(contents.error, "");
    ASSERT_EQ(contents.records.size(), 4u);
    const auto& r = contents.records;
    EXPECT_EQ(r[0]->Kind(), LogFileMoved);
    EXPECT_EQ(r[0]->state, UndoState::Undo);
    EXPECT_EQ(r[1]->Kind(), LogFileDeleted);
    EXPECT_EQ(r[1]->state, UndoState::CannotUndo);
    EXPECT_EQ(r[2]->Kind(), LogIniEntryChanged);
    EXPECT_EQ(r[2]->state, UndoState::Keep);
    EXPECT_EQ(r[3]->Kind(), LogUserData);
    EXPECT_EQ(r[3]->state, UndoState::Undo);
    EXPECT_EQ(dynamic_cast<const FileMovedRecord&>(*r[0]).to, "bc");
}

TEST(LogReaderRecords, DeletedFilesCannotBeUndoneInAnyMode) {
    LogBytes log;
    log.Int(LogFileDeleted).Int(0).Text("x").Int(LogFileDeleted).Int(1).Text("y");
    LogContents contents = ParseOperationLog(log.bytes);
    ASSERT_EQ(contents.records.size(), 2u);
    for (const auto& record : contents.records) {
        EXPECT_EQ(record->state, UndoState::CannotUndo);
        EXPECT_FALSE(SwitchUndoState(*record, UndoState::Undo));
    }
}

TEST(LogReaderBadData, KindsAndModesOutOfRange) {
    const std::pair<uint32_t, uint32_t> kindAndMode[] = {
        {0xFFFFFFFF, 0}, {23, 0}, {0x80000000, 0}, {LogDirCreated, 3}, {LogDirCreated, 0xFFFFFFFF}};
    for (auto [kind, mode] : kindAndMode) {
        LogBytes log;
        log.Int(LogDirCreated).Int(0).Text("fine").Int(kind).Int(mode).Text("d");
        LogContents contents = ParseOperationLog(log.bytes);
        EXPECT_EQ(contents.error, badData) << kind << " " << mode;
        EXPECT_TRUE(contents.records.empty());
    }
}

TEST(LogReaderBadData, EveryCutInsideTheHeaderOrARecord) {
    LogBytes log = SampleLog();
    size_t records = 0;
    for (size_t size = 0; size <= log.bytes.size(); ++size) {
        Bytes cut(log.bytes.begin(), log.bytes.begin() + size);
        LogContents contents = ParseOperationLog(cut);
        bool boundary = std::find(log.boundaries.begin(), log.boundaries.end(), size) != log.boundaries.end();
        if (boundary) {
            EXPECT_EQ(contents.error, "") << size;
            EXPECT_EQ(contents.records.size(), records - (records > 2 ? 1 : 0)) << size;
            ++records;
        } else {
            EXPECT_EQ(contents.error, badData) << size;
        }
    }
    EXPECT_EQ(records, log.boundaries.size());
}

TEST(LogReaderBadData, LengthsBeyondTheEndAreRefusedWithoutAllocating) {
    LogBytes hugeValue;
    hugeValue.Int(LogRegValueDeleted).Int(0).Text("K").Int(0).Text("v").Int(1).Int(0xFFFFFFF0).Raw({1, 2});
    LogBytes negativeUserData;
    negativeUserData.Int(LogUserData).Int(0).Int(1).Int(0xFFFFFFFF).Raw({1});
    LogBytes longUserData;
    longUserData.Int(LogUserData).Int(0).Int(1).Int(0x7FFFFFFF).Raw({1});
    LogBytes longString;
    longString.Int(LogFontAdded).Int(0).Raw({255, 0xFF, 0xFF, 'a'});
    LogBytes shortDescription;
    shortDescription.Int(LogItemDeleted).Int(0).Text("G").Raw({1, 2, 3});
    for (const LogBytes* log : {&hugeValue, &negativeUserData, &longUserData, &longString, &shortDescription})
        EXPECT_EQ(ParseOperationLog(log->bytes).error, badData);
}

TEST(LogReaderFiles, MissingFileAndAFileOnDisk) {
    ScratchFile file;
    LogContents missing = ReadOperationLog(file.Path());
    EXPECT_EQ(missing.error, "Unable to open " + file.Path());

    file.Write(SampleLog().bytes);
    LogContents read = ReadOperationLog(file.Path());
    EXPECT_EQ(read.error, "");
    EXPECT_EQ(read.records.size(), 4u);

    Bytes truncated = SampleLog().bytes;
    truncated.pop_back();
    file.Write(truncated);
    EXPECT_EQ(ReadOperationLog(file.Path()).error, badData);
}

}  // namespace
}  // namespace gvmain
