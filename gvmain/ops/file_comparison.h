// Compares a packaged file with the installed one and decides by the job's
// rule. Results are the sign of new minus installed.
#pragma once

#include "gvmain/ops/install_job.h"

#include <string>

namespace gvmain {

constexpr int compareNewer = 1;
constexpr int compareEqual = 0;
constexpr int compareOlder = -1;
constexpr int compareFailed = 2;

// `newCopy` is the written temporary file when the job compares afterwards
// (its time stands for the new file's), else empty.
int CompareWithInstalled(const InstallJob& job, const std::string& newCopy);
bool RuleInstalls(int rule, int comparison);

// The version the version file records for `destination` (default
// "0.0.0.0"); false when the entry is anything but four numbers.
bool ReadRecordedVersion(const std::string& versionFile, const std::string& destination,
                         VersionNumber& version);
bool WriteRecordedVersion(const std::string& versionFile, const std::string& destination,
                          const VersionNumber& version);

}  // namespace gvmain
