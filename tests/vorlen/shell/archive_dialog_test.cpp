#include "vorlen/shell/archive_dialog.h"

#include "vorlen/platform/settings.h"
#include "vorlen/platform/wx_text.h"
#include "vorlen/shell/problem_reports.h"

#include "../gui/gui_support.h"

#include <wx/msgdlg.h>
#include <wx/stattext.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

namespace vorlen {
namespace {

using test::Press;

std::vector<wxString> Labels(wxWindow* dialog) {
    std::vector<wxString> labels;
    for (wxWindow* child : dialog->GetChildren())
        labels.push_back(child->GetLabel());
    return labels;
}

TEST(CompressDialog, ShowsTheCountInItsSentence) {
    TArchiveDlg dialog(nullptr, 12);
    EXPECT_EQ(dialog.GetTitle(), "Compress Database");
    std::vector<wxString> labels = Labels(&dialog);
    for (const char* text :
         {"There are", "events that have been found to be old or expired.",
          "Do you wish to archive or delete save these events?", "Archive", "Delete", "Cancel", "Help"})
        EXPECT_NE(std::find(labels.begin(), labels.end(), wxString(text)), labels.end()) << text;
    EXPECT_EQ(static_cast<wxStaticText*>(dialog.FindWindow(archiveCount))->GetLabel(), "12");
    dialog.Show();
    std::string shot = test::SaveScreenshot(&dialog, "compress_database");
    EXPECT_TRUE(std::filesystem::exists(shot)) << shot;
    dialog.Hide();
}

TEST(CompressDialog, EachButtonGivesItsChoice) {
    WindowCompressPrompts prompts(nullptr);
    const std::pair<int, store::CompressChoice> buttons[] = {{wxID_OK, store::CompressChoice::Archive},
                                                             {archiveDelete, store::CompressChoice::Delete},
                                                             {wxID_CANCEL, store::CompressChoice::Cancel}};
    for (auto [button, choice] : buttons) {
        // The dialog is made inside the prompts; press its button once its
        // modal loop runs.
        wxTheApp->CallAfter([button = button] {
            for (wxWindow* window : wxTopLevelWindows) {
                if (auto* dialog = dynamic_cast<TArchiveDlg*>(window))
                    Press(dialog, button);
            }
        });
        EXPECT_EQ(prompts.ChooseArchiveOrDelete(3), choice) << button;
    }
}

// Answers a message box after checking its caption and text.
test::AnswerModal<wxMessageDialog> MessageBox(const char* caption, const char* text, int answer) {
    return test::AnswerModal<wxMessageDialog>([=](wxMessageDialog* box) {
        EXPECT_EQ(box->GetCaption(), caption);
        EXPECT_EQ(box->GetMessage(), text);
        return answer;
    });
}

TEST(CompressDialog, MessagesAreMessageBoxesWithTheirCaptions) {
    WindowCompressPrompts prompts(nullptr);
    wxTEST_DIALOG(prompts.ShowMessage("Notice", "Database cannot be compressed"),
                  MessageBox("Notice", "Database cannot be compressed", wxID_OK));
    wxTEST_DIALOG(EXPECT_TRUE(prompts.AskYesNo("Downgrade?", "Load it?")),
                  MessageBox("Downgrade?", "Load it?", wxID_YES));
    wxTEST_DIALOG(EXPECT_FALSE(prompts.AskYesNo("Downgrade?", "Load it?")),
                  MessageBox("Downgrade?", "Load it?", wxID_NO));
}

TEST(ToolkitTexts, Windows1252BothWaysWithTheUndefinedBytes) {
    wxString text = platform::ToWx(
        "caf\xE9 \x80 a\x81"
        "b");
    EXPECT_EQ(text.length(), 10u);
    EXPECT_EQ(text[3], wxUniChar(0xE9));
    EXPECT_EQ(text[5], wxUniChar(0x20AC));
    EXPECT_EQ(text[8], wxUniChar(0x81));
    EXPECT_EQ(platform::FromWx(text),
              "caf\xE9 \x80 a\x81"
              "b");
    EXPECT_EQ(platform::FromWx(wxString::FromUTF8("\xE6\x97\xA5")), "?");
}

TEST(ProblemReports, SettingsProblemsBecomeMessageBoxesCaptionedProblem) {
    ShowSettingsProblemsInMessageBoxes();
    wxTEST_DIALOG(
        platform::ReportSettingsWriteFailure("OptionsDLG.ArchiveFile!"),
        MessageBox("Problem", "Cannot save registry information [OptionsDLG.ArchiveFile!]", wxID_OK));
    platform::SetProblemReporter({});
}

}  // namespace
}  // namespace vorlen
