#include "gvmain/ops/install_file.h"

#include "gvmain/ops/file_comparison.h"
#include "gvmain/ops/file_names.h"
#include "gvmain/ops/file_operations.h"
#include "gvmain/ops/file_replacement.h"
#include "gvmain/ops/file_writer.h"
#include "gvmain/ops/message_text.h"
#include "gvmain/ops/shared_files.h"

namespace gvmain {
namespace {

constexpr int messageInstallFailed = 135;
constexpr int messageInUse = 131;
constexpr int messageInUseHint = 132;
constexpr int messageInUseReplaceLater = 133;
constexpr int messageInUseSkip = 134;

enum class Decision { Install, Skip, Fail };

Decision Decide(const InstallJob& job, OperationHost& host, const std::string& newCopy) {
    if (job.comparator == Comparator::None || !PathExists(job.destination)) {
        return Decision::Install;
    }
    int comparison = CompareWithInstalled(job, newCopy);
    if (comparison == compareFailed) {
        host.ReportError("Unable to compare the files");
        return Decision::Fail;
    }
    return RuleInstalls(job.rule, comparison) ? Decision::Install : Decision::Skip;
}

int StateOf(Decision decision) {
    return decision == Decision::Skip ? InstallSkipped : InstallFailed;
}

Question InUseQuestion(const InstallJob& job, OperationHost& host) {
    int choice = job.inUsePolicy == InUseAskSkip ? messageInUseSkip : messageInUseReplaceLater;
    std::string format = FormatText(
        "%s\n\n%s %s", {host.Message(messageInUse), host.Message(messageInUseHint), host.Message(choice)});
    return Question{FormatText(format, {job.destination}), "", Buttons::RetryCancel, {}};
}

void LogCreated(const InstallJob& job, OperationLog* log) {
    if (log != nullptr) {
        log->FileCreated(job.destination);
    }
}

int ReplaceLater(InstallJob& job, const std::string& temporary, OperationHost& host, OperationLog* log) {
    if (!ReplaceAtRestart(temporary, job.destination, host.Environment())) {
        host.ReportError(FormatText("Unable to rename file from %s to %s", {temporary, job.destination}));
        DeleteQuietly(temporary);
        return InstallFailed;
    }
    job.restartNeeded = true;
    LogCreated(job, log);
    return InstallInstalled;
}

// Puts the complete temporary file in the destination's place, or leaves it
// for the next start of Windows while the destination is in use.
int PutInPlace(InstallJob& job, const std::string& temporary, OperationHost& host, OperationLog* log) {
    for (;;) {
        if (!IsInUse(job.destination) && ReplaceNow(temporary, job.destination, host.Environment())) {
            LogCreated(job, log);
            return InstallInstalled;
        }
        bool asks = job.inUsePolicy == InUseAskReplaceAtRestart || job.inUsePolicy == InUseAskSkip;
        if (asks && host.Ask(InUseQuestion(job, host)) == firstButton) {
            continue;
        }
        if (job.inUsePolicy == InUseAskReplaceAtRestart || job.inUsePolicy == InUseReplaceAtRestart) {
            return ReplaceLater(job, temporary, host, log);
        }
        DeleteQuietly(temporary);
        return InstallFailed;
    }
}

int WriteThroughTemporary(InstallJob& job, OperationHost& host, OperationLog* log) {
    std::string temporary = TemporaryName(DirectoryOf(job.destination), "tmp");
    if (temporary.empty() || DirectoryExists(job.destination)) {
        return InstallFailed;
    }
    int written = WriteNewFile(job, temporary, host);
    if (written != InstallInstalled) {
        return written;
    }
    if (job.viaTemp) {
        Decision decision = Decide(job, host, temporary);
        if (decision != Decision::Install) {
            DeleteQuietly(temporary);
            return StateOf(decision);
        }
    }
    return PutInPlace(job, temporary, host, log);
}

int WriteDirectly(InstallJob& job, OperationHost& host, OperationLog* log, bool* existed = nullptr) {
    int written = WriteNewFile(job, job.destination, host, existed);
    if (written == InstallInstalled) {
        LogCreated(job, log);
    }
    return written;
}

int AppendToExisting(InstallJob& job, OperationHost& host, OperationLog* log) {
    uint32_t formerLength = 0;
    int written = AppendToFile(job, host, formerLength);
    if (written == InstallInstalled && log != nullptr) {
        log->FileLengthened(job.destination, formerLength);
    }
    return written;
}

int Attempt(InstallJob& job, OperationHost& host, OperationLog* log) {
    if (!CreateDirectory(DirectoryOf(job.destination), host, log)) {
        return InstallFailed;
    }
    if (!job.viaTemp || job.append) {
        Decision decision = Decide(job, host, std::string());
        if (decision != Decision::Install) {
            return StateOf(decision);
        }
    }
    if (job.append) {
        return PathExists(job.destination) ? AppendToExisting(job, host, log) : WriteDirectly(job, host, log);
    }
    if (!job.viaTemp) {
        bool existed = false;
        int written = WriteDirectly(job, host, log, &existed);
        if (!existed) {
            return written;
        }
    }
    return WriteThroughTemporary(job, host, log);
}

bool AskRetry(const InstallJob& job, OperationHost& host) {
    std::string text = FormatText(host.Message(messageInstallFailed), {job.destination});
    if (!job.retryPrompt) {
        host.ReportError(text);
        return false;
    }
    return host.Ask(Question{text, "Error", Buttons::RetryCancel, {}}) == firstButton;
}

}  // namespace

void InstallFile(InstallJob& job, OperationHost& host, OperationLog* log) {
    job.restartNeeded = false;
    do {
        job.state = Attempt(job, host, log);
    } while (job.state == InstallFailed && AskRetry(job, host));
    if (job.state == InstallInstalled && job.comparator == Comparator::VersionFile) {
        WriteRecordedVersion(job.versionFile, job.destination, job.recordedVersion);
    }
    if (job.state == InstallInstalled || job.state == InstallSkipped) {
        RaiseSharedCount(job.destination, host.Environment());
    }
    if (job.restartNeeded) {
        host.SetWindowsRestart();
    }
}

}  // namespace gvmain
