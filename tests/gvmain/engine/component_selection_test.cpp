#include "gvmain/engine/component_selection.h"

#include "gvmain/engine/drive_space.h"
#include "gvmain/resources/dialog_ids.h"
#include "tests/gvmain/engine/dialog_test_support.h"

#include <gtest/gtest.h>

namespace gvmain {
namespace {

TEST(DriveSpace, FreeSpaceLinesAreRightAligned) {
    // 1000 units of 10240 bytes are 10000 KB: 9 Mb and 784 Kb.
    EXPECT_EQ(DriveLine('C', 1000), "C:     9Mb +  784Kb");
    EXPECT_EQ(DriveLine('D', 5000000), "D: 48828Mb +  128Kb");
    EXPECT_EQ(DriveLine('E', 0), "E:     0Mb +    0Kb");
}

TEST(DriveSpace, UnitsAndMediaKinds) {
    // 4096-byte clusters: 32 times the free clusters, divided by 80.
    EXPECT_EQ(FreeSpaceUnits(8, 512, 100000), 40000u);
    // The product wraps as the engine's 32-bit count always did.
    EXPECT_EQ(FreeSpaceUnits(64, 512, 20000000), static_cast<uint32_t>(256u * 20000000u) / 80);
    EXPECT_EQ(MediaKindOf(DRIVE_REMOVABLE, largestFloppyUnits), MediaKind::Floppy);
    EXPECT_EQ(MediaKindOf(DRIVE_REMOVABLE, largestFloppyUnits + 1), MediaKind::LargeRemovable);
    EXPECT_EQ(MediaKindOf(DRIVE_REMOTE, 0), MediaKind::Network);
    EXPECT_EQ(MediaKindOf(DRIVE_CDROM, 0), MediaKind::CdRom);
    EXPECT_EQ(MediaKindOf(DRIVE_RAMDISK, 0), MediaKind::Floppy);
}

std::vector<ComponentChoice> Components() {
    return {{"Program files", 1200, true, {}},
            {"Help and samples", 300, false, {2, 3}},
            {"Help book", 200, false, {}},
            {"Sample data", 100, false, {}}};
}

TEST(ComponentSelection, AGroupSelectsItsMembers) {
    std::vector<ComponentChoice> components = Components();
    components[1].members.push_back(1);  // a group naming itself must not loop
    SelectComponent(components, 1, true);
    EXPECT_TRUE(components[2].selected && components[3].selected);
    SelectComponent(components, 1, false);
    EXPECT_FALSE(components[1].selected);
    EXPECT_TRUE(components[2].selected);
    SelectComponent(components, 9, true);
    ComponentSizes sizes = SumSizes(components);
    EXPECT_EQ(sizes.total, 1800u);
    EXPECT_EQ(sizes.selected, 1500u);
}

TEST(ComponentSelection, ShowsSizesDrivesAndGaugeAndKeepsTheChoice) {
    std::vector<ComponentChoice> components = Components();
    WhenDialogAppears("Select the components you want to install", [](HWND dialog) {
        EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_SELCOMPS_TOTAL)), "1800 K");
        EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_SELCOMPS_SELECTED)), "1200 K");
        EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_SELCOMPS_GAUGE)), "66%");
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDOK));
        std::string drives = WindowText(GetDlgItem(dialog, IDC_SELCOMPS_DRIVES));
        EXPECT_EQ(drives.substr(0, 3), "C: ") << drives;
        LOGFONTA font = {};
        GetObjectA(
            reinterpret_cast<HFONT>(SendDlgItemMessageA(dialog, IDC_SELCOMPS_DRIVES, WM_GETFONT, 0, 0)),
            sizeof font, &font);
        EXPECT_STREQ(font.lfFaceName, "Courier New");
        // Picking the group takes its members along.
        HWND list = GetDlgItem(dialog, IDC_SELCOMPS_LIST);
        SendMessageA(list, LB_SETSEL, TRUE, 1);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_SELCOMPS_LIST, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
        EXPECT_GT(SendMessageA(list, LB_GETSEL, 3, 0), 0);
        EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_SELCOMPS_SELECTED)), "1800 K");
        EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_SELCOMPS_GAUGE)), "100%");
        SendMessageA(list, LB_SETSEL, FALSE, 3);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_SELCOMPS_LIST, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
        RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        EXPECT_TRUE(SaveScreenshot(dialog, "component_selection"));
        PressKey(VK_RETURN);
    });
    ASSERT_TRUE(SelectComponents(TestResources(), nullptr, &components));
    EXPECT_TRUE(components[1].selected && components[2].selected);
    EXPECT_FALSE(components[3].selected);

    WhenDialogAppears("Select the components you want to install", [](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_SELCOMPS_LIST);
        SendMessageA(list, LB_SETSEL, FALSE, 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_SELCOMPS_LIST, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
        PressKey(VK_ESCAPE);
    });
    EXPECT_FALSE(SelectComponents(TestResources(), nullptr, &components));
    EXPECT_TRUE(components[0].selected);
}

}  // namespace
}  // namespace gvmain
