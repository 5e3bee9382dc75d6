// The about box: the program icon, the product line, the version line
// made from the program's version texts and the special build.
#pragma once

#include "project_version.h"

#include <wx/dialog.h>

namespace vorlen {

// Ids of the dialog and its controls.
enum AboutControl : int {
    aboutDialog = 22000,
    aboutVersion = 22001,
    aboutSpecialBuild = 22003,
    aboutProduct = 22004,
    aboutIcon = 22005,
};

class TVorlenAboutDlg : public wxDialog {
public:
    TVorlenAboutDlg(wxWindow* parent, const TProjectRCVersion& version = TProjectRCVersion());
};

// The version line: "Name Version 1.00" from the static's own text when
// the program has both a product name and a product version, else that
// text unchanged. Windows-1252.
std::string AboutVersionLine(const TProjectRCVersion& version, const std::string& staticText);

}  // namespace vorlen
