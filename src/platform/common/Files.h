// What the runtime asks of the file system; defined by the OS layer.
#pragma once

#include <string_view>

// `path` names an existing file that is not a directory. Windows paths take either
// separator.
bool IsFile(std::u16string_view path);
