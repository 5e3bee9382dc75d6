// The event list screen under Xvfb: its columns and cells, find and F3,
// delete, copy and the vCalendar commands, editing by double click, the widths kept across showings, rows
// whose events went behind the list's back, and the screenshot.
#include "vorlen/views/event_list_window.h"

#include "tests/vorlen/core/date_settings_guard.h"
#include "tests/vorlen/support/config_home.h"
#include "tests/vorlen/support/sample_events.h"
#include "tests/vorlen/support/temp_dir.h"
#include "vorlen/views/edit_commands.h"

#include "../gui/gui_support.h"

#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/frame.h>
#include <wx/msgdlg.h>
#include <wx/textctrl.h>

#include <gtest/gtest.h>

namespace vorlen {
namespace {

using test::AnswerModal;

AnswerModal<wxMessageDialog> Message(const std::string& text, const std::string& caption,
                                     int answer = wxID_OK) {
    return AnswerModal<wxMessageDialog>([=](wxMessageDialog* box) {
        EXPECT_EQ(box->GetMessage(), text);
        EXPECT_EQ(box->GetTitle(), caption);
        return answer;
    });
}

class EventListScreen : public ::testing::Test {
protected:
    void SetUp() override {
        file.saved = 1;
        frame = new wxFrame(nullptr, wxID_ANY, "frame", wxDefaultPosition, wxSize(900, 560));
        frame->Show();
    }
    void TearDown() override { frame->Destroy(); }

    // The screen over the events added so far.
    void Open() {
        screen = new TEventListWindow(frame, data);
        frame->SendSizeEvent();
        test::LetEventsRun(200);
    }
    void Reopen() {
        screen->Destroy();
        Open();
    }
    EventNode& Add(const char* description) {
        EventNode& event = *events.Add();
        event.description = OptionalText(description);
        event.typeName = OptionalText("Normal");
        event.startDate = Date(5, 6, 2026);
        return event;
    }
    TEventList* List() { return screen->List(); }
    std::string Cell(long row, int column) { return List()->GetItemText(row, column).utf8_string(); }
    long Selected() { return List()->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); }
    int Widths(int column) { return List()->GetColumnWidth(column); }
    void Command(int id) {
        wxCommandEvent command(wxEVT_MENU, id);
        screen->GetEventHandler()->ProcessEvent(command);
    }
    bool Enabled(int id) {
        wxUpdateUIEvent update(id);
        screen->GetEventHandler()->ProcessEvent(update);
        return update.GetEnabled();
    }
    // Types into the open find dialog and presses its own Find button.
    void FindWithDialog(const char* text) {
        screen->CmEditFind();
        wxFindReplaceDialog* dialog = screen->FindDialog();
        ASSERT_NE(dialog, nullptr);
        for (wxWindow* child : dialog->GetChildren())
            if (auto* edit = dynamic_cast<wxTextCtrl*>(child))
                edit->SetValue(text);
        test::Press(dialog, wxID_FIND);
    }

    test::ConfigHomeGuard home;
    test::DateSettingsGuard dayFirst{1, '/', 1};
    Eventlist events;
    Typelist types;
    store::DataFile file;
    EventEditData data{events, types, file};
    wxFrame* frame = nullptr;
    TEventListWindow* screen = nullptr;
};

TEST_F(EventListScreen, AnEmptyFileShowsTheHeadersAndNothingToActOn) {
    Open();
    EXPECT_EQ(frame->GetTitle(), "Tolvane Vorlen - Event List");
    EXPECT_EQ(List()->GetId(), 22010);
    EXPECT_TRUE(List()->HasFlag(wxLC_REPORT) && List()->HasFlag(wxLC_SINGLE_SEL));
    const char* headers[] = {"Description", "Type",     "Start Date",  "Start Time",
                             "End Date",    "End Time", "Expiry Date", "Where"};
    const int widths[] = {250, 150, 70, 70, 70, 70, 70, 100};
    double scale = List()->WidthScale();
    ASSERT_EQ(List()->GetColumnCount(), 8);
    for (int column = 0; column < 8; ++column) {
        wxListItem item;
        item.SetMask(wxLIST_MASK_TEXT);
        List()->GetColumn(column, item);
        EXPECT_EQ(item.GetText(), headers[column]);
        EXPECT_EQ(Widths(column), views::ShownColumnWidth(widths[column], scale)) << column;
    }
    EXPECT_EQ(List()->GetItemCount(), 0);
    wxRect placed(screen->ToDIP(List()->GetPosition()), screen->ToDIP(List()->GetSize()));
    wxSize client = screen->ToDIP(screen->GetClientSize());
    EXPECT_EQ(placed, wxRect(10, 35, client.x - 20, client.y - 45));
    for (int command : {cmDelete, cmCopy, cmCut, cmSaveAsVCalendar, cmCopyAsVCalendar})
        wxTEST_DIALOG(Command(command), Message("No selected events", "Problem"));
    EXPECT_EQ(file.saved, 1);
}

TEST_F(EventListScreen, CellsShowTheEventsInOrderAndStayEmptyForMissingValues) {
    EventNode& full = Add("Team meeting");
    full.typeName = OptionalText("Meeting");
    full.startTime = Time(9, 30);
    full.endDate = Date(7, 6, 2026);
    full.endTime = Time(10, 0);
    full.rangeEndDate = Date(31, 12, 2026);
    full.location = OptionalText("Room 4");
    EventNode& bare = Add("Caf\xE9 day");
    bare.endDate = Date(0, 6, 2026);  // a month without a day is no date
    bare.endTime = Time(24, 0);
    bare.typeName = OptionalText();
    Open();
    ASSERT_EQ(List()->GetItemCount(), 2);
    const char* first[] = {"Team meeting", "Meeting", "05/06/2026", "09:30",
                           "07/06/2026",   "10:00",   "31/12/2026", "Room 4"};
    for (int column = 0; column < 8; ++column)
        EXPECT_EQ(Cell(0, column), first[column]) << column;
    const char* second[] = {"Caf\xC3\xA9 day", "", "05/06/2026", "", "", "", "", ""};
    for (int column = 0; column < 8; ++column)
        EXPECT_EQ(Cell(1, column), second[column]) << column;
    EXPECT_EQ(List()->EventAt(1), &bare);
}

// A row matches when its description begins with the text, in any case;
// F3 goes on below the match, the dialog's own button starts over.
TEST_F(EventListScreen, FindByPrefixThenF3UntilNoMoreMatches) {
    for (const char* description :
         {"Team meeting", "Dentist", "Meeting notes", "Board meeting", "MEETING room"})
        Add(description);
    Open();
    EXPECT_FALSE(Enabled(cmFindNext));
    FindWithDialog("meet");
    EXPECT_EQ(Selected(), 2);
    EXPECT_EQ(screen->LastFoundIndex(), 2);
    ASSERT_NE(screen->FindDialog(), nullptr);
    EXPECT_FALSE(screen->FindDialog()->IsShown());
    EXPECT_TRUE(Enabled(cmFindNext));
    Command(cmFindNext);
    EXPECT_EQ(Selected(), 4);
    EXPECT_EQ(List()->GetSelectedItemCount(), 1);
    FindWithDialog("meet");
    EXPECT_EQ(Selected(), 2) << "the find button starts from the first row";
    Command(cmFindNext);
    wxTEST_DIALOG(Command(cmFindNext), Message("No matches found!", "Find"));
    EXPECT_EQ(screen->LastFoundIndex(), -1);
    EXPECT_EQ(screen->FindDialog(), nullptr);
    EXPECT_FALSE(Enabled(cmFindNext));
    wxTEST_DIALOG(FindWithDialog("eeting"), Message("No matches found!", "Find"));
}

TEST_F(EventListScreen, DeleteTakesOutTheSelectedRowAndItsEventAfterAsking) {
    Add("First");
    Add("Second");
    Add("Third");
    Open();
    List()->SelectRow(1);
    wxTEST_DIALOG(Command(cmDelete), Message("Are you sure you wish to delete the selected event record?",
                                             "Confirm Delete", wxID_NO));
    EXPECT_EQ(events.count, 3);
    EXPECT_EQ(file.saved, 1);
    wxTEST_DIALOG(Command(cmDelete), Message("Are you sure you wish to delete the selected event record?",
                                             "Confirm Delete", wxID_YES));
    ASSERT_EQ(events.count, 2);
    EXPECT_EQ(events.tail->description, "Third");
    ASSERT_EQ(List()->GetItemCount(), 2);
    EXPECT_EQ(Cell(1, 0), "Third");
    EXPECT_EQ(List()->GetSelectedItemCount(), 0);
    EXPECT_EQ(file.saved, 0);
}

// Copy and the vCalendar commands leave the list and the data as they are;
// what they gave is on the clipboard or in the file.
TEST_F(EventListScreen, CopyAndTheVCalendarCommandsChangeNothing) {
    Add("Dentist").location = OptionalText("Dr Lee");
    Add("Car service");
    Open();
    List()->SelectRow(0);
    Command(cmCopy);
    Eventlist pasted;
    Typelist pastedTypes;
    store::DataFile pastedFile;
    EXPECT_EQ(PasteEvents(frame, {pasted, pastedTypes, pastedFile}).count, 1);
    ASSERT_EQ(pasted.count, 1);
    EXPECT_EQ(pasted.head->location, "Dr Lee");

    test::TempDir dir;
    List()->SetPathChooser([&](const wxString&, bool, const char*) { return dir.File("dentist.vcs"); });
    Command(cmSaveAsVCalendar);
    EXPECT_NE(test::ReadFile(dir.File("dentist.vcs")).find("SUMMARY:Dentist"), std::string::npos);
    Command(cmCopyAsVCalendar);
    wxTextDataObject text;
    ASSERT_TRUE(wxTheClipboard->Open());
    EXPECT_TRUE(wxTheClipboard->GetData(text));
    wxTheClipboard->Close();
    EXPECT_NE(text.GetText().Find("LOCATION:Dr Lee"), wxNOT_FOUND);
    EXPECT_EQ(events.count, 2);
    EXPECT_EQ(List()->GetItemCount(), 2);
    EXPECT_EQ(file.saved, 1);
}

TEST_F(EventListScreen, DoubleClickEditsTheRowsEvent) {
    Add("Dentist");
    Add("Car service");
    Open();
    std::string preset;
    wxTheApp->CallAfter([&] {
        for (wxWindow* window : wxTopLevelWindows) {
            if (auto* dialog = dynamic_cast<TEventEditDlg*>(window)) {
                auto* description = static_cast<wxTextCtrl*>(dialog->FindWindow(eventDescription));
                preset = description->GetValue().utf8_string();
                description->ChangeValue("Car service and tyres");
                test::Press(dialog, eventOk);
            }
        }
    });
    wxListEvent activated(wxEVT_LIST_ITEM_ACTIVATED, eventListId);
    activated.m_itemIndex = 1;
    List()->GetEventHandler()->ProcessEvent(activated);
    EXPECT_EQ(preset, "Car service");
    EXPECT_EQ(events.tail->description, "Car service and tyres");
    EXPECT_EQ(Cell(1, 0), "Car service and tyres");
    EXPECT_EQ(file.saved, 0);
}

// The widths are stored in the unit of the original small font and shown
// wider in proportion to the font's digits.
TEST_F(EventListScreen, ColumnWidthsComeBackTheNextTime) {
    Open();
    double scale = List()->WidthScale();
    EXPECT_EQ(Widths(2), views::ShownColumnWidth(70, scale));
    Reopen();
    platform::registryAccess key;
    key.Open();
    platform::StoredInts stored{};
    ASSERT_TRUE(platform::ReadInts(key, platform::setting::eventListColumnWidths, stored));
    EXPECT_EQ(stored, (platform::StoredInts{250, 150, 70, 70, 70, 70, 70, 100, 0, 0, 0, 0}));

    for (int column = 0; column < 8; ++column)
        List()->SetColumnWidth(column, 60 + 9 * column);
    Reopen();
    int shown[8];
    for (int column = 0; column < 8; ++column) {
        shown[column] = Widths(column);
        EXPECT_NEAR(shown[column], 60 + 9 * column, 1) << column;
    }
    Reopen();
    for (int column = 0; column < 8; ++column)
        EXPECT_EQ(Widths(column), shown[column]) << column;

    // Widths stored when the list had six columns.
    screen->Destroy();
    platform::StoredInts six{300, 150, 70, 70, 70, 70};
    platform::WriteInts(key, platform::setting::eventListColumnWidths, six);
    Open();
    EXPECT_EQ(Widths(0), views::ShownColumnWidth(300, scale));
    EXPECT_EQ(Widths(6), views::ShownColumnWidth(70, scale));
    EXPECT_EQ(Widths(7), views::ShownColumnWidth(100, scale));
}

// A load or a compression may free the events while the list still
// shows them: until the frame refreshes it, the rows show nothing and a
// command on one says that its event is missing.
TEST_F(EventListScreen, RowsWhoseEventsWentShowNothingUntilRefreshed) {
    Add("Gone");
    Open();
    List()->SelectRow(0);
    events.DeleteAll();
    Add("Loaded");
    EXPECT_EQ(List()->EventAt(0), nullptr);
    EXPECT_EQ(Cell(0, 0), "");
    wxTEST_DIALOG(
        Command(cmDelete),
        Message("Are you sure you wish to delete the selected event record?", "Confirm Delete", wxID_YES),
        Message("Null pointer trying to be erased!", "Program Error"));
    EXPECT_EQ(events.count, 1);
    EXPECT_EQ(List()->GetItemCount(), 0);
    screen->RefreshList();
    ASSERT_EQ(List()->GetItemCount(), 1);
    EXPECT_EQ(Cell(0, 0), "Loaded");
    Add("Pasted");
    Add("Pasted too");
    screen->AddLastEvent();
    ASSERT_EQ(List()->GetItemCount(), 3);
    EXPECT_EQ(Cell(2, 0), "Pasted too");
}

TEST_F(EventListScreen, Screenshot) {
    test::AddSampleEvents(events);
    Open();
    List()->SelectRow(7);
    EXPECT_FALSE(test::SaveScreenshot(frame, "event_list_screen").empty());
}

}  // namespace
}  // namespace vorlen
