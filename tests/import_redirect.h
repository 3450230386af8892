#pragma once
// Points one platform call of the test executable elsewhere, through its import table, so
// that a test can make that call fail or record it.
#include <windows.h>

// Points this executable's import of `name` from `library` at `replacement`; returns the
// import it replaced, or null when there is none.
void* RedirectImport(const char* library, const char* name, void* replacement);
