#include "vorlen/core/event_list.h"

#include <gtest/gtest.h>

#include <vector>

namespace vorlen {
namespace {

std::vector<std::string> Descriptions(const Eventlist& list) {
    std::vector<std::string> texts;
    for (const EventNode& event : list)
        texts.push_back(event.description.value_or("<null>"));
    return texts;
}

// Walks the chain backwards from the tail, so that broken prev links show.
std::vector<std::string> DescriptionsBackwards(const Eventlist& list) {
    std::vector<std::string> texts;
    for (const EventNode* event = list.tail; event; event = event->Prev())
        texts.insert(texts.begin(), event->description.value_or("<null>"));
    return texts;
}

Eventlist& Fill(Eventlist& list, std::initializer_list<const char*> names) {
    for (const char* name : names)
        list.Add()->SetDescription(name);
    return list;
}

TEST(EventNodeFields, NewNodesHoldTheNewValues) {
    EventNode event;
    EXPECT_TRUE(event.startDate.IsEmpty());
    EXPECT_FALSE(event.startTime.IsValid());
    EXPECT_FALSE(event.HasStartTime());
    EXPECT_EQ(event.period, PeriodUndefined);
    EXPECT_FALSE(event.description.has_value());
    EXPECT_FALSE(event.reservedText.has_value());
    EXPECT_EQ(event.monthlyPosition.weekOrdinal, 0);
    EXPECT_EQ(event.prev, nullptr);
    EXPECT_EQ(event.next, nullptr);
}

TEST(EventNodeFields, NullTextsLeaveTheFieldAndEmptyTextsAreKeptApart) {
    EventNode event;
    event.SetLocation(nullptr);
    EXPECT_FALSE(event.location.has_value());
    event.SetLocation("");
    ASSERT_TRUE(event.location.has_value());
    EXPECT_EQ(*event.location, "");
    event.SetLocation("Office");
    event.SetLocation(nullptr);
    EXPECT_EQ(*event.location, "Office");
    event.SetStartTime(9, 15);
    EXPECT_TRUE(event.HasStartTime());
}

TEST(EventNodeFields, PeriodLettersAndNames) {
    EventNode event;
    const std::pair<char, int32_t> letters[] = {{'O', 1}, {'W', 2}, {'M', 4}, {'R', 5}, {'Y', 6},
                                                {'S', 7}, {'B', 0}, {'o', 0}, {'\0', 0}};
    for (auto [letter, period] : letters) {
        event.SetPeriodFromLetter(letter);
        EXPECT_EQ(event.period, period) << letter;
    }
    const char* names[] = {"Undefined",  "Once Off", "Weekly",          "Biweekly", "Monthly",
                           "Reoccuring", "Yearly",   "Special Monthly", "Undefined"};
    for (int period = 0; period <= 8; ++period) {
        event.SetPeriod(period);
        EXPECT_EQ(event.PeriodName(), names[period]);
    }
    event.SetPeriod(-3);
    EXPECT_EQ(event.PeriodName(), "Undefined");
}

TEST(EventNodeFields, RangeEndVCalText) {
    EventNode event;
    event.SetRangeEndDate(30, 3, 1998);
    EXPECT_EQ(event.RangeEndVCalText(), "19980330T000000");
}

TEST(EventExpiry, OnceOffEventsEndOnTheirLastDay) {
    EventNode event;
    event.SetPeriod(PeriodOnceOff);
    event.SetStartDate(5, 3, 1998);
    EXPECT_TRUE(event.IsExpiredBefore(Date(6, 3, 1998)));
    EXPECT_FALSE(event.IsExpiredBefore(Date(5, 3, 1998)));
    event.SetEndDate(7, 3, 1998);
    EXPECT_FALSE(event.IsExpiredBefore(Date(7, 3, 1998)));
    EXPECT_TRUE(event.IsExpiredBefore(Date(8, 3, 1998)));
    // A once-off event's expiry date plays no part.
    event.SetRangeEndDate(1, 1, 1998);
    EXPECT_FALSE(event.IsExpiredBefore(Date(7, 3, 1998)));
}

TEST(EventExpiry, RepeatingEventsExpireOnlyWithAnExpiryDate) {
    EventNode event;
    event.SetPeriod(PeriodWeekly);
    event.SetStartDate(2, 3, 1998);
    EXPECT_FALSE(event.IsExpiredBefore(Date(31, 12, 3000)));
    event.SetRangeEndDate(1, 6, 1998);
    EXPECT_FALSE(event.IsExpiredBefore(Date(1, 6, 1998)));
    EXPECT_TRUE(event.IsExpiredBefore(Date(2, 6, 1998)));
    event.SetPeriod(PeriodUndefined);
    EXPECT_TRUE(event.IsExpiredBefore(Date(2, 6, 1998)));
}

TEST(EventCopies, CopyFromKeepsAlarmExtraInformationAndSound) {
    EventNode source;
    source.SetStartDate(1, 2, 1998);
    source.SetEndDate(3, 2, 1998);
    source.SetRangeEndDate(4, 5, 1999);
    source.SetMonthlyPosition(2, 3, 4);
    source.SetStartTime(9, 0);
    source.SetEndTime(10, 0);
    source.SetAlarmMinutes(15);
    source.SetAutoDelete(2);
    source.SetWarningDays(7);
    source.SetPeriod(PeriodYearly);
    source.SetRepeatDays(3);
    source.SetReservedText("reserved");
    source.SetDescription("Meeting");
    source.SetTypeName("Business");
    source.SetLocation("Room 4");
    source.SetExtraInfo("bring slides");
    source.SetSoundFile("ding.wav");

    EventNode target;
    target.SetAlarmMinutes(5);
    target.SetExtraInfo("mine");
    target.CopyFrom(source);
    EXPECT_EQ(target.startDate.day, 1);
    EXPECT_EQ(target.endDate.day, 3);
    EXPECT_EQ(target.rangeEndDate.year, 1999);
    EXPECT_EQ(target.monthlyPosition.monthSel, 4);
    EXPECT_EQ(target.startTime.hour, 9);
    EXPECT_EQ(target.endTime.hour, 10);
    EXPECT_EQ(target.autoDelete, 2);
    EXPECT_EQ(target.warningDays, 7);
    EXPECT_EQ(target.period, PeriodYearly);
    EXPECT_EQ(target.repeatDays, 3);
    EXPECT_EQ(target.reservedText, "reserved");
    EXPECT_EQ(target.description, "Meeting");
    EXPECT_EQ(target.typeName, "Business");
    EXPECT_EQ(target.location, "Room 4");
    EXPECT_EQ(target.alarmMinutes, 5);
    EXPECT_EQ(target.extraInfo, "mine");
    EXPECT_FALSE(target.soundFile.has_value());
    EXPECT_EQ(target.next, nullptr);

    Eventlist list;
    EventNode* copy = list.AddCopy(source);
    EXPECT_FALSE(copy->reservedText.has_value());
    EXPECT_EQ(copy->alarmMinutes, 15);
    EXPECT_EQ(copy->extraInfo, "bring slides");
    EXPECT_EQ(copy->soundFile, "ding.wav");
    EXPECT_EQ(copy->monthlyPosition.weekday, 3);
    EXPECT_EQ(list.count, 1);
    EXPECT_EQ(list.head, copy);
}

TEST(EventlistLinks, AddSetsHeadTailAndCount) {
    Eventlist list;
    EventNode* first = list.Add();
    EXPECT_EQ(list.head, first);
    EXPECT_EQ(list.tail, first);
    EXPECT_EQ(list.count, 1);
    first->SetDescription("a");
    Fill(list, {"b", "c"});
    EXPECT_EQ(list.count, 3);
    EXPECT_EQ(Descriptions(list), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(DescriptionsBackwards(list), Descriptions(list));
}

TEST(EventlistLinks, RemoveKeepsTheChainWhole) {
    Eventlist list;
    Fill(list, {"a", "b", "c", "d"});
    list.Remove(list.head);
    EXPECT_EQ(*list.head->description, "b");
    EXPECT_EQ(list.head->prev, nullptr);
    list.Remove(list.head->Next());  // "c" from the middle
    EXPECT_EQ(Descriptions(list), (std::vector<std::string>{"b", "d"}));
    EXPECT_EQ(DescriptionsBackwards(list), Descriptions(list));
    list.Remove(list.tail);
    EXPECT_EQ(*list.tail->description, "b");
    EXPECT_EQ(list.tail->next, nullptr);
    list.Remove(nullptr);
    EXPECT_EQ(list.count, 1);
    list.Remove(list.head);
    EXPECT_EQ(list.head, nullptr);
    EXPECT_EQ(list.tail, nullptr);
    EXPECT_EQ(list.count, 0);
}

TEST(EventlistLinks, DetachHandsTheNodeOverAndAppendTakesItBack) {
    Eventlist list;
    Fill(list, {"a", "b", "c"});
    std::unique_ptr<EventNode> middle = list.Detach(list.head->Next());
    ASSERT_TRUE(middle);
    EXPECT_EQ(middle->prev, nullptr);
    EXPECT_EQ(middle->next, nullptr);
    EXPECT_EQ(list.count, 2);
    EXPECT_EQ(Descriptions(list), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(list.Detach(nullptr), nullptr);

    EXPECT_EQ(list.Append(nullptr), nullptr);
    list.Append(std::move(middle));
    EXPECT_EQ(Descriptions(list), (std::vector<std::string>{"a", "c", "b"}));
    EXPECT_EQ(DescriptionsBackwards(list), Descriptions(list));
}

TEST(EventlistLinks, DestroyingANodeUnlinksIt) {
    // A node unlinked or destroyed on its own leaves its former neighbours
    // linked to each other.
    EventNode x, y, z;
    x.next = &y;
    y.prev = &x;
    y.next = &z;
    z.prev = &y;
    y.Unlink();
    EXPECT_EQ(x.next, &z);
    EXPECT_EQ(z.prev, &x);
    {
        EventNode w;
        x.next = &w;
        w.prev = &x;
        w.next = &z;
        z.prev = &w;
    }
    EXPECT_EQ(x.next, &z);
    EXPECT_EQ(z.prev, &x);
    x.Unlink();
    z.Unlink();
}

TEST(EventlistLinks, SpliceMovesEveryNodeInOrder) {
    Eventlist list, more, none;
    Fill(list, {"a"});
    Fill(more, {"b", "c"});
    list.Splice(more);
    list.Splice(none);
    list.Splice(list);
    EXPECT_EQ(Descriptions(list), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(DescriptionsBackwards(list), Descriptions(list));
    EXPECT_EQ(list.count, 3);
    EXPECT_EQ(more.count, 0);
    EXPECT_EQ(more.head, nullptr);
    none.Splice(list);
    EXPECT_EQ(Descriptions(none), (std::vector<std::string>{"a", "b", "c"}));
}

// Windows that keep pointers to events rely on the count moving whenever
// a node may have gone, and on it standing still when nothing moved.
TEST(EventlistLinks, ChangeCountMovesWithMembershipOnly) {
    Eventlist list, other, none;
    Fill(list, {"a", "b"});
    auto changedBy = [&](auto change) {
        uint64_t before = list.changeCount;
        change();
        return list.changeCount != before;
    };
    EXPECT_FALSE(changedBy([&] { list.head->description = OptionalText("edited"); }));
    EXPECT_FALSE(changedBy([&] { list.Splice(none); }));
    EXPECT_FALSE(changedBy([&] { list.Detach(nullptr); }));
    EXPECT_TRUE(changedBy([&] { list.Detach(list.tail).reset(); }));
    EXPECT_TRUE(changedBy([&] { list.Add(); }));
    Fill(other, {"c"});
    EXPECT_TRUE(changedBy([&] { list.Splice(other); }));
    EXPECT_TRUE(changedBy([&] { list.Swap(other); }));
    EXPECT_TRUE(changedBy([&] { other.Swap(list); }));
    EXPECT_TRUE(changedBy([&] { list.DeleteAll(); }));
}

TEST(OptionalTexts, CopiesAreDeepAndNullStaysApartFromEmpty) {
    OptionalText never;
    OptionalText empty("");
    OptionalText text(std::string("Dentist"));
    EXPECT_FALSE(never.has_value());
    EXPECT_TRUE(empty.has_value());
    EXPECT_EQ(*empty, "");
    EXPECT_FALSE(never == empty);
    EXPECT_TRUE(never == OptionalText());
    EXPECT_EQ(never.value_or("none"), "none");
    EXPECT_EQ(empty.value_or("none"), "");

    OptionalText copy = text;
    text = OptionalText("Doctor");
    EXPECT_EQ(copy, "Dentist");
    EXPECT_EQ(text, "Doctor");
    copy = copy;
    EXPECT_EQ(copy, "Dentist");
    OptionalText moved = std::move(copy);
    EXPECT_EQ(moved, "Dentist");
    EXPECT_FALSE(copy.has_value());
    moved = empty;
    EXPECT_TRUE(moved.has_value());
    EXPECT_EQ(*moved, "");
    moved.reset();
    EXPECT_FALSE(moved.has_value());
    std::string withNul("a\0b", 3);
    EXPECT_EQ(OptionalText(std::string_view(withNul)).view().size(), 3u);
}

TEST(EventlistLinks, DeleteAllEmptiesTheList) {
    Eventlist list;
    Fill(list, {"a", "b", "c"});
    list.DeleteAll();
    EXPECT_EQ(list.head, nullptr);
    EXPECT_EQ(list.tail, nullptr);
    EXPECT_EQ(list.count, 0);
    Fill(list, {"d"});
    EXPECT_EQ(Descriptions(list), (std::vector<std::string>{"d"}));
}

TEST(EventlistCategories, UseAndRenameMatchExactly) {
    Eventlist list;
    Fill(list, {"a", "b", "c", "d"});
    list.head->SetTypeName("Birthday");
    list.head->Next()->SetTypeName("birthday");
    list.tail->SetTypeName("Birthday");
    EXPECT_TRUE(list.IsTypeUsed("Birthday"));
    EXPECT_TRUE(list.IsTypeUsed("birthday"));
    EXPECT_FALSE(list.IsTypeUsed("BIRTHDAY"));
    EXPECT_FALSE(list.IsTypeUsed(""));

    list.RenameType("Birthday", "Party");
    EXPECT_EQ(*list.head->typeName, "Party");
    EXPECT_EQ(*list.head->Next()->typeName, "birthday");
    EXPECT_FALSE(list.head->Next()->Next()->typeName.has_value());
    EXPECT_EQ(*list.tail->typeName, "Party");
    EXPECT_FALSE(list.IsTypeUsed("Birthday"));
}

}  // namespace
}  // namespace vorlen
