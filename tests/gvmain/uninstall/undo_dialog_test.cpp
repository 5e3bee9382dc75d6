#include "gvmain/uninstall/undo_dialog.h"
#include "gvmain/uninstall/advanced_view.h"

#include "gvmain/ops/file_undo_actions.h"
#include "gvmain/resources/dialog_ids.h"
#include "tests/gvmain/engine/dialog_test_support.h"
#include "tests/gvmain/ops/ops_test_support.h"
#include "tests/gvmain/uninstall/uninstall_test_support.h"

#include <gtest/gtest.h>

namespace gvmain {
namespace {

using test::Exists;
using test::PathRecordOf;
using test::ScratchDir;

constexpr char caption[] = "Uninstall Vorlen";

std::function<void()> later;
void CALLBACK RunLater(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    auto action = std::move(later);
    later = nullptr;
    action();
}
// Runs `action` from the message loop after `ms` milliseconds.
void After(UINT ms, std::function<void()> action) {
    later = std::move(action);
    SetTimer(nullptr, 0, ms, &RunLater);
}

bool Enabled(HWND dialog, int id) {
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}
bool Checked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}
void Select(HWND dialog, int index) {
    SendDlgItemMessageA(dialog, IDC_UNDO_LIST, LB_SETCURSEL, index, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_UNDO_LIST, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_UNDO_LIST)));
}
void Press(HWND dialog, int id) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// Three files made by an installation, with the engine's real texts.
struct Views {
    ScratchDir dir{"gvviews"};
    UninstallHost host{DetectEnvironment(), std::string()};
    FileUndoActions actions{host};
    std::unique_ptr<UndoWalk> walk;

    explicit Views(uint32_t pace, bool withDeleted = false) {
        host.SetResources(TestResources());
        std::vector<std::unique_ptr<LogRecord>> records;
        for (const char* name : {"VORLEN.EXE", "VORLEN.HLP", "SAMPLE.VOR"}) {
            test::WriteBytes(dir / name, "x");
            records.push_back(PathRecordOf(LogFileCreated, dir / name));
        }
        if (withDeleted) {
            records[1] = PathRecordOf(LogFileDeleted, dir / "OLD.TXT");
            records[2]->mode = 1;
            records[2]->state = UndoState::Keep;
        }
        walk = std::make_unique<UndoWalk>(std::move(records), pace, "Vorlen", host, actions, SystemClock());
    }
};

TEST(UndoDialogs, CaptionJoinsMessage200AndTheProductNameAndAnUnknownViewIsTheSimpleOne) {
    EXPECT_EQ(UndoCaption(TestResources(), "Vorlen 2"), "Uninstall Vorlen 2");
    EXPECT_EQ(ViewOfHeader(1), AdvancedView);
    EXPECT_EQ(ViewOfHeader(2), AutomaticView);
    EXPECT_EQ(ViewOfHeader(3), SimpleView);
    EXPECT_EQ(ViewOfHeader(-1), SimpleView);
}

// The simple view, stopped after its first record and closed: the quit
// question's first choice leaves the uninstallation incomplete.
TEST(UndoDialogs, StoppingAndClosingWithRecordsLeftAsksWhetherToQuit) {
    Views views(600);
    std::string startText;
    std::string statusText;
    std::string quitCaption;
    WhenDialogAppears(caption, [&](HWND dialog) {
        EXPECT_TRUE(Enabled(dialog, IDOK));
        WhenDialogAppears("Confirm Removal", [&, dialog](HWND box) {
            EXPECT_EQ(WindowText(GetDlgItem(box, IDC_MSGBOX_TEXT)),
                      "Are you sure you want to remove Vorlen and all of its components?");
            ClickButton(box, IDC_MSGBOX_BUTTON);
            After(250, [&, dialog] {
                statusText = WindowText(GetDlgItem(dialog, IDC_UNDO_STATUS));
                startText = WindowText(GetDlgItem(dialog, IDOK));
                EXPECT_FALSE(Enabled(dialog, IDCANCEL));
                EXPECT_FALSE(Enabled(dialog, IDC_UNDO_SWITCH));
                EXPECT_TRUE(SaveScreenshot(dialog, "uninstall_simple"));
                ClickButton(dialog, IDOK);
                After(900, [&, dialog] {
                    EXPECT_EQ(WindowText(GetDlgItem(dialog, IDOK)), "&Resume");
                    WhenDialogAppears("Leave the Uninstaller", [&](HWND question) {
                        quitCaption = WindowText(question);
                        EXPECT_TRUE(SaveScreenshot(question, "uninstall_ask_quit"));
                        ClickButton(question, IDOK);
                    });
                    ClickButton(dialog, IDCANCEL);
                });
            });
        });
        ClickButton(dialog, IDOK);
    });
    DialogEnd end = DialogEnd::SwitchView;
    ASSERT_TRUE(ShowUndoView(SimpleView, *views.walk, views.host, caption, end));
    EXPECT_EQ(end, DialogEnd::Incomplete);
    EXPECT_EQ(startText, "&Stop");
    EXPECT_EQ(statusText, views.dir / "SAMPLE.VOR");
    EXPECT_EQ(quitCaption, "Leave the Uninstaller");
    EXPECT_EQ(views.walk->Status(), WalkStatus::Stopped);
    EXPECT_FALSE(Exists(views.dir / "SAMPLE.VOR"));
    EXPECT_TRUE(Exists(views.dir / "VORLEN.EXE"));
}

TEST(UndoDialogs, InTheAdvancedViewADeletedFileCannotBeSwitchedToUndo) {
    Views views(0, true);
    UndoState chosen = UndoState::Undo;
    WhenDialogAppears(caption, [&](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_UNDO_LIST);
        EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 3);
        EXPECT_GT(SendMessageA(list, LB_GETHORIZONTALEXTENT, 0, 0), 0);
        EXPECT_FALSE(Enabled(dialog, IDC_UNDO_DETAILS));
        Select(dialog, 1);
        EXPECT_TRUE(Enabled(dialog, IDC_UNDO_DETAILS));
        EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_UNDO_DETAILS)), "Path: " + views.dir / "OLD.TXT");
        EXPECT_TRUE(Checked(dialog, IDC_UNDO_STATE + 2));
        EXPECT_TRUE(Enabled(dialog, IDC_UNDO_STATE + 2));
        for (int state : {0, 1, 3, 4}) {
            EXPECT_FALSE(Enabled(dialog, IDC_UNDO_STATE + state)) << state;
        }
        Press(dialog, IDC_UNDO_STATE);
        EXPECT_EQ(views.walk->Record(1).state, UndoState::CannotUndo);
        // The kept record may be switched to undo, and back.
        Select(dialog, 2);
        EXPECT_TRUE(Checked(dialog, IDC_UNDO_STATE + 1));
        EXPECT_TRUE(Enabled(dialog, IDC_UNDO_STATE));
        EXPECT_FALSE(Enabled(dialog, IDC_UNDO_STATE + 3));
        Press(dialog, IDC_UNDO_STATE);
        chosen = views.walk->Record(2).state;
        EXPECT_TRUE(Checked(dialog, IDC_UNDO_STATE));
        EXPECT_TRUE(SaveScreenshot(dialog, "uninstall_advanced"));
        ClickButton(dialog, IDC_UNDO_SWITCH);
    });
    DialogEnd end = DialogEnd::Complete;
    ASSERT_TRUE(ShowUndoView(AdvancedView, *views.walk, views.host, caption, end));
    EXPECT_EQ(end, DialogEnd::SwitchView);
    EXPECT_EQ(chosen, UndoState::Undo);
    EXPECT_EQ(ListLine("C:\\A", 6, "File created"), "C:\\A    File created");
}

TEST(UndoDialogs, TheAutomaticViewWalksWithoutAQuestionAndGoes) {
    Views views(400);
    WhenDialogAppears(caption, [](HWND dialog) {
        EXPECT_NE(WindowText(GetDlgItem(dialog, IDC_UNDO_STATUS)), "");
        EXPECT_TRUE(SaveScreenshot(dialog, "uninstall_automatic"));
    });
    ASSERT_TRUE(RunAutomaticView(*views.walk, views.host, caption));
    EXPECT_TRUE(views.walk->IsComplete());
    EXPECT_FALSE(Exists(views.dir / "VORLEN.EXE"));
    EXPECT_EQ(FindWindowA("#32770", caption), nullptr);
}

}  // namespace
}  // namespace gvmain
