#include "images/four_three_box.h"

#include <gtest/gtest.h>

namespace {

struct BoxCase {
    int W, H;
    FourThreeBox Expected;  // for a rectangle at (0, 0)
};

TEST(FitFourThreeBox, FitsTheLargest43BoxCentredInTheRoomToSpare) {
    const BoxCase cases[] = {
        {800, 600, {0, 0, 800, 600}},      {1000, 600, {100, 0, 800, 600}}, {1001, 600, {100, 0, 800, 600}},
        {800, 700, {0, 50, 800, 600}},     {1280, 1024, {0, 32, 1280, 960}}, {1920, 1080, {240, 0, 1440, 1080}},
        {152, 112, {1, 0, 149, 112}},      {640, 481, {0, 0, 640, 480}},    {5, 4, {0, 0, 5, 4}},
        {0, 0, {0, 0, 0, 0}},
    };
    for (const BoxCase& c : cases) {
        const FourThreeBox box = FitFourThreeBox(0, 0, c.W, c.H);
        SCOPED_TRACE(testing::Message() << c.W << "x" << c.H);
        EXPECT_EQ(box.X, c.Expected.X);
        EXPECT_EQ(box.Y, c.Expected.Y);
        EXPECT_EQ(box.Width, c.Expected.Width);
        EXPECT_EQ(box.Height, c.Expected.Height);
    }
}

TEST(FitFourThreeBox, OffsetsTheBoxByTheRectangleOrigin) {
    const FourThreeBox wide = FitFourThreeBox(-20, 7, 1000, 600);
    EXPECT_EQ(wide.X, 80);
    EXPECT_EQ(wide.Y, 7);
    const FourThreeBox tall = FitFourThreeBox(3, 10, 800, 700);
    EXPECT_EQ(tall.X, 3);
    EXPECT_EQ(tall.Y, 60);
}

TEST(FitFourThreeBox, HugeRectanglesDoNotOverflow) {
    constexpr int Largest = 2147483647;
    const FourThreeBox box = FitFourThreeBox(0, 0, Largest, Largest);
    EXPECT_EQ(box.Width, Largest);
    EXPECT_EQ(box.Height, static_cast<int>((3LL * Largest) / 4));
    EXPECT_EQ(box.Y, static_cast<int>((Largest - (3LL * Largest) / 4) / 2));
}

}  // namespace
