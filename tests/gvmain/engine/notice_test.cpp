#include "gvmain/engine/notice.h"

#include "gvmain/resources/dialog_ids.h"
#include "tests/gvmain/engine/dialog_test_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace gvmain {
namespace {

// Time moves only when the notice waits or the test says so.
class FakeClock : public NoticeClock {
public:
    uint32_t Now() override { return now; }
    void Wait(uint32_t milliseconds) override {
        waits.push_back(milliseconds);
        stillShown.push_back(notice && IsWindow(notice->Window()));
        now += milliseconds;
    }

    uint32_t now = 0xFFFFFC18;  // 1 second before the tick counter wraps
    std::vector<uint32_t> waits;
    std::vector<bool> stillShown;
    const Notice* notice = nullptr;
};

NoticeArgs Preparing() {
    NoticeArgs args;
    args.text = "Preparing the installation of Vorlen.\nPlease wait...";
    args.caption = "Vorlen";
    args.icon = LoadIconA(nullptr, IDI_ASTERISK);
    return args;
}

TEST(Notice, HiddenAfterOneSecondItStaysUntilThreeSeconds) {
    FakeClock clock;
    Notice notice(clock);
    clock.notice = &notice;
    uint32_t shownAt = clock.now;
    ASSERT_TRUE(notice.Show(TestResources(), nullptr, Preparing()));
    HWND window = notice.Window();
    EXPECT_EQ(WindowText(GetDlgItem(window, IDC_NOTICE_TEXT)), Preparing().text);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(window, IDOK)));
    clock.now += 1000;
    notice.Hide();
    EXPECT_EQ(clock.now - shownAt, 3000u);
    EXPECT_EQ(clock.waits, std::vector<uint32_t>{2000});
    EXPECT_EQ(clock.stillShown, std::vector<bool>{true});
    EXPECT_FALSE(IsWindow(window));
    // Past its time a notice goes at once.
    ASSERT_TRUE(notice.Show(TestResources(), nullptr, Preparing()));
    clock.now += 5000;
    notice.Hide();
    EXPECT_EQ(clock.waits.size(), 1u);
}

// With the real clock only a lower bound can be relied upon.
TEST(Notice, HideWaitsOutTheLeastTimeOnTheRealClock) {
    NoticeArgs args = Preparing();
    args.leastDisplayTime = 300;
    args.okButton = true;
    Notice notice;
    ASSERT_TRUE(notice.Show(TestResources(), nullptr, args));
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(notice.Window(), IDOK)));
    DWORD start = GetTickCount();
    notice.Hide();
    EXPECT_GE(GetTickCount() - start, 250u);  // the tick counter's own granularity
    EXPECT_EQ(notice.Window(), nullptr);
}

TEST(Notice, WithoutTheTemplateNothingIsShown) {
    Notice notice;
    EXPECT_FALSE(notice.Show(TestResources(false), nullptr, Preparing()));
    notice.Hide();
}

}  // namespace
}  // namespace gvmain
