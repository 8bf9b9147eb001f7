// The registry stand-in: a read-only store in memory that follows the real registry's
// rules for what the program asks of it. It starts with the one value that locates a
// system-information program installed on this machine.
#include "platform/standins/StandIns.h"

#include <array>
#include <cstring>
#include <filesystem>
#include <map>

namespace {

using namespace win32;

struct Value {
    DWORD type;
    std::string data;
};

struct Key {
    std::map<std::string, Value> values;  // by folded name
};

using Hive = std::map<std::string, Key>;  // by folded path

// Folds ASCII letters for comparison; the second byte of a double-byte character is kept
// as it is, since it may look like a letter.
std::string Fold(const std::string& text) {
    std::string folded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const bool leadByte = (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
        if (leadByte && i + 1 < text.size()) {
            folded += text.substr(i, 2);
            ++i;
        } else {
            folded += static_cast<char>(byte >= 'A' && byte <= 'Z' ? byte + ('a' - 'A') : byte);
        }
    }
    return folded;
}

// Linux programs that show what the system is made of, in order of preference.
constexpr std::array kSystemInfoPrograms = {
    "/usr/bin/hardinfo",          "/usr/bin/gnome-system-monitor",
    "/usr/bin/kinfocenter",       "/usr/bin/mate-system-monitor",
    "/usr/bin/xfce4-taskmanager", "/usr/bin/lxtask",
};

struct Registry {
    std::map<HKEY, Hive> hives;
    std::map<HKEY, Key*> openKeys;
    HKEY nextHandle = 0x1000;

    Registry() {
        for (const char* program : kSystemInfoPrograms) {
            if (std::filesystem::exists(program)) {
                hives[HKEY_LOCAL_MACHINE][Fold("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO")]
                    .values[Fold("PATH")] = Value{REG_SZ, std::string(program) + '\0'};
                break;
            }
        }
    }
};

Registry& Store() {
    static Registry registry;
    return registry;
}

bool IsPredefinedRoot(HKEY key) { return key >= HKEY_CLASSES_ROOT && key <= 0x80000006; }

// Rights that would change the registry: KEY_SET_VALUE, KEY_CREATE_SUB_KEY,
// KEY_CREATE_LINK, and the standard WRITE_DAC, WRITE_OWNER, DELETE.
constexpr DWORD kWriteRights = 0x0002 | 0x0004 | 0x0020 | 0x00010000 | 0x00040000 | 0x00080000;

}  // namespace

void ClearRegistryStandIn() { Store().hives.clear(); }

void SetRegistryValueStandIn(HKEY root, const std::string& keyPath, const std::string& valueName,
                             DWORD type, const std::string& data) {
    Store().hives[root][Fold(keyPath)].values[Fold(valueName)] = Value{type, data};
}

int OpenRegistryKeysStandIn() { return static_cast<int>(Store().openKeys.size()); }

namespace win32 {

LONG RegOpenKeyExA(HKEY hKey, const char* lpSubKey, DWORD, DWORD samDesired, HKEY* phkResult) {
    if (!IsPredefinedRoot(hKey) || phkResult == nullptr) return ERROR_INVALID_HANDLE;
    if (samDesired & kWriteRights) return ERROR_ACCESS_DENIED;  // the store is read-only
    auto& hive = Store().hives[hKey];
    const auto key = hive.find(Fold(lpSubKey ? lpSubKey : ""));
    if (key == hive.end()) return ERROR_FILE_NOT_FOUND;
    const HKEY handle = Store().nextHandle++;
    Store().openKeys[handle] = &key->second;
    *phkResult = handle;
    return ERROR_SUCCESS;
}

LONG RegQueryValueExA(HKEY hKey, const char* lpValueName, DWORD*, DWORD* lpType,
                      std::uint8_t* lpData, DWORD* lpcbData) {
    const auto open = Store().openKeys.find(hKey);
    if (open == Store().openKeys.end()) return ERROR_INVALID_HANDLE;
    const auto& values = open->second->values;
    const auto value = values.find(Fold(lpValueName ? lpValueName : ""));
    if (value == values.end()) return ERROR_FILE_NOT_FOUND;
    std::string data = value->second.data;
    // String data stored without its terminator gets one on the way out.
    if (value->second.type == REG_SZ && (data.empty() || data.back() != '\0')) data += '\0';
    if (lpType) *lpType = value->second.type;
    if (lpData == nullptr) {
        if (lpcbData) *lpcbData = static_cast<DWORD>(data.size());
        return ERROR_SUCCESS;
    }
    if (lpcbData == nullptr) return ERROR_INVALID_HANDLE;
    const bool fits = data.size() <= *lpcbData;
    *lpcbData = static_cast<DWORD>(data.size());
    if (!fits) return ERROR_MORE_DATA;
    std::memcpy(lpData, data.data(), data.size());
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY hKey) {
    return Store().openKeys.erase(hKey) == 1 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

}  // namespace win32
