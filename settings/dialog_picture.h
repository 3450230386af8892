#pragma once
// The settings dialog's sample picture: a memory context the size of the placeholder
// control, the one-entry image list that holds the sample bitmap, and on 8-bit displays
// the palette made from that bitmap's colour table. One instance, alive while the dialog is.
#include <windows.h>

#include "images/memory_surface.h"

// Process-wide, owned by the dialog's picture: the sample is composed here, then copied to
// the dialog in one piece. Empty while no dialog is up.
extern MemorySurface DialogPictureSurface;

// Builds the memory context and the image list; 1 when the memory context exists.
int CreateDialogPicture(HWND dialog);
// Paints the sample centred over the button face into the placeholder's place.
void PaintDialogPicture(HWND dialog);
// Realizes the dialog's palette again, when it has one.
void RefreshDialogPalette(HWND dialog);
// Releases the image list, the palette and the memory context, each once; may run again.
void ReleaseDialogPicture(HWND dialog);

HPALETTE DialogPalette();
