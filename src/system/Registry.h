// Reads one registry value as text.
#pragma once

#include "platform/Win32.h"

#include <string>

// A string value as it is, a 32-bit number as its decimal text; another type leaves
// `value` as passed and still counts as read. On failure `value` becomes empty and the
// result is false. Errors (data without a terminator) pass to the caller.
bool ReadRegistryValue(win32::HKEY root, const std::u16string& keyPath,
                       const std::u16string& valueName, std::u16string& value);
