#include "dialog_controls.h"

#include "file_names.h"

#include "vorlen/platform/wx_text.h"

#include <wx/choice.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/textctrl.h>

namespace vorlen {

wxChoice* MakeDropDownList(wxWindow* parent, int id, std::initializer_list<const char*> entries) {
    auto* list = new wxChoice(parent, id);
    for (const char* entry : entries)
        list->Append(entry);
    return list;
}

void SelectStored(wxChoice* list, int stored, int fallback) {
    bool named = stored >= 0 && stored < static_cast<int>(list->GetCount());
    list->SetSelection(named ? stored : fallback);
}

std::string LimitedText(std::string text) {
    if (text.size() > static_cast<std::size_t>(kMaxFieldText))
        text.resize(kMaxFieldText);
    return text;
}

bool BrowseForVorlenFile(wxWindow* parent, wxTextCtrl* edit, long style) {
    wxFileName current(edit->GetValue());
    wxFileDialog chooser(parent, wxFileSelectorPromptStr, current.GetPath(), current.GetFullName(),
                         ToWxWildcard(kVorlenFileFilter), wxFD_SAVE | style);
    if (chooser.ShowModal() != wxID_OK)
        return false;
    std::string chosen = WithDefaultVorExtension(platform::FileNameFromWx(chooser.GetPath()));
    edit->ChangeValue(platform::FileNameToWx(chosen));
    return true;
}

}  // namespace vorlen
