// The program's registry reader and Windows-directory query on the real kernel32 and
// advapi32 calls: the rules the Linux stand-ins copy must hold on Windows itself.
#include "platform/AnsiCodePage.h"
#include "platform/RuntimeError.h"
#include "platform/Win32.h"
#include "system/Registry.h"
#include "system/modDLL.h"

namespace {

// The program's names for what it asks of the system, taken before <windows.h> turns the
// same names into macros.
constexpr win32::HKEY HKLM = win32::HKEY_LOCAL_MACHINE;
constexpr win32::DWORD kRead = win32::KEY_READ;
constexpr win32::LONG kSuccess = win32::ERROR_SUCCESS;
constexpr win32::LONG kFileNotFound = win32::ERROR_FILE_NOT_FOUND;
constexpr win32::LONG kMoreData = win32::ERROR_MORE_DATA;

}  // namespace

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

using namespace std::string_literals;

const std::wstring kPrivateRoot = L"Software\\Kimoro Tests";

// For each test, HKEY_LOCAL_MACHINE of this process is a fresh key under HKEY_CURRENT_USER,
// removed again afterwards, so the tests need no rights and leave nothing behind.
class RealRegistryRead : public ::testing::Test {
protected:
    void SetUp() override {
        redirect_ = kPrivateRoot + L"\\" + std::to_wstring(GetCurrentProcessId());
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, redirect_.c_str(), 0, nullptr, 0,
                                  KEY_ALL_ACCESS, nullptr, &machine_, nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegOverridePredefKey(HKEY_LOCAL_MACHINE, machine_), ERROR_SUCCESS);
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Kimoro Test", 0, nullptr, 0,
                                  KEY_ALL_ACCESS, nullptr, &testKey_, nullptr),
                  ERROR_SUCCESS);
        handlesAtStart_ = Handles();
    }

    void TearDown() override {
        RegCloseKey(testKey_);
        RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
        RegCloseKey(machine_);
        EXPECT_EQ(RegDeleteTreeW(HKEY_CURRENT_USER, redirect_.c_str()), ERROR_SUCCESS);
        RegDeleteKeyW(HKEY_CURRENT_USER, kPrivateRoot.c_str());  // when no other run uses it
    }

    void Store(const char* name, DWORD type, const std::string& data) {
        ASSERT_EQ(
            RegSetValueExA(testKey_, name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                           static_cast<DWORD>(data.size())),
            ERROR_SUCCESS)
            << name;
    }

    // Reads a value of the test key; a read that returns must have closed what it opened.
    bool Read(const std::u16string& name, std::u16string& value) {
        const bool read = ReadRegistryValue(HKLM, u"SOFTWARE\\Kimoro Test", name, value);
        EXPECT_EQ(Handles(), handlesAtStart_) << "a key was left open";
        return read;
    }

    // What the system call itself answers for a value of the test key, read into 1024 bytes.
    static win32::LONG Query(const char* name, win32::DWORD& size) {
        win32::HKEY key = 0;
        EXPECT_EQ(win32::RegOpenKeyExA(HKLM, "SOFTWARE\\Kimoro Test", 0, kRead, &key), kSuccess);
        std::string data(1024, '\0');
        size = 1024;
        win32::DWORD type = 0;
        const win32::LONG result = win32::RegQueryValueExA(
            key, name, nullptr, &type, reinterpret_cast<std::uint8_t*>(data.data()), &size);
        EXPECT_EQ(win32::RegCloseKey(key), kSuccess);
        return result;
    }

    static DWORD Handles() {
        DWORD count = 0;
        GetProcessHandleCount(GetCurrentProcess(), &count);
        return count;
    }

    DWORD handlesAtStart_ = 0;

private:
    std::wstring redirect_;
    HKEY machine_ = nullptr;
    HKEY testKey_ = nullptr;
};

TEST_F(RealRegistryRead, AMissingKeyOrValueFailsWithFileNotFound) {
    std::u16string value = u"held";
    EXPECT_FALSE(ReadRegistryValue(HKLM, u"SOFTWARE\\Kimoro Absent", u"Name", value));
    EXPECT_EQ(value, u"");

    value = u"held";
    EXPECT_FALSE(Read(u"Name", value));
    EXPECT_EQ(value, u"");
    win32::DWORD size = 0;
    EXPECT_EQ(Query("Name", size), kFileNotFound);
}

TEST_F(RealRegistryRead, StringsAreReadUpToTheirFirstNulInTheAnsiCodePage) {
    std::u16string value;
    Store("Embedded", REG_SZ, "first\0second\0"s);
    EXPECT_TRUE(Read(u"Embedded", value));
    EXPECT_EQ(value, u"first");

    value = u"held";
    Store("Empty", REG_SZ, ""s);
    EXPECT_TRUE(Read(u"Empty", value));
    EXPECT_EQ(value, u"");

    // 表示 in code page 932, the first with a backslash as its second byte.
    Store("Japanese", REG_SZ, "C:\\\x95\x5C\x8E\xA6\0"s);
    EXPECT_TRUE(Read(u"Japanese", value));
    EXPECT_EQ(value, u"C:\\\u8868\u793A");

    // Key path and value name compare without case.
    EXPECT_TRUE(ReadRegistryValue(HKLM, u"software\\KIMORO test", u"JAPANESE", value));
    EXPECT_EQ(value, u"C:\\\u8868\u793A");
}

TEST_F(RealRegistryRead, AStringWithoutATerminatorGetsOneOnTheWayOut) {
    Store("Bare", REG_SZ, "abc"s);
    win32::DWORD size = 0;
    EXPECT_EQ(Query("Bare", size), kSuccess);
    EXPECT_EQ(size, 4u);
    std::u16string value;
    EXPECT_TRUE(Read(u"Bare", value));
    EXPECT_EQ(value, u"abc");
}

TEST_F(RealRegistryRead, AStringFillingTheWholeBufferIsReadAndALongerOneIsNot) {
    std::u16string value;
    Store("Fits", REG_SZ, std::string(1023, 'a') + '\0');
    EXPECT_TRUE(Read(u"Fits", value));
    EXPECT_EQ(value, std::u16string(1023, u'a'));

    Store("TooLong", REG_SZ, std::string(1024, 'a') + '\0');
    win32::DWORD size = 0;
    EXPECT_EQ(Query("TooLong", size), kMoreData);
    EXPECT_EQ(size, 1025u);
    value = u"held";
    EXPECT_FALSE(Read(u"TooLong", value));
    EXPECT_EQ(value, u"");
}

TEST_F(RealRegistryRead, NumbersAreReadAsUnsignedDecimalText) {
    std::u16string value;
    const struct {
        DWORD number;
        std::u16string text;
    } numbers[] = {
        {256, u"256"}, {0, u"0"}, {0x80000000u, u"2147483648"}, {0xFFFFFFFFu, u"4294967295"}};
    for (const auto& n : numbers) {
        Store("Number", REG_DWORD, std::string(reinterpret_cast<const char*>(&n.number), 4));
        EXPECT_TRUE(Read(u"Number", value)) << n.number;
        EXPECT_EQ(value, n.text) << n.number;
    }
}

TEST_F(RealRegistryRead, OtherTypesCountAsReadAndLeaveTheArgumentAsPassed) {
    std::u16string value = u"held";
    Store("Expand", REG_EXPAND_SZ, "%SystemRoot%\\system32\0"s);
    EXPECT_TRUE(Read(u"Expand", value));
    EXPECT_EQ(value, u"held") << "nothing is expanded or copied";

    Store("Binary", REG_BINARY, "\x01\x02"s);
    EXPECT_TRUE(Read(u"Binary", value));
    EXPECT_EQ(value, u"held");
}

TEST_F(RealRegistryRead, DataFillingTheBufferWithoutANulIsAnInvalidProcedureCall) {
    Store("Blob", REG_BINARY, std::string(1024, 'x'));
    std::u16string value;
    try {
        Read(u"Blob", value);
        FAIL() << "no error raised";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), ErrorNumber::InvalidProcedureCall);
    }
    EXPECT_EQ(Handles(), handlesAtStart_) << "the error left its key open";
}

TEST(RealWindowsDirectory, IsTheSystemsDirectoryInTheAnsiCodePage) {
    wchar_t wide[MAX_PATH];
    const UINT length = GetWindowsDirectoryW(wide, MAX_PATH);
    ASSERT_GT(length, 0u);
    EXPECT_EQ(QueryWindowsDirectory(), std::u16string(reinterpret_cast<char16_t*>(wide), length));
}

}  // namespace
