// The data file type's desktop registration files.
#include "vorlen/shell/file_type_registration.h"
#include "tests/vorlen/support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace vorlen::shell {
namespace {

TEST(FileTypeRegistration, WritesTheMimePackageAndDesktopEntryUnderDataHome) {
    test::TempDir home;
    const char* saved = std::getenv("XDG_DATA_HOME");
    std::string kept = saved ? saved : "";
    ::setenv("XDG_DATA_HOME", home.Path().c_str(), 1);
    std::string error;
    bool registered = RegisterFileType("/opt/my apps/vorlen", "<svg/>", &error);
    saved ? ::setenv("XDG_DATA_HOME", kept.c_str(), 1) : ::unsetenv("XDG_DATA_HOME");
    ASSERT_TRUE(registered) << error;

    std::string mime = test::ReadFile(home.File("mime/packages/vorlen.xml"));
    EXPECT_NE(mime.find("<glob pattern=\"*.vor\"/>"), std::string::npos);
    EXPECT_NE(mime.find("value=\"&lt;TOLVANE VORLEN&gt;\""), std::string::npos);
    std::string desktop = test::ReadFile(home.File("applications/vorlen.desktop"));
    EXPECT_NE(desktop.find("Exec=\"/opt/my apps/vorlen\" %f\n"), std::string::npos);
    EXPECT_NE(desktop.find("MimeType=application/x-vorlen;\n"), std::string::npos);
    EXPECT_EQ(test::ReadFile(home.File("icons/hicolor/scalable/apps/vorlen.svg")), "<svg/>");
}

TEST(FileTypeRegistration, UnwritableDataHomeFailsWithAReason) {
    test::TempDir home;
    test::WriteFile(home.File("mime"), "a file where a directory belongs");
    const char* saved = std::getenv("XDG_DATA_HOME");
    std::string kept = saved ? saved : "";
    ::setenv("XDG_DATA_HOME", home.Path().c_str(), 1);
    std::string error;
    EXPECT_FALSE(RegisterFileType("/usr/bin/vorlen", "<svg/>", &error));
    saved ? ::setenv("XDG_DATA_HOME", kept.c_str(), 1) : ::unsetenv("XDG_DATA_HOME");
    EXPECT_NE(error.find("mime"), std::string::npos);
}

}  // namespace
}  // namespace vorlen::shell
