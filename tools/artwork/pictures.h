#pragma once
// The six slideshow pictures, each painted procedurally at any size (they are designed for
// 4:3 and shown at 1024 x 768).
#include "image_types.h"

RgbImage PaintDuskLake(int width, int height);
RgbImage PaintAurora(int width, int height);
RgbImage PaintNebula(int width, int height);
RgbImage PaintRoseWindow(int width, int height);
RgbImage PaintSunsetSea(int width, int height);
RgbImage PaintFractalSpiral(int width, int height);
