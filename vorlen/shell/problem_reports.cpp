#include "problem_reports.h"

#include "vorlen/platform/settings.h"
#include "vorlen/platform/wx_text.h"

#include <wx/msgdlg.h>

namespace vorlen {

void ShowSettingsProblemsInMessageBoxes() {
    platform::SetProblemReporter([](const std::string& caption, const std::string& text) {
        wxMessageBox(platform::ToWx(text), platform::ToWx(caption), wxOK | wxICON_INFORMATION);
    });
}

}  // namespace vorlen
