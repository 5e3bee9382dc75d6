#include "gvmain/uninstall/undo_walk.h"

#include "gvmain/ops/message_text.h"

#include <utility>

namespace gvmain {
namespace {

constexpr int messageConfirmRemoval = 154;
constexpr int captionConfirmRemoval = 155;

bool NamesAThing(const std::string& label) {
    for (const char* name :
         {"Path", "From", "To", "File", "Section", "Entry", "Group", "Item", "Key", "Value name"}) {
        if (label == name) {
            return true;
        }
    }
    return false;
}

bool IsLeft(const LogRecord& record) {
    return record.state == UndoState::Undo || record.state == UndoState::Failed;
}

}  // namespace

int WalkProgress(size_t index, size_t count) {
    return count == 0 ? 100 : static_cast<int>(100 - index * 100 / count);
}

std::string RecordText(const LogRecord& record) {
    std::string text;
    for (const DetailLine& line : record.Details()) {
        if (NamesAThing(line.label)) {
            text += (text.empty() ? "" : ", ") + line.value;
        }
    }
    return text;
}

UndoWalk::UndoWalk(std::vector<std::unique_ptr<LogRecord>> records, uint32_t undoPaceMs,
                   std::string productName, OperationHost& host, UndoActions& actions, NoticeClock& clock)
    : records_(std::move(records)),
      undoPaceMs_(undoPaceMs),
      productName_(std::move(productName)),
      host_(host),
      actions_(actions),
      clock_(clock) {}

void UndoWalk::StartButton(WalkNotifications& view) {
    if (Running()) {
        RequestStop();
    } else {
        Walk(view);
    }
}

bool UndoWalk::Confirmed(WalkNotifications& view) {
    if (status_ != WalkStatus::NotStarted || !view.ConfirmStart()) {
        return true;
    }
    Question question{FormatText(host_.Message(messageConfirmRemoval), {productName_}),
                      host_.Message(captionConfirmRemoval),
                      Buttons::YesNo,
                      {}};
    return host_.Ask(question) == firstButton;
}

void UndoWalk::Walk(WalkNotifications& view) {
    if (Running() || !Confirmed(view)) {
        return;
    }
    status_ = WalkStatus::Running;
    stopRequested_ = false;
    view.OnWalkStart();
    for (size_t index = records_.size(); index-- > 0 && !stopRequested_;) {
        if (records_[index]->state == UndoState::Undo) {
            UndoRecord(index, view);
        }
    }
    status_ = stopRequested_ ? WalkStatus::Stopped : WalkStatus::Completed;
    view.OnWalkEnd();
}

// The pace is waited out after the record, with the dialog still answering,
// so that Stop takes effect before the next record begins.
void UndoWalk::UndoRecord(size_t index, WalkNotifications& view) {
    uint32_t started = clock_.Now();
    view.OnRecordStart(index);
    LogRecord& record = *records_[index];
    record.state = record.Undo(actions_) ? UndoState::Undone : UndoState::Failed;
    view.OnRecordDone(index);
    if (stopRequested_) {
        return;
    }
    for (uint32_t spent = clock_.Now() - started; spent < undoPaceMs_ && !stopRequested_;
         spent = clock_.Now() - started) {
        clock_.Wait(undoPaceMs_ - spent);
    }
}

bool UndoWalk::Quit(WalkNotifications& view, DialogEnd& end) const {
    if (status_ == WalkStatus::NotStarted) {
        end = DialogEnd::Incomplete;
        return true;
    }
    if (IsComplete()) {
        end = DialogEnd::Complete;
        return true;
    }
    switch (view.AskQuit()) {
    case QuitAnswer::QuitIncomplete: end = DialogEnd::Incomplete; return true;
    case QuitAnswer::QuitComplete: end = DialogEnd::Complete; return true;
    case QuitAnswer::Stay: break;
    }
    return false;
}

bool UndoWalk::IsComplete() const {
    for (const auto& record : records_) {
        if (IsLeft(*record)) {
            return false;
        }
    }
    return true;
}

}  // namespace gvmain
