// The texts of coordinates: each variant keeps its own padding and its own hemisphere for values that round to
// zero minutes of arc, because its readers (report, option rows, people listing) read them back that way.

#include <gtest/gtest.h>

#include <string>

#include "astro/moment.h"

namespace kalvora {
namespace {

TEST(CoordinatesText, VariantsKeepTheirPaddingAndZeroHemisphere) {
    struct Row {
        double degrees;
        std::string angle, option, listed;
    };
    const Row rows[] = {
        {28.65, "28\u00b039'N", "028:39N", "28:39N"},
        {-13.0833, "13\u00b005'S", "013:05S", "13:05S"},
        {0.0, "0\u00b000'N", "000:00N", "0:00N"},
        // Rounds to 0°00': the signed texts show the positive hemisphere, the listing the sign's.
        {-0.001, "0\u00b000'N", "000:00N", "0:00S"},
        {-179.999, "180\u00b000'S", "180:00S", "180:00S"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.degrees);
        EXPECT_EQ(AngleText(row.degrees, 'N', 'S'), row.angle);
        EXPECT_EQ(OptionAngleText(row.degrees, 3, 'N', 'S'), row.option);
        EXPECT_EQ(ListedAngleText(row.degrees, 'N', 'S'), row.listed);
    }
    TypedPlace south;  // typed as 0°00'S: the boxes' hemisphere stays
    south.isSouth = true;
    south.isEast = false;
    EXPECT_EQ(CoordinatesText(south), "0\u00b000'S 0\u00b000'W");
}

}  // namespace
}  // namespace kalvora
