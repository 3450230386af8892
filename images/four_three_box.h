#pragma once
// The largest 4:3 box that fits a rectangle, centred along the axis with room to spare.

struct FourThreeBox {
    int X;
    int Y;
    int Width;
    int Height;
};

FourThreeBox FitFourThreeBox(int x, int y, int width, int height);
