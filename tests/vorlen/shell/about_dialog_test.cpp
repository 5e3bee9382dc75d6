#include "vorlen/shell/about_dialog.h"

#include "../gui/gui_support.h"

#include <wx/stattext.h>

#include <gtest/gtest.h>

#include <filesystem>

namespace vorlen {
namespace {

wxString Text(wxWindow* dialog, int id) {
    return static_cast<wxStaticText*>(dialog->FindWindow(id))->GetLabel();
}

TEST(AboutBox, ShowsTheProgramsVersion) {
    TVorlenAboutDlg dialog(nullptr);
    EXPECT_EQ(dialog.GetTitle(), "About Vorlen");
    EXPECT_EQ(Text(&dialog, aboutProduct), "Tolvane Vorlen for Windows 95/NT");
    EXPECT_EQ(Text(&dialog, aboutVersion), "Tolvane Vorlen 98 Version 1.00");
    EXPECT_EQ(Text(&dialog, aboutSpecialBuild), "Release Version");
    ASSERT_NE(dialog.FindWindow(wxID_OK), nullptr);
    dialog.Show();
    std::string shot = test::SaveScreenshot(&dialog, "about_vorlen");
    EXPECT_TRUE(std::filesystem::exists(shot)) << shot;
    dialog.Hide();
}

TEST(AboutBox, WithoutVersionInformationKeepsTheStaticText) {
    TVorlenAboutDlg bare(nullptr, TProjectRCVersion(VersionValues{}));
    EXPECT_EQ(Text(&bare, aboutVersion), "Version");
    EXPECT_EQ(Text(&bare, aboutSpecialBuild), "");

    // Both the name and the number are needed; the build stands alone.
    TProjectRCVersion nameOnly(VersionValues{"Tolvane Vorlen 98", std::nullopt, "Test Build"});
    TVorlenAboutDlg partial(nullptr, nameOnly);
    EXPECT_EQ(Text(&partial, aboutVersion), "Version");
    EXPECT_EQ(Text(&partial, aboutSpecialBuild), "Test Build");

    // Windows-1252 texts reach the window as the characters they stand for.
    TVorlenAboutDlg accented(nullptr,
                             TProjectRCVersion(VersionValues{"Vorl\xe9n", "2.0\x96\x62", std::nullopt}));
    EXPECT_EQ(Text(&accented, aboutVersion), wxString::FromUTF8("Vorlén Version 2.0–b"));
}

}  // namespace
}  // namespace vorlen
