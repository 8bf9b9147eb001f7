// What the Linux stand-ins for the system start with, before any test changes them.
#include "system/Registry.h"
#include "system/modDLL.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <unistd.h>

namespace {

// Read before any test sets a stand-in, so that they show what the stand-ins start with.
const std::u16string kDirectoryAtStart = QueryWindowsDirectory();

struct ToolEntry {
    bool read = false;
    std::u16string path;
};

const ToolEntry kToolAtStart = [] {
    ToolEntry entry;
    entry.read =
        ReadRegistryValue(win32::HKEY_LOCAL_MACHINE, u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO",
                          u"PATH", entry.path);
    return entry;
}();

TEST(RegistryStandIn, StartsWithAnExistingSystemInformationProgramOrNothing) {
    if (!kToolAtStart.read) {
        EXPECT_EQ(kToolAtStart.path, u"");
        return;
    }
    const std::filesystem::path program(kToolAtStart.path);
    EXPECT_TRUE(program.is_absolute()) << program;
    EXPECT_TRUE(std::filesystem::is_regular_file(program)) << program;
    EXPECT_EQ(access(program.c_str(), X_OK), 0) << program << " is not executable";
}

TEST(WindowsDirectoryStandIn, IsTheRootDirectory) { EXPECT_EQ(kDirectoryAtStart, u"/"); }

}  // namespace
