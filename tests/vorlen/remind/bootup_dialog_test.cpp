#include "vorlen/remind/bootup_dialog.h"

#include "../gui/gui_support.h"

#include <wx/button.h>
#include <wx/notebook.h>
#include <wx/stattext.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace vorlen {
namespace {

wxString LabelOf(wxWindow* dialog, int id) {
    return static_cast<wxStaticText*>(dialog->FindWindow(id))->GetLabel();
}

std::vector<bool> Shown(wxWindow* dialog, std::initializer_list<int> ids) {
    std::vector<bool> shown;
    for (int id : ids)
        shown.push_back(dialog->FindWindow(id)->IsShown());
    return shown;
}

const std::initializer_list<int> noticeIds = {501, 502, 503, 504, 140, 141, 142};
const std::initializer_list<int> extraIds = {499, 505};

TEST(StartUpDialog, ShowsTheFourTextsOnTheirPages) {
    TBootup dialog(nullptr, BootupCountText(7), "05/03/1998", "09:30", "Never!");
    EXPECT_EQ(dialog.GetTitle(), "Tolvane Vorlen");
    EXPECT_EQ(LabelOf(&dialog, 140), "7");
    EXPECT_EQ(LabelOf(&dialog, 141), "05/03/1998");
    EXPECT_EQ(LabelOf(&dialog, 142), "09:30");
    EXPECT_EQ(LabelOf(&dialog, 499), "Never!");
    EXPECT_EQ(LabelOf(&dialog, 501), "You have");
    EXPECT_EQ(LabelOf(&dialog, 502), "event(s) waiting");
    EXPECT_EQ(LabelOf(&dialog, 505), "Last Checked:");
    EXPECT_EQ(LabelOf(&dialog, 503), "Date:");
    EXPECT_EQ(LabelOf(&dialog, 504), "Time:");
    EXPECT_EQ(dialog.FindWindow(2)->GetLabel(), "Cancel");
    EXPECT_EQ(dialog.FindWindow(9)->GetLabel(), "Help");
    auto* tabs = static_cast<wxNotebook*>(dialog.FindWindow(500));
    ASSERT_EQ(tabs->GetPageCount(), 2u);
    EXPECT_EQ(tabs->GetPageText(0), "Notice");
    EXPECT_EQ(tabs->GetPageText(1), "Extra Information");
    EXPECT_EQ(dialog.CurrentPage(), 0);
    EXPECT_EQ(Shown(&dialog, noticeIds), std::vector<bool>(7, true));
    EXPECT_EQ(Shown(&dialog, extraIds), std::vector<bool>(2, false));
    EXPECT_EQ(static_cast<wxButton*>(dialog.FindWindow(1))->GetLabel(), "View Events");
}

TEST(StartUpDialog, EachChangeOfTabFlipsThePage) {
    TBootup dialog(nullptr, "3", "05/03/1998", "09:30", "04/03/1998");
    dialog.Show();
    auto* tabs = static_cast<wxNotebook*>(dialog.FindWindow(500));
    tabs->SetSelection(1);
    test::LetEventsRun(100);
    EXPECT_EQ(dialog.CurrentPage(), 1);
    EXPECT_EQ(Shown(&dialog, noticeIds), std::vector<bool>(7, false));
    EXPECT_EQ(Shown(&dialog, extraIds), std::vector<bool>(2, true));
    std::string shot = test::SaveScreenshot(&dialog, "bootup_extra_information");
    EXPECT_TRUE(std::filesystem::exists(shot)) << shot;

    tabs->SetSelection(0);
    test::LetEventsRun(100);
    EXPECT_EQ(dialog.CurrentPage(), 0);
    EXPECT_EQ(Shown(&dialog, noticeIds), std::vector<bool>(7, true));
    EXPECT_EQ(Shown(&dialog, extraIds), std::vector<bool>(2, false));
    shot = test::SaveScreenshot(&dialog, "bootup_notice");
    EXPECT_TRUE(std::filesystem::exists(shot)) << shot;
    dialog.Hide();
}

// Shows the dialog modally and, once its loop runs, does what a user
// would; the code ShowModal gave back.
int RunModal(TBootup& dialog, std::function<void()> user) {
    dialog.CallAfter(user);
    return dialog.ShowModal();
}

using test::Press;

TEST(StartUpDialog, ViewEventsGivesOneAndCancelOrClosingTwo) {
    TBootup view(nullptr, "1", "d", "t", "l");
    EXPECT_EQ(RunModal(view, [&] { Press(&view, bootupViewEvents); }), 1);
    TBootup cancel(nullptr, "1", "d", "t", "l");
    EXPECT_EQ(RunModal(cancel, [&] { Press(&cancel, bootupCancel); }), 2);
    TBootup closed(nullptr, "1", "d", "t", "l");
    EXPECT_EQ(RunModal(closed, [&] { closed.Close(); }), 2);
}

TEST(StartUpDialog, CountsAreShownInFull) {
    EXPECT_EQ(BootupCountText(7), "7");
    EXPECT_EQ(BootupCountText(100), "100");
    EXPECT_EQ(BootupCountText(12345), "12345");
}

}  // namespace
}  // namespace vorlen
