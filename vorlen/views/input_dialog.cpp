#include "input_dialog.h"

#include "category_edits.h"

#include "vorlen/platform/wx_text.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace vorlen {
namespace {

constexpr int margin = 8;
constexpr int widthInDialogUnits = 180;

}  // namespace

wxBEGIN_EVENT_TABLE(TInputDialog, wxDialog)
    EVT_BUTTON(inputOk, TInputDialog::OnOk)
    EVT_BUTTON(inputCancel, TInputDialog::OnCancel)
    EVT_CLOSE(TInputDialog::OnClose)
wxEND_EVENT_TABLE()

TInputDialog::TInputDialog(wxWindow* parent, const std::string& title, const std::string& prompt,
                           const std::string& text)
    : wxDialog(parent, resourceId, platform::ToWx(title)) {
    const int width = ConvertDialogToPixels(wxSize(widthInDialogUnits, 0)).x;
    auto* label = new wxStaticText(this, inputPrompt, platform::ToWx(prompt), wxDefaultPosition,
                                   wxDefaultSize, wxST_ELLIPSIZE_MIDDLE | wxST_NO_AUTORESIZE);
    label->SetMinSize(wxSize(width, -1));
    auto* edit = new wxTextCtrl(this, inputText);
    edit->SetMaxLength(kMaxCategoryText);
    SetText(text);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* ok = new wxButton(this, inputOk, "OK");
    ok->SetDefault();
    buttons->Add(ok, 0, wxRIGHT, margin);
    buttons->Add(new wxButton(this, inputCancel, "Cancel"));

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(label, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, 2 * margin);
    sizer->Add(edit, 0, wxEXPAND | wxALL, 2 * margin);
    sizer->Add(buttons, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, 2 * margin);
    SetSizerAndFit(sizer);
    SetAffirmativeId(inputOk);
    SetEscapeId(inputCancel);
    edit->SetFocus();
    Centre();
}

std::string TInputDialog::Text() const {
    return CategoryText(platform::FromWx(static_cast<wxTextCtrl*>(FindWindow(inputText))->GetValue()));
}

void TInputDialog::SetText(const std::string& text) {
    static_cast<wxTextCtrl*>(FindWindow(inputText))->ChangeValue(platform::ToWx(CategoryText(text)));
}

void TInputDialog::OnOk(wxCommandEvent&) {
    EndDialog(inputOk);
}

void TInputDialog::OnCancel(wxCommandEvent&) {
    EndDialog(inputCancel);
}

void TInputDialog::OnClose(wxCloseEvent&) {
    if (IsModal())
        EndModal(inputCancel);
    else
        Destroy();
}

}  // namespace vorlen
