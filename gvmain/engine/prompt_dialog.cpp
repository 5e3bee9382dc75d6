#include "gvmain/engine/prompt_dialog.h"

#include "gvmain/resources/dialog_ids.h"

namespace gvmain {
namespace {

class PromptDialog : public DialogWindow {
public:
    PromptDialog(const PromptArgs& args, const std::string& value) : args_(args), value_(value) {}

    const std::string& Value() const { return value_; }

protected:
    bool OnInit() override {
        SetWindowTextA(Handle(), args_.caption.c_str());
        SetItemText(IDC_PROMPT_TEXT, args_.prompt);
        bool combo = !args_.choices.empty();
        ShowWindow(Item(IDC_PROMPT_EDIT), combo ? SW_HIDE : SW_SHOW);
        ShowWindow(Item(IDC_PROMPT_COMBO), combo ? SW_SHOW : SW_HIDE);
        EnableWindow(Item(combo ? IDC_PROMPT_EDIT : IDC_PROMPT_COMBO), FALSE);
        for (const std::string& choice : args_.choices) {
            SendDlgItemMessageA(Handle(), IDC_PROMPT_COMBO, CB_ADDSTRING, 0,
                                reinterpret_cast<LPARAM>(choice.c_str()));
        }
        SendDlgItemMessageA(Handle(), InputId(), combo ? CB_LIMITTEXT : EM_LIMITTEXT, maxVariableText, 0);
        SetItemText(InputId(), value_);
        SetFocus(Item(InputId()));
        SendDlgItemMessageA(Handle(), InputId(), combo ? CB_SETEDITSEL : EM_SETSEL, 0,
                            combo ? MAKELPARAM(0, -1) : -1);
        return false;
    }

    bool OnOK() override {
        value_ = ItemText(InputId());
        return true;
    }

private:
    int InputId() const { return args_.choices.empty() ? IDC_PROMPT_EDIT : IDC_PROMPT_COMBO; }

    const PromptArgs& args_;
    std::string value_;
};

}  // namespace

bool PromptString(const DialogResources& resources, HWND parent, const PromptArgs& args, std::string* value) {
    if (resources.unattended) {
        return true;
    }
    PromptDialog dialog(args, *value);
    if (dialog.RunModal(resources.language, "DLGPROMPTSTR", parent) != IDOK) {
        return false;
    }
    *value = dialog.Value();
    return true;
}

}  // namespace gvmain
