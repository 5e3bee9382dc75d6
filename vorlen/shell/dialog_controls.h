// Small pieces that the shell's dialogs share: drop-down lists that show a
// stored selection index, and the file dialog that picks a Vorlen file name
// into an edit.
#pragma once

#include <initializer_list>
#include <string>

class wxChoice;
class wxTextCtrl;
class wxWindow;

namespace vorlen {

wxChoice* MakeDropDownList(wxWindow* parent, int id, std::initializer_list<const char*> entries);

// Selects entry `stored`, or `fallback` when the stored number names no
// entry (a damaged or foreign setting).
void SelectStored(wxChoice* list, int stored, int fallback);

// The most characters a settings or file-name field holds.
inline constexpr int kMaxFieldText = 255;

// At most kMaxFieldText bytes.
std::string LimitedText(std::string text);

// A save-style file dialog over Vorlen files that starts from the name in
// `edit` and, on OK, puts the chosen name there (".vor" added when it has no
// extension). `style` adds wxFD_ flags to wxFD_SAVE. True on OK.
bool BrowseForVorlenFile(wxWindow* parent, wxTextCtrl* edit, long style = 0);

}  // namespace vorlen
