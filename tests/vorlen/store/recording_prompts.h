// Answers the data file's questions from a test and records what was asked.
#pragma once

#include "vorlen/store/data_file.h"

#include <string>
#include <vector>

namespace vorlen::test {

class RecordingPrompts : public store::DataFilePrompts {
public:
    explicit RecordingPrompts(bool answer = false) : answer_(answer) {}
    bool AskYesNo(std::string_view caption, std::string_view text) override {
        asked.push_back(std::string(caption) + ": " + std::string(text));
        return answer_;
    }
    void Notify(std::string_view caption, std::string_view text) override {
        notified.push_back(std::string(caption) + ": " + std::string(text));
    }
    std::vector<std::string> asked;
    std::vector<std::string> notified;

private:
    bool answer_;
};

}  // namespace vorlen::test
