#include "vorlen/store/clipboard_event.h"

#include <gtest/gtest.h>

#include <string_view>

namespace vorlen::store {
namespace {

TEST(ClipboardEvent, EveryFieldButTheReservedTextComesBack) {
    EventNode event;
    event.SetStartDate(29, 2, 2000);
    event.SetEndDate(1, 3, 2000);
    event.SetRangeEndDate(31, 12, 2030);
    event.SetStartTime(23, 59);
    event.SetEndTime(0, 0);
    event.SetPeriod(PeriodDaily);
    event.SetMonthlyPosition(5, 7, 12);
    event.SetRepeatDays(-4);
    event.SetWarningDays(365);
    event.SetAlarmMinutes(1440);
    event.SetAutoDelete(1);
    event.SetReservedText("kept in files");
    event.description = OptionalText(std::string_view("a\0b\xFF|3|", 7));
    event.SetTypeName("");
    event.SetExtraInfo("x\r\ny");
    event.SetSoundFile("bell.wav");
    std::string bytes = SerialiseEvent(event);
    EventNode back;
    ASSERT_TRUE(DeserialiseEvent(bytes, back));
    EXPECT_EQ(SerialiseEvent(back), bytes);
    EXPECT_EQ(back.monthlyPosition.monthSel, 12);
    EXPECT_EQ(back.repeatDays, -4);
    EXPECT_EQ(back.endTime.hour, 0);
    EXPECT_EQ(back.soundFile, "bell.wav");
    EXPECT_TRUE(back.typeName.has_value() == event.typeName.has_value());
}

TEST(ClipboardEvent, AnythingButOneWholeEventOfThisVersionIsRefused) {
    EventNode event;
    event.SetPeriod(PeriodMonthlyByPosition);
    event.SetDescription("Book club");
    const std::string bytes = SerialiseEvent(event);
    for (size_t length = 0; length < bytes.size(); ++length) {
        EventNode back;
        EXPECT_FALSE(DeserialiseEvent(bytes.substr(0, length), back)) << length;
    }
    EventNode back;
    EXPECT_FALSE(DeserialiseEvent(bytes + "x", back));
    std::string later = bytes;
    later[14] = '2';  // the version in the tag
    EXPECT_FALSE(DeserialiseEvent(later, back));
}

}  // namespace
}  // namespace vorlen::store
