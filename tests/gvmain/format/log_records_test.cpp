#include "gvmain/format/log_records.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace gvmain {
namespace {

// Writes each call as text, so that a test sees the method and every argument.
class RecordingActions : public UndoActions {
public:
    explicit RecordingActions(bool answer) : answer_(answer) {}

    std::vector<std::string> calls;

    bool UndoDirCreated(const std::string& path) override { return Call("DirCreated " + path); }
    bool UndoDirRemoved(const std::string& path) override { return Call("DirRemoved " + path); }
    bool UndoFileMoved(const std::string& from, const std::string& to) override {
        return Call("FileMoved " + from + " " + to);
    }
    bool UndoFileCreated(const std::string& path) override { return Call("FileCreated " + path); }
    bool UndoFileLengthened(const std::string& path, uint32_t formerLength) override {
        return Call("FileLengthened " + path + " " + std::to_string(formerLength));
    }
    bool UndoAttributesChanged(const std::string& path, uint32_t oldAttributes) override {
        return Call("AttributesChanged " + path + " " + std::to_string(oldAttributes));
    }
    bool UndoIniEntryAdded(const std::string& file, const std::string& section, const std::string& entry,
                           int32_t occurrence) override {
        return Call("IniEntryAdded " + file + " " + section + " " + entry + " " + std::to_string(occurrence));
    }
    bool UndoIniEntryDeleted(const std::string& file, const std::string& section, const std::string& entry,
                             const std::string& oldValue, int32_t occurrence) override {
        return Call("IniEntryDeleted " + file + " " + section + " " + entry + " " + oldValue + " " +
                    std::to_string(occurrence));
    }
    bool UndoIniEntryChanged(const std::string& file, const std::string& section, const std::string& entry,
                             const std::string& oldValue, int32_t occurrence) override {
        return Call("IniEntryChanged " + file + " " + section + " " + entry + " " + oldValue + " " +
                    std::to_string(occurrence));
    }
    bool UndoIniSectionAdded(const std::string& file, const std::string& section) override {
        return Call("IniSectionAdded " + file + " " + section);
    }
    bool UndoIniSectionDeleted(const std::string& file, const std::string& section) override {
        return Call("IniSectionDeleted " + file + " " + section);
    }
    bool UndoGroupCreated(const std::string& group) override { return Call("GroupCreated " + group); }
    bool UndoItemCreated(const std::string& group, const std::string& item) override {
        return Call("ItemCreated " + group + " " + item);
    }
    bool UndoGroupDeleted(const std::string& group) override { return Call("GroupDeleted " + group); }
    bool UndoItemDeleted(const std::string& group, const std::vector<uint8_t>& description) override {
        return Call("ItemDeleted " + group + " " + std::to_string(description.size()) + " " +
                    std::to_string(description.at(7)));
    }
    bool UndoRegKeyCreated(const RegistryKey& key) override { return Call("RegKeyCreated " + Text(key)); }
    bool UndoRegKeyDeleted(const RegistryKey& key) override { return Call("RegKeyDeleted " + Text(key)); }
    bool UndoRegValueCreated(const RegistryKey& key, const std::string& valueName) override {
        return Call("RegValueCreated " + Text(key) + " " + valueName);
    }
    bool UndoRegValueChanged(const RegistryKey& key, const std::string& valueName, uint32_t type,
                             const std::vector<uint8_t>& oldData) override {
        return Call("RegValueChanged " + Text(key) + " " + valueName + " " + std::to_string(type) + " " +
                    std::string(oldData.begin(), oldData.end()));
    }
    bool UndoRegValueDeleted(const RegistryKey& key, const std::string& valueName, uint32_t type,
                             const std::vector<uint8_t>& oldData) override {
        return Call("RegValueDeleted " + Text(key) + " " + valueName + " " + std::to_string(type) + " " +
                    std::string(oldData.begin(), oldData.end()));
    }
    bool UndoFontAdded(const std::string& path) override { return Call("FontAdded " + path); }

private:
    static std::string Text(const RegistryKey& key) { return std::to_string(key.root) + ":" + key.path; }
    bool Call(const std::string& call) {
        calls.push_back(call);
        return answer_;
    }

    bool answer_;
};

template <class Record>
std::unique_ptr<LogRecord> Own(Record record) {
    return std::make_unique<Record>(std::move(record));
}

struct UndoCase {
    std::unique_ptr<LogRecord> record;
    std::string call;
};

std::vector<UndoCase> UndoCases() {
    std::vector<UndoCase> cases;
    auto add = [&cases](std::unique_ptr<LogRecord> record, const std::string& call) {
        cases.push_back({std::move(record), call});
    };
    DirCreatedRecord dirCreated;
    dirCreated.path = "C:\\App";
    add(Own(dirCreated), "DirCreated C:\\App");
    DirRemovedRecord dirRemoved;
    dirRemoved.path = "C:\\Old";
    add(Own(dirRemoved), "DirRemoved C:\\Old");
    FileMovedRecord moved;
    moved.from = "a.dll";
    moved.to = "b.dll";
    add(Own(moved), "FileMoved a.dll b.dll");
    FileCreatedRecord created;
    created.path = "new.exe";
    add(Own(created), "FileCreated new.exe");
    FileLengthenedRecord lengthened;
    lengthened.path = "log.txt";
    lengthened.formerLength = 4096;
    add(Own(lengthened), "FileLengthened log.txt 4096");
    AttributesChangedRecord attributes;
    attributes.path = "ro.txt";
    attributes.oldAttributes = 1;
    attributes.newAttributes = 32;
    add(Own(attributes), "AttributesChanged ro.txt 1");
    IniEntryAddedRecord added;
    added.file = "win.ini";
    added.section = "Fonts";
    added.entry = "Arial";
    added.occurrence = 2;
    add(Own(added), "IniEntryAdded win.ini Fonts Arial 2");
    IniEntryDeletedRecord deleted;
    deleted.file = "system.ini";
    deleted.section = "386Enh";
    deleted.entry = "device";
    deleted.oldValue = "vpd.386";
    deleted.occurrence = 1;
    add(Own(deleted), "IniEntryDeleted system.ini 386Enh device vpd.386 1");
    IniEntryChangedRecord changed;
    changed.file = "system.ini";
    changed.section = "boot";
    changed.entry = "shell";
    changed.oldValue = "progman.exe";
    add(Own(changed), "IniEntryChanged system.ini boot shell progman.exe 0");
    IniSectionAddedRecord sectionAdded;
    sectionAdded.file = "app.ini";
    sectionAdded.section = "Paths";
    add(Own(sectionAdded), "IniSectionAdded app.ini Paths");
    IniSectionDeletedRecord sectionDeleted;
    sectionDeleted.file = "app.ini";
    sectionDeleted.section = "Old";
    add(Own(sectionDeleted), "IniSectionDeleted app.ini Old");
    GroupCreatedRecord groupCreated;
    groupCreated.group = "Vorlen";
    add(Own(groupCreated), "GroupCreated Vorlen");
    ItemCreatedRecord itemCreated;
    itemCreated.group = "Vorlen";
    itemCreated.item = "Readme";
    add(Own(itemCreated), "ItemCreated Vorlen Readme");
    GroupDeletedRecord groupDeleted;
    groupDeleted.group = "Old";
    add(Own(groupDeleted), "GroupDeleted Old");
    ItemDeletedRecord itemDeleted;
    itemDeleted.group = "Old";
    itemDeleted.description.assign(programItemDescriptionSize, 0);
    itemDeleted.description[7] = 42;
    add(Own(itemDeleted), "ItemDeleted Old 1112 42");
    RegKeyCreatedRecord keyCreated;
    keyCreated.key = {"Software\\Tolvane", 0};
    add(Own(keyCreated), "RegKeyCreated 0:Software\\Tolvane");
    RegKeyDeletedRecord keyDeleted;
    keyDeleted.key = {"Software\\Old", 2};
    add(Own(keyDeleted), "RegKeyDeleted 2:Software\\Old");
    RegValueCreatedRecord valueCreated;
    valueCreated.key = {".vor", 1};
    valueCreated.valueName = "Content Type";
    add(Own(valueCreated), "RegValueCreated 1:.vor Content Type");
    RegValueChangedRecord valueChanged;
    valueChanged.key = {"Env", 3};
    valueChanged.valueName = "Path";
    valueChanged.type = 2;
    valueChanged.data = {'o', 'l', 'd'};
    add(Own(valueChanged), "RegValueChanged 3:Env Path 2 old");
    RegValueDeletedRecord valueDeleted;
    valueDeleted.key = {"Display", 4};
    valueDeleted.valueName = "Mode";
    valueDeleted.type = 4;
    valueDeleted.data = {'x'};
    add(Own(valueDeleted), "RegValueDeleted 4:Display Mode 4 x");
    FontAddedRecord font;
    font.path = "C:\\Windows\\Fonts\\v.ttf";
    add(Own(font), "FontAdded C:\\Windows\\Fonts\\v.ttf");
    return cases;
}

TEST(LogRecordUndo, EachKindCallsItsOwnActionWithItsFieldsAndPassesTheAnswerOn) {
    std::vector<UndoCase> cases = UndoCases();
    ASSERT_EQ(cases.size(), 21u);  // all but the two kinds with nothing to undo
    for (bool answer : {true, false}) {
        for (const UndoCase& undo : cases) {
            RecordingActions actions(answer);
            EXPECT_EQ(undo.record->Undo(actions), answer) << undo.call;
            EXPECT_EQ(actions.calls, std::vector<std::string>{undo.call});
        }
    }
}

TEST(LogRecordUndo, DeletedFilesFailAndUserDataSucceedsWithoutAnyAction) {
    RecordingActions actions(false);
    FileDeletedRecord deleted;
    deleted.path = "gone.txt";
    EXPECT_FALSE(deleted.Undo(actions));
    UserDataRecord userData;
    userData.data = {1, 2};
    EXPECT_TRUE(userData.Undo(actions));
    EXPECT_TRUE(actions.calls.empty());
}

TEST(LogRecordFactory, MakesEveryKindAndNothingOutsideTheRange) {
    for (int32_t kind = 0; kind < logKindCount; ++kind) {
        std::unique_ptr<LogRecord> record = MakeRecord(kind);
        ASSERT_NE(record, nullptr) << kind;
        EXPECT_EQ(record->Kind(), kind);
        EXPECT_EQ(record->IsUndoable(), kind != LogFileDeleted) << kind;
    }
    EXPECT_EQ(MakeRecord(-1), nullptr);
    EXPECT_EQ(MakeRecord(logKindCount), nullptr);
}

TEST(LogRecordTexts, LabelIsMessage156PlusTheKind) {
    MessageSource messages = [](int number) { return "message " + std::to_string(number); };
    for (int32_t kind = 0; kind < logKindCount; ++kind)
        EXPECT_EQ(MakeRecord(kind)->Label(messages), "message " + std::to_string(156 + kind));
}

TEST(LogRecordTexts, DetailsLineUpTheColons) {
    AttributesChangedRecord record;
    record.path = "C:\\a.txt";
    record.oldAttributes = 0x21;
    record.newAttributes = 0x1;
    EXPECT_EQ(FormatDetails(record.Details()),
              "Path          : C:\\a.txt\r\n"
              "Old attributes: 0x00000021\r\n"
              "New attributes: 0x00000001");
    EXPECT_EQ(FormatDetails({}), "");
}

TEST(LogRecordTexts, RegistryKeysShowTheirRootsShortName) {
    RegValueChangedRecord record;
    record.key = {"Software\\Tolvane", 2};
    record.valueName = "Path";
    record.type = 1;
    record.data = {'a', 'b', 0};
    EXPECT_EQ(FormatDetails(record.Details()),
              "Key       : HKCU\\Software\\Tolvane\r\n"
              "Value name: Path\r\n"
              "Type      : 1\r\n"
              "Size      : 3");
    const char* const names[] = {"HKLM\\K", "HKCR\\K", "HKCU\\K", "HKUS\\K", "HKCF\\K"};
    for (int32_t root = 0; root < 5; ++root)
        EXPECT_EQ(RegistryKeyText({"K", root}), names[root]);
    EXPECT_EQ(RegistryKeyText({"K", 5}), "Unknown");
    EXPECT_EQ(RegistryKeyText({"K", -1}), "Unknown");
}

TEST(LogRecordState, OnlyUndoAndKeepSwitchAndOnlyBetweenThemselves) {
    const UndoState all[] = {UndoState::Undo, UndoState::Keep, UndoState::CannotUndo, UndoState::Undone,
                             UndoState::Failed};
    for (UndoState from : all) {
        for (UndoState to : all) {
            DirCreatedRecord record;
            record.state = from;
            bool allowed = (from == UndoState::Undo || from == UndoState::Keep) &&
                           (to == UndoState::Undo || to == UndoState::Keep);
            EXPECT_EQ(SwitchUndoState(record, to), allowed);
            EXPECT_EQ(record.state, allowed ? to : from);
        }
    }
}

}  // namespace
}  // namespace gvmain
