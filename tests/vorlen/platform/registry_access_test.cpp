#include "vorlen/platform/registry_access.h"

#include "../support/temp_dir.h"
#include "../support/unprivileged.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <random>

namespace vorlen::platform {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

// Points the settings store at a fresh configuration home for one test.
class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (auto& [name, value] : saved_) {
            if (const char* current = std::getenv(name))
                value = current;
        }
        ::setenv("XDG_CONFIG_HOME", home_.Path().c_str(), 1);
    }
    void TearDown() override {
        for (const auto& [name, value] : saved_) {
            if (value)
                ::setenv(name, value->c_str(), 1);
            else
                ::unsetenv(name);
        }
    }
    std::string KeyDir() const { return home_.Path() + "/Tolvane Software"; }
    std::string KeyFile() const { return KeyDir() + "/Vorlen.conf"; }
    void PutKeyFile(const std::string& bytes) {
        std::filesystem::create_directories(KeyDir());
        WriteFile(KeyFile(), bytes);
    }

    TempDir home_;

private:
    std::pair<const char*, std::optional<std::string>> saved_[2] = {{"XDG_CONFIG_HOME", {}}, {"HOME", {}}};
};

Bytes ReadValue(registryAccess& key, const char* name) {
    Bytes bytes{0xAA};  // a miss must leave this as it is
    key.Read(name, bytes);
    return bytes;
}

TEST_F(RegistryTest, TheKeyIsOneFileUnderTheConfigurationHome) {
    EXPECT_EQ(SettingsFilePath(), KeyFile());
    ::unsetenv("XDG_CONFIG_HOME");
    ::setenv("HOME", "/home/ann", 1);
    EXPECT_EQ(SettingsFilePath(), "/home/ann/.config/Tolvane Software/Vorlen.conf");
    ::setenv("XDG_CONFIG_HOME", "relative/dir", 1);  // the XDG rules ignore a relative path
    EXPECT_EQ(SettingsFilePath(), "/home/ann/.config/Tolvane Software/Vorlen.conf");
}

TEST_F(RegistryTest, FirstOpenCreatesTheKeyAndTheNextFindsIt) {
    ::setenv("XDG_CONFIG_HOME", (home_.Path() + "/not/yet").c_str(), 1);
    registryAccess first;
    EXPECT_FALSE(first.IsOpen());
    EXPECT_FALSE(first.Open());
    EXPECT_TRUE(first.IsOpen());
    EXPECT_TRUE(std::filesystem::is_regular_file(home_.Path() + "/not/yet/Tolvane Software/Vorlen.conf"));
    first.Close();
    EXPECT_FALSE(first.IsOpen());

    registryAccess second;
    EXPECT_TRUE(second.Open());
    EXPECT_TRUE(second.Open());  // opening again is no first use either
}

TEST_F(RegistryTest, ValuesReadBackAsTheirExactBytesWithTheirType) {
    registryAccess key;
    key.Open();
    const Bytes twelve{5, 0, 0, 0, 3, 0, 0, 0, 0xCE, 7, 0, 0};
    const Bytes one{1};
    const Bytes empty;
    ASSERT_EQ(key.WriteBinary("Twelve", twelve.data(), twelve.size()), WriteResult::written);
    ASSERT_EQ(key.WriteBinary("One", one.data(), one.size()), WriteResult::written);
    ASSERT_EQ(key.WriteBinary("Empty", empty.data(), 0), WriteResult::written);
    ASSERT_EQ(key.WriteString("Name", "abc"), WriteResult::written);

    EXPECT_EQ(ReadValue(key, "Twelve"), twelve);
    EXPECT_EQ(ReadValue(key, "One"), one);
    EXPECT_EQ(ReadValue(key, "Empty"), empty);
    EXPECT_EQ(ReadValue(key, "Name"), (Bytes{'a', 'b', 'c', 0}));
    EXPECT_EQ(ReadValue(key, "Missing"), Bytes{0xAA});

    // Strings stay readable text; binary values are base64.
    std::string file = ReadFile(KeyFile());
    EXPECT_NE(file.find("Name=abc\n"), std::string::npos) << file;
    EXPECT_NE(file.find("Twelve=BQAAAAMAAADOBwAA\n"), std::string::npos) << file;

    // Writing a value with the other type replaces it.
    ASSERT_EQ(key.WriteBinary("Name", one.data(), 1), WriteResult::written);
    EXPECT_EQ(ReadValue(key, "Name"), one);
    ASSERT_EQ(key.WriteString("One", "x"), WriteResult::written);
    EXPECT_EQ(ReadValue(key, "One"), (Bytes{'x', 0}));
}

TEST_F(RegistryTest, StringsKeepEveryByteThroughTheFile) {
    const std::string texts[] = {
        "  leading and trailing  ",
        "quote \" backslash \\ dollar $HOME ${X} hash # semicolon ; equals = bracket [x]",
        "line\nbreak\r\ttab",
        "caf\xC3\xA9 UTF-8, \xE9t\xE9 Windows-1252, stray \xFF\x80",
        "",
    };
    registryAccess key;
    key.Open();
    for (const std::string& text : texts) {
        ASSERT_EQ(key.WriteString("DefaultFile", text), WriteResult::written);
        Bytes expected(text.begin(), text.end());
        expected.push_back(0);
        EXPECT_EQ(ReadValue(key, "DefaultFile"), expected) << text;
    }
    // A C string ends at its NUL.
    ASSERT_EQ(key.WriteString("DefaultFile", std::string_view("ab\0cd", 5)), WriteResult::written);
    EXPECT_EQ(ReadValue(key, "DefaultFile"), (Bytes{'a', 'b', 0}));
}

TEST_F(RegistryTest, ReadGivesAtMost256Bytes) {
    registryAccess key;
    key.Open();
    const Bytes fits(256, 0x11);
    const Bytes tooLong(257, 0x22);
    ASSERT_EQ(key.WriteBinary("Fits", fits.data(), fits.size()), WriteResult::written);
    ASSERT_EQ(key.WriteBinary("TooLong", tooLong.data(), tooLong.size()), WriteResult::written);
    ASSERT_EQ(key.WriteString("Text255", std::string(255, 'a')), WriteResult::written);
    ASSERT_EQ(key.WriteString("Text256", std::string(256, 'a')), WriteResult::written);

    EXPECT_EQ(ReadValue(key, "Fits"), fits);
    EXPECT_EQ(ReadValue(key, "TooLong"), Bytes{0xAA});
    EXPECT_EQ(ReadValue(key, "Text255").size(), 256u);
    EXPECT_EQ(ReadValue(key, "Text256"), Bytes{0xAA});
}

TEST_F(RegistryTest, ValuesLiveOnDiskAndNoObjectLosesAnothersWrites) {
    registryAccess a;
    registryAccess b;
    a.Open();
    b.Open();
    const Bytes one{1};
    ASSERT_EQ(a.WriteBinary("FromA", one.data(), 1), WriteResult::written);
    ASSERT_EQ(b.WriteString("FromB", "b"), WriteResult::written);
    EXPECT_EQ(ReadValue(b, "FromA"), one);
    a.Close();
    b.Close();

    // The file alone carries them: another configuration home with a copy
    // of it, as a later run of the program would see it.
    TempDir other;
    std::filesystem::create_directories(other.Path() + "/Tolvane Software");
    std::filesystem::copy_file(KeyFile(), other.Path() + "/Tolvane Software/Vorlen.conf");
    ::setenv("XDG_CONFIG_HOME", other.Path().c_str(), 1);
    registryAccess later;
    EXPECT_TRUE(later.Open());
    EXPECT_EQ(ReadValue(later, "FromA"), one);
    EXPECT_EQ(ReadValue(later, "FromB"), (Bytes{'b', 0}));
    // Saving left no temporary file beside the key.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(KeyDir()), {}), 1);
}

TEST_F(RegistryTest, AClosedKeyOrABadNameNeitherReadsNorWrites) {
    registryAccess key;
    const Bytes one{1};
    EXPECT_EQ(key.WriteBinary("Timer", one.data(), 1), WriteResult::failed);  // never opened
    key.Open();
    ASSERT_EQ(key.WriteBinary("Timer", one.data(), 1), WriteResult::written);
    const std::string before = ReadFile(KeyFile());
    for (const char* name : {"", "a/b", "[x]", "a=b", " lead", "trail ", "!x"}) {
        EXPECT_EQ(key.WriteBinary(name, one.data(), 1), WriteResult::failed) << name;
        EXPECT_FALSE(key.LastError().empty());
    }
    key.Close();
    EXPECT_EQ(ReadValue(key, "Timer"), Bytes{0xAA});
    EXPECT_EQ(key.WriteString("Timer", "x"), WriteResult::failed);
    EXPECT_EQ(ReadFile(KeyFile()), before);
}

// Damaged files: reading misses every value and leaves the file as it was.
class RegistryDamageTest : public RegistryTest {
protected:
    // Opens the key over `contents` and reads `name`; nullopt on a miss.
    std::optional<Bytes> OpenAndRead(const std::string& contents, const char* name) {
        PutKeyFile(contents);
        registryAccess key;
        EXPECT_TRUE(key.Open()) << "a damaged key still exists";
        Bytes bytes{0xAA};
        bool found = key.Read(name, bytes);
        EXPECT_EQ(ReadFile(KeyFile()), contents) << "reading changed the file";
        return found ? std::optional<Bytes>(bytes) : std::nullopt;
    }
};

TEST_F(RegistryDamageTest, RandomBytesHoldNoValues) {
    std::mt19937 random(1998);
    for (int round = 0; round < 20; ++round) {
        std::string junk(1 + random() % 4000, '\0');
        for (char& c : junk)
            c = static_cast<char>(random());
        junk += "\n[Binary]\nTimer=HgAAAA==\n";  // even a good line among the junk
        EXPECT_EQ(OpenAndRead(junk, "Timer"), std::nullopt) << "round " << round;
    }
}

TEST_F(RegistryDamageTest, TextThatDoesNotParseHoldsNoValues) {
    const std::string good = "[Binary]\nTimer=HgAAAA==\n";
    ASSERT_EQ(OpenAndRead(good, "Timer"), (Bytes{30, 0, 0, 0}));
    EXPECT_EQ(OpenAndRead(good + "no equals sign\n", "Timer"), std::nullopt);
    EXPECT_EQ(OpenAndRead(good + "[Unclosed\n", "Timer"), std::nullopt);
    EXPECT_EQ(OpenAndRead(good + "Timer=AQAAAA==\n", "Timer"), std::nullopt);  // twice: which one?
    EXPECT_EQ(OpenAndRead(good + "Note=\xE9\n", "Timer"), std::nullopt);       // not UTF-8
    const char withNul[] = "[Binary]\nTimer=Hg\0AAAA==\n";
    EXPECT_EQ(OpenAndRead(std::string(withNul, sizeof withNul - 1), "Timer"), std::nullopt);
}

TEST_F(RegistryDamageTest, BrokenBase64LosesOnlyThatValue) {
    const std::string file = "[Binary]\nTimer=Hg*AAA==\nKeepLoaded=AQAAAA==\nShort=AQA\n";
    EXPECT_EQ(OpenAndRead(file, "Timer"), std::nullopt);
    EXPECT_EQ(OpenAndRead(file, "Short"), std::nullopt);
    EXPECT_EQ(OpenAndRead(file, "KeepLoaded"), (Bytes{1, 0, 0, 0}));
}

TEST_F(RegistryDamageTest, TheNextWriteReplacesADamagedFile) {
    PutKeyFile("\x01\x02 junk [[[\n");
    registryAccess key;
    key.Open();
    const Bytes one{1};
    ASSERT_EQ(key.WriteBinary("Maximised", one.data(), 1), WriteResult::written);
    EXPECT_EQ(ReadFile(KeyFile()), "[Binary]\nMaximised=AQ==\n");
    EXPECT_EQ(ReadValue(key, "Maximised"), one);
}

TEST_F(RegistryDamageTest, AnUnreadableFileIsNeitherReadNorReplaced) {
    PutKeyFile("[Binary]\nTimer=HgAAAA==\n");
    ASSERT_EQ(::chmod(home_.Path().c_str(), 0755), 0);  // let the unprivileged user in
    ASSERT_EQ(::chmod(KeyDir().c_str(), 0777), 0);      // and let it replace the file if it tried
    ASSERT_EQ(::chmod(KeyFile().c_str(), 0), 0);
    EXPECT_TRUE(test::RunUnprivileged([] {
        registryAccess key;
        bool opened = key.Open();
        Bytes bytes;
        const Bytes one{1};
        return !opened && !key.IsOpen() && !key.LastError().empty() && !key.Read("Timer", bytes) &&
               key.WriteBinary("Timer", one.data(), 1) == WriteResult::failed;
    }));
    ASSERT_EQ(::chmod(KeyFile().c_str(), 0600), 0);
    EXPECT_EQ(ReadFile(KeyFile()), "[Binary]\nTimer=HgAAAA==\n");
}

TEST_F(RegistryDamageTest, AFileWhereTheKeyDirectoryShouldBeIsAPlatformFailure) {
    WriteFile(KeyDir(), "not a directory");
    registryAccess key;
    EXPECT_FALSE(key.Open());
    EXPECT_FALSE(key.IsOpen());
    EXPECT_NE(key.LastError().find("Tolvane Software"), std::string::npos) << key.LastError();
    const Bytes one{1};
    EXPECT_EQ(key.WriteBinary("Timer", one.data(), 1), WriteResult::failed);
    EXPECT_EQ(ReadFile(KeyDir()), "not a directory");
}

}  // namespace
}  // namespace vorlen::platform
