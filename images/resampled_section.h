#pragma once
// A 24-bit section resampled to another size (images/picture_resampler.h), for pictures
// painted at a scale other than the screen's.
#include <windows.h>

#include "common/unique_handle.h"

// Empty when source is not a 24-bit section or there is no memory for the new one.
UniqueBitmap ResampleSection(HBITMAP source, int width, int height);
