#pragma once
// Owners of what a selection into a long-lived drawing context displaced, for contexts
// that keep an object selected beyond one scope. Each gives the displaced object back once
// and clears it, so teardown may run twice; a failed select displaced nothing.
#include <windows.h>

// The object a SelectObject displaced from a context, selected back into that context.
class DisplacedObject {
public:
    DisplacedObject() = default;
    DisplacedObject(const DisplacedObject&) = delete;
    DisplacedObject& operator=(const DisplacedObject&) = delete;
    ~DisplacedObject() { Restore(); }

    void Select(HDC dc, HGDIOBJ object) {
        Restore();
        HGDIOBJ previous = dc ? SelectObject(dc, object) : nullptr;
        if (!previous || previous == HGDI_ERROR) return;
        dc_ = dc;
        previous_ = previous;
    }
    void Restore() {
        if (previous_) SelectObject(dc_, previous_);
        dc_ = nullptr;
        previous_ = nullptr;
    }

private:
    HDC dc_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

// The palette a SelectPalette displaced. A window's palette goes back into whichever of the
// window's contexts is at hand when it is released, so the context is named then.
class DisplacedPalette {
public:
    DisplacedPalette() = default;
    DisplacedPalette(const DisplacedPalette&) = delete;
    DisplacedPalette& operator=(const DisplacedPalette&) = delete;

    void Select(HDC dc, HPALETTE palette) { previous_ = SelectPalette(dc, palette, FALSE); }
    // Selects the displaced palette back into dc in the background and forgets it; without
    // a context it is only forgotten.
    void RestoreInto(HDC dc) {
        if (dc && previous_) SelectPalette(dc, previous_, TRUE);
        previous_ = nullptr;
    }

private:
    HPALETTE previous_ = nullptr;
};
