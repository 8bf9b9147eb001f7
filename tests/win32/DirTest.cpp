// Dir on Windows, which asks the file system itself.
#include "platform/Runtime.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

TEST(Dir, NamesAnExistingFileByEitherSeparatorAndNothingElse) {
    wchar_t module[MAX_PATH] = L"";
    ASSERT_GT(GetModuleFileNameW(nullptr, module, MAX_PATH), 0u);
    const std::u16string path(module, module + std::wstring_view(module).size());
    const std::size_t separator = path.rfind(u'\\');
    ASSERT_NE(separator, path.npos);
    const std::u16string name = path.substr(separator + 1);

    EXPECT_EQ(Dir(path), name);
    std::u16string forward = path;
    for (char16_t& c : forward) c = c == u'\\' ? u'/' : c;
    EXPECT_EQ(Dir(forward), name);

    EXPECT_EQ(Dir(path.substr(0, separator)), u"") << "a directory";
    EXPECT_EQ(Dir(path + u".missing"), u"");
    EXPECT_EQ(Dir(u""), u"");
}

}  // namespace
