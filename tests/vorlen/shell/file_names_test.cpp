#include "vorlen/shell/file_names.h"

#include <gtest/gtest.h>

namespace vorlen {
namespace {

TEST(VorExtensionRule, AddsVorUnlessTheEndLooksLikeAnExtension) {
    EXPECT_EQ(WithVorExtension("events"), "events.vor");
    EXPECT_EQ(WithVorExtension("/home/ann/diary"), "/home/ann/diary.vor");
    EXPECT_EQ(WithVorExtension("name.abc"), "name.abc");
    EXPECT_EQ(WithVorExtension("data.VOR"), "data.VOR");
    // Each of the last four characters on its own keeps the name.
    EXPECT_EQ(WithVorExtension("letter"), "letter");
    EXPECT_EQ(WithVorExtension("lessOn"), "lessOn");
    EXPECT_EQ(WithVorExtension("paVed"), "paVed");
    EXPECT_EQ(WithVorExtension("x.a12"), "x.a12");
    // Four characters and fewer are left alone.
    EXPECT_EQ(WithVorExtension("abcd"), "abcd");
    EXPECT_EQ(WithVorExtension(""), "");
}

TEST(FileDialogNames, FilterLosesItsClosingBarAndChosenNamesGetVor) {
    EXPECT_EQ(ToWxWildcard(kVorlenFileFilter), "Vorlen Files (*.VOR)|*.VOR|All Files (*.*)|*.*");
    EXPECT_EQ(ToWxWildcard("a|*.a"), "a|*.a");
    EXPECT_EQ(WithDefaultVorExtension("/tmp/events"), "/tmp/events.vor");
    EXPECT_EQ(WithDefaultVorExtension("/tmp/events.txt"), "/tmp/events.txt");
    EXPECT_EQ(WithDefaultVorExtension("/tmp.d/events"), "/tmp.d/events.vor");
    EXPECT_EQ(WithDefaultVorExtension("/tmp/events."), "/tmp/events.vor");
    EXPECT_EQ(WithDefaultVorExtension(""), "");
}

}  // namespace
}  // namespace vorlen
