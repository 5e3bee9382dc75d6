#include "gvmain/engine/prompt_dialog.h"
#include "gvmain/engine/user_info_dialog.h"

#include "gvmain/resources/dialog_ids.h"
#include "tests/gvmain/engine/dialog_test_support.h"

#include <gtest/gtest.h>

namespace gvmain {
namespace {

void Type(HWND dialog, int id, const char* text) {
    SetDlgItemTextA(dialog, id, text);
}

TEST(AskUserInfo, AcceptingCopiesBackAndTabGoesFromNameToCompany) {
    UserInfo info{"user", "comp"};
    std::vector<std::string> texts = {"Please enter your name and the name", "of your company."};
    WhenDialogAppears("User Information", [](HWND dialog) {
        EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_ASKUI_TEXT + 1)), "of your company.");
        EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_ASKUI_NAME)), "user");
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_ASKUI_NAME));
        Type(dialog, IDC_ASKUI_NAME, "Ann Example");
        Type(dialog, IDC_ASKUI_COMPANY, "Example & Co");
        EXPECT_TRUE(SaveScreenshot(dialog, "user_info"));
        PressKey(VK_TAB);
        WhenDialogAppears("User Information", [](HWND again) {
            EXPECT_EQ(GetFocus(), GetDlgItem(again, IDC_ASKUI_COMPANY));
            PressKey(VK_RETURN);
        });
    });
    ASSERT_TRUE(AskUserInfo(TestResources(), nullptr, texts, &info));
    EXPECT_EQ(info.name, "Ann Example");
    EXPECT_EQ(info.company, "Example & Co");

    WhenDialogAppears("User Information", [](HWND dialog) {
        Type(dialog, IDC_ASKUI_NAME, "Someone else");
        PressKey(VK_ESCAPE);
    });
    EXPECT_FALSE(AskUserInfo(TestResources(), nullptr, texts, &info));
    EXPECT_EQ(info.name, "Ann Example");
}

TEST(PromptString, EditOrComboBoxTakesTheString) {
    PromptArgs args{"Query",
                    "Please enter a text string\r\nrequired by\r\nthis program in the edit control\r\nThanks",
                    {}};
    std::string value = "str";
    WhenDialogAppears("Query", [](HWND dialog) {
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, IDC_PROMPT_EDIT)));
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, IDC_PROMPT_COMBO)));
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_PROMPT_EDIT));
        Type(dialog, IDC_PROMPT_EDIT, "C:\\VORLEN");
        EXPECT_TRUE(SaveScreenshot(dialog, "prompt"));
        PressKey(VK_RETURN);
    });
    ASSERT_TRUE(PromptString(TestResources(), nullptr, args, &value));
    EXPECT_EQ(value, "C:\\VORLEN");

    args.choices = {"C:\\VORLEN", "D:\\VORLEN"};
    WhenDialogAppears("Query", [](HWND dialog) {
        HWND combo = GetDlgItem(dialog, IDC_PROMPT_COMBO);
        EXPECT_TRUE(IsWindowVisible(combo));
        EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 2);
        SendMessageA(combo, CB_SETCURSEL, 1, 0);
        ClickButton(dialog, IDOK);
    });
    ASSERT_TRUE(PromptString(TestResources(), nullptr, args, &value));
    EXPECT_EQ(value, "D:\\VORLEN");
}

TEST(PromptString, AMissingTemplateIsAFailure) {
    std::string value = "kept";
    EXPECT_FALSE(PromptString(TestResources(false), nullptr, PromptArgs{}, &value));
    EXPECT_EQ(value, "kept");
}

}  // namespace
}  // namespace gvmain
