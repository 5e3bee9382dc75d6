#include "vorlen/platform/text_encoding.h"

#include <gtest/gtest.h>

namespace vorlen::platform {
namespace {

TEST(TextEncoding, Windows1252AndUtf8BothWays) {
    EXPECT_EQ(Windows1252ToUtf8("caf\xE9 \x80 \x93quoted\x94"),
              "caf\xC3\xA9 \xE2\x82\xAC \xE2\x80\x9Cquoted\xE2\x80\x9D");
    EXPECT_EQ(Utf8ToWindows1252("caf\xC3\xA9 \xE2\x82\xAC"), "caf\xE9 \x80");
    EXPECT_EQ(Windows1252ToUtf8(""), "");
    EXPECT_EQ(Windows1252ToUtf8("plain"), "plain");
    // Characters Windows-1252 lacks, and broken UTF-8, become '?'.
    EXPECT_EQ(Utf8ToWindows1252("\xE6\x97\xA5"), "?");
    EXPECT_EQ(Utf8ToWindows1252("a\xFF"
                                "b"),
              "a?b");
}

}  // namespace
}  // namespace vorlen::platform
