#include "vorlen/shell/setup_wizard_dialog.h"

#include "vorlen/platform/settings.h"
#include "vorlen/store/data_file.h"

#include "../gui/gui_support.h"
#include "../support/config_home.h"
#include "../support/temp_dir.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/msgdlg.h>
#include <wx/textctrl.h>

#include <gtest/gtest.h>

#include <filesystem>

namespace vorlen {
namespace {

using test::Press;
using test::RunModal;

constexpr char notEnough[] =
    "You have not filled out enough information for Vorlen to work properly. Please make sure all "
    "information "
    "is included.";

wxTextCtrl* Edit(wxWindow* dialog, int id) {
    return static_cast<wxTextCtrl*>(dialog->FindWindow(id));
}

// The "not filled out enough information" box, answered with OK.
test::AnswerModal<wxMessageDialog> NotEnoughInformation() {
    return test::AnswerModal<wxMessageDialog>([](wxMessageDialog* box) {
        EXPECT_EQ(box->GetCaption(), "Problem");
        EXPECT_EQ(box->GetMessage(), notEnough);
        return wxID_OK;
    });
}

void LoseFocus(wxWindow* dialog, int id) {
    wxFocusEvent lost(wxEVT_KILL_FOCUS, id);
    lost.SetEventObject(dialog->FindWindow(id));
    dialog->FindWindow(id)->GetEventHandler()->ProcessEvent(lost);
}

void ExpectPage(SetupWizardDlg& dialog, int step, const char* title, const char* next) {
    EXPECT_EQ(dialog.Step(), step);
    EXPECT_EQ(dialog.GetTitle(), title);
    EXPECT_EQ(dialog.FindWindow(wizardNext)->GetLabel(), next);
    EXPECT_EQ(dialog.FindWindow(wizardBack)->IsEnabled(), step != 1);
    EXPECT_TRUE(dialog.FindWindow(wizardNext)->IsShown());
    // One control of each page, shown on its own page only.
    const int oneOfPage[] = {wizardOwner, wizardDayView, wizardArchiveFile, wizardFinishedText};
    for (int page = 1; page <= 4; ++page)
        EXPECT_EQ(dialog.FindWindow(oneOfPage[page - 1])->IsShown(), page == step) << page;
}

void Shoot(wxWindow* dialog, const std::string& name) {
    std::string shot = test::SaveScreenshot(dialog, name);
    EXPECT_TRUE(std::filesystem::exists(shot)) << shot;
}

class SetupWizardTest : public ::testing::Test {
protected:
    test::ConfigHomeGuard home_;
    test::TempDir files_;
};

TEST_F(SetupWizardTest, EachStepChecksItsFieldsAndFinishWritesTheSettings) {
    {
        platform::registryAccess key;
        key.Open();
        platform::WriteInt(key, platform::setting::dayView, 1);
    }
    const std::string dataFile = files_.File("diary");
    SetupWizardDlg dialog(nullptr);
    EXPECT_EQ(static_cast<wxChoice*>(dialog.FindWindow(wizardDayView))->GetSelection(), 1);
    EXPECT_EQ(Edit(&dialog, wizardDescription)->GetValue(), "Personal Schedule and Event Database");
    int result = RunModal(dialog, [&] {
        ExpectPage(dialog, 1, "Setup Wizard - Step 1 of 3", "&Next >");
        Edit(&dialog, wizardDataFile)->ChangeValue(dataFile);
        LoseFocus(&dialog, wizardDataFile);
        wxTEST_DIALOG(Press(&dialog, wizardNext), NotEnoughInformation());  // no owner
        ExpectPage(dialog, 1, "Setup Wizard - Step 1 of 3", "&Next >");
        Edit(&dialog, wizardOwner)->ChangeValue("Ann Example");
        Shoot(&dialog, "setup_wizard_step1");

        Press(&dialog, wizardNext);
        ExpectPage(dialog, 2, "Setup Wizard - Step 2 of 3", "&Next >");
        static_cast<wxChoice*>(dialog.FindWindow(wizardBootupOption))->SetSelection(0);
        static_cast<wxChoice*>(dialog.FindWindow(wizardBypass))->SetSelection(1);
        Shoot(&dialog, "setup_wizard_step2");

        Press(&dialog, wizardNext);
        ExpectPage(dialog, 3, "Setup Wizard - Step 3 of 3", "&Next >");
        wxTEST_DIALOG(Press(&dialog, wizardNext), NotEnoughInformation());  // no archive
        EXPECT_EQ(dialog.Step(), 3);
        Edit(&dialog, wizardArchiveFile)->ChangeValue(files_.File("old"));
        Shoot(&dialog, "setup_wizard_step3");

        Press(&dialog, wizardNext);
        ExpectPage(dialog, 4, "Setup Wizard - Finished", "Finished");
        Shoot(&dialog, "setup_wizard_finished");
        Press(&dialog, wizardBack);
        ExpectPage(dialog, 3, "Setup Wizard - Step 3 of 3", "&Next >");
        Press(&dialog, wizardNext);
        Press(&dialog, wizardNext);
    });
    EXPECT_EQ(result, wizardFinished);
    EXPECT_EQ(dialog.defaultFile(), dataFile + ".vor");
    EXPECT_EQ(dialog.owner(), "Ann Example");
    EXPECT_EQ(dialog.description(), "Personal Schedule and Event Database");

    platform::Settings written = platform::ReadSettings();
    EXPECT_EQ(written.bootupOption, 0);
    EXPECT_EQ(written.dayView, 1);
    EXPECT_EQ(written.bypassBootupDialog, 1);
    EXPECT_EQ(written.archiveFile, files_.File("old.vor"));
    EXPECT_FALSE(written.defaultFile);  // the caller's to write
}

TEST_F(SetupWizardTest, LeavingTheDataFileNameAddsVorAndLooksIntoAnExistingFile) {
    Eventlist events;
    Typelist types;
    store::DataFile existing;
    ASSERT_TRUE(existing.New(files_.File("family.vor"), false, events, types));
    existing.SetOwner("Ann Example");
    existing.SetTitle("Family Diary");
    ASSERT_TRUE(existing.Save(events, types));

    SetupWizardDlg dialog(nullptr);
    Edit(&dialog, wizardDataFile)->ChangeValue(files_.File("family"));
    LoseFocus(&dialog, wizardDataFile);
    EXPECT_EQ(Edit(&dialog, wizardDataFile)->GetValue(), files_.File("family.vor"));
    EXPECT_EQ(Edit(&dialog, wizardOwner)->GetValue(), "Ann Example");
    EXPECT_EQ(Edit(&dialog, wizardDescription)->GetValue(), "Family Diary");

    // Leaving again without a change keeps what was typed since.
    Edit(&dialog, wizardOwner)->ChangeValue("Bob");
    LoseFocus(&dialog, wizardDataFile);
    EXPECT_EQ(Edit(&dialog, wizardOwner)->GetValue(), "Bob");

    Edit(&dialog, wizardDataFile)->ChangeValue(files_.File("name.abc"));
    LoseFocus(&dialog, wizardDataFile);
    EXPECT_EQ(Edit(&dialog, wizardDataFile)->GetValue(), files_.File("name.abc"));
    EXPECT_EQ(Edit(&dialog, wizardOwner)->GetValue(), "");
    EXPECT_EQ(Edit(&dialog, wizardDescription)->GetValue(), "Personal Schedule and Event Database");
}

TEST_F(SetupWizardTest, AStoredDefaultFileFillsTheFirstPage) {
    Eventlist events;
    Typelist types;
    store::DataFile existing;
    ASSERT_TRUE(existing.New(files_.File("mine.vor"), false, events, types));
    existing.SetOwner("Cy");
    existing.SetTitle("Work");
    ASSERT_TRUE(existing.Save(events, types));
    {
        platform::registryAccess key;
        key.Open();
        platform::WriteFileName(key, platform::setting::defaultFile, files_.File("mine.vor"));
    }
    SetupWizardDlg dialog(nullptr);
    EXPECT_EQ(Edit(&dialog, wizardDataFile)->GetValue(), files_.File("mine.vor"));
    EXPECT_EQ(Edit(&dialog, wizardOwner)->GetValue(), "Cy");
    EXPECT_EQ(Edit(&dialog, wizardDescription)->GetValue(), "Work");
}

TEST_F(SetupWizardTest, CancelOrClosingOnAnyPageWritesNothing) {
    SetupWizardDlg onFirst(nullptr);
    EXPECT_EQ(RunModal(onFirst, [&] { Press(&onFirst, wizardCancel); }), wizardCancelled);

    SetupWizardDlg onThird(nullptr);
    int result = RunModal(onThird, [&] {
        Edit(&onThird, wizardDataFile)->ChangeValue(files_.File("a.vor"));
        Edit(&onThird, wizardOwner)->ChangeValue("Ann");
        Press(&onThird, wizardNext);
        Edit(&onThird, wizardArchiveFile)->ChangeValue(files_.File("b.vor"));
        Press(&onThird, wizardNext);
        onThird.Close();
    });
    EXPECT_EQ(result, wizardCancelled);

    platform::registryAccess key;
    ASSERT_TRUE(key.Open());
    std::vector<std::uint8_t> value;
    for (const char* name : {"BootupOption", "DayView", "BypassBootupDialog", "ArchiveFile", "DefaultFile"})
        EXPECT_FALSE(key.Read(name, value)) << name;
}

}  // namespace
}  // namespace vorlen
