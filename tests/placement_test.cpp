// Where the main window lands in the work area.
#include "app/placement.h"

#include <gtest/gtest.h>

namespace {

struct PlaceCase {
    std::int32_t left, top, right, bottom;
    WindowPlace place;
};

TEST(PlaceInWorkAreaTest, UsesRightAndBottomEdgesWithTruncatingDivision) {
    const PlaceCase cases[] = {
        {0, 0, 1280, 1024, {530, 429}},
        {0, 0, 1920, 1040, {850, 437}},
        {0, 0, 219, 164, {0, 0}}, // -1 div 2 truncates toward zero
        {0, 0, 218, 163, {-1, -1}},
        {0, 0, 221, 166, {0, 0}},
        {100, 50, 1380, 1074, {580, 454}},  // left and top edges do not shift it
        {-1280, 0, 1280, 1024, {530, 429}}, // a monitor to the left of the primary
        {0, 0, INT32_MIN, INT32_MAX, {-1073741934, 1073741741}},
    };
    for (const PlaceCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.left << "," << c.top << "," << c.right << "," << c.bottom);
        EXPECT_EQ(PlaceInWorkArea(c.right, c.bottom), c.place);
    }
}

} // namespace
