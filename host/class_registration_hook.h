#pragma once
// The extension point that runs after the saver registers a window class or before the
// settings dialog opens; this system needs nothing there.
#include <windows.h>

int ClassRegistrationHook(HINSTANCE instance);
