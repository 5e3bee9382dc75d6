#include "window_ui.h"

#include "vorlen/platform/wx_text.h"
#include "vorlen/remind/bootup_dialog.h"

#include <wx/msgdlg.h>

namespace vorlen::shell {

int ShowMessage(const std::string& text, const std::string& caption, long style) {
    return wxMessageBox(platform::ToWx(text), platform::ToWx(caption.empty() ? "Tolvane Vorlen" : caption),
                        style);
}

WindowUi::WindowUi(std::function<void()> runReminderScreen) : runReminderScreen_(std::move(runReminderScreen)) {}

bool WindowUi::ShowBootupDialog(const BootupTexts& texts) {
    TBootup dialog(nullptr, BootupCountText(texts.count), texts.dateText, texts.timeText, texts.lastCheckedText);
    return dialog.ShowModal() == bootupViewEvents;
}

store::CompressChoice WindowUi::ChooseArchiveOrDelete(int oldCount) {
    return compress_.ChooseArchiveOrDelete(oldCount);
}

void WindowUi::ShowMessage(std::string_view caption, std::string_view text) {
    compress_.ShowMessage(caption, text);
}

bool WindowUi::AskYesNo(std::string_view caption, std::string_view text) {
    return compress_.AskYesNo(caption, text);
}

void WindowUi::Notify(std::string_view caption, std::string_view text) {
    compress_.Notify(caption, text);
}

}  // namespace vorlen::shell
