#include "gvmain/engine/install_screen.h"

#include "gvmain/engine/ctl3d.h"
#include "tests/gvmain/engine/dialog_test_support.h"

#include <gtest/gtest.h>

namespace gvmain {
namespace {

std::string ClassName(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

void Click(HWND button, int x, int y) {
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

ScreenDescription BitmapScreen(int32_t colours) {
    ScreenDescription screen;
    screen.pictureKind = screenBitmap;
    screen.colours = colours;
    screen.background = RGB(0, 0, 128);
    screen.flags = screenShowsCaption;
    screen.scrambledCaption = "Demo version and more";
    return screen;
}

TEST(InstallScreen, FillsTheScreenWithPictureCaptionAndButtons) {
    InstallScreen screen;
    int exits = 0;
    screen.onExit = [&] { ++exits; };
    ASSERT_TRUE(screen.Create(TestResources(), BitmapScreen(screenColours64k), TestFile("screen_64k.bmp"),
                              "gvenu.hlp"));
    HWND window = screen.Window();
    EXPECT_EQ(ClassName(window), "wndclassgvbk");
    RECT area;
    GetWindowRect(window, &area);
    EXPECT_EQ(area.right - area.left, GetSystemMetrics(SM_CXSCREEN));
    for (int id : {screenMinimiseButton, screenHelpButton, screenExitButton}) {
        EXPECT_EQ(ClassName(GetDlgItem(window, id)), "wndclassgvgadbtn") << id;
    }
    EXPECT_TRUE(SaveScreenshot(window, "install_screen"));
    HWND exit = GetDlgItem(window, screenExitButton);
    Click(exit, 40, 40);  // let go outside: no click
    EXPECT_EQ(exits, 0);
    Click(exit, 5, 5);
    EXPECT_EQ(exits, 1);
    Click(GetDlgItem(window, screenMinimiseButton), 5, 5);
    EXPECT_TRUE(IsIconic(window));
}

TEST(InstallScreen, TakesThe256ColourVariantAndFailsWithoutItsPictures) {
    InstallScreen screen;
    EXPECT_TRUE(
        screen.Create(TestResources(), BitmapScreen(screenColours256), TestFile("screen_256.bmp"), ""));
    EXPECT_FALSE(screen.Create(TestResources(), BitmapScreen(screenColours64k), TestFile("missing.bmp"), ""));
    EXPECT_EQ(screen.Window(), nullptr);
    // The buttons' bitmaps live in the language DLL.
    EXPECT_FALSE(
        screen.Create(TestResources(false), BitmapScreen(screenColours64k), TestFile("screen_64k.bmp"), ""));
}

TEST(Ctl3d, NestedUsersShareOneRegistration) {
    HMODULE fake = LoadLibraryA("fake_ctl3d.dll");
    ASSERT_NE(fake, nullptr);
    auto calls =
        reinterpret_cast<LONG(WINAPI*)(int)>(reinterpret_cast<void*>(GetProcAddress(fake, "FakeCtl3dCalls")));
    {
        Ctl3d outer(GetModuleHandleA(nullptr), "fake_ctl3d.dll");
        {
            Ctl3d inner(GetModuleHandleA(nullptr), "fake_ctl3d.dll");
            Ctl3d::SubclassControl(nullptr);
        }
        EXPECT_TRUE(Ctl3d::Active());
        EXPECT_EQ(calls(3), 0);
    }
    EXPECT_EQ(calls(0), 1);
    EXPECT_EQ(calls(1), 1);
    EXPECT_EQ(calls(2), 1);
    EXPECT_EQ(calls(3), 1);
    EXPECT_FALSE(Ctl3d::Active());
    FreeLibrary(fake);
    // Without the library everything goes on, flat.
    Ctl3d missing(GetModuleHandleA(nullptr), "no_such_ctl3d.dll");
    EXPECT_FALSE(Ctl3d::Active());
    Ctl3d::SubclassControl(nullptr);
}

}  // namespace
}  // namespace gvmain
