#pragma once
// Sets of enumeration values live in the runtime (the component state is one); the window system's
// set types use the same template.
#include "platform/rtl/set.h"
