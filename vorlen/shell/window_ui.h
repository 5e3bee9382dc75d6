// The window program's answers to start-up and to the questions of loading
// and compressing: message boxes, the start-up reminder dialog and the
// "Compress Database" dialog.
#pragma once

#include "vorlen/shell/archive_dialog.h"
#include "vorlen/shell/startup.h"

#include <wx/string.h>

#include <functional>

class wxWindow;

namespace vorlen::shell {

// A message box of the application: no owner window, "Tolvane Vorlen" as
// the caption when none is given. Returns wxYES, wxNO, wxCANCEL or wxOK.
int ShowMessage(const std::string& text, const std::string& caption, long style);

class WindowUi : public StartupUi {
public:
    explicit WindowUi(std::function<void()> runReminderScreen);

    bool ShowBootupDialog(const BootupTexts& texts) override;
    void RunReminderScreen() override { runReminderScreen_(); }
    store::CompressChoice ChooseArchiveOrDelete(int oldCount) override;
    void ShowMessage(std::string_view caption, std::string_view text) override;
    bool AskYesNo(std::string_view caption, std::string_view text) override;
    void Notify(std::string_view caption, std::string_view text) override;

private:
    std::function<void()> runReminderScreen_;
    WindowCompressPrompts compress_{nullptr};
};

}  // namespace vorlen::shell
