// Damaged data files are refused whole: never a crash, never a hang, never
// half a file in the lists.
#include "vorlen/store/data_file.h"

#include "file_bytes.h"
#include "recording_prompts.h"
#include "../support/temp_dir.h"

#include <gtest/gtest.h>

#include <random>

namespace vorlen::store {
namespace {

using namespace vorlen::test;

std::string SmallFile() {
    std::string events = EventRecord("Dentist", "Appointment") + EventRecord("Gym", "Sport", 2);
    return Header() + Section("EVENTDB2", 2, events) +
           Section("TYPELIST", 1, CategoryRecord("Sport", 2, "Hall")) + Trailer();
}

// Loads into lists that already hold one event and the built-in
// categories, and checks that a refused file left them so. `path` empty:
// from memory; else the bytes are written there and loaded from disk, whose
// reader has checks of its own.
int LoadOnce(const std::string& bytes, const std::string& path) {
    Eventlist events;
    events.Add()->SetDescription("mine");
    Typelist types;
    DataFile file;
    RecordingPrompts prompts(true);
    int result = 0;
    if (path.empty()) {
        result = file.LoadBytes(bytes, events, types, prompts);
    } else {
        WriteFile(path, bytes);
        file.SetFileName(path.c_str());
        result = file.Load(events, types, prompts);
    }
    if (result == notLoaded) {
        EXPECT_EQ(events.count, 1);
        EXPECT_EQ(types.count, 4);
        EXPECT_EQ(file.isOpen, 0);
    }
    return result;
}

// Both loaders must agree.
int LoadAndCheck(const std::string& bytes) {
    static TempDir dir;
    int fromMemory = LoadOnce(bytes, "");
    EXPECT_EQ(LoadOnce(bytes, dir.File("damaged.vor")), fromMemory);
    return fromMemory;
}

TEST(DamagedFiles, EveryTruncationIsRefused) {
    std::string whole = SmallFile();
    ASSERT_EQ(LoadAndCheck(whole), loadedData);
    // The final 0xFE is never read, so only shorter cuts must fail.
    ASSERT_EQ(LoadAndCheck(whole.substr(0, whole.size() - 1)), loadedData);
    for (size_t cut = 0; cut + 1 < whole.size(); ++cut)
        ASSERT_EQ(LoadAndCheck(whole.substr(0, cut)), notLoaded) << "cut at " << cut;
}

TEST(DamagedFiles, CountsAndLengthsTheRestCannotHoldAreRefused) {
    std::string events = EventRecord("Dentist", "Appointment");
    EXPECT_EQ(LoadAndCheck(Header() + Section("EVENTDB2", 2, events) + Trailer()), notLoaded);
    EXPECT_EQ(LoadAndCheck(Header() + Section("EVENTDB2", 2000000000, events) + Trailer()), notLoaded);
    EXPECT_EQ(LoadAndCheck(Header() + "<SECTION = EVENTDB2>[-1]<END_SECTION>" + Trailer()), notLoaded);
    EXPECT_EQ(LoadAndCheck(Header() + "<SECTION = EVENTDB2>[x]<END_SECTION>" + Trailer()), notLoaded);

    std::string hugeText = events;
    hugeText.replace(36 + 16 + 9 + 4, 4, Le(0x7FFFFFF0));  // the description's length
    EXPECT_EQ(LoadAndCheck(Header() + Section("EVENTDB2", 1, hugeText) + Trailer()), notLoaded);
    std::string negativeText = events;
    negativeText.replace(36 + 16 + 9 + 4, 4, Le(-5));
    EXPECT_EQ(LoadAndCheck(Header() + Section("EVENTDB2", 1, negativeText) + Trailer()), notLoaded);
    std::string versionTag = "\xFE<TOLVANE VORLEN>\xFE<DATA><VERSION = 0.9.7>";
    EXPECT_EQ(LoadAndCheck(versionTag + Le(1000) + "abc"), notLoaded);
}

TEST(DamagedFiles, MissingTagsAreRefused) {
    std::string events = EventRecord("Dentist", "Appointment");
    EXPECT_EQ(LoadAndCheck(Header() + "<SECTION = EVENTDB2>[1]" + events + Trailer()), notLoaded);
    EXPECT_EQ(LoadAndCheck(Header() + Section("EVENTDB2", 1, events)), notLoaded);
    EXPECT_EQ(LoadAndCheck(Header() + Section("EVENTDB2", 1, events) + "END_DATA"), notLoaded);
    EXPECT_EQ(LoadAndCheck(Header() + Section("EVENTDB2", 1, events) + "END_DATA>"), notLoaded);
    EXPECT_EQ(LoadAndCheck(Header() + "<SECTION = EVENTDB2[1]" + events + "<END_SECTION>" + Trailer()),
              notLoaded);
    EXPECT_EQ(LoadAndCheck(Header() + Section("EVENTDB2", 1, events.substr(0, events.size() - 3) + "|x|") +
                           Trailer()),
              notLoaded);
    EXPECT_EQ(LoadAndCheck("\xFE<TOLVANE VORLEN>\xFE<DATA><VERSION = 0.9>" + Text("o")), notLoaded);
    EXPECT_EQ(LoadAndCheck("\xFE<TOLVANE VORLEN>\xFE<DATA><VERSION = a.b.c>"), notLoaded);
    EXPECT_EQ(LoadAndCheck(""), notLoaded);
    // Whatever word the end tag holds, it must be a tag.
    EXPECT_EQ(LoadAndCheck(Header() + Section("EVENTDB2", 1, events) + "<FINISHED>"), loadedData);
}

TEST(DamagedFiles, RandomBytesAndMutationsNeverCrash) {
    std::mt19937 random(2026);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string whole = SmallFile();
    int loaded = 0;
    for (int i = 0; i < 3000; ++i) {
        std::string bytes = whole;
        int changes = 1 + i % 4;
        for (int c = 0; c < changes; ++c)
            bytes[std::uniform_int_distribution<size_t>(0, bytes.size() - 1)(random)] =
                static_cast<char>(byte(random));
        loaded += LoadAndCheck(bytes) == loadedData;
    }
    EXPECT_GT(loaded, 0);  // some mutations only touch values
    for (int i = 0; i < 500; ++i) {
        std::string noise(std::uniform_int_distribution<size_t>(0, 400)(random), '\0');
        for (char& c : noise)
            c = static_cast<char>(byte(random));
        if (i % 2 == 0)
            noise = "\xFE<TOLVANE VORLEN>\xFE<DATA><VERSION = 0.9.7>" + noise;
        LoadAndCheck(noise);
    }
}

}  // namespace
}  // namespace vorlen::store
