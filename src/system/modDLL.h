// The Windows directory, asked of the system.
#pragma once

#include <string>

// The directory exactly as the system writes it, or the empty string when it writes none.
std::u16string QueryWindowsDirectory();
