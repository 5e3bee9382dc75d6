#include "gvmain/ops/file_comparison.h"

#include <windows.h>

#include <cstdio>
#include <vector>

namespace gvmain {
namespace {

constexpr const char* versionSection = "iniversion";

int Sign(uint64_t newValue, uint64_t installedValue) {
    return newValue > installedValue ? compareNewer : newValue < installedValue ? compareOlder : compareEqual;
}

uint64_t Combined(const VersionNumber& version) {
    return (uint64_t{version.high} << 32) | version.low;
}

uint64_t Combined(const FILETIME& time) {
    return (uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
}

bool Attributes(const std::string& path, WIN32_FILE_ATTRIBUTE_DATA& data) {
    return ::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) != 0;
}

int CompareTime(const InstallJob& job, const std::string& newCopy) {
    WIN32_FILE_ATTRIBUTE_DATA installed;
    WIN32_FILE_ATTRIBUTE_DATA written;
    if (!Attributes(job.destination, installed)) {
        return compareFailed;
    }
    if (newCopy.empty()) {
        return Sign(job.recordedTime, Combined(installed.ftLastWriteTime));
    }
    if (!Attributes(newCopy, written)) {
        return compareFailed;
    }
    return Sign(Combined(written.ftLastWriteTime), Combined(installed.ftLastWriteTime));
}

bool FileVersionOf(const std::string& path, VersionNumber& version) {
    DWORD ignored = 0;
    DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) {
        return false;
    }
    std::vector<char> data(size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!::GetFileVersionInfoA(path.c_str(), 0, size, data.data()) ||
        !::VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length) || fixed == nullptr ||
        length < sizeof(VS_FIXEDFILEINFO)) {
        return false;
    }
    version.high = fixed->dwFileVersionMS;
    version.low = fixed->dwFileVersionLS;
    return true;
}

int CompareFileVersion(const InstallJob& job) {
    VersionNumber installed;
    if (!FileVersionOf(job.destination, installed)) {
        return compareFailed;
    }
    return Sign(Combined(job.recordedVersion), Combined(installed));
}

int CompareSize(const InstallJob& job) {
    WIN32_FILE_ATTRIBUTE_DATA installed;
    if (!Attributes(job.destination, installed)) {
        return compareFailed;
    }
    uint64_t size = (uint64_t{installed.nFileSizeHigh} << 32) | installed.nFileSizeLow;
    return Sign(job.recordedSize, size);
}

int CompareVersionFile(const InstallJob& job) {
    VersionNumber installed;
    if (!ReadRecordedVersion(job.versionFile, job.destination, installed)) {
        return compareNewer;
    }
    return Sign(Combined(job.recordedVersion), Combined(installed));
}

}  // namespace

int CompareWithInstalled(const InstallJob& job, const std::string& newCopy) {
    switch (job.comparator) {
    case Comparator::None: return compareFailed;
    case Comparator::Time: return CompareTime(job, newCopy);
    case Comparator::FileVersion: return CompareFileVersion(job);
    case Comparator::Size: return CompareSize(job);
    case Comparator::VersionFile: return CompareVersionFile(job);
    }
    return compareFailed;
}

bool RuleInstalls(int rule, int comparison) {
    switch (rule) {
    case 0: return comparison == compareOlder;
    case 1: return comparison != compareNewer;
    case 2: return comparison == compareNewer;
    case 3: return comparison != compareOlder;
    case 4: return comparison == compareEqual;
    case 5: return comparison != compareEqual;
    default: return false;
    }
}

bool ReadRecordedVersion(const std::string& versionFile, const std::string& destination,
                         VersionNumber& version) {
    char text[128] = "";
    ::GetPrivateProfileStringA(versionSection, destination.c_str(), "0.0.0.0", text, sizeof text,
                               versionFile.c_str());
    unsigned parts[4] = {0, 0, 0, 0};
    char rest = 0;
    int fields = std::sscanf(text, "%u.%u.%u.%u%c", &parts[0], &parts[1], &parts[2], &parts[3], &rest);
    version.high = parts[0] * 65536u + parts[1];
    version.low = parts[2] * 65536u + parts[3];
    return fields == 4;
}

bool WriteRecordedVersion(const std::string& versionFile, const std::string& destination,
                          const VersionNumber& version) {
    char text[64];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", version.high >> 16, version.high & 0xFFFF,
                  version.low >> 16, version.low & 0xFFFF);
    return ::WritePrivateProfileStringA(versionSection, destination.c_str(), text, versionFile.c_str()) != 0;
}

}  // namespace gvmain
