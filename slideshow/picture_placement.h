#pragma once
// Where a picture goes in the picture area: at its own size, anywhere it fits wholly, or,
// when it is larger than the area along a side, stretched into the largest 4:3 box of the
// room it is given there. Platform-free.
#include <cstdint>

struct PicturePlacement {
    // The room the picture takes: its own size, cut to the area's.
    int32_t BoxWidth = 0;
    int32_t BoxHeight = 0;
    // The room's left and top edges are drawn below these, in that order.
    uint32_t SpareWidth = 0;
    uint32_t SpareHeight = 0;
    bool Stretched = false;
};

PicturePlacement PlacePicture(int32_t areaWidth, int32_t areaHeight, int32_t pictureWidth, int32_t pictureHeight);
