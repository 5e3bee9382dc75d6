#include "gvmain/engine/message_box.h"

#include "gvmain/ops/message_text.h"
#include "gvmain/resources/dialog_ids.h"

#include <algorithm>
#include <cstdio>

namespace gvmain {
namespace {

constexpr int messageOk = 76;
constexpr int messageCancel = 77;
constexpr int messageYes = 78;
constexpr int messageNo = 79;
constexpr int messageRetry = 80;
constexpr int messageError = 81;

HICON IconOf(const MessageBox& request) {
    switch (request.iconCode) {
    case iconHand: return LoadIconA(nullptr, IDI_HAND);
    case iconQuestion: return LoadIconA(nullptr, IDI_QUESTION);
    case iconExclamation: return LoadIconA(nullptr, IDI_EXCLAMATION);
    case iconInformation: return LoadIconA(nullptr, IDI_ASTERISK);
    default: return request.icon;
    }
}

int SetDefault(ButtonSet buttons) {
    return buttons == ButtonSet::Ok ? 0 : 1;
}

class MessageBoxDialog : public DialogWindow {
public:
    MessageBoxDialog(const DialogResources& resources, const MessageBox& request)
        : request_(request), texts_(ButtonTexts(resources, request)) {
        caption_ = request.caption.empty() ? DialogText(resources, messageError) : request.caption;
        int count = static_cast<int>(texts_.size());
        defaultButton_ = request.defaultButton >= 0             ? request.defaultButton
                         : request.buttons == ButtonSet::Custom ? 0
                                                                : SetDefault(request.buttons);
        escapeButton_ = request.escapeButton >= 0 ? request.escapeButton : count - 1;
        if (defaultButton_ >= count) {
            defaultButton_ = count - 1;
        }
    }

    int ButtonCount() const { return static_cast<int>(texts_.size()); }
    int DefaultButton() const { return defaultButton_; }
    int Pressed() const { return pressed_; }
    bool Answered() const { return answered_; }

protected:
    bool OnInit() override {
        SetWindowTextA(Handle(), caption_.c_str());
        std::string text = FormatText(request_.format, request_.args);
        if (text.size() >= maxMessageBoxText) {
            text.resize(maxMessageBoxText - 1);
        }
        SetItemText(IDC_MSGBOX_TEXT, text);
        SendDlgItemMessageA(Handle(), IDC_MSGBOX_ICON, STM_SETICON,
                            reinterpret_cast<WPARAM>(IconOf(request_)), 0);
        for (int i = 0; i < ButtonCount(); ++i) {
            SetItemText(IDC_MSGBOX_BUTTON + i, texts_[static_cast<size_t>(i)]);
        }
        if (defaultButton_ < 0) {
            return true;
        }
        // The template makes the first button the default; move it.
        SendDlgItemMessageA(Handle(), IDC_MSGBOX_BUTTON, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
        SendMessageA(Handle(), DM_SETDEFID, IDC_MSGBOX_BUTTON + defaultButton_, 0);
        SendDlgItemMessageA(Handle(), IDC_MSGBOX_BUTTON + defaultButton_, BM_SETSTYLE, BS_DEFPUSHBUTTON,
                            TRUE);
        SetFocus(Item(IDC_MSGBOX_BUTTON + defaultButton_));
        return false;
    }

    void OnCommand(int id, int) override {
        if (id >= IDC_MSGBOX_BUTTON && id < IDC_MSGBOX_BUTTON + ButtonCount()) {
            Answer(id - IDC_MSGBOX_BUTTON);
        } else if (id == IDCANCEL) {
            Answer(escapeButton_);
        }
    }

private:
    void Answer(int button) {
        pressed_ = button;
        answered_ = true;
        EndModal(button);
    }

    const MessageBox& request_;
    std::vector<std::string> texts_;
    std::string caption_;
    int defaultButton_ = 0;
    int escapeButton_ = 0;
    int pressed_ = -1;
    bool answered_ = false;
};

std::string TemplateName(int buttons) {
    char name[16];
    std::snprintf(name, sizeof name, "DLGMSGBOX%d", buttons);
    return name;
}

int RunModeless(MessageBoxDialog& dialog, const DialogResources& resources, HWND parent,
                const std::string& name) {
    HWND window = dialog.CreateModeless(resources.engine, name.c_str(), parent);
    if (!window) {
        return -1;
    }
    ShowWindow(window, SW_SHOW);
    MSG message;
    while (!dialog.Answered() && IsWindow(window)) {
        BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) {
                PostQuitMessage(static_cast<int>(message.wParam));
            }
            break;
        }
        if (!IsDialogMessageA(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    dialog.Destroy();
    return dialog.Pressed();
}

}  // namespace

std::vector<std::string> ButtonTexts(const DialogResources& resources, const MessageBox& request) {
    std::vector<int> numbers;
    switch (request.buttons) {
    case ButtonSet::Ok: numbers = {messageOk}; break;
    case ButtonSet::OkCancel: numbers = {messageOk, messageCancel}; break;
    case ButtonSet::YesNo: numbers = {messageYes, messageNo}; break;
    case ButtonSet::RetryCancel: numbers = {messageRetry, messageCancel}; break;
    case ButtonSet::Custom: {
        size_t count = std::min(request.customTexts.size(), static_cast<size_t>(maxCustomButtons));
        return std::vector<std::string>(request.customTexts.begin(), request.customTexts.begin() + count);
    }
    }
    std::vector<std::string> texts;
    for (int number : numbers) {
        texts.push_back(DialogText(resources, number));
    }
    return texts;
}

int ShowMessageBox(const DialogResources& resources, HWND parent, const MessageBox& request) {
    MessageBoxDialog dialog(resources, request);
    if (resources.unattended) {
        return dialog.DefaultButton();
    }
    std::string name = TemplateName(dialog.ButtonCount());
    if (request.modeless) {
        return RunModeless(dialog, resources, parent, name);
    }
    INT_PTR result = dialog.RunModal(resources.engine, name.c_str(), parent);
    return dialog.Answered() ? static_cast<int>(result) : -1;
}

}  // namespace gvmain
