#include "gvmain/engine/messages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace gvmain {
namespace {

// Frees a DLL loaded by a test.
struct LoadedDll {
    explicit LoadedDll(const char* name) : module(LoadLibraryA(name)) {}
    ~LoadedDll() {
        if (module)
            FreeLibrary(module);
    }
    HMODULE module;
};

std::vector<int> Range(int first, int last) {
    std::vector<int> numbers;
    for (int n = first; n <= last; ++n)
        numbers.push_back(n);
    return numbers;
}

// Every number the engine, the operations and the uninstaller show.
std::vector<int> NumbersInUse() {
    std::vector<int> numbers = {2,  3,  4,  12, 43, 44, 57, 58, 59, 60, 67,
                                68, 70, 71, 72, 74, 75, 85, 86, 91, 127};
    for (const std::vector<int>& range :
         {Range(61, 66), Range(76, 82), Range(131, 135), Range(141, 178), Range(200, 201)})
        numbers.insert(numbers.end(), range.begin(), range.end());
    return numbers;
}

TEST(LoadMessage, WithoutALanguageDllGivesTheBuiltInEnglishTexts) {
    EXPECT_EQ(LoadMessage(nullptr, 61), "Congratulations!\n%s has been installed successfully");
    EXPECT_EQ(
        LoadMessage(nullptr, 62),
        "%s has been installed successfully\nbut we need to restart\nWindows for the changes to take effect");
    EXPECT_EQ(LoadMessage(nullptr, 64), "&Stay here");
    EXPECT_EQ(
        LoadMessage(nullptr, 65),
        "%s has been installed successfully\nbut we need to restart\nDOS for the changes to take effect");
    EXPECT_EQ(LoadMessage(nullptr, 71),
              "Installation is incomplete\nAre you sure you want to abort the installation?");
    EXPECT_EQ(LoadMessage(nullptr, 74), "Please insert disk: %s");
    EXPECT_EQ(LoadMessage(nullptr, 85), "Installation is being aborted");
    const char* ownTable[] = {"&OK", "&Cancel", "&Yes", "&No", "&Retry", "Error", "&Help"};
    for (int n = 76; n <= 82; ++n)
        EXPECT_EQ(LoadMessage(nullptr, n), ownTable[n - 76]) << n;
}

TEST(LoadMessage, EveryNumberInUseHasAText) {
    for (int n : NumbersInUse()) {
        ASSERT_NE(EnglishMessage(n), nullptr) << n;
        EXPECT_FALSE(LoadMessage(nullptr, n).empty()) << n;
    }
    EXPECT_EQ(EnglishMessage(1), nullptr);
    EXPECT_EQ(LoadMessage(nullptr, 9999), "");
}

TEST(LoadMessage, KindLabelsFollowTheRecordKinds) {
    EXPECT_EQ(LoadMessage(nullptr, 156), "Directory created");
    EXPECT_EQ(LoadMessage(nullptr, 156 + 4), "File created");
    EXPECT_EQ(LoadMessage(nullptr, 156 + 22), "User data");
}

TEST(LoadMessage, TheLanguageDllComesFirstAndEnglishFillsItsGaps) {
    LoadedDll dll("test_language.dll");
    ASSERT_NE(dll.module, nullptr);
    EXPECT_EQ(LoadMessage(dll.module, 61), "Test language: %s is installed");
    EXPECT_EQ(LoadMessage(dll.module, 62), LoadMessage(nullptr, 62));
    EXPECT_EQ(LoadMessage(dll.module, 9999), "");
}

// The DLLs are built from the same list as the built-in texts; escapes such
// as \n must come through the resource compiler unchanged.
TEST(LanguageDlls, HoldEveryEnglishTextUnchanged) {
    for (const char* name : {"gvenu.dll", "gveng.dll"}) {
        LoadedDll dll(name);
        ASSERT_NE(dll.module, nullptr) << name;
        int held = 0;
        for (int n = 0; n < 1000; ++n) {
            char text[maxMessageLength + 1];
            int length = LoadStringA(dll.module, static_cast<UINT>(n), text, sizeof text);
            const char* english = EnglishMessage(n);
            ASSERT_EQ(length > 0, english != nullptr) << name << " " << n;
            if (!english)
                continue;
            EXPECT_EQ(std::string(text, static_cast<size_t>(length)), english) << name << " " << n;
            ++held;
        }
        EXPECT_EQ(held, static_cast<int>(NumbersInUse().size())) << name;
    }
}

}  // namespace
}  // namespace gvmain
