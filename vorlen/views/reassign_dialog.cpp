#include "reassign_dialog.h"

#include "category_edits.h"

#include "vorlen/platform/help.h"
#include "vorlen/platform/help_topics.h"
#include "vorlen/platform/wx_text.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

namespace vorlen {
namespace {

constexpr int margin = 8;
constexpr int lineWidth = 220;  // dialog units
constexpr int listWidth = 120;

wxChoice* TargetList(const wxWindow* dialog) {
    return static_cast<wxChoice*>(dialog->FindWindow(reassignTarget));
}

// A line of fixed width: a long category name is shortened in the middle
// on screen instead of widening the dialog.
wxStaticText* Line(wxWindow* parent, int id, int width) {
    auto* line = new wxStaticText(parent, id, wxString(), wxDefaultPosition, wxDefaultSize,
                                  wxST_ELLIPSIZE_MIDDLE | wxST_NO_AUTORESIZE);
    line->SetMinSize(wxSize(width, -1));
    return line;
}

}  // namespace

wxBEGIN_EVENT_TABLE(TReassignDlg, wxDialog)
    EVT_BUTTON(reassignOk, TReassignDlg::OnOk)
    EVT_BUTTON(reassignCancel, TReassignDlg::OnCancel)
    EVT_BUTTON(reassignHelp, TReassignDlg::OnHelp)
    EVT_CLOSE(TReassignDlg::OnClose)
wxEND_EVENT_TABLE()

TReassignDlg::TReassignDlg(wxWindow* parent, const Typelist& types, CategoryEdits& edits)
    : wxDialog(parent, wxID_ANY, "Reassign Category"), types(types), edits(edits) {
    const int width = ConvertDialogToPixels(wxSize(lineWidth, 0)).x;
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    auto* lines = new wxBoxSizer(wxVERTICAL);
    lines->Add(Line(this, reassignFirstLine, width), 0, wxEXPAND | wxBOTTOM, margin);
    lines->Add(Line(this, reassignSecondLine, width), 0, wxEXPAND);
    sizer->Add(lines, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, 2 * margin);

    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(new wxStaticText(this, wxID_ANY, "Reassign to:"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, margin);
    auto* list = new wxChoice(this, reassignTarget, wxDefaultPosition, wxDefaultSize, 0, nullptr, wxCB_SORT);
    list->SetMinSize(wxSize(ConvertDialogToPixels(wxSize(listWidth, 0)).x, -1));
    row->Add(list, 0, wxALIGN_CENTER_VERTICAL);
    sizer->Add(row, 0, wxALL, 2 * margin);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* ok = new wxButton(this, reassignOk, "OK");
    ok->SetDefault();
    buttons->Add(ok, 0, wxRIGHT, margin);
    buttons->Add(new wxButton(this, reassignCancel, "Cancel"), 0, wxRIGHT, margin);
    buttons->Add(new wxButton(this, reassignHelp, "Help"));
    sizer->Add(buttons, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, 2 * margin);
    SetSizerAndFit(sizer);
    SetAffirmativeId(reassignOk);
    SetEscapeId(reassignCancel);
    Fill();
    list->SetFocus();
    Centre();
}

// Kept whole: the name must match the events' category exactly, and a
// category read from a file may have a longer name than a user can type.
void TReassignDlg::SetRemovedType(const std::string& name) {
    removedType = name;
    Fill();
}

void TReassignDlg::Fill() {
    FindWindow(reassignFirstLine)
        ->SetLabel(platform::ToWx("Some of your events are still assigned to " + removedType + "."));
    FindWindow(reassignSecondLine)
        ->SetLabel(
            platform::ToWx("Vorlen will reassign the types for " + removedType + " to the following type."));
    wxChoice* list = TargetList(this);
    list->Clear();
    for (const TypeNode& category : types)
        if (category.name != removedType)
            list->Append(platform::ToWx(category.name.view()));
    if (list->GetCount() > 0)
        list->SetSelection(0);
}

void TReassignDlg::OnOk(wxCommandEvent&) {
    wxChoice* list = TargetList(this);
    if (list->GetSelection() == wxNOT_FOUND)
        return;
    edits.Reassign(removedType, platform::FromWx(list->GetStringSelection()));
    // EndDialog, not EndModal: it also ends a dialog answered without a
    // modal loop of its own (a test hook).
    EndDialog(reassignDone);
}

void TReassignDlg::OnCancel(wxCommandEvent&) {
    EndDialog(reassignCancelled);
}

void TReassignDlg::OnHelp(wxCommandEvent&) {
    platform::ShowHelpTopic(help::reassignCategory, platform::HelpStyle::Window);
}

void TReassignDlg::OnClose(wxCloseEvent&) {
    if (IsModal())
        EndModal(reassignCancelled);
    else
        Destroy();
}

}  // namespace vorlen
