// One packaged file on its way to the disk: where its bytes come from,
// where they go, how an installed copy is compared, and the outcome.
#pragma once

#include "gvmain/ops/spanning_reader.h"

#include <cstdint>
#include <string>

namespace gvmain {

enum InstallState : int32_t {
    InstallInstalled = 0,
    InstallSkipped = 1,  // the installed file was kept
    InstallFailed = 2,
    InstallCancelled = 3,
};

enum class Comparator { None, Time, FileVersion, Size, VersionFile };

// A version as two 32-bit halves: major * 65536 + minor, build * 65536 + release.
struct VersionNumber {
    uint32_t high = 0;
    uint32_t low = 0;
};

enum InUsePolicy : int32_t {
    InUseAskReplaceAtRestart = 0,
    InUseReplaceAtRestart = 1,
    InUseAskSkip = 2,
};

constexpr int defaultBufferKb = 2;
constexpr int maxBufferKb = 31;

struct InstallJob {
    PackedSource source;
    std::string destination;
    bool compressed = false;

    Comparator comparator = Comparator::None;
    uint64_t recordedTime = 0;  // a FILETIME (UTC) as one number; also for keepTimeStamp
    VersionNumber recordedVersion;
    uint32_t recordedSize = 0;
    // 0 install if older, 1 if not newer, 2 if newer, 3 if newer or equal,
    // 4 if equal, 5 if different; any other never installs.
    int rule = 0;

    bool viaTemp = false;
    int inUsePolicy = InUseAskReplaceAtRestart;
    bool append = false;
    bool keepTimeStamp = false;
    bool retryPrompt = false;
    int bufferKb = defaultBufferKb;  // 0 or above 31 means 2
    std::string versionFile;         // "gvver.ini" for Comparator::VersionFile

    int state = InstallFailed;
    bool restartNeeded = false;
};

}  // namespace gvmain
