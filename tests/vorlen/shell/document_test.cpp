// Loading, merging and saving the open database as the frame's file
// commands do it.
#include "vorlen/shell/document.h"
#include "tests/vorlen/support/config_home.h"

#include <gtest/gtest.h>

namespace vorlen::shell {
namespace {

class QuietPrompts : public store::CompressPrompts {
public:
    store::CompressChoice ChooseArchiveOrDelete(int) override { return store::CompressChoice::Cancel; }
    void ShowMessage(std::string_view, std::string_view) override {}
    bool AskYesNo(std::string_view, std::string_view) override { return false; }
    void Notify(std::string_view, std::string_view) override {}
};

class DocumentTest : public ::testing::Test {
protected:
    const Date today{8, 12, 2026};

    std::string MakeFile(const std::string& name, const std::string& event) {
        Document fresh;
        std::string path = dir.File(name);
        EXPECT_TRUE(fresh.CreateNew(path, today));
        fresh.events.head->SetDescription(event.c_str());
        EXPECT_TRUE(fresh.Save());
        return path;
    }

    test::ConfigHomeGuard home;
    test::TempDir dir;
    QuietPrompts prompts;
    Document document;
};

TEST_F(DocumentTest, MergeAddsEventsKeepsTheNameAndLeavesDataUnsaved) {
    std::string first = MakeFile("first.vor", "first");
    std::string second = MakeFile("second.vor", "second");
    ASSERT_EQ(document.Load(first, false, "", today, prompts), LoadOutcome::loaded);
    EXPECT_FALSE(document.IsUnsaved());
    EXPECT_EQ(document.Load(second, true, "", today, prompts), LoadOutcome::merged);
    EXPECT_EQ(document.file.fileName, first);
    EXPECT_EQ(document.events.count, 2);
    EXPECT_TRUE(document.IsUnsaved());
}

TEST_F(DocumentTest, DamagedMergeKeepsTheOpenData) {
    std::string first = MakeFile("first.vor", "first");
    std::string damaged = dir.File("damaged.vor");
    test::WriteFile(damaged, "<TOLVANE VORLEN> 0.9.7>garbage");
    ASSERT_EQ(document.Load(first, false, "", today, prompts), LoadOutcome::loaded);
    EXPECT_EQ(document.Load(damaged, true, "", today, prompts), LoadOutcome::invalidKept);
    EXPECT_EQ(document.events.count, 1);
    EXPECT_EQ(document.file.fileName, first);
    EXPECT_FALSE(document.IsUnsaved());
}

TEST_F(DocumentTest, DamagedOpenResetsToAnUnnamedDatabase) {
    std::string damaged = dir.File("damaged.vor");
    test::WriteFile(damaged, "not a data file");
    EXPECT_EQ(document.Load(damaged, false, "", today, prompts), LoadOutcome::invalidReset);
    EXPECT_TRUE(document.IsUnnamed());
    EXPECT_TRUE(document.HasValidData());
}

TEST_F(DocumentTest, ArchiveFilesAreNotCompressed) {
    Document archive;
    std::string path = dir.File("archive.vor");
    ASSERT_TRUE(archive.CreateNew(path, Date(1, 1, 2020)));
    archive.events.head->autoDelete = 1;
    archive.file.isArchive = 1;
    ASSERT_TRUE(archive.Save());
    EXPECT_EQ(document.Load(path, false, "", today, prompts), LoadOutcome::loadedArchive);
    EXPECT_EQ(document.events.count, 1);
}

TEST_F(DocumentTest, FailedSaveKeepsTheDataUnsaved) {
    ASSERT_TRUE(document.CreateNew(dir.File("missing-dir/events.vor"), today));
    EXPECT_FALSE(document.Save());
    EXPECT_TRUE(document.IsUnsaved());
    EXPECT_FALSE(document.LastError().empty());
}

}  // namespace
}  // namespace vorlen::shell
