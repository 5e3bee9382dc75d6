// The information tree as the main frame's screen: the frame's keys and
// commands reach it, a new event from the frame gets its node, and a full
// refresh gives a new tree.
#include "vorlen/shell/application.h"

#include "vorlen/platform/settings.h"
#include "vorlen/shell/main_frame.h"
#include "vorlen/shell/statistics_dialog.h"
#include "vorlen/views/event_edit_dialog.h"
#include "vorlen/views/info_tree.h"
#include "tests/vorlen/support/config_home.h"

#include "../gui/gui_support.h"

#include <wx/combobox.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <gtest/gtest.h>

#include <cstdlib>

namespace vorlen {
namespace {

using test::AnswerModal;
using test::LetEventsRun;

class InfoTreeScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("XDG_DATA_HOME", dir.File("share").c_str(), 1);
        shell::Document fresh;
        ASSERT_TRUE(fresh.CreateNew(dataFile, Date::Today()));  // one "Appointment" event
        ASSERT_TRUE(fresh.Save());
        platform::registryAccess key;
        key.Open();
        platform::WriteFileName(key, platform::setting::defaultFile, dataFile);
        platform::WriteInt(key, platform::setting::initialScreen, ScreenInfoTree);
        app = std::make_unique<TVorlenApp>(shell::StartupFacts{{}, Date::Today(), Time::Now()});
        ASSERT_EQ(app->Construct(), keepRunning);
        app->CreateMainWindow();
        LetEventsRun(300);
    }
    void TearDown() override {
        app->Data().file.saved = 1;
        app->Frame()->Close();
        LetEventsRun(200);
        app.reset();
        ::unsetenv("XDG_DATA_HOME");
    }

    TInfoTree* Screen() { return dynamic_cast<TInfoTree*>(app->Frame()->Screen()); }
    TTree& Tree() { return *Screen()->Tree(); }
    wxTreeItemId Appointment() { return Tree().CategoryNode("Appointment"); }
    void Command(int id) {
        wxCommandEvent command(wxEVT_MENU, id);
        app->Frame()->ProcessWindowEvent(command);
    }
    // Selects `item` and gives the tree the focus, as a click would.
    void FocusOn(const wxTreeItemId& item) {
        Tree().SelectItem(item);
        Tree().SetFocus();
        LetEventsRun(200);
    }

    test::ConfigHomeGuard home;
    test::TempDir dir;
    std::string dataFile = dir.File("events.vor");
    std::unique_ptr<TVorlenApp> app;
};

TEST_F(InfoTreeScreenTest, KeysOfTheFrameAndTheTree) {
    ASSERT_NE(Screen(), nullptr);
    EXPECT_EQ(app->Frame()->GetTitle(), "Tolvane Vorlen - Information Tree");
    app->Frame()->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    for (int id : {cmDelete, cmCut, cmCopy, cmSaveAsVCalendar, cmCopyAsVCalendar})
        EXPECT_TRUE(app->Frame()->GetMenuBar()->IsEnabled(id)) << id;
    wxUIActionSimulator keys;

    // F2 renames the category in place; Delete inside the edit stays there.
    FocusOn(Appointment());
    keys.Char(WXK_F2);
    LetEventsRun(200);
    ASSERT_NE(Tree().GetEditControl(), nullptr);
    keys.Text("Dates");
    keys.Char(WXK_HOME);
    keys.Char(WXK_DELETE);
    LetEventsRun(200);
    ASSERT_NE(Tree().GetEditControl(), nullptr);
    EXPECT_EQ(Tree().GetEditControl()->GetValue(), "ates");
    keys.Char(WXK_RETURN);
    LetEventsRun(200);
    EXPECT_EQ(app->Data().events.head->typeName.view(), "ates");
    EXPECT_EQ(app->Data().events.count, 1);

    // The menu key shows the pop-up menu beside the selected node.
    Tree().Expand(Appointment());
    wxTreeItemIdValue cookie;
    wxTreeItemId event = Tree().GetFirstChild(Appointment(), cookie);
    FocusOn(event);
    wxPoint shownAt;
    Tree().SetMenuShower([&](wxMenu&, const wxPoint& at) { shownAt = at; });
    keys.Char(WXK_MENU);
    LetEventsRun(200);
    wxRect row;
    ASSERT_TRUE(Tree().GetBoundingRect(event, row, true));
    EXPECT_TRUE(row.Contains(shownAt.x, shownAt.y - 1)) << shownAt.x << "," << shownAt.y;

    // Tab leaves the tree for the buttons.
    keys.Char(WXK_TAB);
    LetEventsRun(200);
    EXPECT_EQ(wxWindow::FindFocus(), Screen()->FindWindow(treeAddEvent));

    // The Delete key asks, then deletes the selected event.
    FocusOn(event);
    wxTEST_DIALOG(
        {
            keys.Char(WXK_DELETE);
            LetEventsRun(300);
        },
        AnswerModal<wxMessageDialog>([](wxMessageDialog* box) {
            EXPECT_EQ(box->GetTitle(), "Confirm Delete");
            return wxID_YES;
        }));
    EXPECT_EQ(app->Data().events.count, 0);
    EXPECT_EQ(Tree().GetCount(), 1u) << "the emptied category node went too";
}

TEST_F(InfoTreeScreenTest, NewEventsAndFullRefreshes) {
    wxTheApp->CallAfter([] {
        for (wxWindow* window : wxTopLevelWindows) {
            if (auto* dialog = dynamic_cast<TEventEditDlg*>(window)) {
                static_cast<wxTextCtrl*>(dialog->FindWindow(eventDescription))->ChangeValue("Dentist");
                static_cast<wxComboBox*>(dialog->FindWindow(eventCategory))->SetValue("Meeting");
                test::Press(dialog, eventOk);
            }
        }
    });
    Command(cmNewEvent);
    ASSERT_EQ(app->Data().events.count, 2);
    wxTreeItemId meeting = Tree().CategoryNode("Meeting");
    ASSERT_TRUE(meeting.IsOk());
    wxTreeItemIdValue cookie;
    EXPECT_EQ(Tree().EventOf(Tree().GetFirstChild(meeting, cookie)), app->Data().events.tail);
    EXPECT_FALSE(test::SaveScreenshot(app->Frame(), "main_frame_info_tree").empty());

    // OK in the file information dialog shows the data afresh.
    wxTheApp->CallAfter([] {
        for (wxWindow* window : wxTopLevelWindows)
            if (auto* dialog = dynamic_cast<TStatisticsDlg*>(window))
                test::Press(dialog, statisticsOk);
    });
    Command(cmProperties);
    EXPECT_FALSE(Tree().HasFlag(wxTR_EDIT_LABELS));
    EXPECT_EQ(Tree().GetChildrenCount(Tree().TopNode(), false), 2u);
}

}  // namespace
}  // namespace vorlen
