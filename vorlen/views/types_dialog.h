// The categories dialog ("C&ategories" on the Tools menu): lists the open
// database's categories, adds, renames and deletes them, and sets the
// defaults that a category proposes for new events. Every change is made in
// the lists at once and marks the data unsaved; Cancel undoes nothing.
#pragma once

#include "vorlen/views/category_edits.h"

#include <wx/dialog.h>

#include <string>

class wxListBox;

namespace vorlen {

// Control ids of the dialog.
enum TypesControl : int {
    typesOk = 1,
    typesCancel = 2,
    typesHelp = 9,
    typesCategoriesGroup = 101,
    typesDefaultsGroup = 102,
    typesList = 103,
    typesAdd = 104,
    typesRename = 105,
    typesDelete = 106,
    typesPeriod = 107,
    typesWhere = 108,
    typesWarning = 109,
    typesSet = 110,
    typesCurrentName = 128,
    typesAutoDelete = 135,
};

// ShowModal gives typesOk, or typesCancel (also for Escape and the close
// box).
class TTypesDialog : public wxDialog {
public:
    // The lists and the file must outlive the dialog, which changes them.
    TTypesDialog(wxWindow* parent, Typelist& types, Eventlist& events, store::DataFile& file);

    // The category whose defaults the fields show and Set changes; null
    // while none is.
    TypeNode* CurrentType() const { return currentType; }

private:
    void BuildCategories(wxSizer* sizer);
    void BuildDefaults(wxSizer* sizer);
    void BindKeys();
    wxListBox* List() const;
    std::string SelectedName() const;
    void MakeCurrent(TypeNode* category);
    void SelectAndShow(int index);
    void Refuse(const char* text, const char* caption);

    void OnSelect(wxCommandEvent& event);
    void OnAdd(wxCommandEvent& event);
    void OnRename(wxCommandEvent& event);
    void OnDelete(wxCommandEvent& event);
    void OnSet(wxCommandEvent& event);
    void OnOk(wxCommandEvent& event);
    void OnCancel(wxCommandEvent& event);
    void OnHelp(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);

    Typelist& types;
    CategoryEdits edits;
    TypeNode* currentType = nullptr;
    wxDECLARE_EVENT_TABLE();
};

}  // namespace vorlen
