#include "gvmain/ops/registry_operations.h"

#include "gvmain/ops/file_undo_actions.h"
#include "gvmain/ops/registry_value_text.h"
#include "tests/gvmain/ops/ops_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace gvmain {
namespace {

using test::LogCapture;
using test::RecordingHost;
using test::ScratchDir;

// The key with its values and subkeys as text, names sorted, data in hex;
// empty for a missing key.
std::string Export(HKEY parent, const std::string& path) {
    HKEY opened = nullptr;
    if (::RegOpenKeyExA(parent, path.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
        return std::string();
    }
    ScopedKey key(opened);
    std::vector<std::string> lines;
    char name[512];
    BYTE data[1024];
    for (DWORD index = 0;; ++index) {
        DWORD nameLength = sizeof name;
        DWORD size = sizeof data;
        DWORD type = 0;
        if (::RegEnumValueA(key.Get(), index, name, &nameLength, nullptr, &type, data, &size) !=
            ERROR_SUCCESS) {
            break;
        }
        std::string line = "  " + std::string(name) + "=" + std::to_string(type) + ":";
        for (DWORD at = 0; at < size; ++at) {
            char hex[3];
            std::snprintf(hex, sizeof hex, "%02x", data[at]);
            line += hex;
        }
        lines.push_back(line);
    }
    for (DWORD index = 0;; ++index) {
        DWORD nameLength = sizeof name;
        if (::RegEnumKeyExA(key.Get(), index, name, &nameLength, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        lines.push_back(Export(key.Get(), name));
    }
    std::sort(lines.begin(), lines.end());
    std::string text = "[" + path + "]\n";
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}

RegistryValue Text(const std::string& text) {
    RegistryValue value;
    std::string error;
    ValueFromText(ValueText, text, value, error);
    return value;
}

class Registry : public ::testing::Test {
protected:
    void SetUp() override {
        base = "Software\\GvmainTests\\" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name());
        DeleteKey(Key(""), host, nullptr);
        ASSERT_TRUE(CreateKey(Key(""), host, nullptr));
        host.messages[149] = "%s is not empty.";
        host.messages[150] = "Remove key";
    }
    void TearDown() override { DeleteKey(Key(""), host, nullptr); }

    RegistryKey Key(const std::string& below) const {
        return {below.empty() ? base : base + "\\" + below, RootCurrentUser};
    }
    std::string Text16(const std::string& below) const { return "16 HKCU\\" + Key(below).path; }

    ScratchDir dir;
    RecordingHost host;
    std::string base;
};

TEST_F(Registry, AValueUnderTwoMissingLevelsLogsBothKeysParentsFirst) {
    LogCapture capture(dir / "reg.log");
    ASSERT_TRUE(SetValue(Key("a\\b"), "v", Text("one"), host, &capture.log));
    ASSERT_TRUE(SetValue(Key("a\\b"), "v", Text("second"), host, &capture.log));
    std::string value = "HKCU\\" + Key("a\\b").path + "|v";
    EXPECT_EQ(capture.Lines(),
              (std::vector<std::string>{Text16("a"), Text16("a\\b"), "18 " + value, "19 " + value + "|1|4"}));
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(Registry, ADeletedKeyLogsItsSubkeysThenItsValuesThenItself) {
    ASSERT_TRUE(SetValue(Key("k\\sub"), "w", Text("x"), host, nullptr));
    ASSERT_TRUE(SetValue(Key("k"), "v1", Text("abc"), host, nullptr));
    ASSERT_TRUE(SetScriptValue(Key("k"), "v2", ValueNumber, "7", host, nullptr));
    LogCapture capture(dir / "reg.log");
    ASSERT_TRUE(DeleteKey(Key("k"), host, &capture.log));
    ASSERT_TRUE(DeleteKey(Key("k"), host, &capture.log));  // gone already: nothing to do
    std::string k = "HKCU\\" + Key("k").path;
    std::vector<std::string> lines = capture.Lines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "20 " + k + "\\sub|w|1|2");
    EXPECT_EQ(lines[1], "17 " + k + "\\sub");
    std::sort(lines.begin() + 2, lines.begin() + 4);
    EXPECT_EQ(lines[2], "20 " + k + "|v1|1|4");
    EXPECT_EQ(lines[3], "20 " + k + "|v2|4|4");
    EXPECT_EQ(lines[4], "17 " + k);
    EXPECT_EQ(Export(HKEY_CURRENT_USER, Key("k").path), "");
}

TEST_F(Registry, ScriptValueKindsBecomeTheirTypesAndBadTextIsRefused) {
    struct Case {
        int32_t kind;
        std::string text;
        uint32_t type;
        std::string data;
    };
    const Case cases[] = {
        {ValueText, "abc", REG_SZ, std::string("abc\0", 4)},
        {ValueExpandText, "%windir%", REG_EXPAND_SZ, std::string("%windir%\0", 9)},
        {ValueBinary, "0aFf00", REG_BINARY, std::string("\x0a\xff\x00", 3)},
        {ValueNumber, "305419896", REG_DWORD, "\x78\x56\x34\x12"},
        {ValueNumber, "-1", REG_DWORD, "\xff\xff\xff\xff"},
        {ValueNumber, "0x10", REG_DWORD, std::string("\x10\0\0\0", 4)},
        {ValueLines, "a\r\nbc\n\nd\r\n", REG_MULTI_SZ, std::string("a\0bc\0d\0\0", 8)},
        {5, "ignored", 5, ""},
    };
    for (const Case& c : cases) {
        RegistryValue value;
        std::string error;
        ASSERT_TRUE(ValueFromText(c.kind, c.text, value, error)) << c.text;
        EXPECT_EQ(value.type, c.type) << c.text;
        EXPECT_EQ(std::string(value.data.begin(), value.data.end()), c.data) << c.text;
    }
    for (const auto& [kind, text] : std::vector<std::pair<int32_t, std::string>>{
             {ValueBinary, "abc"}, {ValueBinary, "0g"}, {ValueNumber, "12x"}, {ValueNumber, "4294967296"}}) {
        EXPECT_FALSE(SetScriptValue(Key("bad"), "v", kind, text, host, nullptr)) << text;
    }
    EXPECT_EQ(host.errors.front(), "Bad hexadecimal data abc");
    EXPECT_EQ(host.errors.back(), "Unable to convert 4294967296 to integer");
    EXPECT_EQ(Export(HKEY_CURRENT_USER, Key("bad").path), "");

    ASSERT_TRUE(SetScriptValue(Key("only"), "v", ValueKeyOnly, "x", host, nullptr));
    EXPECT_EQ(Export(HKEY_CURRENT_USER, Key("only").path), "[" + Key("only").path + "]\n");
}

TEST_F(Registry, RootsHaveShortAndLongNamesAndAnUnknownRootFailsClearly) {
    EXPECT_STREQ(RegistryRootName(RootLocalMachine, false), "HKLM");
    EXPECT_STREQ(RegistryRootName(RootUsers, false), "HKUS");
    EXPECT_STREQ(RegistryRootName(RootCurrentConfig, true), "HKEY_CURRENT_CONFIG");
    EXPECT_EQ(RegistryRootName(5, true), nullptr);

    RegistryKey key;
    std::string error;
    ASSERT_TRUE(ParseRegistryKey("hkey_classes_root\\.vor", key, error));
    EXPECT_EQ(key.root, RootClassesRoot);
    EXPECT_EQ(key.path, ".vor");
    ASSERT_TRUE(ParseRegistryKey("HKCF\\System", key, error));
    EXPECT_EQ(key.root, RootCurrentConfig);
    EXPECT_FALSE(ParseRegistryKey("HKXX\\Software", key, error));
    EXPECT_EQ(error, "Unknown registry root HKXX in HKXX\\Software");

    EXPECT_FALSE(CreateKey(RegistryKey{"Software\\X", 7}, host, nullptr));
    EXPECT_FALSE(OpenKey(Key("missing"), host).Valid());
    EXPECT_FALSE(DeleteKey(RegistryKey{"", RootCurrentUser}, host, nullptr));
    EXPECT_EQ(host.errors, (std::vector<std::string>{
                               "Unable to create registration key Unknown\\Software\\X",
                               "Unable to open registration key HKEY_CURRENT_USER\\" + Key("missing").path,
                               "Unable to delete registration key HKEY_CURRENT_USER\\"}));
}

// Every registry kind (16-20) written, read back from the log and undone
// in reverse leaves the subtree exactly as it was.
TEST_F(Registry, AnInstallationsRegistryChangesUndoCompletely) {
    ASSERT_TRUE(SetValue(Key("kept"), "changed", Text("before"), host, nullptr));
    ASSERT_TRUE(SetScriptValue(Key("kept"), "doomed", ValueBinary, "00ff10", host, nullptr));
    ASSERT_TRUE(SetScriptValue(Key("gone\\inner"), "lines", ValueLines, "a\r\nb", host, nullptr));
    ASSERT_TRUE(SetValue(Key("gone"), "", Text("default"), host, nullptr));
    std::string before = Export(HKEY_CURRENT_USER, base);

    LogCapture capture(dir / "reg.log");
    ASSERT_TRUE(SetValue(Key("new\\deeper"), "v", Text("x"), host, &capture.log));
    ASSERT_TRUE(SetScriptValue(Key("kept"), "changed", ValueNumber, "3", host, &capture.log));
    ASSERT_TRUE(DeleteValue(Key("kept"), "doomed", host, &capture.log));
    ASSERT_TRUE(DeleteKey(Key("gone"), host, &capture.log));
    ASSERT_TRUE(CreateKey(Key("empty"), host, &capture.log));
    capture.log.Close();
    ASSERT_NE(Export(HKEY_CURRENT_USER, base), before);

    LogContents contents = ReadOperationLog(dir / "reg.log");
    ASSERT_TRUE(contents.error.empty()) << contents.error;
    ASSERT_EQ(contents.records.size(), 10u);
    FileUndoActions undo(host);
    for (auto record = contents.records.rbegin(); record != contents.records.rend(); ++record) {
        EXPECT_TRUE((*record)->Undo(undo)) << (*record)->Kind();
    }
    EXPECT_EQ(Export(HKEY_CURRENT_USER, base), before);
    EXPECT_TRUE(host.questions.empty());
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(Registry, ACreatedKeyThatGainedValuesGoesOnlyWithConsent) {
    ASSERT_TRUE(CreateKey(Key("made"), host, nullptr));
    ASSERT_TRUE(SetValue(Key("made"), "later", Text("x"), host, nullptr));
    FileUndoActions undo(host);
    host.answers = {secondButton, firstButton};
    EXPECT_FALSE(undo.UndoRegKeyCreated(Key("made")));
    EXPECT_NE(Export(HKEY_CURRENT_USER, Key("made").path), "");
    EXPECT_TRUE(undo.UndoRegKeyCreated(Key("made")));
    EXPECT_EQ(Export(HKEY_CURRENT_USER, Key("made").path), "");
    ASSERT_EQ(host.questions.size(), 2u);
    EXPECT_EQ(host.questions[0].text, "HKEY_CURRENT_USER\\" + Key("made").path + " is not empty.");
    EXPECT_EQ(host.questions[0].caption, "Remove key");
    EXPECT_EQ(host.questions[0].buttons, Buttons::YesNo);
}

}  // namespace
}  // namespace gvmain
