#pragma once
// The two memory drawing contexts that every Image shares: PictureDc, into which an image
// selects its bitmap or mask as a transfer source, and TargetDc, the transition surface's
// target. They live while at least one Image lives; the display teardown may delete them
// earlier, and the next Image then makes them again.
//
// The handles and the count are plain values without destructors: Images held by globals
// of other files may still reach them when the process ends, whatever the order in which
// those globals go.
#include <windows.h>

#include <cstdint>

extern HDC PictureDc;
extern HDC TargetDc;
extern uint16_t LiveImageCount;

// One Image's share of the two contexts: the first share makes them, and the last share
// to go deletes them.
class SharedDcsUse {
public:
    SharedDcsUse();
    SharedDcsUse(const SharedDcsUse&) = delete;
    SharedDcsUse& operator=(const SharedDcsUse&) = delete;
    ~SharedDcsUse();
};

// Creates whichever context is missing, compatible with the screen.
void EnsureSharedDcs();
// Selects each context's first palette back, then deletes it.
void DestroySharedDcs();
// Selects palette into both contexts; the palette each had first is remembered.
void SelectSharedPalette(HPALETTE palette);
void RealizeSharedPalette();
