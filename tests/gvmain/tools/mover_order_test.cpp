#include "tools/movexe/mover_order.h"

#include <gtest/gtest.h>

namespace movexe {
namespace {

TEST(MoverOrder, TheKeysSayWhatHappensToTheFile) {
    // The uninstaller's hand-over to its copy at the drive root.
    Order relaunch{"C:\\VORLEN\\UNINST\\gvmain.exe", "C:\\", true};
    EXPECT_EQ(ActionOf(relaunch), Action::MoveAndStart);
    EXPECT_EQ(Destination(relaunch), "C:\\gvmain.exe");
    // The copy at the root, done: it goes.
    Order done{"C:\\gvmain.exe", "", false};
    EXPECT_EQ(ActionOf(done), Action::Delete);
    EXPECT_EQ(Destination(done), "C:\\gvmain.exe");
    // The copy at the root, not done: it goes back.
    Order back{"C:\\gvmain.exe", "C:\\VORLEN\\UNINST", false};
    EXPECT_EQ(ActionOf(back), Action::Move);
    EXPECT_EQ(Destination(back), "C:\\VORLEN\\UNINST\\gvmain.exe");
    // An abandoned installation's roll-back starts the uninstaller in place.
    EXPECT_EQ(ActionOf({"C:\\VORLEN\\UNINST\\gvmain.exe", "", true}), Action::Start);
    EXPECT_EQ(ActionOf({"", "C:\\", true}), Action::Nothing);
}

}  // namespace
}  // namespace movexe
