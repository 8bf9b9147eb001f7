// Handles that cross from the runtime into program code: opaque numbers, nothing more.
#pragma once

#include <cstdint>

// A window's handle (a window system id).
using WindowHandle = std::uintptr_t;
