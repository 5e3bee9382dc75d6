// The categories, reassign and input dialogs under Xvfb, driven through
// their controls; nested dialogs and message boxes are answered by the test.
#include "vorlen/views/types_dialog.h"
#include "vorlen/views/input_dialog.h"
#include "vorlen/views/reassign_dialog.h"

#include "vorlen/platform/wx_text.h"

#include "../gui/gui_support.h"

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/listbox.h>
#include <wx/msgdlg.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace vorlen {
namespace {

using test::AnswerModal;
using test::Press;

AnswerModal<wxMessageDialog> Message(const std::string& text, const std::string& caption) {
    return AnswerModal<wxMessageDialog>([=](wxMessageDialog* box) {
        EXPECT_EQ(box->GetMessage(), text);
        EXPECT_EQ(box->GetTitle(), caption);
        return wxID_OK;
    });
}

// Types `name` into the input dialog and confirms it, or cancels.
AnswerModal<TInputDialog> Input(const std::string& title, const std::string& prompt, const std::string& name,
                                int answer = inputOk) {
    return AnswerModal<TInputDialog>([=](TInputDialog* input) {
        EXPECT_EQ(input->GetTitle(), title);
        EXPECT_EQ(input->FindWindow(inputPrompt)->GetLabel(), prompt);
        static_cast<wxTextCtrl*>(input->FindWindow(inputText))->ChangeValue(name);
        return answer;
    });
}

std::vector<std::string> Items(wxItemContainer* list) {
    std::vector<std::string> items;
    for (unsigned i = 0; i < list->GetCount(); ++i)
        items.push_back(platform::FromWx(list->GetString(i)));
    return items;
}

// The standard categories and Work, used by two events; all saved. A base,
// so that it is filled before the dialog is built.
struct Database {
    Database() {
        types.AddStandard();
        types.Add("Work");
        for (const char* category : {"Work", "Meeting", "Work"})
            events.Add()->SetTypeName(category);
        file.saved = 1;
    }
    Typelist types;
    Eventlist events;
    store::DataFile file;
};

class TypesDialogTest : public ::testing::Test, protected Database {
protected:
    wxListBox* List() const { return static_cast<wxListBox*>(dialog.FindWindow(typesList)); }
    wxTextCtrl* Edit(int id) const { return static_cast<wxTextCtrl*>(dialog.FindWindow(id)); }
    wxCheckBox* AutoDelete() const { return static_cast<wxCheckBox*>(dialog.FindWindow(typesAutoDelete)); }
    wxChoice* Period() const { return static_cast<wxChoice*>(dialog.FindWindow(typesPeriod)); }
    std::vector<std::string> Listed() const { return Items(List()); }

    // Selects the name as a click in the list does.
    void Select(const std::string& name) {
        int index = List()->FindString(platform::ToWx(name), true);
        ASSERT_NE(index, wxNOT_FOUND) << name;
        List()->SetSelection(index);
        wxCommandEvent changed(wxEVT_LISTBOX, typesList);
        changed.SetInt(index);
        changed.SetEventObject(List());
        List()->GetEventHandler()->ProcessEvent(changed);
    }

    std::vector<std::string> EventTypes() const {
        std::vector<std::string> names;
        for (const EventNode& event : events)
            names.push_back(event.typeName.value_or(""));
        return names;
    }

    TTypesDialog dialog{nullptr, types, events, file};
};

TEST_F(TypesDialogTest, ListsEveryCategorySortedWithNoneCurrent) {
    EXPECT_EQ(dialog.GetTitle(), "Categories");
    EXPECT_EQ(Listed().size(), 16u);
    EXPECT_EQ(Listed().front(), "Appointment");
    EXPECT_EQ(Listed().back(), "Work");
    EXPECT_EQ(dialog.FindWindow(typesCurrentName)->GetLabel(), "<NONE>");
    EXPECT_EQ(dialog.CurrentType(), nullptr);
    EXPECT_EQ(Items(Period()),
              (std::vector<std::string>{"Undefined", "Once Off", "Weekly", "Biweekly", "Monthly",
                                        "Custom Reoccuring", "Yearly", "Special Monthly"}));
    for (auto [id, text] : {std::pair{typesCategoriesGroup, "Categories"},
                            {typesDefaultsGroup, "Defaults"},
                            {typesAdd, "Add"},
                            {typesRename, "Rename"},
                            {typesDelete, "Delete"},
                            {typesSet, "Set"},
                            {typesAutoDelete, "Automatically Delete"},
                            {typesOk, "OK"},
                            {typesCancel, "Cancel"},
                            {typesHelp, "Help"}})
        EXPECT_EQ(dialog.FindWindow(id)->GetLabel(), text) << id;

    // Nothing is current, so Set changes nothing.
    Press(&dialog, typesSet);
    EXPECT_EQ(file.saved, 1);

    TypeNode* appointment = types.Find("Appointment");
    appointment->SetDefaultLocation("Office");
    appointment->SetDefaultWarningDays(3);
    appointment->SetDefaultAutoDelete(2);
    Select("Appointment");
    EXPECT_EQ(dialog.CurrentType(), appointment);
    EXPECT_EQ(dialog.FindWindow(typesCurrentName)->GetLabel(), "Appointment");
    EXPECT_EQ(Period()->GetSelection(), 1);
    EXPECT_EQ(Edit(typesWhere)->GetValue(), "Office");
    EXPECT_EQ(Edit(typesWarning)->GetValue(), "3");
    EXPECT_EQ(AutoDelete()->Get3StateValue(), wxCHK_UNDETERMINED);

    dialog.Show();
    EXPECT_TRUE(std::filesystem::exists(test::SaveScreenshot(&dialog, "categories")));
    dialog.Hide();
}

TEST_F(TypesDialogTest, AddRefusesAnExistingNameAndKeepsTheSelection) {
    Select("Holiday");
    wxTEST_DIALOG(
        Press(&dialog, typesAdd), Input("New Event Type", "Enter the type name:", "Meeting"),
        Message("Type cannot be added. Possible causes: 1) Already exists, 2) Low Memory", "Notice"));
    EXPECT_EQ(file.saved, 1);
    wxTEST_DIALOG(Press(&dialog, typesAdd),
                  Input("New Event Type", "Enter the type name:", "Party", inputCancel));
    wxTEST_DIALOG(Press(&dialog, typesAdd), Input("New Event Type", "Enter the type name:", ""));
    EXPECT_EQ(types.count, 16);
    EXPECT_EQ(file.saved, 1);

    wxTEST_DIALOG(Press(&dialog, typesAdd), Input("New Event Type", "Enter the type name:", "meeting"));
    ASSERT_NE(types.Find("meeting"), nullptr);
    EXPECT_EQ(types.tail, types.Find("meeting"));
    EXPECT_EQ(file.saved, 0);
    EXPECT_EQ(Listed().size(), 17u);
    EXPECT_EQ(platform::FromWx(List()->GetStringSelection()), "Holiday");
}

TEST_F(TypesDialogTest, BuiltInCategoriesAreRefusedWithNoAllowed) {
    Select("Normal");
    wxTEST_DIALOG(Press(&dialog, typesRename),
                  Message("Sorry, you cannot rename any of the default event types", "No Allowed"));
    wxTEST_DIALOG(Press(&dialog, typesDelete),
                  Message("Sorry, you cannot delete any of the default event types", "No Allowed"));
    Edit(typesWarning)->ChangeValue("5");
    wxTEST_DIALOG(Press(&dialog, typesSet),
                  Message("Sorry, you cannot perform a set on any of the default event types", "No Allowed"));
    EXPECT_NE(types.Find("Normal"), nullptr);
    EXPECT_EQ(types.Find("Normal")->defaultWarningDays, 0);
    EXPECT_EQ(file.saved, 1);
}

TEST_F(TypesDialogTest, RenameToANewNameAndOntoAnExistingOne) {
    Select("Work");
    wxTEST_DIALOG(Press(&dialog, typesRename), Input("New Event Type", "Rename 'Work' to :", "Job"));
    EXPECT_EQ(EventTypes(), (std::vector<std::string>{"Job", "Meeting", "Job"}));
    EXPECT_EQ(types.Find("Work"), nullptr);
    EXPECT_EQ(dialog.CurrentType(), types.Find("Job"));
    EXPECT_EQ(platform::FromWx(List()->GetStringSelection()), "Job");
    EXPECT_EQ(file.saved, 0);

    wxTEST_DIALOG(Press(&dialog, typesRename), Input("New Event Type", "Rename 'Job' to :", "Meeting"));
    EXPECT_EQ(EventTypes(), (std::vector<std::string>{"Meeting", "Meeting", "Meeting"}));
    EXPECT_NE(types.Find("Job"), nullptr);  // kept, unlisted until the dialog opens again
    EXPECT_EQ(List()->FindString("Job", true), wxNOT_FOUND);
    EXPECT_EQ(dialog.CurrentType(), types.Find("Meeting"));
    EXPECT_EQ(dialog.FindWindow(typesCurrentName)->GetLabel(), "Meeting");
    TTypesDialog again(nullptr, types, events, file);
    EXPECT_NE(static_cast<wxListBox*>(again.FindWindow(typesList))->FindString("Job", true), wxNOT_FOUND);
}

TEST_F(TypesDialogTest, DeleteAsksToReassignOnlyForUsedCategories) {
    types.Add("Spare");
    List()->Append("Spare");
    Select("Spare");
    Press(&dialog, typesDelete);  // unused: no question at all
    EXPECT_EQ(types.Find("Spare"), nullptr);
    EXPECT_EQ(dialog.CurrentType(), nullptr);
    EXPECT_EQ(file.saved, 0);
    file.saved = 1;

    auto reassign = [&](int answer) {
        return AnswerModal<TReassignDlg>([=](TReassignDlg* asked) {
            EXPECT_EQ(asked->GetTitle(), "Reassign Category");
            EXPECT_EQ(asked->FindWindow(reassignFirstLine)->GetLabel(),
                      "Some of your events are still assigned to Work.");
            EXPECT_EQ(asked->FindWindow(reassignSecondLine)->GetLabel(),
                      "Vorlen will reassign the types for Work to the following type.");
            auto* targets = static_cast<wxChoice*>(asked->FindWindow(reassignTarget));
            EXPECT_EQ(targets->GetCount(), 15u);
            EXPECT_EQ(targets->FindString("Work", true), wxNOT_FOUND);
            EXPECT_EQ(targets->GetStringSelection(), "Appointment");
            targets->SetStringSelection("Holiday");
            Press(asked, answer);
            return answer;
        });
    };
    Select("Work");
    wxTEST_DIALOG(Press(&dialog, typesDelete), reassign(reassignCancel));
    EXPECT_NE(types.Find("Work"), nullptr);
    EXPECT_EQ(EventTypes(), (std::vector<std::string>{"Work", "Meeting", "Work"}));
    EXPECT_EQ(file.saved, 1);

    wxTEST_DIALOG(Press(&dialog, typesDelete), reassign(reassignOk));
    EXPECT_EQ(types.Find("Work"), nullptr);
    EXPECT_EQ(EventTypes(), (std::vector<std::string>{"Holiday", "Meeting", "Holiday"}));
    EXPECT_EQ(List()->GetSelection(), 0);
    EXPECT_EQ(dialog.CurrentType(), types.Find("Appointment"));
    EXPECT_EQ(file.saved, 0);
}

TEST_F(TypesDialogTest, SetReadsTheFieldsAndTheWarningAsADecimal) {
    // A location read from a file may be longer than the field takes.
    types.Find("Work")->SetDefaultLocation(std::string(300, 'w').c_str());
    Select("Work");
    Period()->SetSelection(4);
    Edit(typesWarning)->ChangeValue("12x");
    AutoDelete()->Set3StateValue(wxCHK_CHECKED);
    Press(&dialog, typesSet);
    TypeNode* work = types.Find("Work");
    EXPECT_EQ(work->defaultPeriod, 4);
    EXPECT_EQ(work->defaultWarningDays, 12);
    EXPECT_EQ(work->defaultLocation.view(), std::string(kMaxCategoryText, 'w'));
    EXPECT_EQ(work->defaultAutoDelete, 1);
    EXPECT_EQ(file.saved, 0);
    Edit(typesWarning)->ChangeValue("abc");
    Press(&dialog, typesSet);
    EXPECT_EQ(work->defaultWarningDays, 0);
}

TEST_F(TypesDialogTest, AltAndTheFirstLetterPressTheButtons) {
    dialog.Show();
    List()->SetFocus();
    test::LetEventsRun(300);
    bool asked = false;
    wxUIActionSimulator keys;
    wxTEST_DIALOG(
        {
            keys.Char('a', wxMOD_ALT);
            test::LetEventsRun(300);
        },
        AnswerModal<TInputDialog>([&](TInputDialog*) {
            asked = true;
            return int(inputCancel);
        }));
    EXPECT_TRUE(asked);
    dialog.Hide();
}

// Long names are shortened on screen: the dialogs keep their width.
TEST(CategoryDialogs, LongNamesNeitherWidenNorOverflow) {
    Typelist types;
    Eventlist events;
    store::DataFile file;
    int shortWidth = TTypesDialog(nullptr, types, events, file).GetSize().x;
    std::string longName(300, 'N');
    types.Add(longName);
    TTypesDialog dialog(nullptr, types, events, file);
    EXPECT_EQ(dialog.GetSize().x, shortWidth);

    CategoryEdits edits(types, events, file);
    TReassignDlg reassign(nullptr, types, edits);
    int reassignWidth = reassign.GetSize().x;
    reassign.SetRemovedType(longName);
    EXPECT_EQ(reassign.GetSize().x, reassignWidth);
    reassign.SetRemovedType("Work");
    reassign.Show();
    EXPECT_TRUE(std::filesystem::exists(test::SaveScreenshot(&reassign, "reassign_category")));
    reassign.Hide();

    TInputDialog input(nullptr, "New Event Type", "Rename '" + longName + "' to :");
    EXPECT_EQ(input.GetSize().x, TInputDialog(nullptr, "New Event Type", "Enter the type name:").GetSize().x);
    input.SetText(std::string(400, 'x'));
    EXPECT_EQ(input.Text().size(), kMaxCategoryText);
    input.SetText("Garden");
    input.Show();
    EXPECT_TRUE(std::filesystem::exists(test::SaveScreenshot(&input, "input_dialog")));
    input.Hide();
}

}  // namespace
}  // namespace vorlen
