#include "vorlen/views/category_edits.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace vorlen {
namespace {

class CategoryEditsTest : public ::testing::Test {
protected:
    void SetUp() override {
        types.AddStandard();
        types.Add("Work");
        for (const char* category : {"Work", "Work", "work", "Meeting"})
            events.Add()->SetTypeName(category);
        file.saved = 1;
    }

    std::vector<std::string> EventTypes() const {
        std::vector<std::string> names;
        for (const EventNode& event : events)
            names.push_back(event.typeName.value_or("<null>"));
        return names;
    }

    Typelist types;
    Eventlist events;
    store::DataFile file;
    CategoryEdits edits{types, events, file};
};

TEST(CategoryValues, WarningFieldReadsAsADecimalNumber) {
    EXPECT_EQ(DecimalValue("12x"), 12);
    EXPECT_EQ(DecimalValue("abc"), 0);
    EXPECT_EQ(DecimalValue(""), 0);
    EXPECT_EQ(DecimalValue("  7 days"), 7);
    EXPECT_EQ(DecimalValue("-3"), -3);
    EXPECT_EQ(DecimalValue("99999999999"), INT_MAX);
    EXPECT_EQ(DecimalValue("-99999999999"), INT_MIN);
    EXPECT_EQ(DecimalValue("-2147483648"), INT_MIN);
    EXPECT_EQ(CategoryText(std::string(300, 'x')).size(), kMaxCategoryText);
}

TEST_F(CategoryEditsTest, AddRefusesATakenOrEmptyNameCaseSensitively) {
    EXPECT_EQ(edits.Add("Meeting"), nullptr);
    EXPECT_EQ(edits.Add(""), nullptr);
    EXPECT_EQ(file.saved, 1);
    TypeNode* added = edits.Add("meeting");
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->name, "meeting");
    EXPECT_EQ(added->defaultPeriod, 0);
    EXPECT_EQ(types.tail, added);
    EXPECT_EQ(file.saved, 0);
}

TEST_F(CategoryEditsTest, RenameMovesTheEventsAndTheCategory) {
    EXPECT_EQ(edits.Rename("Work", "Job"), RenameResult::renamed);
    EXPECT_EQ(EventTypes(), (std::vector<std::string>{"Job", "Job", "work", "Meeting"}));
    EXPECT_EQ(types.Find("Work"), nullptr);
    EXPECT_NE(types.Find("Job"), nullptr);
    EXPECT_EQ(file.saved, 0);
}

TEST_F(CategoryEditsTest, RenameOntoAnExistingCategoryKeepsTheOldRecord) {
    int before = types.count;
    EXPECT_EQ(edits.Rename("Work", "Meeting"), RenameResult::joined);
    EXPECT_EQ(EventTypes(), (std::vector<std::string>{"Meeting", "Meeting", "work", "Meeting"}));
    EXPECT_NE(types.Find("Work"), nullptr);
    EXPECT_EQ(types.count, before);
}

TEST_F(CategoryEditsTest, BuiltInAndMissingCategoriesAreRefused) {
    events.Add()->SetTypeName("Normal");
    EXPECT_EQ(edits.Access("Normal"), CategoryAccess::builtIn);
    EXPECT_EQ(edits.Access("Nowhere"), CategoryAccess::missing);
    EXPECT_EQ(edits.Rename("Normal", "Plain"), RenameResult::refused);
    EXPECT_EQ(edits.Rename("Nowhere", "Plain"), RenameResult::refused);
    EXPECT_FALSE(edits.Remove("Normal"));
    EXPECT_FALSE(edits.Remove("Nowhere"));
    EXPECT_FALSE(edits.Set(*types.Find("Normal"), {6, 3, "Home", 1}));
    EXPECT_EQ(types.Find("Normal")->defaultPeriod, 0);
    EXPECT_EQ(EventTypes().back(), "Normal");
    EXPECT_EQ(file.saved, 1);

    // A user category named normal in lower case is an ordinary one.
    ASSERT_NE(edits.Add("normal"), nullptr);
    EXPECT_EQ(edits.Rename("normal", "Usual"), RenameResult::renamed);
}

TEST_F(CategoryEditsTest, ReassignThenRemove) {
    EXPECT_TRUE(edits.IsUsed("Work"));
    edits.Reassign("Work", "Buisness");
    EXPECT_FALSE(edits.IsUsed("Work"));
    EXPECT_TRUE(edits.Remove("Work"));
    EXPECT_EQ(types.Find("Work"), nullptr);
    EXPECT_EQ(EventTypes(), (std::vector<std::string>{"Buisness", "Buisness", "work", "Meeting"}));
    EXPECT_EQ(file.saved, 0);
}

TEST_F(CategoryEditsTest, SetStoresEveryDefaultAndCutsTheLocation) {
    TypeNode& work = *types.Find("Work");
    EXPECT_TRUE(edits.Set(work, {7, 12, std::string(300, 'L'), 2}));
    EXPECT_EQ(work.defaultPeriod, 7);
    EXPECT_EQ(work.defaultWarningDays, 12);
    EXPECT_EQ(work.defaultLocation.view(), std::string(kMaxCategoryText, 'L'));
    EXPECT_EQ(work.defaultAutoDelete, 2);
    EXPECT_EQ(file.saved, 0);
}

}  // namespace
}  // namespace vorlen
