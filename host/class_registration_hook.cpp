#include "host/class_registration_hook.h"

int ClassRegistrationHook(HINSTANCE) { return 1; }
