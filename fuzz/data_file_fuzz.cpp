// libFuzzer target: any bytes given to the data file reader are either
// refused or loaded. A loaded file saves, and what was saved loads again;
// after that first pass (which may clear midnight times of converted
// files) saving and loading change nothing.
#include "vorlen/store/data_file.h"

#include <cstdio>
#include <cstdlib>

namespace {

class AnswerYes : public vorlen::store::DataFilePrompts {
public:
    bool AskYesNo(std::string_view, std::string_view) override { return true; }
    void Notify(std::string_view, std::string_view) override {}
};

std::string LoadAndSave(std::string_view bytes, bool mustLoad) {
    vorlen::Eventlist events;
    vorlen::Typelist types;
    vorlen::store::DataFile file;
    AnswerYes prompts;
    int result = file.LoadBytes(bytes, events, types, prompts);
    if (result == vorlen::store::notLoaded) {
        if (mustLoad) {
            std::fprintf(stderr, "a file the program saved was refused\n");
            std::abort();
        }
        return {};
    }
    return file.SaveBytes(events, types);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string first = LoadAndSave(std::string_view(reinterpret_cast<const char*>(data), size), false);
    if (first.empty())
        return 0;
    std::string second = LoadAndSave(first, true);
    if (LoadAndSave(second, true) != second) {
        std::fprintf(stderr, "saving a loaded file again changed it\n");
        std::abort();
    }
    return 0;
}
