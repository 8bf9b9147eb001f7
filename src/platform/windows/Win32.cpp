// The kernel32 and advapi32 calls of Win32.h, forwarded to Windows. Win32.h comes first: its
// constants are names that <windows.h> turns into macros, so none is named below.
#include "platform/Win32.h"

#include <windows.h>

namespace {

// The predefined root keys are 32-bit values sign-extended into a handle, as <winreg.h>
// writes them; an opened key is the handle itself.
::HKEY ToHkey(win32::HKEY key) {
    const bool predefined = key >= 0x80000000 && key <= 0x800000FF;
    if (!predefined) return reinterpret_cast<::HKEY>(key);
    return reinterpret_cast<::HKEY>(static_cast<LONG_PTR>(static_cast<::LONG>(key)));
}

win32::HKEY FromHkey(::HKEY key) { return reinterpret_cast<win32::HKEY>(key); }

}  // namespace

namespace win32 {

UINT GetWindowsDirectoryA(char* lpBuffer, UINT uSize) {
    return ::GetWindowsDirectoryA(lpBuffer, uSize);
}

LONG RegOpenKeyExA(HKEY hKey, const char* lpSubKey, DWORD ulOptions, DWORD samDesired,
                   HKEY* phkResult) {
    ::HKEY opened = nullptr;
    const LONG result = ::RegOpenKeyExA(ToHkey(hKey), lpSubKey, ulOptions, samDesired, &opened);
    if (phkResult != nullptr) *phkResult = FromHkey(opened);
    return result;
}

LONG RegQueryValueExA(HKEY hKey, const char* lpValueName, DWORD* lpReserved, DWORD* lpType,
                      std::uint8_t* lpData, DWORD* lpcbData) {
    static_assert(sizeof(DWORD) == sizeof(::DWORD));
    return ::RegQueryValueExA(ToHkey(hKey), lpValueName, reinterpret_cast<::DWORD*>(lpReserved),
                              reinterpret_cast<::DWORD*>(lpType), lpData,
                              reinterpret_cast<::DWORD*>(lpcbData));
}

LONG RegCloseKey(HKEY hKey) { return ::RegCloseKey(ToHkey(hKey)); }

}  // namespace win32
