#include "gvmain/uninstall/undo_dialog.h"

#include "gvmain/ops/message_text.h"
#include "gvmain/resources/dialog_ids.h"
#include "gvmain/uninstall/advanced_view.h"

#include <utility>

namespace gvmain {
namespace {

constexpr int messageUninstall = 200;
constexpr int messageStop = 151;
constexpr int messageResume = 152;
constexpr int messageStartAgain = 153;

class QuitQuestion : public DialogWindow {
protected:
    void OnCommand(int id, int) override {
        switch (id) {
        case IDOK: EndModal(static_cast<INT_PTR>(QuitAnswer::QuitIncomplete)); break;
        case IDC_ASKQUIT_COMPLETE: EndModal(static_cast<INT_PTR>(QuitAnswer::QuitComplete)); break;
        case IDCANCEL: EndModal(static_cast<INT_PTR>(QuitAnswer::Stay)); break;
        default: break;
        }
    }
};

// The status line and the gauge of the simple view.
class SimpleDialog : public UndoDialog {
public:
    using UndoDialog::UndoDialog;

    void OnWalkEnd() override {
        UndoDialog::OnWalkEnd();
        SetItemText(IDC_UNDO_STATUS, std::string());
    }
    void OnRecordStart(size_t index) override {
        SetItemText(IDC_UNDO_STATUS, RecordText(walk_.Record(index)));
    }
    void OnRecordDone(size_t index) override { gauge_.SetPercent(WalkProgress(index, walk_.Count())); }

protected:
    bool OnInit() override {
        gauge_.Attach(host_.Resources(), Handle(), IDC_UNDO_PROGRESS);
        return UndoDialog::OnInit();
    }

    Gauge gauge_;
};

// The same lines without buttons, and nothing asked.
class AutomaticDialog : public SimpleDialog {
public:
    using SimpleDialog::SimpleDialog;

    bool ConfirmStart() override { return false; }
    QuitAnswer AskQuit() override { return QuitAnswer::QuitIncomplete; }
    void OnWalkStart() override {}
    void OnWalkEnd() override { SetItemText(IDC_UNDO_STATUS, std::string()); }
};

}  // namespace

UndoView ViewOfHeader(int32_t uninstallView) {
    return uninstallView == AdvancedView || uninstallView == AutomaticView
               ? static_cast<UndoView>(uninstallView)
               : SimpleView;
}

std::string UndoCaption(const DialogResources& resources, const std::string& productName) {
    return FormatText("%s %s", {DialogText(resources, messageUninstall), productName});
}

QuitAnswer AskQuitDialog(const DialogResources& resources, HWND parent) {
    QuitQuestion question;
    INT_PTR answer = question.RunModal(resources.language, "DLGUNDOASKQUIT", parent);
    return answer < 0 ? QuitAnswer::Stay : static_cast<QuitAnswer>(answer);
}

UndoDialog::UndoDialog(UndoWalk& walk, UninstallHost& host, std::string caption)
    : walk_(walk), host_(host), caption_(std::move(caption)) {}

UndoDialog::~UndoDialog() {
    host_.SetParent(nullptr);
}

bool UndoDialog::OnInit() {
    SetWindowTextA(Handle(), caption_.c_str());
    host_.SetParent(Handle());
    UpdateControls();
    return true;
}

void UndoDialog::OnWalkStart() {
    SetItemText(IDOK, host_.Message(messageStop));
    UpdateControls();
}

void UndoDialog::OnWalkEnd() {
    SetItemText(IDOK,
                host_.Message(walk_.Status() == WalkStatus::Stopped ? messageResume : messageStartAgain));
    UpdateControls();
}

// The walk runs inside the start button's handler, answering messages as
// it paces the records: a second press arrives here as the stop request.
void UndoDialog::OnCommand(int id, int) {
    DialogEnd end = DialogEnd::Incomplete;
    switch (id) {
    case IDOK:
        if (walk_.Count() > 0) {
            walk_.StartButton(*this);
        }
        break;
    case IDCANCEL:
        if (!walk_.Running() && walk_.Quit(*this, end)) {
            EndModal(static_cast<INT_PTR>(end));
        }
        break;
    case IDC_UNDO_SWITCH:
        if (!walk_.Running()) {
            EndModal(static_cast<INT_PTR>(DialogEnd::SwitchView));
        }
        break;
    default: break;
    }
}

void UndoDialog::UpdateControls() {
    EnableWindow(Item(IDOK), walk_.Count() > 0);
    EnableWindow(Item(IDCANCEL), !walk_.Running());
    EnableWindow(Item(IDC_UNDO_SWITCH), !walk_.Running());
}

bool ShowUndoView(UndoView view, UndoWalk& walk, UninstallHost& host, const std::string& caption,
                  DialogEnd& end) {
    SimpleDialog simple(walk, host, caption);
    AdvancedDialog advanced(walk, host, caption);
    UndoDialog& dialog = view == AdvancedView ? static_cast<UndoDialog&>(advanced) : simple;
    INT_PTR result = dialog.RunModal(host.Resources().language,
                                     view == AdvancedView ? "DLGUNDOMAINADV" : "DLGUNDOMAINSIM", nullptr);
    if (result < 0) {
        return false;
    }
    end = static_cast<DialogEnd>(result);
    return true;
}

bool RunAutomaticView(UndoWalk& walk, UninstallHost& host, const std::string& caption) {
    AutomaticDialog dialog(walk, host, caption);
    HWND window = dialog.CreateModeless(host.Resources().language, "DLGUNDOMAINSLT", nullptr);
    if (!window) {
        return false;
    }
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    walk.Walk(dialog);
    dialog.Destroy();
    return true;
}

}  // namespace gvmain
