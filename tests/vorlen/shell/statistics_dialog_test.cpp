#include "vorlen/shell/statistics_dialog.h"

#include "vorlen/platform/wx_text.h"
#include "vorlen/store/data_file.h"

#include "../gui/gui_support.h"

#include <wx/checkbox.h>
#include <wx/textctrl.h>

#include <gtest/gtest.h>

#include <filesystem>

namespace vorlen {
namespace {

using test::Press;
using test::RunModal;

store::DataFile OpenFile() {
    store::DataFile file;
    file.SetFileName("/home/ann/family.vor");
    file.SetOwner("Ann Example");
    file.SetTitle("Caf\xE9 diary");
    file.saved = 1;
    return file;
}

wxTextCtrl* Edit(wxWindow* dialog, int id) {
    return static_cast<wxTextCtrl*>(dialog->FindWindow(id));
}

TEST(FileInformationDialog, ShowsTheFileAndTheCountInFull) {
    store::DataFile file = OpenFile();
    TStatisticsDlg dialog(nullptr, file, 12345);
    EXPECT_EQ(dialog.GetTitle(), "File Information");
    EXPECT_EQ(dialog.FindWindow(statisticsFileName)->GetLabel(), "/home/ann/family.vor");
    EXPECT_EQ(dialog.FindWindow(statisticsCount)->GetLabel(), "12345");
    EXPECT_EQ(Edit(&dialog, statisticsOwner)->GetValue(), "Ann Example");
    EXPECT_EQ(Edit(&dialog, statisticsDescription)->GetValue(), platform::ToWx("Caf\xE9 diary"));
    EXPECT_FALSE(static_cast<wxCheckBox*>(dialog.FindWindow(statisticsArchive))->GetValue());
    dialog.Show();
    std::string shot = test::SaveScreenshot(&dialog, "file_information");
    EXPECT_TRUE(std::filesystem::exists(shot)) << shot;
    dialog.Hide();
}

TEST(FileInformationDialog, OkMarksTheDataUnsavedEvenWithoutChanges) {
    store::DataFile file = OpenFile();
    TStatisticsDlg dialog(nullptr, file, 3);
    EXPECT_EQ(RunModal(dialog, [&] { Press(&dialog, statisticsOk); }), statisticsChanged);
    EXPECT_EQ(file.saved, 0);
    EXPECT_EQ(file.owner, "Ann Example");
    EXPECT_EQ(file.title, "Caf\xE9 diary");
    EXPECT_EQ(file.isArchive, 0);
}

TEST(FileInformationDialog, OkTakesOwnerDescriptionAndArchiveMarkAndCancelNothing) {
    store::DataFile file = OpenFile();
    TStatisticsDlg cancelled(nullptr, file, 3);
    EXPECT_EQ(RunModal(cancelled,
                       [&] {
                           Edit(&cancelled, statisticsOwner)->ChangeValue("Someone else");
                           Press(&cancelled, statisticsCancel);
                       }),
              statisticsCancelled);
    EXPECT_EQ(file.saved, 1);
    EXPECT_EQ(file.owner, "Ann Example");

    TStatisticsDlg dialog(nullptr, file, 3);
    EXPECT_EQ(RunModal(dialog,
                       [&] {
                           Edit(&dialog, statisticsOwner)->ChangeValue("Bob");
                           Edit(&dialog, statisticsDescription)->ChangeValue("Work");
                           static_cast<wxCheckBox*>(dialog.FindWindow(statisticsArchive))->SetValue(true);
                           Press(&dialog, statisticsOk);
                       }),
              statisticsChanged);
    EXPECT_EQ(file.owner, "Bob");
    EXPECT_EQ(file.title, "Work");
    EXPECT_EQ(file.isArchive, 1);
    EXPECT_EQ(file.saved, 0);
}

}  // namespace
}  // namespace vorlen
