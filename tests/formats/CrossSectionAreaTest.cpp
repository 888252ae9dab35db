#include "formats/CrossSectionArea.h"

#include <gtest/gtest.h>

using namespace mardex;

namespace {

using Line = std::vector<SectionPoint>;

struct AreaCase {
    const char* what;
    Line ground, design;
    double cut, fill;
};

TEST(AreasBetween, CornerCases)
{
    const AreaCase cases[] = {
        {"ground 2 above design over 10", {{0, 2}, {10, 2}}, {{0, 0}, {10, 0}}, 20, 0},
        {"design 3 above ground over 4", {{-2, 0}, {2, 0}}, {{-2, 3}, {2, 3}}, 0, 12},
        // Lines crossing at offset 5: two triangles of base 5 and height 1.
        {"crossing surfaces", {{0, 1}, {10, -1}}, {{0, 0}, {10, 0}}, 2.5, 2.5},
        // Crossing at 2.5 inside the strip [0, 10]: 2 * 2.5 / 2 and 6 * 7.5 / 2.
        {"crossing off centre", {{0, 2}, {10, -6}}, {{0, 0}, {10, 0}}, 2.5, 22.5},
        // Only [0, 10] is covered by both.
        {"different extents", {{-50, 1}, {50, 1}}, {{0, 0}, {10, 0}}, 10, 0},
        {"extents that do not meet", {{0, 1}, {5, 1}}, {{6, 0}, {10, 0}}, 0, 0},
        {"extents meeting in one offset", {{0, 1}, {5, 1}}, {{5, 0}, {10, 0}}, 0, 0},
        // Ground steps from 1 up to 3 at offset 4.
        {"vertical step", {{0, 1}, {4, 1}, {4, 3}, {10, 3}}, {{0, 0}, {10, 0}}, 4 + 18, 0},
        {"vertical step at the left end", {{0, 9}, {0, 1}, {10, 1}}, {{0, 0}, {10, 0}}, 10, 0},
        {"a surface of one point", {{5, 1}}, {{0, 0}, {10, 0}}, 0, 0},
        {"identical surfaces", {{0, 1}, {3, 4}, {8, 2}}, {{0, 1}, {3, 4}, {8, 2}}, 0, 0},
        // Design breaks at 5 (a V): ground 0, design |x-5|-1 from 0 to 10.
        {"break points of the design", {{0, 0}, {10, 0}}, {{0, 4}, {5, -1}, {10, 4}}, 1, 16},
    };
    for (const AreaCase& c : cases) {
        const CutFill got = AreasBetween(c.ground, c.design);
        EXPECT_NEAR(got.cut, c.cut, 1e-9) << c.what;
        EXPECT_NEAR(got.fill, c.fill, 1e-9) << c.what;
    }
}

} // namespace
