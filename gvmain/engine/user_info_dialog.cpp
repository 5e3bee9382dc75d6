#include "gvmain/engine/user_info_dialog.h"

#include "gvmain/resources/dialog_ids.h"

namespace gvmain {
namespace {

class UserInfoDialog : public DialogWindow {
public:
    UserInfoDialog(const std::vector<std::string>& texts, const UserInfo& info)
        : texts_(texts), info_(info) {}

    const UserInfo& Info() const { return info_; }

protected:
    bool OnInit() override {
        for (size_t i = 0; i < maxUserInfoTexts; ++i) {
            SetItemText(IDC_ASKUI_TEXT + static_cast<int>(i), i < texts_.size() ? texts_[i] : "");
        }
        for (int id : {IDC_ASKUI_NAME, IDC_ASKUI_COMPANY}) {
            SendDlgItemMessageA(Handle(), id, EM_LIMITTEXT, maxVariableText, 0);
        }
        SetItemText(IDC_ASKUI_NAME, info_.name);
        SetItemText(IDC_ASKUI_COMPANY, info_.company);
        return true;
    }

    bool OnOK() override {
        info_.name = ItemText(IDC_ASKUI_NAME);
        info_.company = ItemText(IDC_ASKUI_COMPANY);
        return true;
    }

private:
    const std::vector<std::string>& texts_;
    UserInfo info_;
};

}  // namespace

bool AskUserInfo(const DialogResources& resources, HWND parent, const std::vector<std::string>& texts,
                 UserInfo* info) {
    if (resources.unattended) {
        return true;
    }
    UserInfoDialog dialog(texts, *info);
    if (dialog.RunModal(resources.language, "DLGASKUI", parent) != IDOK) {
        return false;
    }
    *info = dialog.Info();
    return true;
}

}  // namespace gvmain
