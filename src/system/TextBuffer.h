// Out buffers of Win32 calls come back as whole strings with the text before a NUL.
#pragma once

#include <string>
#include <string_view>

// The text before the first NUL character. Raises InvalidProcedureCall when there is none,
// as the search then yields no position to cut at.
std::u16string CutAtFirstNul(std::u16string_view buffer);
