// Files of the log tests: a path in the test temporary folder named after
// the running test, removed when the holder goes, and whole-file reads.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace gvmain {

class ScratchFile {
public:
    ScratchFile() {
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = ::testing::TempDir() + test->test_suite_name() + "." + test->name() + ".log";
        std::remove(path_.c_str());
    }
    ~ScratchFile() { std::remove(path_.c_str()); }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const std::string& Path() const { return path_; }

    std::vector<uint8_t> Bytes() const {
        std::vector<uint8_t> bytes;
        if (std::FILE* file = std::fopen(path_.c_str(), "rb")) {
            int c = 0;
            while ((c = std::fgetc(file)) != EOF)
                bytes.push_back(static_cast<uint8_t>(c));
            std::fclose(file);
        }
        return bytes;
    }

    void Write(const std::vector<uint8_t>& bytes) const {
        std::FILE* file = std::fopen(path_.c_str(), "wb");
        ASSERT_NE(file, nullptr) << path_;
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }

private:
    std::string path_;
};

}  // namespace gvmain
