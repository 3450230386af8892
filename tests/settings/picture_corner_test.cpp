#include "settings/picture_corner.h"

#include <gtest/gtest.h>

namespace {

struct CornerCase {
    int areaWidth, areaHeight, pictureWidth, pictureHeight;
    int x, y;
};

TEST(PictureCornerTest, CentresAndTruncatesTowardZero) {
    const CornerCase cases[] = {
        {158, 188, 136, 136, 11, 26},
        {136, 136, 136, 136, 0, 0},    {137, 139, 136, 136, 0, 1},   {100, 100, 101, 103, 0, -1},
        {100, 100, 136, 140, -18, -20}, {0, 0, 136, 136, -68, -68},  {136, 136, 0, 0, 68, 68},
        {5, 4, 2, 1, 1, 1},
    };
    for (const CornerCase& c : cases) {
        const PictureCorner corner = CentrePicture(c.areaWidth, c.areaHeight, c.pictureWidth, c.pictureHeight);
        EXPECT_EQ(corner.X, c.x) << c.areaWidth << "x" << c.areaHeight << " " << c.pictureWidth;
        EXPECT_EQ(corner.Y, c.y) << c.areaWidth << "x" << c.areaHeight << " " << c.pictureHeight;
    }
}

}  // namespace
