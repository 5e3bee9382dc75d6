#include "gvmain/engine/user_dialog_window.h"

#include "tests/gvmain/engine/dialog_test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace gvmain {
namespace {

UserDialogItem Item(UserItemKind kind, int32_t x, int32_t y, int32_t width, int32_t height,
                    const std::string& text, const std::string& variable = "", int32_t flags = 0) {
    return {kind, x, y, width, height, text, variable, flags};
}

UserDialog Options() {
    UserDialog dialog;
    dialog.name = "options";
    dialog.title = "Installation Options";
    dialog.width = 220;
    dialog.height = 130;
    dialog.items = {
        Item(UserItemKind::StaticText, 10, 8, 200, 10, "Install $product into:"),
        Item(UserItemKind::Frame, 5, 4, 210, 96, ""),
        Item(UserItemKind::Edit, 10, 22, 200, 12, "C:\\VORLEN", "dir"),
        Item(UserItemKind::DropDownList, 10, 40, 100, 12, "Typical\r\nCompact\r\nCustom", "kind"),
        Item(UserItemKind::MultiLineEdit, 10, 58, 200, 36,
             "Typical installs everything.\r\nCompact leaves out the help.", "notes", userItemReadOnly),
        Item(UserItemKind::MessageButton, 100, 108, 50, 14, ""),
        Item(UserItemKind::TextButton, 160, 108, 50, 14, "&Back"),
    };
    return dialog;
}

Variables OptionVariables() {
    Variables variables;
    variables.Declare("product", VariableKind::String);
    variables.SetString("product", "Vorlen");
    variables.Declare("dir", VariableKind::String);
    variables.Declare("notes", VariableKind::String);
    variables.Declare("kind", VariableKind::Int);
    *variables.IntVariable("kind") = 1;
    return variables;
}

RECT ClientOnScreen(HWND window) {
    RECT area;
    GetClientRect(window, &area);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&area), 2);
    return area;
}

class UserDialogWindowTest : public testing::Test {
protected:
    void SetUp() override {
        parent = CreateWindowA("STATIC", "", WS_POPUP | WS_VISIBLE, 100, 80, 640, 480, nullptr, nullptr,
                               nullptr, nullptr);
    }
    void TearDown() override { DestroyWindow(parent); }

    HWND parent = nullptr;
    Variables variables = OptionVariables();
    std::string reported;
    ErrorReport report = [this](const std::string& text) { reported = text; };
};

TEST_F(UserDialogWindowTest, CentredAt500ItBuildsTheItemsAndStoresTheValues) {
    HWND owner = parent;
    WhenDialogAppears("Installation Options", [owner](HWND dialog) {
        RECT outer = ClientOnScreen(owner);
        RECT own;
        GetWindowRect(dialog, &own);
        EXPECT_LE(std::abs((own.left + own.right) - (outer.left + outer.right)), 2);
        EXPECT_LE(std::abs((own.top + own.bottom) - (outer.top + outer.bottom)), 2);
        EXPECT_EQ(WindowText(GetDlgItem(dialog, 100)), "Install Vorlen into:");
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 101)));
        EXPECT_EQ(WindowText(GetDlgItem(dialog, 102)), "C:\\VORLEN");
        EXPECT_EQ(SendDlgItemMessageA(dialog, 103, CB_GETCURSEL, 0, 0), 1);
        EXPECT_TRUE(GetWindowLongA(GetDlgItem(dialog, 104), GWL_STYLE) & ES_READONLY);
        EXPECT_EQ(WindowText(GetDlgItem(dialog, 105)), "&Next >");
        EXPECT_EQ(GetMenuState(GetSystemMenu(dialog, FALSE), SC_CLOSE, MF_BYCOMMAND), static_cast<UINT>(-1));
        SetDlgItemTextA(dialog, 102, "D:\\APPS");
        SendDlgItemMessageA(dialog, 103, CB_SETCURSEL, 2, 0);
        EXPECT_TRUE(SaveScreenshot(dialog, "user_dialog"));
        SetFocus(GetDlgItem(dialog, 102));
        PressKey(VK_RETURN);  // the first push button is the default
    });
    int32_t result = 0;
    ASSERT_TRUE(RunUserDialog(TestResources(), parent, Options(), variables, report, &result));
    EXPECT_EQ(result, 5);
    EXPECT_EQ(*variables.StringVariable("dir"), "D:\\APPS");
    EXPECT_EQ(*variables.IntVariable("kind"), 2);
    EXPECT_EQ(reported, "");
}

TEST_F(UserDialogWindowTest, EscapeChangesNothingAndAnUntitledDialogHasNoCaption) {
    UserDialog dialog = Options();
    dialog.title.clear();
    dialog.centreX = 250;
    WhenDialogAppears("", [](HWND shown) {
        EXPECT_NE(GetWindowLongA(shown, GWL_STYLE) & WS_CAPTION, WS_CAPTION);
        SetDlgItemTextA(shown, 102, "D:\\APPS");
        PressKey(VK_ESCAPE);
    });
    int32_t result = 0;
    ASSERT_TRUE(RunUserDialog(TestResources(), parent, dialog, variables, report, &result));
    EXPECT_EQ(result, userDialogCancelled);
    EXPECT_EQ(*variables.StringVariable("dir"), "");
}

TEST_F(UserDialogWindowTest, TextsThatDoNotExpandStopItBeforeItShows) {
    UserDialog dialog = Options();
    dialog.items[0].text = "Install $nothing";
    int32_t result = 7;
    EXPECT_FALSE(RunUserDialog(TestResources(), parent, dialog, variables, report, &result));
    EXPECT_EQ(reported, "Error evaluting user dialog options");
    dialog = Options();
    dialog.items[3].variable = "dir";  // a list's selection needs an int variable
    reported.clear();
    EXPECT_FALSE(RunUserDialog(TestResources(), parent, dialog, variables, report, &result));
    EXPECT_EQ(reported, "Error evaluting user dialog options");
    EXPECT_EQ(result, 7);
}

}  // namespace
}  // namespace gvmain
