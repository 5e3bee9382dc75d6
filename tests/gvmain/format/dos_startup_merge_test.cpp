#include "gvmain/format/dos_startup_merge.h"

#include <gtest/gtest.h>

#include <string>

namespace gvmain {
namespace {

const std::string autoexec =
    "@ECHO OFF\r\nPATH C:\\DOS;C:\\WINDOWS\r\nSET TEMP=C:\\TEMP\r\nSET LIB=C:\\LIB\r\n";

std::string Merged(DosStartupFile file, const std::string& current, const std::string& lines,
                   NewLinePlace place = NewLinePlace::After) {
    DosMergeResult result = MergeDosStartupLines(file, current, lines, place);
    EXPECT_FALSE(result.Failed());
    EXPECT_EQ(result.changed, result.text != current);
    return result.text;
}

TEST(DosStartupMerge, NewDirectoriesJoinTheSearchPathOnce) {
    EXPECT_EQ(Merged(DosStartupFile::AutoexecBat, autoexec, "path c:\\app;%PATH%;c:\\dos\\;C:\\APP"),
              "@ECHO OFF\r\nPATH C:\\DOS;C:\\WINDOWS;c:\\app\r\nSET TEMP=C:\\TEMP\r\nSET LIB=C:\\LIB\r\n");
    EXPECT_EQ(
        Merged(DosStartupFile::AutoexecBat, autoexec, "SET PATH=c:\\app;c:\\bin", NewLinePlace::Before),
        "@ECHO OFF\r\nPATH c:\\app;c:\\bin;C:\\DOS;C:\\WINDOWS\r\nSET TEMP=C:\\TEMP\r\nSET LIB=C:\\LIB\r\n");
    EXPECT_EQ(
        Merged(DosStartupFile::AutoexecBat, "path=c:\\dos\r\nset path=%path%;c:\\x\r\n", "path c:\\app"),
        "path=c:\\dos\r\nset path=%path%;c:\\x;c:\\app\r\n");
}

TEST(DosStartupMerge, SetReplacesAValueAndMergesAList) {
    EXPECT_EQ(
        Merged(DosStartupFile::AutoexecBat, autoexec, "set temp=D:\\TMP\r\nset lib=c:\\app\\lib;c:\\lib"),
        "@ECHO OFF\r\nPATH C:\\DOS;C:\\WINDOWS\r\nSET TEMP=D:\\TMP\r\nSET LIB=C:\\LIB;c:\\app\\lib\r\n");
}

TEST(DosStartupMerge, LinesTheFileHoldsChangeNothing) {
    DosMergeResult result = MergeDosStartupLines(DosStartupFile::AutoexecBat, "rem x\r\nPATH C:\\DOS",
                                                 "  REM X\r\n\r\npath c:\\dos\\", NewLinePlace::After);
    EXPECT_FALSE(result.Failed());
    EXPECT_FALSE(result.changed);
    EXPECT_EQ(result.text, "rem x\r\nPATH C:\\DOS");
}

TEST(DosStartupMerge, OtherLinesGoBeforeOrAfterAndEndTheFileWithALineEnd) {
    EXPECT_EQ(Merged(DosStartupFile::AutoexecBat, "a\nb", "c:\\app\\tsr.exe\r\nwin", NewLinePlace::After),
              "a\nb\nc:\\app\\tsr.exe\nwin\n");
    EXPECT_EQ(Merged(DosStartupFile::AutoexecBat, "a\nb\n", "one\ntwo", NewLinePlace::Before),
              "one\ntwo\na\nb\n");
    EXPECT_EQ(Merged(DosStartupFile::ConfigSys, "", "FILES=40"), "FILES=40\r\n");
}

TEST(DosStartupMerge, ConfigSysKeepsTheLargerCountsAndRepeatsDevices) {
    const std::string config = "DEVICE=C:\\DOS\\HIMEM.SYS\r\nFILES=30\r\nBUFFERS=60\r\nLASTDRIVE=E\r\n";
    EXPECT_EQ(
        Merged(DosStartupFile::ConfigSys, config,
               "files=40\r\nbuffers=20\r\nlastdrive=Z\r\ndevice=c:\\dos\\himem.sys\r\nDEVICE=C:\\APP\\X.SYS"),
        "DEVICE=C:\\DOS\\HIMEM.SYS\r\nFILES=40\r\nBUFFERS=60\r\nLASTDRIVE=Z\r\nDEVICE=C:\\APP\\X.SYS\r\n");
}

TEST(DosStartupMerge, WhatCannotBeWrittenWholeFailsAndChangesNothing) {
    std::string longPath = "path c:\\" + std::string(120, 'x');
    DosMergeResult tooLong =
        MergeDosStartupLines(DosStartupFile::AutoexecBat, autoexec, longPath, NewLinePlace::After);
    EXPECT_TRUE(tooLong.lineTooLong);
    EXPECT_EQ(tooLong.text, autoexec);
    EXPECT_TRUE(
        MergeDosStartupLines(DosStartupFile::AutoexecBat, "", std::string(128, 'x'), NewLinePlace::After)
            .lineTooLong);
    DosMergeResult binary = MergeDosStartupLines(DosStartupFile::ConfigSys, std::string("FILES=30\0", 9),
                                                 "FILES=40", NewLinePlace::After);
    EXPECT_EQ(binary.error, TextError::NulByte);
    EXPECT_FALSE(binary.changed);
}

}  // namespace
}  // namespace gvmain
