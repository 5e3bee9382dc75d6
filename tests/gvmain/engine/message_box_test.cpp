#include "gvmain/engine/message_box.h"

#include "gvmain/resources/dialog_ids.h"
#include "tests/gvmain/engine/dialog_test_support.h"

#include <gtest/gtest.h>

namespace gvmain {
namespace {

MessageBox Question(const std::string& caption, ButtonSet buttons) {
    MessageBox request;
    request.format = "Do you want to install %s\ninto the directory %s?";
    request.args = {"Vorlen", "C:\\VORLEN"};
    request.caption = caption;
    request.iconCode = iconQuestion;
    request.buttons = buttons;
    return request;
}

TEST(MessageBox, YesAndNoAnswerZeroAndOne) {
    DialogResources resources = TestResources();
    WhenDialogAppears("Yes or no", [](HWND box) {
        EXPECT_TRUE(SaveScreenshot(box, "message_box"));
        ClickButton(box, IDC_MSGBOX_BUTTON);
    });
    EXPECT_EQ(ShowMessageBox(resources, nullptr, Question("Yes or no", ButtonSet::YesNo)), 0);
    WhenDialogAppears("Yes or no", [](HWND box) { ClickButton(box, IDC_MSGBOX_BUTTON + 1); });
    EXPECT_EQ(ShowMessageBox(resources, nullptr, Question("Yes or no", ButtonSet::YesNo)), 1);
}

TEST(MessageBox, ReturnTakesTheSetsDefaultAndEscapeTheLastButton) {
    DialogResources resources = TestResources();
    // Set 1 defaults to its second button, Cancel.
    WhenDialogAppears("Keys", [](HWND box) {
        EXPECT_EQ(GetFocus(), GetDlgItem(box, IDC_MSGBOX_BUTTON + 1));
        PressKey(VK_RETURN);
    });
    EXPECT_EQ(ShowMessageBox(resources, nullptr, Question("Keys", ButtonSet::OkCancel)), 1);
    MessageBox custom = Question("Keys", ButtonSet::Custom);
    custom.customTexts = {"&Restart", "&Stay here", "&Later"};
    WhenDialogAppears("Keys", [](HWND) { PressKey(VK_ESCAPE); });
    EXPECT_EQ(ShowMessageBox(resources, nullptr, custom), 2);
    // Tab leaves the default for the next button.
    custom.defaultButton = 0;
    WhenDialogAppears("Keys", [](HWND box) {
        EXPECT_EQ(GetFocus(), GetDlgItem(box, IDC_MSGBOX_BUTTON));
        SendMessageA(box, WM_NEXTDLGCTL, 0, FALSE);
        PressKey(VK_SPACE);
    });
    EXPECT_EQ(ShowMessageBox(resources, nullptr, custom), 1);
}

TEST(MessageBox, WithoutALanguageDllTheTextsComeFromTheEngine) {
    MessageBox request;
    request.format = "Unable to load %s";
    request.args = {"C:\\SETUP\\install.inf"};
    request.buttons = ButtonSet::RetryCancel;
    WhenDialogAppears("Error", [](HWND box) {
        EXPECT_EQ(WindowText(GetDlgItem(box, IDC_MSGBOX_TEXT)), "Unable to load C:\\SETUP\\install.inf");
        EXPECT_EQ(WindowText(GetDlgItem(box, IDC_MSGBOX_BUTTON)), "&Retry");
        EXPECT_EQ(WindowText(GetDlgItem(box, IDC_MSGBOX_BUTTON + 1)), "&Cancel");
        EXPECT_EQ(GetDlgItem(box, IDC_MSGBOX_BUTTON + 2), nullptr);
        ClickButton(box, IDC_MSGBOX_BUTTON);
    });
    EXPECT_EQ(ShowMessageBox(TestResources(false), nullptr, request), 0);
}

TEST(MessageBox, AModelessBoxLeavesItsParentWorking) {
    HWND parent = CreateWindowA("STATIC", "parent", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                                nullptr, nullptr);
    MessageBox request = Question("Modeless", ButtonSet::Ok);
    request.modeless = true;
    bool parentEnabled = false;
    WhenDialogAppears("Modeless", [&](HWND box) {
        parentEnabled = IsWindowEnabled(parent);
        ClickButton(box, IDC_MSGBOX_BUTTON);
    });
    EXPECT_EQ(ShowMessageBox(TestResources(), parent, request), 0);
    EXPECT_TRUE(parentEnabled);
    EXPECT_EQ(FindWindowA("#32770", "Modeless"), nullptr);
    DestroyWindow(parent);
}

}  // namespace
}  // namespace gvmain
