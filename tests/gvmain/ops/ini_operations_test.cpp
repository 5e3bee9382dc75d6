#include "gvmain/ops/ini_operations.h"

#include "gvmain/format/ini_text.h"

#include "gvmain/ops/file_operations.h"
#include "gvmain/ops/file_undo_actions.h"
#include "tests/gvmain/ops/ops_test_support.h"

#include <gtest/gtest.h>

namespace gvmain {
namespace {

using test::Exists;
using test::ReadBytes;
using test::RecordingHost;
using test::ScratchDir;
using test::WriteBytes;

// The log's INI and file records, one line each: kind, then the fields.
std::vector<std::string> LoggedLines(const std::string& path) {
    LogContents contents = ReadOperationLog(path);
    std::vector<std::string> lines;
    if (!contents.error.empty()) {
        lines.push_back(contents.error);
    }
    for (const auto& record : contents.records) {
        std::string line = std::to_string(record->Kind());
        if (auto* added = dynamic_cast<const IniEntryAddedRecord*>(record.get())) {
            line += " " + added->section + "|" + added->entry + "|" + std::to_string(added->occurrence);
        } else if (auto* value = dynamic_cast<const IniValueRecord*>(record.get())) {
            line += " " + value->section + "|" + value->entry + "|" + value->oldValue + "|" +
                    std::to_string(value->occurrence);
        } else if (auto* section = dynamic_cast<const IniSectionRecord*>(record.get())) {
            line += " " + section->section;
        }
        lines.push_back(line);
    }
    return lines;
}

std::string RegText(HKEY root, const char* path, const char* name) {
    char value[64] = "";
    DWORD size = sizeof value - 1;
    HKEY key = nullptr;
    if (::RegOpenKeyExA(root, path, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        ::RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
        ::RegCloseKey(key);
    }
    return value;
}

class IniOperations : public ::testing::Test {
protected:
    void SetUp() override {
        host.environment.windowsDirectory = dir.Path();
        host.messages[145] = "[%s] holds entries.";
        host.messages[146] = "Remove section";
    }

    bool UndoAll() {
        log.Close();
        LogContents contents = ReadOperationLog(logPath);
        bool all = contents.error.empty();
        FileUndoActions undo(host);
        for (auto record = contents.records.rbegin(); record != contents.records.rend(); ++record) {
            all = (*record)->Undo(undo) && all;
        }
        return all;
    }

    ScratchDir dir;
    RecordingHost host;
    std::string logPath = dir / "install.log";
    test::LogCapture capture{logPath};
    OperationLog& log = capture.log;
};

TEST_F(IniOperations, ANewFileLogsTheFileTheSectionAndTheEntry) {
    std::string ini = dir / "app.ini";
    ASSERT_TRUE(SetIniEntry(ini, "Settings", "Path", "c:\\app", host, &log));
    ASSERT_TRUE(SetIniEntry(ini, "settings", "path", "d:\\app", host, &log));
    ASSERT_TRUE(SetIniEntry("bare.ini", "s", "e", "v", host, &log));
    log.Close();
    EXPECT_EQ(LoggedLines(logPath),
              (std::vector<std::string>{"4", "10 Settings", "7 Settings|Path|0", "9 settings|path|c:\\app|0",
                                        "4", "10 s", "7 s|e|0"}));
    EXPECT_EQ(ReadBytes(ini), "[Settings]\r\nPath=d:\\app\r\n");
    EXPECT_EQ(ReadBytes(dir / "bare.ini"), "[s]\r\ne=v\r\n");
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(IniOperations, ASecondDeviceInsertedAtALargeOccurrenceGoesAfterTheFirst) {
    std::string ini = dir / "system.ini";
    WriteBytes(ini, "[386Enh]\r\ndevice=a.386\r\nkeyboard=kbd\r\n");
    ASSERT_TRUE(InsertIniEntry(ini, "386Enh", "device", "b.386", 1000, host, &log));
    log.Close();
    EXPECT_EQ(LoggedLines(logPath), (std::vector<std::string>{"7 386Enh|device|1"}));
    EXPECT_EQ(ReadBytes(ini), "[386Enh]\r\ndevice=a.386\r\ndevice=b.386\r\nkeyboard=kbd\r\n");
}

// Every INI record kind written, read back from the log and undone in
// reverse leaves the files as they were, byte for byte.
TEST_F(IniOperations, AnInstallationUndoneFromItsLogRestoresTheFilesExactly) {
    const std::string original =
        "; settings\r\n[boot]\r\nshell = progman.exe \r\n\r\n[386Enh]\ndevice=a.386\r\ndevice=b.386\r\n"
        "keyboard=kbd\r\n\r\n[last]\r\none=1\r\ntwo=2\r\ntwo=3";
    std::string ini = dir / "system.ini";
    std::string fresh = dir / "fresh.ini";
    WriteBytes(ini, original);
    ASSERT_TRUE(SetIniEntry(fresh, "s", "e", "v", host, &log));
    ASSERT_TRUE(SetIniEntry(ini, "boot", "shell", "gvmain.exe", host, &log));
    ASSERT_TRUE(SetIniEntry(ini, "boot", "network", "yes", host, &log));
    ASSERT_TRUE(InsertIniEntry(ini, "386Enh", "device", "c.386", 1000, host, &log));
    ASSERT_TRUE(SetIniEntryAt(ini, "386Enh", "device", "z.386", 1, host, &log));
    ASSERT_TRUE(DeleteIniEntry(ini, "386Enh", "device", 0, host, &log));
    ASSERT_TRUE(AddIniSection(ini, "added", host, &log));
    ASSERT_TRUE(DeleteIniSection(ini, "last", host, &log));
    EXPECT_EQ(ReadBytes(ini),
              "; settings\r\n[boot]\r\nshell = gvmain.exe \r\nnetwork=yes\r\n\r\n[386Enh]\ndevice=z.386\r\n"
              "device=c.386\r\nkeyboard=kbd\r\n\r\n[added]");
    log.Close();
    EXPECT_EQ(LoggedLines(logPath),
              (std::vector<std::string>{"4", "10 s", "7 s|e|0", "9 boot|shell|progman.exe|0",
                                        "7 boot|network|0", "7 386Enh|device|2", "9 386Enh|device|b.386|1",
                                        "8 386Enh|device|a.386|0", "10 added", "8 last|two|3|1",
                                        "8 last|two|2|0", "8 last|one|1|0", "11 last"}));

    EXPECT_TRUE(UndoAll());
    EXPECT_EQ(ReadBytes(ini), original);
    EXPECT_FALSE(Exists(fresh));
    EXPECT_TRUE(host.errors.empty());
    EXPECT_TRUE(host.questions.empty());
}

TEST_F(IniOperations, AnAddedSectionThatStillHoldsEntriesGoesOnlyWithConsent) {
    std::string ini = dir / "app.ini";
    WriteBytes(ini, "[keep]\r\n");
    ASSERT_TRUE(AddIniSection(ini, "Mine", host, &log));
    ASSERT_TRUE(SetIniEntry(ini, "Mine", "other", "1", host, nullptr));
    log.Close();
    LogContents contents = ReadOperationLog(logPath);
    ASSERT_EQ(contents.records.size(), 1u);
    FileUndoActions undo(host);
    host.answers = {secondButton, firstButton};
    EXPECT_FALSE(contents.records[0]->Undo(undo));
    EXPECT_EQ(ReadBytes(ini), "[keep]\r\n[Mine]\r\nother=1\r\n");
    EXPECT_TRUE(contents.records[0]->Undo(undo));
    EXPECT_EQ(ReadBytes(ini), "[keep]\r\n");
    ASSERT_EQ(host.questions.size(), 2u);
    EXPECT_EQ(host.questions[0].text, "[Mine] holds entries.");
    EXPECT_EQ(host.questions[0].caption, "Remove section");
    EXPECT_EQ(host.questions[0].buttons, Buttons::YesNo);
}

TEST_F(IniOperations, FilesThatCannotBeRewrittenSafelyFailAndStayAsTheyWere) {
    const std::vector<std::string> badFiles = {
        std::string("[s]\r\ne=1\r\nx=\0\r\n", 14),
        "[s]\r\ne=" + std::string(5000, 'x') + "\r\n",
        std::string("\xFF\xFE[\0s\0]\0", 8),
    };
    std::string ini = dir / "bad.ini";
    for (const std::string& bytes : badFiles) {
        WriteBytes(ini, bytes);
        host.errors.clear();
        EXPECT_FALSE(SetIniEntry(ini, "s", "e", "2", host, &log));
        EXPECT_FALSE(InsertIniEntry(ini, "s", "e", "2", 0, host, &log));
        EXPECT_FALSE(SetIniEntryAt(ini, "s", "e", "2", 0, host, &log));
        EXPECT_FALSE(DeleteIniEntry(ini, "s", "e", 0, host, &log));
        EXPECT_FALSE(AddIniSection(ini, "t", host, &log));
        EXPECT_FALSE(DeleteIniSection(ini, "s", host, &log));
        EXPECT_EQ(ReadBytes(ini), bytes);
        EXPECT_EQ(host.errors, (std::vector<std::string>{
                                   "Unable to set INI entry e in file " + ini, "Unable to insert INI entry e",
                                   "Unable to set INI entry e", "Unable to del INI entry e",
                                   "Unable to add INI section t in file " + ini,
                                   "Unable to del INI section s in file " + ini}));
    }
    host.errors.clear();
    EXPECT_FALSE(SetIniEntry(ini, "s", "e", "1\r\n[evil]", host, &log));
    EXPECT_FALSE(SetIniEntry(ini, "s]", "e", "1", host, &log));
    EXPECT_EQ(host.errors.size(), 2u);

    WriteBytes(ini, "[s]\r\ne=1");
    EXPECT_TRUE(SetIniEntry(ini, "s", "f", "2", host, &log));
    EXPECT_EQ(ReadBytes(ini), "[s]\r\ne=1\r\nf=2");
    log.Close();
    EXPECT_EQ(LoggedLines(logPath), (std::vector<std::string>{"7 s|f|0"}));
    int files = 0;
    ForEachEntry(dir.Path(), [&](const std::string&, bool) { return ++files, true; });
    EXPECT_EQ(files, 2);  // the INI file and the log: no temporary file left behind
}

// The platform's profile functions and the engine share the file: neither
// loses what the other wrote.
TEST_F(IniOperations, TheProfileFunctionsAndTheEngineSeeEachOthersEntries) {
    std::string ini = dir / "shared.ini";
    ASSERT_TRUE(::WritePrivateProfileStringA("s", "platform", "1", ini.c_str()));
    ASSERT_TRUE(SetIniEntry(ini, "s", "engine", "2", host, &log));
    ASSERT_TRUE(::WritePrivateProfileStringA("s", "later", "3", ini.c_str()));
    char value[8] = "";
    ::GetPrivateProfileStringA("s", "engine", "", value, sizeof value, ini.c_str());
    EXPECT_STREQ(value, "2");
    IniText text;
    ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, ini.c_str());
    ASSERT_EQ(text.Parse(ReadBytes(ini)), TextError::None);
    EXPECT_EQ(text.Value("s", "platform", 0), "1");
    EXPECT_EQ(text.Value("s", "engine", 0), "2");
    EXPECT_EQ(text.Value("s", "later", 0), "3");
}

TEST_F(IniOperations, OnWindowsNtAMappedSectionLivesInTheRegistry) {
    const std::string mapping = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\IniFileMapping\\gvmapped.ini";
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_LOCAL_MACHINE, (mapping + "\\Mapped").c_str(), 0, nullptr, 0,
                                KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const char user[] = "USR:Software\\GvminiTest\\Mapped";
    const char system[] = "#SYS:Software\\GvminiTest\\Special";
    ::RegSetValueExA(key, "", 0, REG_SZ, reinterpret_cast<const BYTE*>(user), sizeof user);
    ::RegSetValueExA(key, "special", 0, REG_SZ, reinterpret_cast<const BYTE*>(system), sizeof system);
    ::RegCloseKey(key);
    std::string ini = dir / "gvmapped.ini";
    host.environment.windowsNt = true;

    EXPECT_TRUE(SetIniEntry(ini, "Mapped", "k", "v1", host, &log));
    EXPECT_TRUE(SetIniEntry(ini, "Mapped", "k", "v2", host, &log));
    EXPECT_TRUE(SetIniEntry(ini, "Mapped", "special", "s", host, &log));
    EXPECT_FALSE(Exists(ini));
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, "Software\\GvminiTest\\Mapped", "k"), "v2");
    EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, "Software\\GvminiTest\\Special", "special"), "s");
    EXPECT_TRUE(DeleteIniSection(ini, "Mapped", host, &log));

    host.environment.windowsNt = false;
    EXPECT_TRUE(SetIniEntry(ini, "Mapped", "k", "file", host, &log));
    EXPECT_EQ(ReadBytes(ini), "[Mapped]\r\nk=file\r\n");
    log.Close();
    EXPECT_EQ(LoggedLines(logPath),
              (std::vector<std::string>{"7 Mapped|k|0", "9 Mapped|k|v1|0", "7 Mapped|special|0",
                                        "8 Mapped|k|v2|0", "11 Mapped", "4", "10 Mapped", "7 Mapped|k|0"}));

    ::RegDeleteValueA(HKEY_LOCAL_MACHINE, "Software\\GvminiTest\\Special");
    ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\GvminiTest\\Special");
    ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\GvminiTest");
    ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\GvminiTest\\Mapped");
    ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\GvminiTest");
    ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, (mapping + "\\Mapped").c_str());
    ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, mapping.c_str());
}

}  // namespace
}  // namespace gvmain
