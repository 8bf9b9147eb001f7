// Where Win32 is absent, the runtime's own stand-ins take the place of the kernel32 and
// advapi32 calls of Win32.h. This header is what tests see of their state.
#pragma once

#include "platform/Win32.h"

#include <optional>
#include <string>

// Windows directory: the ANSI bytes GetWindowsDirectoryA reports; nullopt makes it write
// nothing (a failing call). The default is "/", the system's root directory.
void SetWindowsDirectoryStandIn(std::optional<std::string> directory);

// Registry: a read-only store. Key paths and value names compare without regard to case.
void ClearRegistryStandIn();  // no keys at all
void SetRegistryValueStandIn(win32::HKEY root, const std::string& keyPath,
                             const std::string& valueName, win32::DWORD type,
                             const std::string& data);
// The open keys that were not closed yet.
int OpenRegistryKeysStandIn();
