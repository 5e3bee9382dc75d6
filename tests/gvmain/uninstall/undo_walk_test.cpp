#include "gvmain/uninstall/undo_walk.h"

#include "gvmain/ops/file_undo_actions.h"
#include "tests/gvmain/ops/ops_test_support.h"
#include "tests/gvmain/uninstall/uninstall_test_support.h"

#include <gtest/gtest.h>

namespace gvmain {
namespace {

using test::NotedView;
using test::PaceClock;
using test::PathRecordOf;
using test::RecordingHost;
using test::ScratchDir;

using Notes = std::vector<std::string>;

// Four files the installation made: "a" to undo, "b" kept by default, "c"
// deleted (never undoable), "d" to undo.
struct Walked {
    ScratchDir dir{"gvwalk"};
    RecordingHost host;
    FileUndoActions actions{host};
    PaceClock clock;
    NotedView view;
    std::unique_ptr<UndoWalk> walk;

    explicit Walked(uint32_t pace = 100) {
        std::vector<std::unique_ptr<LogRecord>> records;
        for (const char* name : {"a", "b", "d"}) {
            test::WriteBytes(dir / name, "x");
        }
        records.push_back(PathRecordOf(LogFileCreated, dir / "a"));
        records.push_back(PathRecordOf(LogFileCreated, dir / "b", 1));
        records.push_back(PathRecordOf(LogFileDeleted, dir / "c"));
        records.push_back(PathRecordOf(LogFileCreated, dir / "d"));
        host.messages[154] = "Remove %s?";
        host.messages[155] = "Confirm";
        walk = std::make_unique<UndoWalk>(std::move(records), pace, "Vorlen", host, actions, clock);
    }
    UndoState State(size_t index) { return walk->Record(index).state; }
};

TEST(UndoWalk, UndoesFromTheLastRecordToTheFirstAtTheUndoPace) {
    Walked w(100);
    w.walk->Walk(w.view);
    EXPECT_EQ(w.view.notes, (Notes{"start", "record 3", "done 3", "record 0", "done 0", "end"}));
    EXPECT_FALSE(test::Exists(w.dir / "a"));
    EXPECT_TRUE(test::Exists(w.dir / "b"));
    EXPECT_FALSE(test::Exists(w.dir / "d"));
    EXPECT_EQ(w.State(0), UndoState::Undone);
    EXPECT_EQ(w.State(1), UndoState::Keep);
    EXPECT_EQ(w.State(2), UndoState::CannotUndo);
    EXPECT_EQ(w.State(3), UndoState::Undone);
    EXPECT_EQ(w.walk->Status(), WalkStatus::Completed);
    EXPECT_TRUE(w.walk->IsComplete());
    // Each record takes at least the pace, across the tick counter's wrap.
    EXPECT_EQ(w.clock.waited, 200u);
    EXPECT_TRUE(w.host.questions.empty());
}

TEST(UndoWalk, AStoppedWalkGoesOnWithTheRecordsLeftAndAsksToConfirmOnlyOnce) {
    Walked w;
    w.view.confirm = true;
    w.host.answers = {secondButton};  // No: nothing happens
    w.walk->StartButton(w.view);
    EXPECT_TRUE(w.view.notes.empty());
    EXPECT_EQ(w.walk->Status(), WalkStatus::NotStarted);
    ASSERT_EQ(w.host.questions.size(), 1u);
    EXPECT_EQ(w.host.questions[0].text, "Remove Vorlen?");
    EXPECT_EQ(w.host.questions[0].caption, "Confirm");

    // The start button, pressed again during the pace, stops after the record.
    w.host.answers = {firstButton};
    w.clock.onWait = [&] { w.walk->StartButton(w.view); };
    w.walk->StartButton(w.view);
    EXPECT_EQ(w.view.notes, (Notes{"start", "record 3", "done 3", "end"}));
    EXPECT_EQ(w.walk->Status(), WalkStatus::Stopped);
    EXPECT_EQ(w.State(0), UndoState::Undo);
    EXPECT_TRUE(test::Exists(w.dir / "a"));

    w.clock.onWait = nullptr;
    w.view.notes.clear();
    w.walk->StartButton(w.view);
    EXPECT_EQ(w.view.notes, (Notes{"start", "record 0", "done 0", "end"}));
    EXPECT_EQ(w.host.questions.size(), 2u);
    EXPECT_TRUE(w.walk->IsComplete());
}

TEST(UndoWalk, TheQuitRuleAsksOnlyWhileRecordsAreLeftOrFailed) {
    Walked w;
    DialogEnd end = DialogEnd::SwitchView;
    ASSERT_TRUE(w.walk->Quit(w.view, end));
    EXPECT_EQ(end, DialogEnd::Incomplete);
    EXPECT_TRUE(w.view.notes.empty());

    w.view.onDone = [&](size_t) { w.walk->RequestStop(); };
    w.walk->Walk(w.view);
    w.view.notes.clear();
    w.view.answer = QuitAnswer::Stay;
    EXPECT_FALSE(w.walk->Quit(w.view, end));
    w.view.answer = QuitAnswer::QuitComplete;
    ASSERT_TRUE(w.walk->Quit(w.view, end));
    EXPECT_EQ(end, DialogEnd::Complete);
    w.view.answer = QuitAnswer::QuitIncomplete;
    ASSERT_TRUE(w.walk->Quit(w.view, end));
    EXPECT_EQ(end, DialogEnd::Incomplete);
    EXPECT_EQ(w.view.notes, (Notes{"ask", "ask", "ask"}));

    // A record whose undo failed stays left: "a" is now a directory, which
    // no file delete removes.
    ::DeleteFileA((w.dir / "a").c_str());
    ::CreateDirectoryA((w.dir / "a").c_str(), nullptr);
    w.view.onDone = nullptr;
    w.walk->Walk(w.view);
    EXPECT_EQ(w.State(0), UndoState::Failed);
    EXPECT_FALSE(w.walk->IsComplete());
}

TEST(UndoWalk, ProgressAndRecordTexts) {
    EXPECT_EQ(WalkProgress(3, 4), 25);
    EXPECT_EQ(WalkProgress(0, 4), 100);
    EXPECT_EQ(WalkProgress(2, 3), 34);
    std::unique_ptr<LogRecord> entry = MakeRecord(LogIniEntryChanged);
    auto& changed = static_cast<IniValueRecord&>(*entry);
    changed.file = "C:\\WINDOWS\\win.ini";
    changed.section = "windows";
    changed.entry = "load";
    changed.oldValue = "old";
    EXPECT_EQ(RecordText(*entry), "C:\\WINDOWS\\win.ini, windows, load");
    std::unique_ptr<LogRecord> value = MakeRecord(LogRegValueCreated);
    auto& created = static_cast<RegValueCreatedRecord&>(*value);
    created.key = {"Software\\Tolvane", 2};
    created.valueName = "Path";
    EXPECT_EQ(RecordText(*value), "HKCU\\Software\\Tolvane, Path");
}

}  // namespace
}  // namespace gvmain
