#include "gvmain/format/user_dialog.h"

#include <gtest/gtest.h>

namespace gvmain {
namespace {

TEST(UserDialogPlacement, CentreIsInThousandthsOfTheParent) {
    UserDialog dialog;
    WindowPlace centred = PlaceUserDialog(dialog, 800, 600, 200, 100);
    EXPECT_EQ(centred.left, 300);
    EXPECT_EQ(centred.top, 250);
    dialog.centreX = 250;
    dialog.centreY = 1000;
    WindowPlace corner = PlaceUserDialog(dialog, 800, 600, 200, 100);
    EXPECT_EQ(corner.left, 100);
    EXPECT_EQ(corner.top, 550);
}

TEST(UserDialogItems, IdsLinesAndLookUp) {
    EXPECT_EQ(UserItemId(0), 100);
    EXPECT_EQ(UserItemId(6), 106);
    EXPECT_EQ(UserItemLines("a\r\n\r\nb"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_TRUE(UserItemLines("").empty());
    std::vector<UserDialog> dialogs(2);
    dialogs[1].name = "Options";
    EXPECT_EQ(FindUserDialog(dialogs, "Options"), &dialogs[1]);
    EXPECT_EQ(FindUserDialog(dialogs, "options"), nullptr);
}

}  // namespace
}  // namespace gvmain
