// The reassign dialog: before a category that events still use is deleted,
// it asks which category those events get instead, and moves them on OK.
#pragma once

#include <wx/dialog.h>

#include <string>

namespace vorlen {

class CategoryEdits;
class Typelist;

// Control ids of the dialog.
enum ReassignControl : int {
    reassignOk = 1,
    reassignCancel = 2,
    reassignHelp = 9,
    reassignFirstLine = 19,
    reassignSecondLine = 20,
    reassignTarget = 101,
};

// What ShowModal gives back.
enum ReassignResult : int {
    reassignDone = 1,       // OK: the events carry the chosen category
    reassignCancelled = 2,  // Cancel, Escape or the close box: nothing changed
};

class TReassignDlg : public wxDialog {
public:
    // `types` and `edits` must outlive the dialog.
    TReassignDlg(wxWindow* parent, const Typelist& types, CategoryEdits& edits);

    // The category being deleted (Windows-1252); call before the dialog
    // runs. The list then offers every other category, the first one in
    // sorted order selected.
    void SetRemovedType(const std::string& name);
    const std::string& RemovedType() const { return removedType; }

private:
    void Fill();
    void OnOk(wxCommandEvent& event);
    void OnCancel(wxCommandEvent& event);
    void OnHelp(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);

    const Typelist& types;
    CategoryEdits& edits;
    std::string removedType;
    wxDECLARE_EVENT_TABLE();
};

}  // namespace vorlen
