#include "gvmain/ops/text_file.h"

#include "gvmain/ops/file_names.h"
#include "gvmain/ops/file_operations.h"
#include "gvmain/ops/file_replacement.h"
#include "gvmain/ops/win32_handles.h"

namespace gvmain {
namespace {

bool WriteNew(const std::string& path, const std::string& bytes) {
    ScopedHandle file(
        ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        return false;
    }
    DWORD written = 0;
    bool complete =
        ::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size() && ::FlushFileBuffers(file.Get());
    return ::CloseHandle(file.Release()) && complete;
}

}  // namespace

FileRead ReadWholeFile(const std::string& path, size_t limit, std::string& bytes) {
    bytes.clear();
    ScopedHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        DWORD error = ::GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FileRead::Missing
                                                                              : FileRead::Failed;
    }
    DWORD high = 0;
    DWORD size = ::GetFileSize(file.Get(), &high);
    if (size == INVALID_FILE_SIZE || high != 0 || size > limit) {
        return FileRead::Failed;
    }
    bytes.resize(size);
    DWORD got = 0;
    if (size > 0 && (!::ReadFile(file.Get(), bytes.data(), size, &got, nullptr) || got != size)) {
        bytes.clear();
        return FileRead::Failed;
    }
    return FileRead::Read;
}

bool SaveFileAtomically(const std::string& path, const std::string& bytes, const std::string& prefix,
                        const OperationEnvironment& environment) {
    std::string directory = DirectoryOf(path);
    std::string temporary = TemporaryName(directory.empty() ? "." : directory, prefix);
    if (temporary.empty()) {
        return false;
    }
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (!WriteNew(temporary, bytes) || !ReplaceNow(temporary, path, environment)) {
        DeleteQuietly(temporary);
        return false;
    }
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        ::SetFileAttributesA(path.c_str(), attributes);
    }
    return true;
}

}  // namespace gvmain
