// The string table, the version data and the icon files the program is built with.
#include "platform/AnsiCodePage.h"
#include "platform/Runtime.h"
#include "platform/RuntimeError.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct Entry {
    std::int16_t id;
    std::u16string text;
};

// Characters with look-alikes (half-width katakana, the star, the voiced mark, the
// full-width tilde) are written as code points.
const Entry kStrings[] = {
    {101, u"おしてね\u2606\uFF90(&P)"},
    {102, u"e&Xit"},
    {103, u"&About"},
    {104, u"&WindowsDirectory"},
    {110, u"WindowsDirectory"},
    {200, u"\uFF8A\uFF9E\uFF70\uFF7C\uFF9E\uFF6E\uFF9D情報"},
    {201, u"Version "},
    {210, u"&OK"},
    {211, u"\uFF7C\uFF7D\uFF83\uFF91情報(&S)"},
    {300, u"ジャンプ"},
    {1000, u"使ってくれてありがとうですぅ"},
    {1001, u"ばかばっか ( by ララロロ )"},
    {1002, u"どもども ( by ミーニャ )"},
    {1003, u"柚夏ちゃん萌え\u309B\uFF5E"},
    {1004, u"http://www.example.com/kimoro/"},
    {1005, u"ども(^^;;"},
    {1006, u"http://www.example.net/library/kimoro.html"},
    {1100, u"現時点では\uFF7C\uFF7D\uFF83\uFF91情報を使用できません。"},
    {1101, u"このアプリケーションは、\nすでに起動されています。"},
    {1102, u"このソフトを二重起動しても意味がないので、\n二重起動を中止します。"},
};

TEST(StringTable, HoldsEveryEntryWithItsExactCharacters) {
    for (const Entry& entry : kStrings) {
        EXPECT_EQ(LoadResString(entry.id), entry.text) << "string " << entry.id;
    }
    EXPECT_EQ(LoadResString(200).size(), 9u);
    EXPECT_EQ(LoadResString(201).back(), u' ');
    EXPECT_NE(LoadResString(201)[LoadResString(201).size() - 2], u' ') << "exactly one space";
    for (std::int16_t id : {1101, 1102}) {
        const std::u16string text = LoadResString(id);
        EXPECT_EQ(std::count(text.begin(), text.end(), u'\n'), 1) << "string " << id;
        EXPECT_EQ(std::count(text.begin(), text.end(), u'\r'), 0) << "string " << id;
    }
    for (std::int16_t id : {1004, 1006}) {
        EXPECT_EQ(LoadResString(id).rfind(u"http://", 0), 0u) << "string " << id;
    }
}

TEST(StringTable, EveryEntryHasItsCharactersInTheAnsiCodePage) {
    // The text goes through code page 932 wherever the system takes ANSI text.
    for (const Entry& entry : kStrings) {
        EXPECT_EQ(FromAnsi(ToAnsi(LoadResString(entry.id))), entry.text) << "string " << entry.id;
    }
}

TEST(StringTable, AnIdNotInTheTableIsResourceNotFound) {
    for (std::int16_t id : {0, 100, 105, 1007, 1103, -1}) {
        try {
            LoadResString(id);
            ADD_FAILURE() << "string " << id << " was found";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.number(), ErrorNumber::ResourceNotFound) << "string " << id;
        }
    }
}

TEST(Version, TitleVersionAndCopyright) {
    EXPECT_EQ(App::Title(), u"きもろ");
    EXPECT_EQ(App::Major(), 1);
    EXPECT_EQ(App::Minor(), 4);
    EXPECT_EQ(App::Revision(), 53);
    EXPECT_FALSE(App::LegalCopyright().empty());
}

// ---- Icon files ----

struct IconImage {
    int width, height, colours, planes, bitsPerPixel;
    std::uint32_t bytes;
    // From the bitmap header at the image's offset.
    int headerSize, bitmapHeight, bitmapBitsPerPixel;
};

std::uint32_t Little(const std::vector<std::uint8_t>& data, std::size_t at, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = value << 8 | data.at(at + i);
    return value;
}

// The images an ICO file lists, each checked to lie within the file.
std::vector<IconImage> ReadIcon(const char* name) {
    std::ifstream file(std::string(KIMORO_SOURCE_DIR) + "/src/resources/icons/" + name,
                       std::ios::binary);
    const std::vector<std::uint8_t> data{std::istreambuf_iterator<char>(file), {}};
    EXPECT_GE(data.size(), 6u) << name;
    if (data.size() < 6) return {};
    EXPECT_EQ(Little(data, 0, 2), 0u) << name;
    EXPECT_EQ(Little(data, 2, 2), 1u) << name << ": an icon, not a cursor";
    std::vector<IconImage> images;
    const std::uint32_t count = Little(data, 4, 2);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t entry = 6 + 16 * i;
        const std::uint32_t bytes = Little(data, entry + 8, 4);
        const std::uint32_t offset = Little(data, entry + 12, 4);
        EXPECT_LE(std::uint64_t{offset} + bytes, data.size()) << name << " image " << i;
        if (std::uint64_t{offset} + 16 > data.size()) return images;
        images.push_back({data.at(entry) == 0 ? 256 : data.at(entry),
                          data.at(entry + 1) == 0 ? 256 : data.at(entry + 1), data.at(entry + 2),
                          static_cast<int>(Little(data, entry + 4, 2)),
                          static_cast<int>(Little(data, entry + 6, 2)), bytes,
                          static_cast<int>(Little(data, offset, 4)),
                          static_cast<int>(Little(data, offset + 8, 4)),
                          static_cast<int>(Little(data, offset + 14, 2))});
    }
    return images;
}

void ExpectSixteenColourImage(const IconImage& image, int size, std::uint32_t bytes) {
    EXPECT_EQ(image.width, size);
    EXPECT_EQ(image.height, size);
    EXPECT_EQ(image.colours, 16);
    EXPECT_EQ(image.planes, 1);
    EXPECT_EQ(image.bitsPerPixel, 4);
    EXPECT_EQ(image.bytes, bytes);
    // A plain bitmap (not PNG) whose height counts the colour image and its mask.
    EXPECT_EQ(image.headerSize, 40);
    EXPECT_EQ(image.bitmapHeight, 2 * size);
    EXPECT_EQ(image.bitmapBitsPerPixel, 4);
}

TEST(Icons, ProgramIconHoldsA32And16PixelSixteenColourImage) {
    const std::vector<IconImage> images = ReadIcon("kimoro.ico");
    ASSERT_EQ(images.size(), 2u);
    const bool largeFirst = images[0].width == 32;
    const IconImage& large = images[largeFirst ? 0 : 1];
    const IconImage& small = images[largeFirst ? 1 : 0];
    {
        SCOPED_TRACE("32x32");
        ExpectSixteenColourImage(large, 32, 744);
    }
    {
        SCOPED_TRACE("16x16");
        ExpectSixteenColourImage(small, 16, 296);
    }
}

TEST(Icons, AboutIconHoldsOne32PixelSixteenColourImage) {
    const std::vector<IconImage> images = ReadIcon("about.ico");
    ASSERT_EQ(images.size(), 1u);
    ExpectSixteenColourImage(images[0], 32, 744);
}

}  // namespace
