#include "gvmain/engine/user_dialog_window.h"

#include "gvmain/engine/ctl3d.h"

#include <vector>

namespace gvmain {
namespace {

// How much room a drop-down list gets below its edit field, in dialog units.
constexpr int dropDownHeight = 80;

struct ItemWindow {
    const char* className;
    DWORD style;
};

ItemWindow WindowOf(const UserDialogItem& item) {
    // Frames lie under the items they surround; clipping keeps them from
    // painting over those.
    constexpr DWORD child = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    switch (item.kind) {
    case UserItemKind::StaticText: return {"STATIC", child | SS_LEFT | SS_NOPREFIX};
    case UserItemKind::Frame: return {"BUTTON", child | BS_OWNERDRAW | WS_DISABLED};
    case UserItemKind::Edit: return {"EDIT", child | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL};
    case UserItemKind::DropDownList: return {"COMBOBOX", child | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST};
    case UserItemKind::MessageButton:
    case UserItemKind::TextButton: return {"BUTTON", child | WS_TABSTOP | BS_PUSHBUTTON};
    case UserItemKind::MultiLineEdit: {
        DWORD style =
            child | WS_BORDER | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
        return {"EDIT", (item.flags & userItemReadOnly) ? style | ES_READONLY : style};
    }
    }
    return {"STATIC", child};
}

bool IsEdit(UserItemKind kind) {
    return kind == UserItemKind::Edit || kind == UserItemKind::MultiLineEdit;
}
bool IsButton(UserItemKind kind) {
    return kind == UserItemKind::MessageButton || kind == UserItemKind::TextButton;
}

// The texts the items show, expanded; false when one does not expand or an
// item names no variable of its kind.
bool PrepareTexts(const UserDialog& dialog, const Variables& variables, std::vector<std::string>* texts) {
    const ErrorReport silent = [](const std::string&) {};
    for (const UserDialogItem& item : dialog.items) {
        std::string text;
        if (!ExpandText(item.text, variables, text, silent)) {
            return false;
        }
        if (!item.variable.empty()) {
            bool known = IsEdit(item.kind) ? variables.StringVariable(item.variable) != nullptr
                         : item.kind == UserItemKind::DropDownList
                             ? variables.IntVariable(item.variable) != nullptr
                             : false;
            if (!known) {
                return false;
            }
            const std::string* value = IsEdit(item.kind) ? variables.StringVariable(item.variable) : nullptr;
            if (value && !value->empty()) {
                text = *value;
            }
        }
        texts->push_back(text);
    }
    return true;
}

class UserDialogWindow : public DialogWindow {
public:
    UserDialogWindow(const DialogResources& resources, HWND parent, const UserDialog& dialog,
                     Variables& variables, std::vector<std::string> texts)
        : resources_(resources),
          parent_(parent),
          dialog_(dialog),
          variables_(variables),
          texts_(std::move(texts)) {}

    bool Opened() const { return opened_; }

protected:
    bool OnInit() override {
        opened_ = true;
        SetWindowTextA(Handle(), dialog_.title.c_str());
        DeleteMenu(GetSystemMenu(Handle(), FALSE), SC_CLOSE, MF_BYCOMMAND);
        SizeAndPlace();
        bool defaultSet = false;
        for (size_t i = 0; i < dialog_.items.size(); ++i) {
            HWND item = CreateItem(i);
            if (item && IsButton(dialog_.items[i].kind) && !defaultSet) {
                SendMessageA(Handle(), DM_SETDEFID, UserItemId(i), 0);
                SendMessageA(item, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
                defaultSet = true;
            }
        }
        // Once all exist: children made later go below those made before.
        for (size_t i = 0; i < dialog_.items.size(); ++i) {
            if (dialog_.items[i].kind == UserItemKind::Frame) {
                SetWindowPos(Item(UserItemId(i)), HWND_BOTTOM, 0, 0, 0, 0,
                             SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            }
        }
        return true;
    }

    void OnCommand(int id, int) override {
        size_t index = static_cast<size_t>(id - firstUserItemId);
        if (id >= firstUserItemId && index < dialog_.items.size() && IsButton(dialog_.items[index].kind)) {
            StoreValues();
            EndModal(static_cast<INT_PTR>(index));
        } else if (id == IDCANCEL) {
            EndModal(userDialogCancelled);
        }
    }

    bool OnMessage(UINT message, WPARAM, LPARAM lParam, INT_PTR* result) override {
        if (message != WM_DRAWITEM) {
            return false;
        }
        auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        RECT frame = draw->rcItem;
        DrawEdge(draw->hDC, &frame, EDGE_ETCHED, BF_RECT);
        *result = TRUE;
        return true;
    }

private:
    void SizeAndPlace() {
        RECT size = {0, 0, dialog_.width, dialog_.height};
        MapDialogRect(Handle(), &size);
        AdjustWindowRectEx(&size, static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_EXSTYLE)));
        int width = size.right - size.left;
        int height = size.bottom - size.top;
        RECT area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        if (parent_) {
            GetClientRect(parent_, &area);
        }
        WindowPlace place = PlaceUserDialog(dialog_, area.right, area.bottom, width, height);
        POINT at = {place.left, place.top};
        if (parent_) {
            ClientToScreen(parent_, &at);
        }
        SetWindowPos(Handle(), nullptr, at.x, at.y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }

    HWND CreateItem(size_t index) {
        const UserDialogItem& item = dialog_.items[index];
        const std::string& text = texts_[index];
        RECT place = {item.x, item.y, item.x + item.width,
                      item.y + item.height + (item.kind == UserItemKind::DropDownList ? dropDownHeight : 0)};
        MapDialogRect(Handle(), &place);
        ItemWindow kind = WindowOf(item);
        std::string shown = item.kind == UserItemKind::MessageButton
                                ? DialogText(resources_, userButtonMessage)
                            : item.kind == UserItemKind::DropDownList ? std::string()
                                                                      : text;
        HWND window = CreateWindowExA(
            IsEdit(item.kind) ? WS_EX_CLIENTEDGE : 0, kind.className, shown.c_str(), kind.style, place.left,
            place.top, place.right - place.left, place.bottom - place.top, Handle(),
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(UserItemId(index))), resources_.engine, nullptr);
        if (!window) {
            return nullptr;
        }
        SendMessageA(window, WM_SETFONT, SendMessageA(Handle(), WM_GETFONT, 0, 0), FALSE);
        Ctl3d::SubclassControl(window);
        if (item.kind == UserItemKind::Edit) {
            SendMessageA(window, EM_LIMITTEXT, maxVariableText, 0);
        } else if (item.kind == UserItemKind::DropDownList) {
            FillList(window, item, text);
        }
        return window;
    }

    void FillList(HWND list, const UserDialogItem& item, const std::string& text) {
        for (const std::string& line : UserItemLines(text)) {
            SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
        }
        const int32_t* selection = item.variable.empty() ? nullptr : variables_.IntVariable(item.variable);
        SendMessageA(list, CB_SETCURSEL, selection ? *selection : -1, 0);
    }

    void StoreValues() {
        for (size_t i = 0; i < dialog_.items.size(); ++i) {
            const UserDialogItem& item = dialog_.items[i];
            if (item.variable.empty()) {
                continue;
            }
            int id = UserItemId(i);
            if (IsEdit(item.kind)) {
                variables_.SetString(item.variable, ItemText(id));
            } else if (item.kind == UserItemKind::DropDownList) {
                *variables_.IntVariable(item.variable) =
                    static_cast<int32_t>(SendDlgItemMessageA(Handle(), id, CB_GETCURSEL, 0, 0));
            }
        }
    }

    const DialogResources& resources_;
    HWND parent_;
    const UserDialog& dialog_;
    Variables& variables_;
    std::vector<std::string> texts_;
    bool opened_ = false;
};

// Unattended, the dialog is closed by its first push button at once.
int32_t FirstButton(const UserDialog& dialog) {
    for (size_t i = 0; i < dialog.items.size(); ++i) {
        UserItemKind kind = dialog.items[i].kind;
        if (kind == UserItemKind::MessageButton || kind == UserItemKind::TextButton) {
            return static_cast<int32_t>(i);
        }
    }
    return userDialogCancelled;
}

}  // namespace

bool RunUserDialog(const DialogResources& resources, HWND parent, const UserDialog& dialog,
                   Variables& variables, const ErrorReport& report, int32_t* result) {
    std::vector<std::string> texts;
    if (!PrepareTexts(dialog, variables, &texts)) {
        report(FillIn(userDialogErrorMessage, dialog.name));
        return false;
    }
    if (resources.unattended) {
        *result = FirstButton(dialog);
        return true;
    }
    UserDialogWindow window(resources, parent, dialog, variables, std::move(texts));
    const char* name = dialog.title.empty() ? "DLGUSRDLGNOTITLE" : "DLGUSRDLG";
    INT_PTR answer = window.RunModal(resources.language, name, parent);
    if (!window.Opened()) {
        return false;
    }
    *result = static_cast<int32_t>(answer);
    return true;
}

}  // namespace gvmain
