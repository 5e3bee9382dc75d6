#include "vorlen/shell/options_dialog.h"

#include "vorlen/platform/settings.h"

#include "../gui/gui_support.h"
#include "../support/config_home.h"

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/notebook.h>
#include <wx/slider.h>
#include <wx/textctrl.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <utility>
#include <vector>

namespace vorlen {
namespace {

using test::Press;
using test::RunModal;

template <typename Control>
Control* Find(wxWindow* dialog, int id) {
    return static_cast<Control*>(dialog->FindWindow(id));
}

class OptionsDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = platform::SetProblemReporter([this](const std::string& caption, const std::string& text) {
            reports_.emplace_back(caption, text);
        });
    }
    void TearDown() override { platform::SetProblemReporter(saved_); }

    test::ConfigHomeGuard home_;
    std::vector<std::pair<std::string, std::string>> reports_;
    platform::ProblemReporter saved_;
};

TEST_F(OptionsDialogTest, ANewKeyShowsTheDefaultsOnThreeTabs) {
    TOptionsDlg dialog(nullptr);
    EXPECT_EQ(dialog.GetTitle(), "Options");
    auto* tabs = Find<wxNotebook>(&dialog, optionsTabs);
    ASSERT_EQ(tabs->GetPageCount(), 3u);
    EXPECT_EQ(Find<wxChoice>(&dialog, optionsBootupOption)->GetStringSelection(), "Every Bootup");
    EXPECT_EQ(Find<wxChoice>(&dialog, optionsInitialScreen)->GetStringSelection(), "Information Tree");
    EXPECT_EQ(Find<wxChoice>(&dialog, optionsDayView)->GetStringSelection(), "Full Display");
    EXPECT_FALSE(Find<wxCheckBox>(&dialog, optionsBypass)->GetValue());
    EXPECT_TRUE(Find<wxCheckBox>(&dialog, optionsMinimizeToTray)->GetValue());
    EXPECT_FALSE(Find<wxCheckBox>(&dialog, optionsKeepLoaded)->GetValue());
    EXPECT_EQ(Find<wxSlider>(&dialog, optionsTimer)->GetValue(), 60);
    EXPECT_EQ(Find<wxTextCtrl>(&dialog, optionsArchiveFile)->GetValue(), "");
    EXPECT_EQ(dialog.FindWindow(optionsLow)->GetLabel(), "Low");

    dialog.Show();
    const char* names[] = {"options_general", "options_archive", "options_advanced"};
    for (int tab = 0; tab < 3; ++tab) {
        tabs->SetSelection(tab);
        std::string shot = test::SaveScreenshot(&dialog, names[tab]);
        EXPECT_TRUE(std::filesystem::exists(shot)) << shot;
    }
    dialog.Hide();
}

TEST_F(OptionsDialogTest, OkWritesEveryValueAndAnEmptyArchiveNameKeepsTheStoredOne) {
    {
        platform::registryAccess key;
        key.Open();
        platform::WriteInt(key, platform::setting::timer, 120);
        platform::WriteInt(key, platform::setting::initialScreen, 9);  // names no screen
        platform::WriteFileName(key, platform::setting::archiveFile, "/old/archive.vor");
    }
    TOptionsDlg dialog(nullptr);
    EXPECT_EQ(Find<wxSlider>(&dialog, optionsTimer)->GetValue(), 60);
    EXPECT_EQ(Find<wxChoice>(&dialog, optionsInitialScreen)->GetSelection(), 1);
    EXPECT_EQ(Find<wxTextCtrl>(&dialog, optionsArchiveFile)->GetValue(), "/old/archive.vor");
    int result = RunModal(dialog, [&] {
        Find<wxChoice>(&dialog, optionsBootupOption)->SetSelection(2);
        Find<wxChoice>(&dialog, optionsInitialScreen)->SetSelection(4);
        Find<wxChoice>(&dialog, optionsDayView)->SetSelection(1);
        Find<wxCheckBox>(&dialog, optionsBypass)->SetValue(true);
        Find<wxCheckBox>(&dialog, optionsMinimizeToTray)->SetValue(false);
        Find<wxCheckBox>(&dialog, optionsKeepLoaded)->SetValue(true);
        Find<wxTextCtrl>(&dialog, optionsArchiveFile)->ChangeValue("");
        Press(&dialog, optionsOk);
    });
    EXPECT_EQ(result, optionsSaved);

    platform::Settings written = platform::ReadSettings();
    EXPECT_EQ(written.timer, 60);
    EXPECT_EQ(written.bootupOption, 2);
    EXPECT_EQ(written.initialScreen, 4);
    EXPECT_EQ(written.dayView, 1);
    EXPECT_EQ(written.bypassBootupDialog, 1);
    EXPECT_EQ(written.minimizeToTray, 0);
    EXPECT_EQ(written.keepLoaded, 1);
    EXPECT_EQ(written.archiveFile, "/old/archive.vor");
    EXPECT_TRUE(reports_.empty());

    TOptionsDlg again(nullptr);
    EXPECT_EQ(Find<wxChoice>(&again, optionsInitialScreen)->GetStringSelection(), "Day View - Today");
    EXPECT_EQ(RunModal(again,
                       [&] {
                           Find<wxTextCtrl>(&again, optionsArchiveFile)->ChangeValue("/new/archive.vor");
                           Press(&again, optionsOk);
                       }),
              optionsSaved);
    EXPECT_EQ(platform::ReadSettings().archiveFile, "/new/archive.vor");
}

TEST_F(OptionsDialogTest, CancelWritesNothingAndAVanishedKeyIsReported) {
    TOptionsDlg cancelled(nullptr);
    EXPECT_EQ(RunModal(cancelled, [&] { Press(&cancelled, optionsCancel); }), optionsCancelled);
    platform::registryAccess key;
    ASSERT_TRUE(key.Open());
    std::vector<std::uint8_t> value;
    EXPECT_FALSE(key.Read("Timer", value));

    TOptionsDlg dialog(nullptr);
    std::filesystem::remove(home_.SettingsFile());
    EXPECT_EQ(RunModal(dialog, [&] { Press(&dialog, optionsOk); }), optionsSaved);
    ASSERT_EQ(reports_.size(), 1u);
    EXPECT_EQ(reports_[0].first, "Problem");
    EXPECT_EQ(reports_[0].second,
              "Cannot save registry information [Create: Vorlen Key(Destroy TOptionsDlg)]");
    EXPECT_FALSE(key.Read("Timer", value));
}

}  // namespace
}  // namespace vorlen
