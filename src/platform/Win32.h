// The Win32 calls the program makes, in their Win32 shapes. Handles are opaque numbers,
// text is ANSI (code page 932) bytes. On Windows these are the system's functions; elsewhere
// stand-ins that follow the same rules. The user32 calls belong to the window-system backend,
// whose windows own the system menus; the kernel32 and advapi32 calls to the OS layer.
#pragma once

#include <cstdint>

#include "Handles.h"

namespace win32 {

using HMENU = std::uintptr_t;
using HKEY = std::uintptr_t;
using LONG = std::int32_t;
using DWORD = std::uint32_t;
using UINT = std::uint32_t;
using BOOL = std::int32_t;

inline constexpr UINT SC_CLOSE = 0xF060;
inline constexpr UINT MF_BYCOMMAND = 0x0000;

inline constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000;
inline constexpr HKEY HKEY_CURRENT_USER = 0x80000001;
inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002;
inline constexpr DWORD KEY_READ = 0x20019;

inline constexpr LONG ERROR_SUCCESS = 0;
inline constexpr LONG ERROR_FILE_NOT_FOUND = 2;
inline constexpr LONG ERROR_ACCESS_DENIED = 5;
inline constexpr LONG ERROR_INVALID_HANDLE = 6;
inline constexpr LONG ERROR_MORE_DATA = 234;

inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_EXPAND_SZ = 2;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;

// user32. The window's own copy of its system menu (bRevert 0), or resets it to the
// standard menu (non-zero) and returns 0.
HMENU GetSystemMenu(WindowHandle hWnd, BOOL bRevert);
// Deletes an item; by command, uPosition is compared with the item's command as a full
// 32-bit value. Returns non-zero on success.
BOOL DeleteMenu(HMENU hMenu, UINT uPosition, UINT uFlags);

// kernel32. Writes the Windows directory and a terminating zero when it fits in uSize
// bytes; returns its length, or the size needed when it does not fit (buffer untouched).
UINT GetWindowsDirectoryA(char* lpBuffer, UINT uSize);

// advapi32.
LONG RegOpenKeyExA(HKEY hKey, const char* lpSubKey, DWORD ulOptions, DWORD samDesired,
                   HKEY* phkResult);
LONG RegQueryValueExA(HKEY hKey, const char* lpValueName, DWORD* lpReserved, DWORD* lpType,
                      std::uint8_t* lpData, DWORD* lpcbData);
LONG RegCloseKey(HKEY hKey);

}  // namespace win32
