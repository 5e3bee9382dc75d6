// The day view's time slots as a day's reminder entries fill them, and the
// placement of its panes.
#include "vorlen/views/day_slots.h"

#include "vorlen/platform/locale_format.h"

#include "../core/date_settings_guard.h"

#include <gtest/gtest.h>

namespace vorlen::views {
namespace {

constexpr int slot0900 = 18, slot0930 = 19, slot1000 = 20;

class Slots : public ::testing::Test {
protected:
    void SetUp() override { platform::SetFormatLocale("en_GB"); }
    void TearDown() override { platform::SetFormatLocale("en_US_POSIX"); }

    EventNode& Appointment(const char* description, Time start, Time end = Time()) {
        EventNode& e = *events.Add();
        e.SetDescription(description);
        e.SetTypeName("Meeting");
        e.startDate = day;
        e.period = PeriodOnceOff;
        e.startTime = start;
        e.endTime = end;
        return e;
    }

    void Fill(const Date& on) {
        list.Build(false, on, Time(8, 0));
        slots.FillSlots(list);
    }

    // The slots that some entry took.
    std::vector<int> Taken() const {
        std::vector<int> taken;
        for (int i = 0; i < slotCount; ++i)
            if (slots[i].slotEntry)
                taken.push_back(i);
        return taken;
    }

    test::DateSettingsGuard settings{1, '/', 1};
    Date day{5, 5, 1998};
    Eventlist events;
    ReminderList list{events};
    DaySlots slots;
};

TEST_F(Slots, AnHourFillsTwoSlotsAndLabelsTheFirst) {
    Appointment("Dentist", Time(9, 0), Time(10, 0)).SetLocation("Clinic");
    Fill(day);
    EXPECT_EQ(Taken(), (std::vector<int>{slot0900, slot0930}));
    EXPECT_EQ(slots[slot0900].slotLabel, "09:00 - 10:00   Dentist (Meeting at Clinic)");
    EXPECT_EQ(slots[slot0930].slotLabel, "");
    for (int i : {slot0900, slot0930}) {
        EXPECT_EQ(slots[i].backColour, slotDarkBlue);
        EXPECT_EQ(slots[i].textColour, slotWhite);
    }
    EXPECT_FALSE(slots[slot1000].backColour.has_value());
    EXPECT_EQ(slots[slot1000].textColour, slotBlack);
}

TEST_F(Slots, AStartInsideAHalfHourTakesThatSlot) {
    Appointment("Call", Time(9, 15), Time(9, 45));
    Fill(day);
    EXPECT_EQ(Taken(), (std::vector<int>{slot0900, slot0930}));
    EXPECT_EQ(slots[slot0900].slotLabel, "09:15 - 09:45   Call (Meeting)");
}

TEST_F(Slots, WithoutAnEndOnlyTheStartsSlot) {
    Appointment("Tea", Time(14, 0));
    Appointment("Late", Time(23, 45));
    Fill(day);
    EXPECT_EQ(Taken(), (std::vector<int>{28, 47}));
    EXPECT_EQ(slots[28].slotLabel, "14:00   Tea (Meeting)");
    EXPECT_EQ(slots[47].slotLabel, "23:45   Late (Meeting)");
}

TEST_F(Slots, OverlapsAlternateColoursAndTheLaterLabelWins) {
    Appointment("First", Time(9, 0), Time(10, 0));
    Appointment("Second", Time(9, 0));
    Appointment("Third", Time(9, 30), Time(10, 0));
    Fill(day);
    EXPECT_EQ(slots[slot0900].backColour, slotDarkRed);
    EXPECT_EQ(slots[slot0900].slotLabel, "09:00   Second (Meeting)");
    EXPECT_EQ(slots[slot0900].slotEntry->event->description.view(), "Second");
    EXPECT_EQ(slots[slot0930].backColour, slotDarkRed);
    EXPECT_EQ(slots[slot0930].slotLabel, "09:30 - 10:00   Third (Meeting)");
    // A third overlap turns dark blue again.
    Appointment("Fourth", Time(9, 0));
    slots.ResetSlots();
    Fill(day);
    EXPECT_EQ(slots[slot0900].backColour, slotDarkBlue);
}

TEST_F(Slots, ResetEmptiesEverySlot) {
    Appointment("Dentist", Time(9, 0), Time(10, 0));
    Fill(day);
    slots.ResetSlots();
    EXPECT_TRUE(Taken().empty());
    EXPECT_EQ(slots[slot0900].slotLabel, "");
    EXPECT_FALSE(slots[slot0900].backColour.has_value());
    EXPECT_EQ(slots[15].slotTime.hour, 7);
    EXPECT_EQ(slots[15].slotTime.minute, 30);
}

TEST_F(Slots, UntimedEventsAndWarningsTakeNoSlot) {
    Appointment("All day", Time());
    EventNode& ahead = Appointment("Tomorrow", Time(9, 0), Time(10, 0));
    ahead.startDate = Date(6, 5, 1998);
    ahead.warningDays = 3;
    list.Build(true, day, Time(8, 0));
    ASSERT_EQ(list.count, 2);
    slots.FillSlots(list);
    EXPECT_TRUE(Taken().empty());
}

TEST_F(Slots, ThreeDaysOfAnOvernightEvent) {
    EventNode& shift = Appointment("Night shift", Time(20, 0), Time(8, 0));
    shift.startDate = Date(1, 5, 1998);
    shift.endDate = Date(3, 5, 1998);

    Fill(Date(1, 5, 1998));
    std::vector<int> evening;
    for (int i = 40; i < slotCount; ++i)
        evening.push_back(i);
    EXPECT_EQ(Taken(), evening);
    EXPECT_EQ(slots[40].slotLabel, "20:00 - 03/05/1998 08:00   Night shift (Meeting)");

    slots.ResetSlots();
    Fill(Date(2, 5, 1998));
    EXPECT_EQ(Taken().size(), 48u);
    for (int i = 0; i < slotCount; ++i)
        EXPECT_EQ(slots[i].slotLabel, "") << i;

    slots.ResetSlots();
    Fill(Date(3, 5, 1998));
    std::vector<int> morning;
    for (int i = 0; i < 16; ++i)
        morning.push_back(i);
    EXPECT_EQ(Taken(), morning);
    EXPECT_EQ(slots[0].slotLabel, "");
}

TEST_F(Slots, LongLabelsAreCut) {
    std::string longText(400, 'x');
    Appointment(longText.c_str(), Time(9, 0));
    Fill(day);
    EXPECT_EQ(slots[slot0900].slotLabel.size(), slotLabelLimit);
}

TEST(DayLayout, TheWarningsPaneStaysBetween50And140) {
    DayLayoutFacts facts{0, 0, 0, 12};
    for (auto [lines, height] : {std::pair{0, 50}, {2, 50}, {3, 61}, {8, 136}, {9, 140}, {300, 140}}) {
        facts.warningLines = lines;
        DayLayout layout = LayOutDay(ViewKindFull, 10, 35, 600, 400, facts);
        EXPECT_EQ(layout.warningsPane.height, height) << lines;
        EXPECT_EQ(layout.warningsPane.y, 390 - height) << lines;
        EXPECT_EQ(layout.warningsGroup.height, height + 20) << lines;
        EXPECT_EQ(layout.slotView.height, 365 - 54 - height) << lines;
    }
}

TEST(DayLayout, EachKindPlacesItsPanes) {
    DayLayoutFacts facts{2, 3, 1, 12};
    DayLayout list = LayOutDay(ViewKindList, 10, 35, 600, 400, facts);
    EXPECT_EQ(list.todayPane.y, 49);
    EXPECT_EQ(list.todayPane.width, 580);
    EXPECT_EQ(list.todayPane.height, 341);
    EXPECT_EQ(list.todayGroup.height, 365);

    // The slot form sizes the untimed pane by its lines, the full form by
    // the untimed entries.
    DayLayout slots = LayOutDay(ViewKindSlots, 10, 35, 600, 400, facts);
    EXPECT_EQ(slots.todayPane.height, 3 * 15 + 16);
    EXPECT_EQ(slots.slotView.y, 35 + 61 + 14);
    EXPECT_EQ(slots.slotView.height, 365 - 20 - 61);

    DayLayout full = LayOutDay(ViewKindFull, 10, 35, 600, 400, facts);
    EXPECT_EQ(full.todayPane.height, 2 * 15 + 16);
    EXPECT_EQ(full.todayGroup.height, 365 - 50 - 34);
    EXPECT_EQ(full.warningsGroup.y, 400 - 24 - 50);

    // A day of thousands of untimed entries: the pane fills the group
    // down to where the slots would end, and scrolls.
    facts.untimedCount = facts.todayLines = 3000;
    EXPECT_EQ(LayOutDay(ViewKindSlots, 10, 35, 600, 400, facts).todayPane.height, 365 - 20);
    EXPECT_EQ(LayOutDay(ViewKindSlots, 10, 35, 600, 400, facts).slotView.height, 0);
    EXPECT_EQ(LayOutDay(ViewKindFull, 10, 35, 600, 400, facts).todayPane.height, 365 - 54 - 50);
    EXPECT_EQ(LayOutDay(ViewKindFull, 10, 35, 600, 400, facts).slotView.height, 0);

    facts.untimedCount = 0;
    EXPECT_EQ(LayOutDay(ViewKindSlots, 10, 35, 600, 400, facts).todayPane.height, 0);
    EXPECT_EQ(LayOutDay(ViewKindFull, 10, 35, 600, 400, facts).slotView.y, 49);
}

}  // namespace
}  // namespace vorlen::views
