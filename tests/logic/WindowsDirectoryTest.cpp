// Asking the system for the Windows directory, on the stand-in that plays the system.
#include "platform/standins/StandIns.h"
#include "system/modDLL.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

class WindowsDirectory : public ::testing::Test {
protected:
    // The stand-in is shared by the whole process: every test leaves its default behind.
    void TearDown() override { SetWindowsDirectoryStandIn("/"); }

    // The directory as the program gets it; it never carries the terminator along.
    static std::u16string Query(std::optional<std::string> systemAnswer) {
        SetWindowsDirectoryStandIn(std::move(systemAnswer));
        const std::u16string directory = QueryWindowsDirectory();
        EXPECT_EQ(directory.find(u'\0'), std::u16string::npos);
        return directory;
    }
};

TEST_F(WindowsDirectory, ReturnsWhatTheSystemWritesWhenItFits) {
    EXPECT_EQ(Query("C:\\WINDOWS"), u"C:\\WINDOWS");
    const std::string longest = "C:\\" + std::string(141, 'W');  // 144 bytes and a terminator
    EXPECT_EQ(Query(longest), std::u16string(longest.begin(), longest.end()));
}

TEST_F(WindowsDirectory, IsEmptyWhenTheSystemWritesNothing) {
    EXPECT_EQ(Query("C:\\" + std::string(142, 'W')), u"")
        << "145 bytes leave no room for the terminator";
    EXPECT_EQ(Query(std::nullopt), u"") << "the call failed";
    EXPECT_EQ(Query(""), u"");
}

TEST_F(WindowsDirectory, DoubleByteDirectoriesComeBackAsCharacters) {
    // 表示 (95 5C 8E A6): the second byte of 表 is a backslash and must stay part of it.
    EXPECT_EQ(Query("C:\\\x95\x5C\x8E\xA6"), u"C:\\\u8868\u793A");
    // 72 double-byte characters are the longest directory of 144 bytes.
    std::string bytes;
    for (int i = 0; i < 72; ++i) bytes += "\x82\xA0";
    EXPECT_EQ(Query(bytes), std::u16string(72, u'\u3042'));
    EXPECT_EQ(Query(bytes + "\x82\xA0"), u"");
}

}  // namespace
