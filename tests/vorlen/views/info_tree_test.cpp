// The information tree under Xvfb: the three levels and their order, the
// details panel, renaming in place, the commands on the selected node (also
// from the pop-up menu), adding and editing events, and the screenshot.
#include "vorlen/views/info_tree.h"

#include "vorlen/platform/locale_format.h"
#include "vorlen/platform/wx_text.h"
#include "vorlen/resources/art.h"
#include "vorlen/views/value_field.h"
#include "tests/vorlen/core/date_settings_guard.h"
#include "tests/vorlen/support/config_home.h"
#include "tests/vorlen/support/temp_dir.h"

#include "../gui/gui_support.h"

#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace vorlen {
namespace {

using test::AnswerModal;

AnswerModal<wxMessageDialog> Message(const std::string& text, const std::string& caption, int answer = wxID_OK) {
    return AnswerModal<wxMessageDialog>([=](wxMessageDialog* box) {
        EXPECT_EQ(box->GetMessage(), text);
        EXPECT_EQ(box->GetTitle(), caption);
        return answer;
    });
}

class InfoTreeTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetFormatLocale("en_GB");
        file.title = OptionalText("Family and work");
        file.saved = 1;
        frame = new wxFrame(nullptr, wxID_ANY, "frame", wxDefaultPosition, wxSize(720, 480));
    }
    void TearDown() override {
        frame->Destroy();
        platform::SetFormatLocale("en_US_POSIX");
    }

    EventNode* Add(const char* description, const char* category, const Time& time = Time()) {
        EventNode* event = events.Add();
        event->description = OptionalText(description);
        event->typeName = OptionalText(category);
        event->startDate = Date(2, 3, 1998);
        event->startTime = time;
        event->period = PeriodOnceOff;
        return event;
    }
    TInfoTree* Open() {
        screen = new TInfoTree(frame, data);
        frame->Show();
        test::LetEventsRun(200);
        return screen;
    }
    TTree& Tree() { return *screen->Tree(); }

    std::vector<std::string> Children(const wxTreeItemId& parent) {
        Tree().FillCategory(parent);
        std::vector<std::string> labels;
        wxTreeItemIdValue cookie;
        for (wxTreeItemId child = Tree().GetFirstChild(parent, cookie); child.IsOk();
             child = Tree().GetNextChild(parent, cookie))
            labels.push_back(platform::FromWx(Tree().GetItemText(child)));
        return labels;
    }
    wxTreeItemId Child(const wxTreeItemId& parent, const std::string& label) {
        Tree().FillCategory(parent);
        wxTreeItemIdValue cookie;
        for (wxTreeItemId child = Tree().GetFirstChild(parent, cookie); child.IsOk();
             child = Tree().GetNextChild(parent, cookie))
            if (Tree().GetItemText(child) == label)
                return child;
        return {};
    }
    wxTreeItemId EventItem(const std::string& category, const std::string& description) {
        return Child(Child(Tree().TopNode(), category), description);
    }
    void Select(const wxTreeItemId& item) {
        ASSERT_TRUE(item.IsOk());
        Tree().SelectItem(item);
    }
    // Renames in place as a user does: F2's edit control, typed, Enter.
    void Rename(const wxTreeItemId& item, const wxString& text) {
        Tree().EditLabel(item);
        ASSERT_NE(Tree().GetEditControl(), nullptr);
        Tree().GetEditControl()->SetValue(text);
        Tree().EndEditLabel(item);
        test::LetEventsRun(50);
    }
    std::string Value(int row) { return platform::FromWx(screen->DetailValue(row)->GetLabel()); }

    test::ConfigHomeGuard home;
    test::DateSettingsGuard dayFirst{1, '/', 1};
    Eventlist events;
    Typelist types;
    store::DataFile file;
    EventEditData data{events, types, file};
    wxFrame* frame = nullptr;
    TInfoTree* screen = nullptr;
};

TEST_F(InfoTreeTest, EmptyFileShowsOnlyTheTitleAndNoDetails) {
    Open();
    EXPECT_EQ(frame->GetTitle(), "Tolvane Vorlen - Information Tree");
    EXPECT_EQ(Tree().GetId(), infoTreeId);
    EXPECT_EQ(Tree().GetCount(), 1u);
    EXPECT_EQ(Tree().GetItemText(Tree().TopNode()), "Family and work");
    EXPECT_TRUE(Tree().HasFlag(wxTR_EDIT_LABELS));
    EXPECT_EQ(static_cast<wxStaticBox*>(screen->FindWindow(detailsGroupId))->GetLabel(), "Record Details");
    EXPECT_FALSE(screen->FindWindow(detailsGroupId)->IsEnabled());
    EXPECT_FALSE(screen->DetailLabel(0)->IsEnabled());
    EXPECT_FALSE(screen->FindWindow(treeEditEvent)->IsEnabled());
    EXPECT_TRUE(screen->FindWindow(treeAddEvent)->IsEnabled());
    // The layout's right column, at the normal scale.
    wxSize client = screen->ToDIP(screen->GetClientSize());
    wxWindow* group = screen->FindWindow(detailsGroupId);
    EXPECT_EQ(screen->ToDIP(group->GetPosition()), wxPoint(client.x - 215, 35));
    EXPECT_EQ(screen->ToDIP(Tree().GetSize()), wxSize(client.x - 230, client.y - 45));
    EXPECT_EQ(screen->ToDIP(screen->FindWindow(rangeEndValueId)->GetPosition()), wxPoint(client.x - 145, 178));
}

TEST_F(InfoTreeTest, CategoriesAndEventsSortedAndCaseKeptApart) {
    Add("Work party", "Work");
    Add("Tom", "Birthday");
    Add("anna", "Birthday");
    Add("Report", "work");
    for (int i = 0; i < 120; ++i)  // more than the original's table of 100
        Add("Extra", ("Zone " + std::to_string(1000 + i)).c_str());
    Open();
    std::vector<std::string> categories = Children(Tree().TopNode());
    ASSERT_EQ(categories.size(), 123u);
    categories.resize(4);
    EXPECT_EQ(categories, (std::vector<std::string>{"Birthday", "Work", "work", "Zone 1000"}));
    EXPECT_EQ(Children(Child(Tree().TopNode(), "Birthday")), (std::vector<std::string>{"anna", "Tom"}));
    EXPECT_EQ(Children(Child(Tree().TopNode(), "work")), (std::vector<std::string>{"Report"}));
    // Category nodes are filled when first opened; until then they show
    // they have children.
    wxTreeItemId work = Tree().CategoryNode("Work");
    EXPECT_TRUE(Tree().ItemHasChildren(work));
    Tree().Expand(work);
    EXPECT_EQ(Tree().GetChildrenCount(work), 1u);
}

TEST_F(InfoTreeTest, DetailsSpellTheSelectedEventOut) {
    EventNode* dentist = Add("Dentist", "Appointment", Time(9, 30));
    dentist->location = OptionalText("High Street");
    dentist->period = PeriodMonthlyByPosition;
    dentist->monthlyPosition = {4, 2, 0};
    Add("Holiday", "Normal")->period = PeriodDaily;
    Open();
    wxTreeItemId item = EventItem("Appointment", "Dentist");
    EXPECT_EQ(Tree().GetItemImage(item), art::treeImageAppointment);
    EXPECT_EQ(Tree().GetItemImage(item, wxTreeItemIcon_Selected), art::treeImageEventSelected);
    EXPECT_EQ(Tree().GetItemImage(EventItem("Normal", "Holiday")), art::treeImageEvent);
    Select(item);
    EXPECT_TRUE(screen->FindWindow(detailsGroupId)->IsEnabled());
    EXPECT_TRUE(screen->FindWindow(treeEditEvent)->IsEnabled());
    EXPECT_EQ(Value(0), "Dentist");
    EXPECT_EQ(Value(1), "Appointment");
    EXPECT_EQ(Value(2), "09:30, 02/03/1998");
    EXPECT_EQ(Value(3), "");
    EXPECT_FALSE(screen->DetailLabel(3)->IsEnabled()) << "no end";
    EXPECT_FALSE(screen->DetailLabel(4)->IsEnabled()) << "no range end";
    EXPECT_TRUE(screen->DetailLabel(5)->IsEnabled());
    EXPECT_EQ(Value(5), "High Street");
    EXPECT_EQ(Value(6), "The forth Monday of every month");
    // A category node empties the panel; "Edit Event" stays enabled and
    // tells the user instead.
    Select(Child(Tree().TopNode(), "Normal"));
    EXPECT_EQ(Value(0), "");
    EXPECT_FALSE(screen->DetailLabel(0)->IsEnabled());
    EXPECT_TRUE(screen->FindWindow(treeEditEvent)->IsEnabled());
    wxTEST_DIALOG(test::Press(screen, treeEditEvent),
                  Message("You need to select an event node in order to edit", "Notice"));
}

// The renamed node keeps its place in the category table under the old
// name, so a later event of the new name gets a node of its own.
TEST_F(InfoTreeTest, RenamingWorkToJobAndTheLaterJobEvent) {
    EventNode* report = Add("Report", "Work");
    EventNode* meeting = Add("Meeting", "Work");
    Add("Tom", "Birthday");
    Open();
    wxTreeItemId work = Child(Tree().TopNode(), "Work");
    Rename(work, "Job");
    EXPECT_EQ(Tree().GetItemText(work), "Job");
    EXPECT_EQ(report->typeName, "Job");
    EXPECT_EQ(meeting->typeName, "Job");
    EXPECT_EQ(file.saved, 0);
    EXPECT_EQ(Tree().CategoryNode("Work"), work);

    Add("Interview", "Job");
    screen->AddNewEventNode();
    EXPECT_EQ(Children(Tree().TopNode()), (std::vector<std::string>{"Birthday", "Job", "Job"}));
    wxTreeItemId job = Tree().CategoryNode("Job");
    ASSERT_TRUE(job.IsOk());
    EXPECT_NE(job, work);
    EXPECT_EQ(Children(job), (std::vector<std::string>{"Interview"}));
    EXPECT_TRUE(Tree().HasFocus());

    // The title and an event's description, then a cancelled edit and an
    // emptied label, which change nothing.
    Rename(Tree().TopNode(), "Home");
    EXPECT_EQ(file.title, "Home");
    Rename(EventItem("Birthday", "Tom"), "Tom Smith");
    EXPECT_EQ(events.head->Next()->Next()->description, "Tom Smith");
    file.saved = 1;
    wxTreeItemId tom = EventItem("Birthday", "Tom Smith");
    Tree().EditLabel(tom);
    Tree().GetEditControl()->SetValue("Thomas");
    Tree().EndEditLabel(tom, true);
    test::LetEventsRun(50);
    Rename(tom, "");
    EXPECT_EQ(Tree().GetItemText(tom), "Tom Smith");
    EXPECT_EQ(file.saved, 1);
}

TEST_F(InfoTreeTest, DeletingTheLastEventOfACategoryRemovesItsNode) {
    Add("Tom", "Birthday");
    EventNode* report = Add("Report", "Work");
    Open();
    Select(Child(Tree().TopNode(), "Work"));
    wxTEST_DIALOG(Tree().DeleteSelected(), Message("Cannot delete the selected node!", "Notice"));
    Select(EventItem("Work", "Report"));
    wxTEST_DIALOG(Tree().DeleteSelected(),
                  Message("Are you sure you wish to delete the selected event?", "Confirm Delete", wxID_NO));
    EXPECT_EQ(events.tail, report);
    EXPECT_EQ(file.saved, 1);
    wxTEST_DIALOG(Tree().DeleteSelected(),
                  Message("Are you sure you wish to delete the selected event?", "Confirm Delete", wxID_YES));
    EXPECT_EQ(events.count, 1);
    EXPECT_EQ(file.saved, 0);
    EXPECT_EQ(Children(Tree().TopNode()), (std::vector<std::string>{"Birthday"}));
    EXPECT_FALSE(Tree().CategoryNode("Work").IsOk());
    // A later Work event makes a fresh category node.
    Add("Budget", "Work");
    screen->AddNewEventNode();
    EXPECT_EQ(Children(Child(Tree().TopNode(), "Work")), (std::vector<std::string>{"Budget"}));
}

// The right click shows the menu without selecting the clicked node: the
// command acts on the node selected before.
TEST_F(InfoTreeTest, PopupMenuActsOnTheSelectedNode) {
    EventNode* tom = Add("Tom", "Birthday");
    Add("Anna", "Birthday");
    Open();
    Tree().Expand(Child(Tree().TopNode(), "Birthday"));
    wxTreeItemId anna = EventItem("Birthday", "Anna");
    Select(EventItem("Birthday", "Tom"));
    std::vector<std::string> items;
    int chosen = treeDelete;
    Tree().SetMenuShower([&](wxMenu& menu, const wxPoint&) {
        for (wxMenuItem* item : menu.GetMenuItems())
            items.push_back(item->IsSeparator() ? "-" : platform::FromWx(item->GetItemLabelText()));
        wxCommandEvent choice(wxEVT_MENU, chosen);
        Tree().GetEventHandler()->ProcessEvent(choice);
    });
    wxRect annaRect;
    ASSERT_TRUE(Tree().GetBoundingRect(anna, annaRect, true));
    wxMouseEvent click(wxEVT_RIGHT_DOWN);
    click.SetPosition(annaRect.GetPosition() + wxPoint(4, 4));
    wxTEST_DIALOG(Tree().GetEventHandler()->ProcessEvent(click),
                  Message("Are you sure you wish to delete the selected event?", "Confirm Delete", wxID_YES));
    EXPECT_EQ(items, (std::vector<std::string>{"Add", "Delete", "-", "Cut", "Copy", "Paste", "-",
                                               "Save As vCalander...", "Copy vCal to Clipboard"}));
    ASSERT_EQ(events.count, 1);
    EXPECT_NE(events.head, tom);
    EXPECT_EQ(events.head->description, "Anna");

    // "Add" goes on to the screen, which opens the event dialog.
    chosen = treeAddEvent;
    bool opened = false;
    wxTEST_DIALOG(Tree().GetEventHandler()->ProcessEvent(click), AnswerModal<TEventEditDlg>([&](TEventEditDlg*) {
                      opened = true;
                      return wxID_CANCEL;
                  }));
    EXPECT_TRUE(opened);
}

TEST_F(InfoTreeTest, ClipboardCommandsOnTheSelectedNode) {
    Add("Tom", "Birthday");
    Add("Report", "Work");
    Open();
    Select(Child(Tree().TopNode(), "Work"));
    wxTEST_DIALOG(Tree().CutSelected(), Message("You need to select an event/appointmnet node to cut", "Notice"));
    wxTEST_DIALOG(Tree().CopySelected(), Message("You need to select an event/appointment node to copy", "Notice"));
    for (int id : {treeSaveAsVCalendar, treeCopyAsVCalendar}) {
        wxCommandEvent command(wxEVT_MENU, id);
        wxTEST_DIALOG(Tree().GetEventHandler()->ProcessEvent(command),
                      Message("You need to select an event node in order to edit", "Notice"));
    }

    Select(EventItem("Work", "Report"));
    test::TempDir dir;
    std::string saved = dir.File("report.vcs");
    Tree().SetPathChooser([&](const wxString&, bool, const char*) { return saved; });
    Tree().SaveSelectedAsVCalendar();
    std::ifstream written(saved);
    std::string text((std::istreambuf_iterator<char>(written)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("SUMMARY:Report"), std::string::npos);

    // Cut takes the event out; a paste brings it back as a new last event.
    Tree().CutSelected();
    EXPECT_EQ(events.count, 1);
    EXPECT_FALSE(Tree().CategoryNode("Work").IsOk());
    EXPECT_EQ(file.saved, 0);
    ASSERT_TRUE(ClipboardHasEvents());
    ASSERT_EQ(PasteEvents(frame, data).count, 1);
    screen->AddNewEventNode();
    EXPECT_EQ(Children(Child(Tree().TopNode(), "Work")), (std::vector<std::string>{"Report"}));
}

TEST_F(InfoTreeTest, EditMovesTheEventUnderItsNewCategory) {
    Add("Tom", "Birthday");
    EventNode* report = Add("Report", "Work");
    Open();
    // A double click on an event node edits it; on a category it does not.
    Tree().Expand(Child(Tree().TopNode(), "Work"));
    wxRect row;
    ASSERT_TRUE(Tree().GetBoundingRect(EventItem("Work", "Report"), row, true));
    wxMouseEvent doubleClick(wxEVT_LEFT_DCLICK);
    doubleClick.SetPosition(row.GetPosition() + wxPoint(4, 4));
    EventNode* edited = nullptr;
    wxTEST_DIALOG(Tree().GetEventHandler()->ProcessEvent(doubleClick),
                  AnswerModal<TEventEditDlg>([&](TEventEditDlg*) {
                      edited = Tree().SelectedEvent();
                      return wxID_CANCEL;
                  }));
    EXPECT_EQ(edited, report);
    wxTEST_DIALOG(test::Press(screen, treeEditEvent), AnswerModal<TEventEditDlg>([&](TEventEditDlg*) {
                      report->typeName = OptionalText("Birthday");
                      report->description = OptionalText("Alan");
                      return wxID_OK;
                  }));
    // Last under Birthday, unsorted; the emptied Work node stays.
    EXPECT_EQ(Children(Child(Tree().TopNode(), "Birthday")), (std::vector<std::string>{"Tom", "Alan"}));
    EXPECT_TRUE(Child(Tree().TopNode(), "Work").IsOk());
    EXPECT_EQ(Tree().SelectedEvent(), report);
    EXPECT_EQ(Value(1), "Birthday");
}

TEST_F(InfoTreeTest, RebuiltTreeShowsTheDataAfreshWithoutRenaming) {
    Add("Tom", "Birthday");
    Open();
    Select(EventItem("Birthday", "Tom"));
    events.head->typeName = OptionalText("Special Occasion");
    Add("Anna", "Birthday");
    Add("Carol", "Birthday");
    screen->RebuildTree();
    EXPECT_FALSE(Tree().HasFlag(wxTR_EDIT_LABELS));
    EXPECT_EQ(screen->GetChildren().GetFirst()->GetData(), &Tree()) << "first in the tab order";
    EXPECT_EQ(Children(Tree().TopNode()), (std::vector<std::string>{"Birthday", "Special Occasion"}));
    EXPECT_FALSE(screen->FindWindow(detailsGroupId)->IsEnabled());
    // A paste of two events at once: both get their nodes.
    Add("Dora", "Birthday");
    Add("Ewan", "Birthday");
    screen->AddNewEventNode();
    EXPECT_EQ(Children(Child(Tree().TopNode(), "Birthday")),
              (std::vector<std::string>{"Anna", "Carol", "Dora", "Ewan"}));
}

// A realistic file: a few dozen events in several categories.
TEST_F(InfoTreeTest, Screenshot) {
    const char* people[] = {"Anna Field", "Ben Marsh", "Carol Stone", "Dan Price", "Eve Lang", "Frank Moore"};
    for (const char* name : people)
        Add(name, "Birthday")->period = PeriodYearly;
    const char* work[] = {"Quarterly report", "Team meeting", "Budget review", "Supplier call", "Staff party"};
    for (int i = 0; i < 5; ++i)
        Add(work[i], "Buisness", Time(9 + i, 30));
    const char* misc[] = {"Dentist", "Car service", "Piano lesson", "Library books due", "Pay council rates"};
    for (int i = 0; i < 5; ++i)
        Add(misc[i], "Appointment", i % 2 ? Time() : Time(14, 15));
    for (const char* holiday : {"Easter", "Christmas", "New Year's Day", "Anzac Day", "Queen's Birthday"})
        Add(holiday, "Holiday")->period = PeriodYearly;
    for (const char* trip : {"Flight to Perth", "Hotel check-in", "Conference", "Flight home"})
        Add(trip, "Travel");
    for (const char* day : {"Wedding of Sam and Jo", "Grandparents' 50th"})
        Add(day, "Wedding Anniversary")->period = PeriodYearly;
    EventNode* lesson = Add("Swimming lesson", "Personal", Time(17, 0));
    lesson->period = PeriodWeekly;
    lesson->endTime = Time(18, 0);
    lesson->location = OptionalText("Aquatic centre");
    lesson->rangeEndDate = Date(30, 6, 1998);
    Open();
    Tree().Expand(Child(Tree().TopNode(), "Buisness"));
    Tree().Expand(Child(Tree().TopNode(), "Personal"));
    Select(EventItem("Personal", "Swimming lesson"));
    Tree().SetFocus();
    EXPECT_EQ(Value(6), "Every Monday");
    EXPECT_FALSE(test::SaveScreenshot(frame, "info_tree_screen").empty());
}

}  // namespace
}  // namespace vorlen
