#include "settings/picture_corner.h"

PictureCorner CentrePicture(int areaWidth, int areaHeight, int pictureWidth, int pictureHeight) {
    return {(areaWidth - pictureWidth) / 2, (areaHeight - pictureHeight) / 2};
}
