// Reading one registry value as text, on the read-only registry stand-in.
#include "platform/RuntimeError.h"
#include "platform/standins/StandIns.h"
#include "system/Registry.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;
constexpr win32::HKEY HKLM = win32::HKEY_LOCAL_MACHINE;

// The little-endian bytes of a REG_DWORD.
std::string Dword(std::uint32_t number) {
    std::string bytes;
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>(number >> (8 * i) & 0xFF);
    return bytes;
}

class RegistryRead : public ::testing::Test {
protected:
    void SetUp() override {
        ClearRegistryStandIn();
        openAtStart = OpenRegistryKeysStandIn();
    }

    static void Store(const char* name, win32::DWORD type, const std::string& data) {
        SetRegistryValueStandIn(HKLM, "SOFTWARE\\Kimoro Test", name, type, data);
    }

    // Reads a value of the test key; a read that returns must have closed what it opened.
    bool Read(const std::u16string& name, std::u16string& value) {
        const bool read = ReadRegistryValue(HKLM, u"SOFTWARE\\Kimoro Test", name, value);
        EXPECT_EQ(OpenRegistryKeysStandIn(), openAtStart) << "a key was left open";
        return read;
    }

    int openAtStart = 0;
};

TEST_F(RegistryRead, AMissingKeyOrValueFailsAndEmptiesTheArgument) {
    std::u16string value = u"held";
    EXPECT_FALSE(Read(u"Name", value)) << "no key";
    EXPECT_EQ(value, u"");

    Store("Other", win32::REG_SZ, "x\0"s);
    value = u"held";
    EXPECT_FALSE(Read(u"Name", value)) << "no value of that name";
    EXPECT_EQ(value, u"");
}

TEST_F(RegistryRead, StringsAreReadUpToTheirFirstNul) {
    std::u16string value;
    Store("Path", win32::REG_SZ, "C:\\Program Files\\Tool\\tool.exe\0"s);
    EXPECT_TRUE(Read(u"Path", value));
    EXPECT_EQ(value, u"C:\\Program Files\\Tool\\tool.exe");

    Store("Embedded", win32::REG_SZ, "first\0second\0"s);
    EXPECT_TRUE(Read(u"Embedded", value));
    EXPECT_EQ(value, u"first");

    value = u"held";
    Store("Empty", win32::REG_SZ, "");
    EXPECT_TRUE(Read(u"Empty", value));
    EXPECT_EQ(value, u"");

    // 表示: code page 932 bytes, the first with a backslash as its second byte.
    Store("Japanese", win32::REG_SZ, "C:\\\x95\x5C\x8E\xA6\0"s);
    EXPECT_TRUE(Read(u"Japanese", value));
    EXPECT_EQ(value, u"C:\\\u8868\u793A");
}

TEST_F(RegistryRead, AStringFillingTheWholeBufferIsReadAndALongerOneIsNot) {
    std::u16string value;
    const std::string fits(1023, 'a');  // and its terminator: 1024 bytes
    Store("Fits", win32::REG_SZ, fits + '\0');
    EXPECT_TRUE(Read(u"Fits", value));
    EXPECT_EQ(value, std::u16string(1023, u'a'));

    value = u"held";
    Store("TooLong", win32::REG_SZ, std::string(1024, 'a') + '\0');
    EXPECT_FALSE(Read(u"TooLong", value));
    EXPECT_EQ(value, u"");
}

TEST_F(RegistryRead, NumbersAreReadAsUnsignedDecimalText) {
    std::u16string value;
    const struct {
        std::uint32_t number;
        std::u16string text;
    } numbers[] = {{256, u"256"},
                   {5, u"5"},
                   {0, u"0"},
                   {0x80000000u, u"2147483648"},
                   {0xFFFFFFFFu, u"4294967295"}};
    for (const auto& n : numbers) {
        Store("Number", win32::REG_DWORD, Dword(n.number));
        EXPECT_TRUE(Read(u"Number", value)) << n.number;
        EXPECT_EQ(value, n.text) << n.number;
    }
    EXPECT_EQ(Dword(256), "\x00\x01\x00\x00"s);
}

TEST_F(RegistryRead, OtherTypesCountAsReadAndLeaveTheArgumentAsPassed) {
    std::u16string value = u"held";
    Store("Expand", win32::REG_EXPAND_SZ, "%SystemRoot%\\system32\0"s);
    EXPECT_TRUE(Read(u"Expand", value));
    EXPECT_EQ(value, u"held") << "nothing is expanded or copied";

    Store("Binary", win32::REG_BINARY, "\x01\x02"s);
    EXPECT_TRUE(Read(u"Binary", value));
    EXPECT_EQ(value, u"held");
}

TEST_F(RegistryRead, DataFillingTheBufferWithoutANulIsAnInvalidProcedureCall) {
    Store("Blob", win32::REG_BINARY, std::string(1024, 'x'));
    std::u16string value;
    try {
        ReadRegistryValue(HKLM, u"SOFTWARE\\Kimoro Test", u"Blob", value);
        FAIL() << "no error raised";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), ErrorNumber::InvalidProcedureCall);
    }
    EXPECT_EQ(OpenRegistryKeysStandIn(), openAtStart) << "the error left its key open";
}

TEST_F(RegistryRead, KeyPathsAndValueNamesCompareWithoutCase) {
    SetRegistryValueStandIn(HKLM, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH",
                            win32::REG_SZ, "/usr/bin/tool\0"s);
    std::u16string value;
    EXPECT_TRUE(
        ReadRegistryValue(HKLM, u"software\\MICROSOFT\\shared tools\\msinfo", u"Path", value));
    EXPECT_EQ(value, u"/usr/bin/tool");
    EXPECT_FALSE(ReadRegistryValue(win32::HKEY_CURRENT_USER,
                                   u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", u"PATH", value))
        << "another root holds other keys";
    EXPECT_EQ(OpenRegistryKeysStandIn(), openAtStart);
}

TEST_F(RegistryRead, TheStandInRefusesWriteAccessButGrantsReading) {
    Store("Name", win32::REG_SZ, "x\0"s);
    win32::HKEY key = 0;
    const win32::DWORD readAndWrite = 0x2003F;  // READ_CONTROL and all six key rights
    EXPECT_EQ(win32::RegOpenKeyExA(HKLM, "SOFTWARE\\Kimoro Test", 0, readAndWrite, &key),
              win32::ERROR_ACCESS_DENIED);
    EXPECT_EQ(OpenRegistryKeysStandIn(), openAtStart);
    ASSERT_EQ(win32::RegOpenKeyExA(HKLM, "SOFTWARE\\Kimoro Test", 0, win32::KEY_READ, &key),
              win32::ERROR_SUCCESS);
    EXPECT_EQ(win32::RegCloseKey(key), win32::ERROR_SUCCESS);
    EXPECT_EQ(OpenRegistryKeysStandIn(), openAtStart);
}

}  // namespace
