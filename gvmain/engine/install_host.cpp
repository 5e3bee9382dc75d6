#include "gvmain/engine/install_host.h"

#include "gvmain/engine/message_box.h"
#include "gvmain/ops/message_text.h"

#include <cstdio>

namespace gvmain {
namespace {

constexpr int abortQuestion = 71;
constexpr int abortCaption = 72;
constexpr int insertDiskMessage = 74;
constexpr int insertDiskCaption = 75;

ButtonSet SetOf(Buttons buttons) {
    switch (buttons) {
    case Buttons::RetryCancel: return ButtonSet::RetryCancel;
    case Buttons::YesNo: return ButtonSet::YesNo;
    case Buttons::Custom: break;
    }
    return ButtonSet::Custom;
}

}  // namespace

InstallHost::InstallHost(const OperationEnvironment& environment, NoticeClock& clock, std::string errorLog)
    : environment_(environment), notice_(clock), errorLog_(std::move(errorLog)) {}

std::string InstallHost::Message(int number) {
    return DialogText(resources, number);
}

void InstallHost::ReportError(const std::string& text) {
    if (resources.unattended) {
        if (std::FILE* log = std::fopen(errorLog_.c_str(), "ab")) {
            std::fprintf(log, "%s\r\n", text.c_str());
            std::fclose(log);
        }
        return;
    }
    MessageBox request;
    request.format = "%s";
    request.args = {text};
    ShowMessageBox(resources, parent, request);
}

// Unattended, every question takes its default answer, except the
// question whether to abandon a failed step: its default ("No") would
// repeat the failing step for ever, with nobody there to fix its cause.
int InstallHost::Ask(const Question& question) {
    if (resources.unattended && question.text == Message(abortQuestion)) {
        return firstButton;
    }
    MessageBox request;
    request.format = "%s";
    request.args = {question.text};
    request.caption = question.caption.empty() ? productName : question.caption;
    request.iconCode = iconQuestion;
    request.buttons = SetOf(question.buttons);
    request.customTexts = question.customTexts;
    int answer = ShowMessageBox(resources, parent, request);
    return answer < 0 ? secondButton : answer;
}

void InstallHost::AskToAbandon() {
    if (!abandonRequested_) {
        abandonRequested_ =
            Ask({Message(abortQuestion), Message(abortCaption), Buttons::YesNo, {}}) == firstButton;
    }
}

// The progress dialog handles the messages, among them the exit button's.
bool InstallHost::Progress(uint32_t kb) {
    return progress.Advance(kb) && !abandonRequested_;
}

void InstallHost::PumpMessages() {
    gvmain::PumpMessages();
}

void InstallHost::Notice(const std::string& text) {
    if (text.empty()) {
        notice_.Hide();
        return;
    }
    NoticeArgs args;
    args.text = text;
    args.caption = productName;
    args.leastDisplayTime = 0;
    notice_.Show(resources, parent, args);
}

// One place never changes; disk directories change without a prompt;
// floppies are asked for by their labels.
bool InstallHost::ChangeDisk(int disk, bool force) {
    if (disk < 0) {
        return false;
    }
    if (disk == currentDisk_ && !force) {
        return true;
    }
    switch (media.mode) {
    case PackagingMode::OnePlace:
    case PackagingMode::DiskDirectories:
        if (force) {
            return false;
        }
        currentDisk_ = disk;
        return true;
    case PackagingMode::Floppies: break;
    }
    if (!AskForDisk(disk)) {
        return false;
    }
    currentDisk_ = disk;
    return true;
}

// OK takes the disk; Cancel asks whether to abandon the run, and "No"
// asks for the disk again. Unattended, nobody can change a floppy.
bool InstallHost::AskForDisk(int disk) {
    if (resources.unattended) {
        return false;
    }
    std::string label =
        static_cast<size_t>(disk) < media.diskLabels.size() ? media.diskLabels[disk] : std::string();
    std::string text = FormatText(Message(insertDiskMessage), {label});
    for (;;) {
        int answer = 0;
        if (resources.language) {
            MessageBox request;
            request.format = "%s";
            request.args = {text};
            request.caption = Message(insertDiskCaption);
            request.iconCode = iconInformation;
            request.buttons = ButtonSet::OkCancel;
            request.defaultButton = 0;
            answer = ShowMessageBox(resources, parent, request);
        } else {
            answer =
                ::MessageBoxA(parent, text.c_str(), Message(insertDiskCaption).c_str(), MB_OKCANCEL) == IDOK
                    ? 0
                    : 1;
        }
        if (answer == 0) {
            return true;
        }
        Question abandon{Message(abortQuestion), Message(abortCaption), Buttons::YesNo, {}};
        if (Ask(abandon) == firstButton) {
            return false;
        }
    }
}

std::string InstallHost::SourceDirectory() {
    if (media.mode == PackagingMode::DiskDirectories && currentDisk_ > 0) {
        return DiskDirectory(media.firstDirectory, currentDisk_);
    }
    return media.firstDirectory;
}

}  // namespace gvmain
