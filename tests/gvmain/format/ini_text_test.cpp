#include "gvmain/format/ini_text.h"

#include <gtest/gtest.h>

#include <string>

namespace gvmain {
namespace {

IniText Parsed(const std::string& bytes) {
    IniText ini;
    EXPECT_EQ(ini.Parse(bytes), TextError::None);
    return ini;
}

const std::string systemIni =
    "; kept\r\n[boot]\r\nshell=progman.exe\r\n\r\n[386Enh]\r\ndevice=a.386\r\nEMMExclude=C000-CFFF\r\n"
    "Device = b.386  \r\n\r\n[drivers]\r\nwave=x.drv\r\n";

TEST(IniText, EveryByteOfAnUnchangedFileStays) {
    for (const std::string& bytes :
         {systemIni, std::string("\xEF\xBB\xBF[a]\nx=1\r\n;\xE9t\xE9\r\n\n[b]\ry=2"), std::string("x=1"),
          std::string("")}) {
        EXPECT_EQ(Parsed(bytes).Bytes(), bytes);
    }
}

TEST(IniText, NamesRepeatWithinASectionAndCompareWithoutCase) {
    IniText ini = Parsed(systemIni);
    EXPECT_EQ(ini.Count("386enh", "DEVICE"), 2);
    EXPECT_EQ(ini.Value("386Enh", "device", 1), "b.386");
    EXPECT_EQ(ini.Value("386Enh", "device", 2), std::nullopt);
    EXPECT_EQ(ini.Value("boot", "device", 0), std::nullopt);
    EXPECT_EQ(ini.Value("nosuch", "device", 0), std::nullopt);
    EXPECT_TRUE(ini.HasSection(" BOOT "));
    ASSERT_EQ(ini.Entries("386Enh").size(), 3u);
    EXPECT_EQ(ini.Entries("386Enh")[1].name, "EMMExclude");
    EXPECT_TRUE(ini.Entries("nosuch").empty());
}

TEST(IniText, InsertedEntriesLandBesideTheirNamesake) {
    IniText ini = Parsed(systemIni);
    EXPECT_EQ(ini.InsertEntry("386Enh", "device", "c.386", 99), 2);
    EXPECT_EQ(ini.InsertEntry("386Enh", "device", "first.386", 0), 0);
    EXPECT_EQ(ini.InsertEntry("boot", "network", "yes", 5), 0);
    EXPECT_EQ(ini.InsertEntry("new", "k", "v", 0), 0);
    EXPECT_EQ(ini.Bytes(),
              "; kept\r\n[boot]\r\nshell=progman.exe\r\nnetwork=yes\r\n\r\n[386Enh]\r\ndevice=first.386\r\n"
              "device=a.386\r\nEMMExclude=C000-CFFF\r\nDevice = b.386  \r\ndevice=c.386\r\n\r\n[drivers]\r\n"
              "wave=x.drv\r\n[new]\r\nk=v\r\n");
}

TEST(IniText, ChangingAValueBackRestoresTheLineByteForByte) {
    IniText ini = Parsed(systemIni);
    ASSERT_TRUE(ini.SetEntry("386Enh", "device", "z.386", 1));
    EXPECT_NE(ini.Bytes().find("Device = z.386  \r\n"), std::string::npos);
    ASSERT_TRUE(ini.SetEntry("386Enh", "device", "b.386", 1));
    EXPECT_EQ(ini.Bytes(), systemIni);
    EXPECT_FALSE(ini.SetEntry("386Enh", "device", "x", 2));

    IniText empty = Parsed("[s]\r\nk=\r\n");
    ASSERT_TRUE(empty.SetEntry("s", "k", "v", 0));
    EXPECT_EQ(empty.Bytes(), "[s]\r\nk=v\r\n");
}

TEST(IniText, DeletingAnEntryOrASectionTakesOnlyItsLines) {
    IniText ini = Parsed(systemIni);
    EXPECT_TRUE(ini.DeleteEntry("386Enh", "device", 1));
    EXPECT_FALSE(ini.DeleteEntry("386Enh", "device", 1));
    EXPECT_TRUE(ini.DeleteSection("386enh"));
    EXPECT_FALSE(ini.DeleteSection("386enh"));
    EXPECT_EQ(ini.Bytes(), "; kept\r\n[boot]\r\nshell=progman.exe\r\n\r\n[drivers]\r\nwave=x.drv\r\n");
}

TEST(IniText, ALastLineWithoutAnEndStaysOpenThroughEdits) {
    IniText ini = Parsed("[s]\na=1");
    ini.InsertEntry("s", "b", "2", 0);
    EXPECT_EQ(ini.Bytes(), "[s]\na=1\nb=2");
    ini.DeleteEntry("s", "b", 0);
    EXPECT_EQ(ini.Bytes(), "[s]\na=1");

    IniText fresh = Parsed("");
    fresh.InsertEntry("s", "k", "v", 0);
    EXPECT_EQ(fresh.Bytes(), "[s]\r\nk=v\r\n");
}

TEST(IniText, TextThatCannotBeRewrittenSafelyIsRefused) {
    IniText ini;
    EXPECT_EQ(ini.Parse(std::string("[s]\r\nk=v\0w\r\n", 12)), TextError::NulByte);
    EXPECT_EQ(ini.Parse(std::string("[s]\r\nk=v\0", 9)), TextError::NulByte);
    EXPECT_EQ(ini.Parse("\xFF\xFE[\0s\0]\0"), TextError::Utf16);
    EXPECT_EQ(ini.Parse("[s]\r\nk=" + std::string(maxIniLineLength - 2, 'x') + "\r\n"), TextError::None);
    EXPECT_EQ(ini.Parse("[s]\r\nk=" + std::string(maxIniLineLength - 1, 'x')), TextError::LineTooLong);
    EXPECT_EQ(ini.Parse(std::string(maxTextFileSize + 1, '\n')), TextError::TooLarge);
}

TEST(IniText, OnlyNamesAndValuesThatReadBackTheSameAreWritable) {
    EXPECT_TRUE(IsWritableSection("386Enh"));
    EXPECT_TRUE(IsWritableEntry("device"));
    EXPECT_TRUE(IsWritableValue(""));
    for (const char* section : {"", "  ", "a]b", "a\r\n[b"}) {
        EXPECT_FALSE(IsWritableSection(section)) << section;
    }
    for (const char* entry : {"", "a=b", ";x", "[x]", "a\nb"}) {
        EXPECT_FALSE(IsWritableEntry(entry)) << entry;
    }
    EXPECT_FALSE(IsWritableValue("a\r\n[evil]"));
    EXPECT_FALSE(IsWritableValue(std::string("a\0b", 3)));
}

}  // namespace
}  // namespace gvmain
