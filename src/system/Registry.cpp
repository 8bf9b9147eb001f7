#include "system/Registry.h"

#include "platform/AnsiCodePage.h"
#include "system/TextBuffer.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr win32::DWORD kDataSize = 1024;

// The decimal text of a REG_DWORD, stored least significant byte first; read unsigned.
std::u16string DwordText(const std::string& data) {
    std::uint32_t number = 0;
    for (int i = 3; i >= 0; --i) number = (number << 8) | static_cast<std::uint8_t>(data[i]);
    const std::string digits = std::to_string(number);
    return std::u16string(digits.begin(), digits.end());
}

// Closes the key on every way out of the reader, an error passing through included; a key
// that never opened is 0, whose close fails harmlessly.
class KeyCloser {
public:
    explicit KeyCloser(const win32::HKEY& key) : key_(key) {}
    ~KeyCloser() { win32::RegCloseKey(key_); }
    KeyCloser(const KeyCloser&) = delete;
    KeyCloser& operator=(const KeyCloser&) = delete;

private:
    const win32::HKEY& key_;
};

}  // namespace

// The key is opened for reading only: asking for write access under HKEY_LOCAL_MACHINE is
// refused to every user who is not an administrator.
bool ReadRegistryValue(win32::HKEY root, const std::u16string& keyPath,
                       const std::u16string& valueName, std::u16string& value) {
    win32::HKEY key = 0;
    const KeyCloser closer(key);
    bool read = false;
    if (win32::RegOpenKeyExA(root, ToAnsi(keyPath).c_str(), 0, win32::KEY_READ, &key) ==
        win32::ERROR_SUCCESS) {
        std::string data = ToAnsi(std::u16string(kDataSize, u'\0'));
        win32::DWORD size = kDataSize;
        win32::DWORD type = 0;
        if (win32::RegQueryValueExA(key, ToAnsi(valueName).c_str(), nullptr, &type,
                                    reinterpret_cast<std::uint8_t*>(data.data()),
                                    &size) == win32::ERROR_SUCCESS) {
            const std::u16string text = CutAtFirstNul(FromAnsi(data));
            if (type == win32::REG_SZ) value = text;
            if (type == win32::REG_DWORD) value = DwordText(data);
            read = true;
        }
    }
    if (!read) value.clear();
    return read;
}
