// The walk over an operation log's records, from the last to the first,
// undoing each one still to be undone, with a least time per record so
// that a person can follow it. The open dialog follows the walk through six
// notifications; the walk can be stopped between records and started again
// for the records still left.
#pragma once

#include "gvmain/engine/notice.h"
#include "gvmain/format/log_records.h"
#include "gvmain/ops/operation_host.h"
#include "gvmain/ops/undo_actions.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace gvmain {

enum class WalkStatus { NotStarted = 0, Completed = 1, Stopped = 2, Running = 3 };

// The answers of the quit question ("DLGUNDOASKQUIT"): leave with the
// uninstallation incomplete, leave counting it as complete, or stay.
enum class QuitAnswer { QuitIncomplete = 0, QuitComplete = 1, Stay = 2 };

// How a dialog ends: the uninstallation counts as complete, it does not,
// or the user switches between the simple and the advanced view.
enum class DialogEnd { Complete = 0, Incomplete = 1, SwitchView = 2 };

// What each view does as the walk goes; every view supplies its own.
class WalkNotifications {
public:
    virtual ~WalkNotifications() = default;
    // True when the first walk must be confirmed by the user.
    virtual bool ConfirmStart() = 0;
    // Asked when the user leaves with records still left.
    virtual QuitAnswer AskQuit() = 0;
    virtual void OnWalkStart() = 0;
    virtual void OnWalkEnd() = 0;
    virtual void OnRecordStart(size_t index) = 0;
    virtual void OnRecordDone(size_t index) = 0;
};

// The view without windows: no confirmation, no questions.
class SilentNotifications : public WalkNotifications {
public:
    bool ConfirmStart() override { return false; }
    QuitAnswer AskQuit() override { return QuitAnswer::QuitIncomplete; }
    void OnWalkStart() override {}
    void OnWalkEnd() override {}
    void OnRecordStart(size_t) override {}
    void OnRecordDone(size_t) override {}
};

// The progress after record `index` of `count` is done: 100 - index * 100 / count.
int WalkProgress(size_t index, size_t count);

// The record's text in the uninstaller's list and status line: the names
// it changed (paths, file and section, key and value name), joined by ", ".
std::string RecordText(const LogRecord& record);

class UndoWalk {
public:
    // `host` asks the confirmation (message 154 with `productName`, caption
    // 155); `clock` paces the records.
    UndoWalk(std::vector<std::unique_ptr<LogRecord>> records, uint32_t undoPaceMs, std::string productName,
             OperationHost& host, UndoActions& actions, NoticeClock& clock);

    // The start button: a walk, or during a walk the request to stop it.
    void StartButton(WalkNotifications& view);
    // Walks once (after the confirmation on the first walk); the records in
    // state Undo are undone from the last to the first.
    void Walk(WalkNotifications& view);
    void RequestStop() { stopRequested_ = true; }

    // The close button: false when the user chose to stay, else true with
    // how the dialog ends.
    bool Quit(WalkNotifications& view, DialogEnd& end) const;

    // No record is left to undo or failed.
    bool IsComplete() const;
    WalkStatus Status() const { return status_; }
    bool Running() const { return status_ == WalkStatus::Running; }
    size_t Count() const { return records_.size(); }
    LogRecord& Record(size_t index) { return *records_[index]; }
    const LogRecord& Record(size_t index) const { return *records_[index]; }

private:
    bool Confirmed(WalkNotifications& view);
    void UndoRecord(size_t index, WalkNotifications& view);

    std::vector<std::unique_ptr<LogRecord>> records_;
    uint32_t undoPaceMs_;
    std::string productName_;
    OperationHost& host_;
    UndoActions& actions_;
    NoticeClock& clock_;
    WalkStatus status_ = WalkStatus::NotStarted;
    bool stopRequested_ = false;
};

}  // namespace gvmain
