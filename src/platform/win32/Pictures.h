#pragma once

#include "platform/FormDesign.h"

#include <windows.h>

// The picture's icon at `size` pixels square, from the program's resources; null when the
// resources hold none. Icons live as long as the process.
HICON PictureIcon(Picture picture, int size);
