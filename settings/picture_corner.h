#pragma once
// Where a picture goes so that it sits centred in an area. Platform-free.

struct PictureCorner {
    int X = 0;
    int Y = 0;
};

// The top-left corner of a pictureWidth x pictureHeight picture centred in an
// areaWidth x areaHeight area. Halves truncate toward zero; a picture larger than the
// area gets a negative corner and is cut evenly on both sides.
PictureCorner CentrePicture(int areaWidth, int areaHeight, int pictureWidth, int pictureHeight);
