#include "gvmain/format/operation_log.h"

#include "gvmain/format/log_reader.h"
#include "tests/gvmain/ops/scratch_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace gvmain {
namespace {

using Bytes = std::vector<uint8_t>;

LogHeader SampleHeader() {
    LogHeader header;
    header.uninstallView = 1;
    header.languageNumber = 9;
    header.buildIdA = 0x11223344;
    header.buildIdB = 0xAABBCCDD;
    header.undoPaceMs = 100;
    header.productName = "Vorlen";
    return header;
}

const Bytes sampleHeaderBytes = {1,    0,    0,   0, 9, 0, 0, 0,   0x44, 0x33, 0x22, 0x11, 0xDD, 0xCC,
                                 0xBB, 0xAA, 100, 0, 0, 0, 6, 'V', 'o',  'r',  'l',  'e',  'n'};

// The bytes after the header.
Bytes RecordBytes(const ScratchFile& file) {
    Bytes bytes = file.Bytes();
    EXPECT_GE(bytes.size(), sampleHeaderBytes.size());
    EXPECT_TRUE(std::equal(sampleHeaderBytes.begin(), sampleHeaderBytes.end(), bytes.begin()));
    return Bytes(bytes.begin() + sampleHeaderBytes.size(), bytes.end());
}

TEST(OperationLogLayout, OpenWritesTheHeaderAtOnce) {
    ScratchFile file;
    OperationLog log;
    ASSERT_TRUE(log.Open(file.Path(), SampleHeader()));
    EXPECT_EQ(file.Bytes(), sampleHeaderBytes);
}

TEST(OperationLogLayout, RecordsAreKindModeAndFields) {
    ScratchFile file;
    OperationLog log;
    ASSERT_TRUE(log.Open(file.Path(), SampleHeader()));
    log.SetMode(1);
    EXPECT_TRUE(log.FileMoved("ab", "c"));
    log.SetMode(0);
    EXPECT_TRUE(log.AttributesChanged("f", 0x21, 0x80000001));
    log.SetMode(2);
    EXPECT_TRUE(log.RegValueChanged({"K", 2}, "v", 3, {9, 8}));
    EXPECT_TRUE(log.IniEntryDeleted("w", "s", "e", "old", -2));
    EXPECT_TRUE(log.UserData(-7, {5}));
    log.Close();
    EXPECT_EQ(
        RecordBytes(file),
        (Bytes{
            2,   0,   0,   0,    1,    0,    0,    0, 2,    'a',  'b',  1,    'c',               // kind 2
            6,   0,   0,   0,    0,    0,    0,    0, 1,    'f',  0x21, 0,    0,   0,            // kind 6
            1,   0,   0,   0x80,                                                                 //
            19,  0,   0,   0,    2,    0,    0,    0, 1,    'K',  2,    0,    0,   0,   1, 'v',  // kind 19
            3,   0,   0,   0,    2,    0,    0,    0, 9,    8,                                   //
            8,   0,   0,   0,    2,    0,    0,    0, 1,    'w',  1,    's',  1,   'e', 3,       // kind 8
            'o', 'l', 'd', 0xFE, 0xFF, 0xFF, 0xFF,                                               //
            22,  0,   0,   0,    2,    0,    0,    0, 0xF9, 0xFF, 0xFF, 0xFF,                    // kind 22
            1,   0,   0,   0,    5,                                                              //
        }));
}

TEST(OperationLogLayout, StringsOf255BytesAndMoreTakeAWordLength) {
    ScratchFile file;
    OperationLog log;
    ASSERT_TRUE(log.Open(file.Path(), SampleHeader()));
    EXPECT_TRUE(log.FontAdded(std::string(254, 'a')));
    EXPECT_TRUE(log.FontAdded(std::string(255, 'b')));
    log.Close();
    Bytes short254 = {21, 0, 0, 0, 0, 0, 0, 0, 254};
    short254.insert(short254.end(), 254, 'a');
    Bytes long255 = {21, 0, 0, 0, 0, 0, 0, 0, 255, 255, 0};
    long255.insert(long255.end(), 255, 'b');
    Bytes expected = short254;
    expected.insert(expected.end(), long255.begin(), long255.end());
    EXPECT_EQ(RecordBytes(file), expected);
}

TEST(OperationLogWriter, RefusesWhatNoReaderWouldTakeBackAndWritesNothingOfIt) {
    ScratchFile file;
    OperationLog log;
    EXPECT_FALSE(log.DirCreated("C:\\closed"));
    ASSERT_TRUE(log.Open(file.Path(), SampleHeader()));
    EXPECT_FALSE(log.ItemDeleted("G", Bytes(programItemDescriptionSize - 1)));
    EXPECT_FALSE(log.ItemDeleted("G", Bytes(programItemDescriptionSize + 1)));
    EXPECT_FALSE(log.FileCreated(std::string(65536, 'x')));
    log.SetMode(3);
    EXPECT_FALSE(log.DirCreated("C:\\mode3"));
    log.SetMode(-1);
    EXPECT_FALSE(log.DirCreated("C:\\mode-1"));
    log.SetMode(0);
    EXPECT_TRUE(log.ItemDeleted("G", Bytes(programItemDescriptionSize)));
    log.Close();
    EXPECT_FALSE(log.DirCreated("C:\\closed again"));
    EXPECT_EQ(file.Bytes().size(), sampleHeaderBytes.size() + 4 + 4 + 2 + programItemDescriptionSize);
}

TEST(OperationLogWriter, OpenTruncatesAnOldLogAndFailsForAnImpossiblePath) {
    ScratchFile file;
    OperationLog log;
    ASSERT_TRUE(log.Open(file.Path(), SampleHeader()));
    log.DirCreated("C:\\old");
    ASSERT_TRUE(log.Open(file.Path(), SampleHeader()));
    EXPECT_TRUE(log.IsOpen());
    log.Close();
    EXPECT_FALSE(log.IsOpen());
    EXPECT_EQ(file.Bytes(), sampleHeaderBytes);

    EXPECT_FALSE(log.Open(file.Path() + ".missing/sub/gvlog3.nnn", SampleHeader()));
    EXPECT_FALSE(log.IsOpen());
}

template <class Record>
const Record& As(const std::unique_ptr<LogRecord>& record) {
    const Record* typed = dynamic_cast<const Record*>(record.get());
    EXPECT_NE(typed, nullptr);
    static const Record empty;
    return typed ? *typed : empty;
}

void WriteEveryKind(OperationLog& log, const Bytes& description) {
    log.DirCreated("d0");
    log.DirRemoved("d1");
    log.FileMoved("from2", "to2");
    log.FileDeleted("f3");
    log.FileCreated("f4");
    log.FileLengthened("f5", 0xFFFFFFF5);
    log.AttributesChanged("f6", 0x26, 0x36);
    log.IniEntryAdded("i7", "s7", "e7", 7);
    log.IniEntryDeleted("i8", "s8", "e8", "v8", 8);
    log.IniEntryChanged("i9", "s9", "e9", "v9", -9);
    log.IniSectionAdded("i10", "s10");
    log.IniSectionDeleted("i11", "s11");
    log.GroupCreated("g12");
    log.ItemCreated("g13", "it13");
    log.GroupDeleted("g14");
    log.ItemDeleted("g15", description);
    log.RegKeyCreated({"k16", 0});
    log.RegKeyDeleted({"k17", 1});
    log.RegValueCreated({"k18", 2}, "n18");
    log.RegValueChanged({"k19", 3}, "n19", 19, {1, 9});
    log.RegValueDeleted({"k20", 4}, "n20", 20, {});
    log.FontAdded("f21");
    log.UserData(22, {2, 2, 0});
}

TEST(OperationLogRoundTrip, EveryKindReadsBackWithAllItsFields) {
    ScratchFile file;
    Bytes description(programItemDescriptionSize);
    for (size_t i = 0; i < description.size(); ++i)
        description[i] = static_cast<uint8_t>(i * 7);
    {
        OperationLog log;
        ASSERT_TRUE(log.Open(file.Path(), SampleHeader()));
        log.SetMode(1);
        WriteEveryKind(log, description);
    }
    LogContents contents = ReadOperationLog(file.Path());
    ASSERT_EQ(contents.error, "");
    EXPECT_EQ(contents.header.languageNumber, 9);
    EXPECT_EQ(contents.header.productName, "Vorlen");
    const auto& r = contents.records;
    ASSERT_EQ(r.size(), 23u);
    for (size_t kind = 0; kind < r.size(); ++kind) {
        EXPECT_EQ(r[kind]->Kind(), static_cast<int32_t>(kind));
        EXPECT_EQ(r[kind]->mode, 1);
    }
    EXPECT_EQ(As<DirCreatedRecord>(r[0]).path, "d0");
    EXPECT_EQ(As<DirRemovedRecord>(r[1]).path, "d1");
    EXPECT_EQ(As<FileMovedRecord>(r[2]).from, "from2");
    EXPECT_EQ(As<FileMovedRecord>(r[2]).to, "to2");
    EXPECT_EQ(As<FileDeletedRecord>(r[3]).path, "f3");
    EXPECT_EQ(As<FileCreatedRecord>(r[4]).path, "f4");
    EXPECT_EQ(As<FileLengthenedRecord>(r[5]).path, "f5");
    EXPECT_EQ(As<FileLengthenedRecord>(r[5]).formerLength, 0xFFFFFFF5);
    const auto& attributes = As<AttributesChangedRecord>(r[6]);
    EXPECT_EQ(attributes.path, "f6");
    EXPECT_EQ(attributes.oldAttributes, 0x26u);
    EXPECT_EQ(attributes.newAttributes, 0x36u);
    const auto& added = As<IniEntryAddedRecord>(r[7]);
    EXPECT_EQ(added.file + added.section + added.entry, "i7s7e7");
    EXPECT_EQ(added.occurrence, 7);
    const auto& deleted = As<IniEntryDeletedRecord>(r[8]);
    EXPECT_EQ(deleted.file + deleted.section + deleted.entry + deleted.oldValue, "i8s8e8v8");
    EXPECT_EQ(deleted.occurrence, 8);
    const auto& changed = As<IniEntryChangedRecord>(r[9]);
    EXPECT_EQ(changed.file + changed.section + changed.entry + changed.oldValue, "i9s9e9v9");
    EXPECT_EQ(changed.occurrence, -9);
    EXPECT_EQ(As<IniSectionAddedRecord>(r[10]).file + As<IniSectionAddedRecord>(r[10]).section, "i10s10");
    EXPECT_EQ(As<IniSectionDeletedRecord>(r[11]).file + As<IniSectionDeletedRecord>(r[11]).section, "i11s11");
    EXPECT_EQ(As<GroupCreatedRecord>(r[12]).group, "g12");
    EXPECT_EQ(As<ItemCreatedRecord>(r[13]).group + As<ItemCreatedRecord>(r[13]).item, "g13it13");
    EXPECT_EQ(As<GroupDeletedRecord>(r[14]).group, "g14");
    EXPECT_EQ(As<ItemDeletedRecord>(r[15]).group, "g15");
    EXPECT_EQ(As<ItemDeletedRecord>(r[15]).description, description);
    EXPECT_EQ(As<RegKeyCreatedRecord>(r[16]).key.path, "k16");
    EXPECT_EQ(As<RegKeyCreatedRecord>(r[16]).key.root, 0);
    EXPECT_EQ(As<RegKeyDeletedRecord>(r[17]).key.path, "k17");
    EXPECT_EQ(As<RegKeyDeletedRecord>(r[17]).key.root, 1);
    const auto& valueCreated = As<RegValueCreatedRecord>(r[18]);
    EXPECT_EQ(valueCreated.key.path + valueCreated.valueName, "k18n18");
    EXPECT_EQ(valueCreated.key.root, 2);
    const auto& valueChanged = As<RegValueChangedRecord>(r[19]);
    EXPECT_EQ(valueChanged.key.path + valueChanged.valueName, "k19n19");
    EXPECT_EQ(valueChanged.key.root, 3);
    EXPECT_EQ(valueChanged.type, 19u);
    EXPECT_EQ(valueChanged.data, (Bytes{1, 9}));
    const auto& valueDeleted = As<RegValueDeletedRecord>(r[20]);
    EXPECT_EQ(valueDeleted.key.path + valueDeleted.valueName, "k20n20");
    EXPECT_EQ(valueDeleted.key.root, 4);
    EXPECT_EQ(valueDeleted.type, 20u);
    EXPECT_TRUE(valueDeleted.data.empty());
    EXPECT_EQ(As<FontAddedRecord>(r[21]).path, "f21");
    EXPECT_EQ(As<UserDataRecord>(r[22]).tag, 22);
    EXPECT_EQ(As<UserDataRecord>(r[22]).data, (Bytes{2, 2, 0}));
}

}  // namespace
}  // namespace gvmain
