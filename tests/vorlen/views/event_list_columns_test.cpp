// The event list's column widths between the store's unit and the shown
// pixels of a larger font.
#include "vorlen/views/event_list_columns.h"

#include <gtest/gtest.h>

namespace vorlen::views {
namespace {

TEST(EventListColumnWidths, StoredWidthsSurviveBeingShownAtAnyScale) {
    EXPECT_EQ(ColumnWidthScale(5.0), 1.0);  // a smaller font never narrows
    EXPECT_EQ(ShownColumnWidth(70, ColumnWidthScale(8.0)), 93);
    for (double digitWidth : {6.0, 7.0, 8.0, 8.4, 9.0, 12.0, 17.0}) {
        double scale = ColumnWidthScale(digitWidth);
        for (int stored = 0; stored <= 3000; ++stored)
            ASSERT_EQ(StoredColumnWidth(ShownColumnWidth(stored, scale), scale), stored) << digitWidth;
    }
    EXPECT_EQ(ShownColumnWidth(-5, 1.5), 0);
    EXPECT_EQ(ShownColumnWidth(2000000000, 1.5), 15000);
    EXPECT_EQ(StoredColumnWidth(2000000000, 1.0), 10000);
}

}  // namespace
}  // namespace vorlen::views
