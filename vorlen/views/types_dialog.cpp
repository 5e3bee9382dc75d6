#include "types_dialog.h"

#include "input_dialog.h"
#include "reassign_dialog.h"

#include "vorlen/platform/help.h"
#include "vorlen/platform/help_topics.h"
#include "vorlen/platform/wx_text.h"

#include <wx/accel.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/listbox.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <iterator>

namespace vorlen {
namespace {

constexpr int margin = 8;
constexpr char noCategory[] = "<NONE>";
constexpr char newTypeTitle[] = "New Event Type";
constexpr char notAllowed[] = "No Allowed";

template <typename T>
T* Control(const wxWindow* dialog, int id) {
    return static_cast<T*>(dialog->FindWindow(id));
}

wxTextCtrl* Field(wxWindow* parent, int id) {
    auto* field = new wxTextCtrl(parent, id);
    field->SetMaxLength(kMaxCategoryText);
    return field;
}

}  // namespace

wxBEGIN_EVENT_TABLE(TTypesDialog, wxDialog)
    EVT_LISTBOX(typesList, TTypesDialog::OnSelect)
    EVT_BUTTON(typesAdd, TTypesDialog::OnAdd)
    EVT_BUTTON(typesRename, TTypesDialog::OnRename)
    EVT_BUTTON(typesDelete, TTypesDialog::OnDelete)
    EVT_BUTTON(typesSet, TTypesDialog::OnSet)
    EVT_MENU(typesAdd, TTypesDialog::OnAdd)
    EVT_MENU(typesRename, TTypesDialog::OnRename)
    EVT_MENU(typesDelete, TTypesDialog::OnDelete)
    EVT_MENU(typesSet, TTypesDialog::OnSet)
    EVT_BUTTON(typesOk, TTypesDialog::OnOk)
    EVT_BUTTON(typesCancel, TTypesDialog::OnCancel)
    EVT_BUTTON(typesHelp, TTypesDialog::OnHelp)
    EVT_CLOSE(TTypesDialog::OnClose)
wxEND_EVENT_TABLE()

TTypesDialog::TTypesDialog(wxWindow* parent, Typelist& types, Eventlist& events, store::DataFile& file)
    : wxDialog(parent, wxID_ANY, "Categories"), types(types), edits(types, events, file) {
    auto* groups = new wxBoxSizer(wxHORIZONTAL);
    BuildCategories(groups);
    BuildDefaults(groups);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* ok = new wxButton(this, typesOk, "OK");
    ok->SetDefault();
    buttons->Add(ok, 0, wxRIGHT, margin);
    buttons->Add(new wxButton(this, typesCancel, "Cancel"), 0, wxRIGHT, margin);
    buttons->Add(new wxButton(this, typesHelp, "Help"));

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(groups, 1, wxEXPAND | wxALL, margin);
    sizer->Add(buttons, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, margin);
    SetSizerAndFit(sizer);
    SetAffirmativeId(typesOk);
    SetEscapeId(typesCancel);
    BindKeys();
    List()->SetFocus();
    Centre();
}

// Controls are created in the order Tab visits them; the lists have a
// fixed size, so that long names scroll instead of widening the dialog.
void TTypesDialog::BuildCategories(wxSizer* sizer) {
    auto* group =
        new wxStaticBoxSizer(new wxStaticBox(this, typesCategoriesGroup, "Categories"), wxHORIZONTAL);
    auto* list = new wxListBox(this, typesList, wxDefaultPosition, ConvertDialogToPixels(wxSize(100, 110)), 0,
                               nullptr, wxLB_SINGLE | wxLB_SORT | wxLB_HSCROLL);
    list->SetMinSize(list->GetSize());
    for (const TypeNode& category : types)
        list->Append(platform::ToWx(category.name.view()));
    group->Add(list, 1, wxEXPAND | wxALL, margin);
    auto* actions = new wxBoxSizer(wxVERTICAL);
    for (auto [id, text] : {std::pair{typesAdd, "Add"}, {typesRename, "Rename"}, {typesDelete, "Delete"}})
        actions->Add(new wxButton(this, id, text), 0, wxEXPAND | wxBOTTOM, margin / 2);
    group->Add(actions, 0, wxTOP | wxRIGHT | wxBOTTOM, margin);
    sizer->Add(group, 0, wxEXPAND | wxRIGHT, margin);
}

void TTypesDialog::BuildDefaults(wxSizer* sizer) {
    auto* group = new wxStaticBoxSizer(new wxStaticBox(this, typesDefaultsGroup, "Defaults"), wxVERTICAL);
    const int width = ConvertDialogToPixels(wxSize(130, 0)).x;
    auto* name = new wxStaticText(this, typesCurrentName, noCategory, wxDefaultPosition, wxDefaultSize,
                                  wxST_ELLIPSIZE_END | wxST_NO_AUTORESIZE);
    name->SetMinSize(wxSize(width, -1));
    group->Add(name, 0, wxEXPAND | wxALL, margin);
    auto* period = new wxChoice(this, typesPeriod);
    for (const char* word : defaultPeriodWords)
        period->Append(word);
    period->SetSelection(0);
    group->Add(period, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, margin);

    auto* fields = new wxFlexGridSizer(2, margin, margin);
    fields->AddGrowableCol(1);
    fields->Add(new wxStaticText(this, wxID_ANY, "Where:"), 0, wxALIGN_CENTER_VERTICAL);
    fields->Add(Field(this, typesWhere), 1, wxEXPAND);
    fields->Add(new wxStaticText(this, wxID_ANY, "Advanced Warning:"), 0, wxALIGN_CENTER_VERTICAL);
    fields->Add(Field(this, typesWarning), 1, wxEXPAND);
    group->Add(fields, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, margin);

    group->Add(new wxCheckBox(this, typesAutoDelete, "Automatically Delete", wxDefaultPosition, wxDefaultSize,
                              wxCHK_3STATE | wxCHK_ALLOW_3RD_STATE_FOR_USER),
               0, wxLEFT | wxRIGHT | wxBOTTOM, margin);
    group->AddStretchSpacer();
    group->Add(new wxButton(this, typesSet, "Set"), 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, margin);
    sizer->Add(group, 1, wxEXPAND);
}

// The button texts carry no mnemonics; Alt and the first letter press them
// all the same.
void TTypesDialog::BindKeys() {
    wxAcceleratorEntry keys[] = {{wxACCEL_ALT, 'A', typesAdd},
                                 {wxACCEL_ALT, 'R', typesRename},
                                 {wxACCEL_ALT, 'D', typesDelete},
                                 {wxACCEL_ALT, 'S', typesSet}};
    SetAcceleratorTable(wxAcceleratorTable(static_cast<int>(std::size(keys)), keys));
}

wxListBox* TTypesDialog::List() const {
    return Control<wxListBox>(this, typesList);
}

std::string TTypesDialog::SelectedName() const {
    int selected = List()->GetSelection();
    return selected == wxNOT_FOUND ? std::string() : platform::FromWx(List()->GetString(selected));
}

// Shows the category's defaults in the fields; with none the fields keep
// what they show, and Set does nothing.
void TTypesDialog::MakeCurrent(TypeNode* category) {
    currentType = category;
    if (!category) {
        FindWindow(typesCurrentName)->SetLabel(noCategory);
        return;
    }
    FindWindow(typesCurrentName)->SetLabel(platform::ToWx(category->name.view()));
    int32_t autoDelete = category->defaultAutoDelete;
    Control<wxCheckBox>(this, typesAutoDelete)
        ->Set3StateValue(static_cast<wxCheckBoxState>(autoDelete == 1 || autoDelete == 2 ? autoDelete : 0));
    // Cut to the field's limit first: the toolkit empties a field given more.
    Control<wxTextCtrl>(this, typesWhere)
        ->ChangeValue(platform::ToWx(CategoryText(category->defaultLocation.view())));
    Control<wxTextCtrl>(this, typesWarning)->ChangeValue(std::to_string(category->defaultWarningDays));
    // A period out of range (a damaged file) selects nothing, and Set then
    // keeps it.
    int period = category->defaultPeriod;
    Control<wxChoice>(this, typesPeriod)->SetSelection(period >= 0 && period < 8 ? period : wxNOT_FOUND);
}

void TTypesDialog::SelectAndShow(int index) {
    if (index == wxNOT_FOUND || index >= static_cast<int>(List()->GetCount())) {
        MakeCurrent(nullptr);
        return;
    }
    List()->SetSelection(index);
    MakeCurrent(types.Find(platform::FromWx(List()->GetString(index))));
}

void TTypesDialog::Refuse(const char* text, const char* caption) {
    wxMessageBox(text, caption, wxOK | wxICON_EXCLAMATION, this);
}

void TTypesDialog::OnSelect(wxCommandEvent&) {
    if (TypeNode* category = types.Find(SelectedName()))
        MakeCurrent(category);
}

void TTypesDialog::OnAdd(wxCommandEvent&) {
    TInputDialog input(this, newTypeTitle, "Enter the type name:");
    if (input.ShowModal() != inputOk)
        return;
    std::string name = input.Text();
    if (name.empty())
        return;
    if (!edits.Add(name)) {
        wxMessageBox("Type cannot be added. Possible causes: 1) Already exists, 2) Low Memory", "Notice",
                     wxOK | wxICON_INFORMATION, this);
        return;
    }
    List()->Append(platform::ToWx(name));
}

void TTypesDialog::OnRename(wxCommandEvent&) {
    std::string oldName = SelectedName();
    CategoryAccess access = edits.Access(oldName);
    if (access == CategoryAccess::missing)
        return;
    if (access == CategoryAccess::builtIn) {
        Refuse("Sorry, you cannot rename any of the default event types", notAllowed);
        return;
    }
    TInputDialog input(this, newTypeTitle, "Rename '" + oldName + "' to :");
    if (input.ShowModal() != inputOk)
        return;
    std::string newName = input.Text();
    if (edits.Rename(oldName, newName) == RenameResult::refused)
        return;
    // Renamed onto an existing category, the old record stays in the data
    // unlisted; the existing one may itself be such a record.
    wxListBox* list = List();
    list->Delete(list->FindString(platform::ToWx(oldName), true));
    int index = list->FindString(platform::ToWx(newName), true);
    if (index == wxNOT_FOUND)
        index = list->Append(platform::ToWx(newName));
    SelectAndShow(index);
}

void TTypesDialog::OnDelete(wxCommandEvent&) {
    std::string name = SelectedName();
    CategoryAccess access = edits.Access(name);
    if (access == CategoryAccess::missing)
        return;
    if (access == CategoryAccess::builtIn) {
        Refuse("Sorry, you cannot delete any of the default event types", notAllowed);
        return;
    }
    bool reassigned = edits.IsUsed(name);
    if (reassigned) {
        TReassignDlg reassign(this, types, edits);
        reassign.SetRemovedType(name);
        if (reassign.ShowModal() != reassignDone)
            return;
    }
    List()->Delete(List()->FindString(platform::ToWx(name), true));
    currentType = nullptr;
    edits.Remove(name);
    SelectAndShow(reassigned ? 0 : wxNOT_FOUND);
}

void TTypesDialog::OnSet(wxCommandEvent&) {
    if (!currentType)
        return;
    if (Typelist::IsBuiltIn(currentType->name.view())) {
        Refuse("Sorry, you cannot perform a set on any of the default event types", notAllowed);
        return;
    }
    CategoryDefaults defaults;
    defaults.autoDelete = Control<wxCheckBox>(this, typesAutoDelete)->Get3StateValue();
    defaults.location = platform::FromWx(Control<wxTextCtrl>(this, typesWhere)->GetValue());
    defaults.warningDays =
        DecimalValue(platform::FromWx(Control<wxTextCtrl>(this, typesWarning)->GetValue()));
    int period = Control<wxChoice>(this, typesPeriod)->GetSelection();
    defaults.period = period == wxNOT_FOUND ? currentType->defaultPeriod : period;
    edits.Set(*currentType, defaults);
}

void TTypesDialog::OnOk(wxCommandEvent&) {
    EndDialog(typesOk);
}

void TTypesDialog::OnCancel(wxCommandEvent&) {
    EndDialog(typesCancel);
}

void TTypesDialog::OnHelp(wxCommandEvent&) {
    platform::ShowHelpTopic(help::categories, platform::HelpStyle::Window);
}

void TTypesDialog::OnClose(wxCloseEvent&) {
    if (IsModal())
        EndModal(typesCancel);
    else
        Destroy();
}

}  // namespace vorlen
