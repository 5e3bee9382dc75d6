// What the tests of the install operations share: a host that records
// every call and answers from a script, a scratch directory on the Wine
// drive, and file helpers.
#pragma once

#include "gvmain/format/log_reader.h"
#include "gvmain/ops/operation_host.h"
#include "gvmain/format/operation_log.h"
#include "gvmain/ops/win32_handles.h"

#include <windows.h>

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace gvmain::test {

class RecordingHost : public OperationHost {
public:
    // Message n reads "m<n> %s" unless set otherwise.
    std::map<int, std::string> messages;
    std::vector<std::string> errors;
    std::vector<Question> questions;
    // Answers in order; once they run out, every question gets `lastAnswer`.
    std::deque<int> answers;
    int lastAnswer = secondButton;
    // Runs at each question, before the answer (a program closing meanwhile).
    std::function<void()> onAsk;
    std::vector<uint32_t> progress;
    int cancelAfterBlocks = -1;
    int pumps = 0;
    std::vector<std::string> notices;
    // Disk d (counted from 0) is the directory disks[d]; a forced change to
    // the current disk asks `onForcedChange` (the user gives up without it).
    std::vector<std::string> disks;
    std::vector<std::pair<int, bool>> diskChanges;
    std::function<bool(int)> onForcedChange;
    // Runs at each change, before it is taken (the user swapping disks).
    std::function<void(int)> onChange;
    int restartFlags = 0;
    int dosRestartFlags = 0;
    OperationEnvironment environment;

    std::string Message(int number) override {
        auto found = messages.find(number);
        return found != messages.end() ? found->second : "m" + std::to_string(number) + " %s";
    }
    void ReportError(const std::string& text) override { errors.push_back(text); }
    int Ask(const Question& question) override {
        questions.push_back(question);
        if (onAsk) {
            onAsk();
        }
        if (answers.empty()) {
            return lastAnswer;
        }
        int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    bool Progress(uint32_t kb) override {
        progress.push_back(kb);
        return cancelAfterBlocks < 0 || static_cast<int>(progress.size()) < cancelAfterBlocks;
    }
    void PumpMessages() override { ++pumps; }
    void Notice(const std::string& text) override { notices.push_back(text); }
    bool ChangeDisk(int disk, bool force) override {
        diskChanges.emplace_back(disk, force);
        if (onChange) {
            onChange(disk);
        }
        if (disk < 0 || disk >= static_cast<int>(disks.size())) {
            return false;
        }
        if (force && !(onForcedChange && onForcedChange(disk))) {
            return false;
        }
        current_ = disk;
        return true;
    }
    std::string SourceDirectory() override { return current_ < 0 ? std::string() : disks[current_]; }
    void SetWindowsRestart() override { ++restartFlags; }
    void SetDosRestart() override { ++dosRestartFlags; }
    const OperationEnvironment& Environment() override { return environment; }

private:
    int current_ = -1;
};

// A fresh directory under the Wine user's temporary directory, removed
// with everything in it.
class ScratchDir {
public:
    explicit ScratchDir(const std::string& name = "gvops") {
        char base[MAX_PATH];
        ::GetTempPathA(sizeof base, base);
        for (int n = ::GetTickCount() % 100000;; ++n) {
            path_ = std::string(base) + name + std::to_string(n);
            if (::CreateDirectoryA(path_.c_str(), nullptr)) {
                break;
            }
        }
    }
    ~ScratchDir() { RemoveTree(path_); }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

    static void RemoveTree(const std::string& path) {
        WIN32_FIND_DATAA found;
        ScopedFind find(::FindFirstFileA((path + "\\*").c_str(), &found));
        if (find.Valid()) {
            do {
                std::string name = found.cFileName;
                std::string entry = path + "\\" + name;
                if (name == "." || name == "..") {
                    continue;
                }
                ::SetFileAttributesA(entry.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    RemoveTree(entry);
                } else {
                    ::DeleteFileA(entry.c_str());
                }
            } while (::FindNextFileA(find.Get(), &found));
        }
        find.Reset();
        ::RemoveDirectoryA(path.c_str());
    }

private:
    std::string path_;
};

inline bool WriteBytes(const std::string& path, const std::string& bytes) {
    ScopedHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file.Valid() &&
           ::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

inline std::string ReadBytes(const std::string& path) {
    ScopedHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string bytes;
    if (!file.Valid()) {
        return bytes;
    }
    bytes.resize(::GetFileSize(file.Get(), nullptr));
    DWORD got = 0;
    ::ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    bytes.resize(got);
    return bytes;
}

inline bool Exists(const std::string& path) {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Bytes that differ from file to file and compress somewhat, like text.
inline std::string SampleBytes(size_t size, unsigned seed) {
    std::string bytes(size, '\0');
    uint32_t state = seed * 2654435761u + 1;
    for (size_t i = 0; i < size; ++i) {
        state = state * 1103515245u + 12345u;
        bytes[i] = static_cast<char>(i % 7 == 0 ? (state >> 16) : 'a' + (state >> 24) % 16);
    }
    return bytes;
}

// An operation log in a scratch file, read back as one line per record:
// the kind, a space, then the fields joined by '|'.
class LogCapture {
public:
    explicit LogCapture(const std::string& path) : path_(path) { log.Open(path_, LogHeader{}); }

    std::vector<std::string> Lines() {
        log.Close();
        std::vector<std::string> lines;
        LogContents contents = ReadOperationLog(path_);
        if (!contents.error.empty()) {
            lines.push_back("error: " + contents.error);
        }
        for (const auto& record : contents.records) {
            lines.push_back(Line(*record));
        }
        return lines;
    }

    OperationLog log;

private:
    static std::string Line(const LogRecord& record) {
        std::string kind = std::to_string(record.Kind()) + " ";
        if (auto* moved = dynamic_cast<const FileMovedRecord*>(&record)) {
            return kind + moved->from + "|" + moved->to;
        }
        if (auto* lengthened = dynamic_cast<const FileLengthenedRecord*>(&record)) {
            return kind + lengthened->path + "|" + std::to_string(lengthened->formerLength);
        }
        if (auto* changed = dynamic_cast<const AttributesChangedRecord*>(&record)) {
            return kind + changed->path + "|" + std::to_string(changed->oldAttributes) + "|" +
                   std::to_string(changed->newAttributes);
        }
        if (auto* withPath = dynamic_cast<const PathRecord*>(&record)) {
            return kind + withPath->path;
        }
        return kind + SystemFields(record);
    }

    // Registry and Program Manager records; old data as its byte count.
    static std::string SystemFields(const LogRecord& record) {
        if (auto* key = dynamic_cast<const RegKeyRecord*>(&record)) {
            return RegistryKeyText(key->key);
        }
        if (auto* value = dynamic_cast<const RegValueCreatedRecord*>(&record)) {
            return RegistryKeyText(value->key) + "|" + value->valueName;
        }
        if (auto* value = dynamic_cast<const RegValueDataRecord*>(&record)) {
            return RegistryKeyText(value->key) + "|" + value->valueName + "|" + std::to_string(value->type) +
                   "|" + std::to_string(value->data.size());
        }
        if (auto* group = dynamic_cast<const GroupRecord*>(&record)) {
            return group->group;
        }
        if (auto* item = dynamic_cast<const ItemCreatedRecord*>(&record)) {
            return item->group + "|" + item->item;
        }
        if (auto* item = dynamic_cast<const ItemDeletedRecord*>(&record)) {
            return item->group + "|" + std::to_string(item->description.size());
        }
        return "?";
    }

    std::string path_;
};

}  // namespace gvmain::test
