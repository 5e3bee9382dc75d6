// What the uninstaller's tests share: records made in code, a clock that
// moves only when waited on, and a view that writes down each notification.
#pragma once

#include "gvmain/engine/notice.h"
#include "gvmain/format/log_records.h"
#include "gvmain/uninstall/undo_walk.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace gvmain::test {

inline std::unique_ptr<LogRecord> PathRecordOf(LogKind kind, const std::string& path, int32_t mode = 0) {
    std::unique_ptr<LogRecord> record = MakeRecord(kind);
    static_cast<PathRecord&>(*record).path = path;
    record->mode = mode;
    record->state =
        kind == LogFileDeleted ? UndoState::CannotUndo : (mode == 1 ? UndoState::Keep : UndoState::Undo);
    return record;
}

class PaceClock : public NoticeClock {
public:
    uint32_t Now() override { return now; }
    void Wait(uint32_t milliseconds) override {
        waited += milliseconds;
        now += milliseconds;
        if (onWait) {
            onWait();
        }
    }

    uint32_t now = 0xFFFFFF00;  // close to the tick counter's wrap
    uint32_t waited = 0;
    std::function<void()> onWait;
};

class NotedView : public WalkNotifications {
public:
    bool ConfirmStart() override { return confirm; }
    QuitAnswer AskQuit() override {
        notes.push_back("ask");
        return answer;
    }
    void OnWalkStart() override { notes.push_back("start"); }
    void OnWalkEnd() override { notes.push_back("end"); }
    void OnRecordStart(size_t index) override { notes.push_back("record " + std::to_string(index)); }
    void OnRecordDone(size_t index) override {
        notes.push_back("done " + std::to_string(index));
        if (onDone) {
            onDone(index);
        }
    }

    bool confirm = false;
    QuitAnswer answer = QuitAnswer::Stay;
    std::vector<std::string> notes;
    std::function<void(size_t)> onDone;
};

}  // namespace gvmain::test
