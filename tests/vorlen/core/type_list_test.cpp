#include "vorlen/core/type_list.h"

#include "vorlen/core/period_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vorlen {
namespace {

std::vector<std::string> Names(const Typelist& list) {
    std::vector<std::string> names;
    for (const TypeNode& category : list)
        names.push_back(category.name.value_or("<null>"));
    return names;
}

const std::vector<std::string> builtInNames = {"Birthday", "Wedding Anniversary", "Death Memorial", "Normal"};

TEST(TypelistCategories, StartsWithTheFourBuiltInOnes) {
    Typelist list;
    EXPECT_EQ(Names(list), builtInNames);
    EXPECT_EQ(list.count, 4);
    EXPECT_EQ(list.Find("Birthday")->defaultPeriod, PeriodYearly);
    EXPECT_EQ(list.Find("Wedding Anniversary")->defaultPeriod, PeriodYearly);
    EXPECT_EQ(list.Find("Death Memorial")->defaultPeriod, PeriodYearly);
    EXPECT_EQ(list.Find("Normal")->defaultPeriod, 0);
    EXPECT_FALSE(list.Find("Normal")->defaultLocation.has_value());
}

TEST(TypelistCategories, ANewDatabaseHasFifteenCategoriesInOrder) {
    Typelist list;
    list.AddStandard();
    std::vector<std::string> expected = builtInNames;
    for (const char* name : {"Appointment", "Buisness", "Education", "Holiday", "Meeting", "Personal",
                             "Phone Call", "Sick Day", "Special Occasion", "Vacation", "Travel"})
        expected.push_back(name);
    EXPECT_EQ(Names(list), expected);
    EXPECT_EQ(list.count, 15);
    EXPECT_EQ(list.Find("Appointment")->defaultPeriod, PeriodOnceOff);
    EXPECT_EQ(list.Find("Travel")->defaultPeriod, 0);
    list.AddStandard();  // already there: nothing doubles
    EXPECT_EQ(list.count, 15);
}

TEST(TypelistCategories, NamesAreUniqueAndCaseSensitive) {
    Typelist list;
    list.AddStandard();
    EXPECT_EQ(list.Add("Meeting"), nullptr);
    TypeNode* lower = list.Add("meeting");
    ASSERT_NE(lower, nullptr);
    EXPECT_EQ(*lower->name, "meeting");
    EXPECT_EQ(list.tail, lower);
    EXPECT_EQ(list.Find("meeting"), lower);
    EXPECT_EQ(list.Find("MEETING"), nullptr);
    EXPECT_EQ(list.count, 16);
}

TEST(TypelistCategories, RemovingKeepsTheBuiltInOnes) {
    Typelist list;
    list.RemoveNonBuiltIn();
    EXPECT_EQ(Names(list), builtInNames);
    list.AddStandard();
    list.Add("Zeta");
    list.RemoveNonBuiltIn();
    EXPECT_EQ(Names(list), builtInNames);
    EXPECT_EQ(list.tail->Next(), nullptr);
    EXPECT_EQ(*list.tail->name, "Normal");

    list.Remove(list.head);
    EXPECT_EQ(*list.head->name, "Wedding Anniversary");
    EXPECT_EQ(list.head->prev, nullptr);
    list.Remove(nullptr);
    EXPECT_EQ(list.count, 3);
}

TEST(TypelistCategories, BuiltInNamesMatchExactly) {
    for (const std::string& name : builtInNames)
        EXPECT_TRUE(Typelist::IsBuiltIn(name)) << name;
    EXPECT_FALSE(Typelist::IsBuiltIn("birthday"));
    EXPECT_FALSE(Typelist::IsBuiltIn("Wedding Aniversary"));
    EXPECT_FALSE(Typelist::IsBuiltIn("Appointment"));
    EXPECT_FALSE(Typelist::IsBuiltIn(""));
}

TEST(TypelistCategories, CopyAndSwapCarryNamesAndValues) {
    Typelist source;
    TypeNode* custom = source.Add("Gym");
    custom->SetDefaultLocation("Sports hall");
    custom->SetDefaultWarningDays(2);
    custom->SetSpareDate(1, 2, 1998);
    Typelist copy;
    copy.AddStandard();
    copy.CopyFrom(source);
    EXPECT_EQ(Names(copy), Names(source));
    EXPECT_EQ(*copy.Find("Gym")->defaultLocation, "Sports hall");
    EXPECT_EQ(copy.Find("Gym")->spareDate.month, 2);
    EXPECT_NE(copy.Find("Gym"), custom);

    Typelist other;
    other.RemoveNonBuiltIn();
    other.Swap(copy);
    EXPECT_EQ(other.count, 5);
    EXPECT_EQ(copy.count, 4);
    EXPECT_NE(other.Find("Gym"), nullptr);
}

TEST(PeriodWordings, CategoryListAndMonthlyPositions) {
    EXPECT_STREQ(defaultPeriodWords[5], "Custom Reoccuring");
    EXPECT_STREQ(defaultPeriodWords[7], "Special Monthly");
    EXPECT_EQ(MonthlyPositionText({2, 3, 0}), "The second Tuesday of every month");
    EXPECT_EQ(MonthlyPositionText({4, 2, 0}), "The forth Monday of every month");
    EXPECT_EQ(MonthlyPositionText({5, 6, 2}), "The fifth Friday of Feburary");
    EXPECT_EQ(MonthlyPositionText({0, 9, 13}), "");
}

}  // namespace
}  // namespace vorlen
