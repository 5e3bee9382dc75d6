#include "gvmain/engine/gauge.h"

#include "gvmain/engine/progress_dialog.h"
#include "gvmain/resources/dialog_ids.h"
#include "tests/gvmain/engine/dialog_test_support.h"

#include <gtest/gtest.h>

namespace gvmain {
namespace {

TEST(Gauge, PercentOfTheWhole) {
    EXPECT_EQ(GaugePercent(0, 0), 100);
    EXPECT_EQ(GaugePercent(1, 3), 33);
    EXPECT_EQ(GaugePercent(5, 4), 100);
    // Large sizes in KB must not overflow on the way.
    EXPECT_EQ(GaugePercent(3000000000u, 4000000000u), 75);
}

TEST(ProgressDialog, CountsTheCopiedKilobytesAndNoticesCancel) {
    ProgressDialog progress;
    ASSERT_TRUE(progress.Show(TestResources(), nullptr, 500, 300,
                              LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1))));
    progress.Start(400);
    progress.SetText("C:\\VORLEN\\VORLEN.EXE");
    EXPECT_TRUE(progress.Advance(100));
    EXPECT_TRUE(progress.Advance(150));
    EXPECT_EQ(WindowText(GetDlgItem(progress.Window(), IDC_PROG_GAUGE)), "62%");
    EXPECT_TRUE(SaveScreenshot(progress.Window(), "progress"));
    // A new step starts from nothing.
    progress.Start(100);
    EXPECT_EQ(progress.Percent(), 0);
    SendMessageA(progress.Window(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(progress.Advance(10));
    progress.Hide();
    EXPECT_FALSE(progress.Shown());
}

}  // namespace
}  // namespace gvmain
