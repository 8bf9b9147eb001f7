// The resources compiled into the exe, read back as Windows and Explorer read them: the
// string table, the version data, the icon groups and the manifest. This test exe links the
// same resource object as the program.
#include "platform/Runtime.h"
#include "resources/Version.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

// The resource types by number: the test is built without UNICODE, so <winuser.h>'s names
// are the ANSI ones.
const LPCWSTR kString = MAKEINTRESOURCEW(6);
const LPCWSTR kVersion = MAKEINTRESOURCEW(16);
const LPCWSTR kIcon = MAKEINTRESOURCEW(3);
const LPCWSTR kGroupIcon = MAKEINTRESOURCEW(14);
const LPCWSTR kManifest = MAKEINTRESOURCEW(24);

constexpr WORD kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN);  // 1041
constexpr WORD kNeutral = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);

constexpr std::int16_t kStringIds[] = {
#define KIMORO_STRING(id, text) id,
#include "resources/StringTable.def"
#undef KIMORO_STRING
};

HMODULE Exe() { return GetModuleHandleW(nullptr); }

// The languages a resource is stored in.
std::set<WORD> Languages(LPCWSTR type, LPCWSTR name) {
    std::set<WORD> languages;
    EnumResourceLanguagesW(
        Exe(), type, name,
        [](HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR found) -> BOOL {
            reinterpret_cast<std::set<WORD>*>(found)->insert(language);
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&languages));
    return languages;
}

// The bytes of a resource in any language.
std::vector<std::uint8_t> Bytes(LPCWSTR type, LPCWSTR name) {
    const HRSRC found = FindResourceW(Exe(), name, type);
    if (found == nullptr) return {};
    const auto* data = static_cast<const std::uint8_t*>(LockResource(LoadResource(Exe(), found)));
    return std::vector<std::uint8_t>(data, data + SizeofResource(Exe(), found));
}

std::u16string ToU16(const wchar_t* text, std::size_t length) {
    return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}

std::string ToU8(const wchar_t* text) {
    char bytes[1024];
    WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
    return bytes;
}

TEST(StringTableResource, EveryIdLoadsTheProgramsOwnTextInJapanese) {
    for (const std::int16_t id : kStringIds) {
        const wchar_t* text = nullptr;  // points into the resource: length exact, no cut at NUL
        const int length = LoadStringW(Exe(), id, reinterpret_cast<LPWSTR>(&text), 0);
        ASSERT_GT(length, 0) << "string " << id;
        EXPECT_EQ(ToU16(text, length), LoadResString(id)) << "string " << id;
        // Strings are stored in blocks of 16.
        EXPECT_EQ(Languages(kString, MAKEINTRESOURCEW(id / 16 + 1)), std::set{kJapanese})
            << "string " << id;
    }
}

TEST(StringTableResource, HoldsNoStringTheProgramsTableLacks) {
    std::set<int> stored;
    for (int block = 1; block <= 4096; ++block) {
        if (FindResourceW(Exe(), MAKEINTRESOURCEW(block), kString) == nullptr) continue;
        for (int id = (block - 1) * 16; id < block * 16; ++id) {
            const wchar_t* text = nullptr;
            if (LoadStringW(Exe(), id, reinterpret_cast<LPWSTR>(&text), 0) > 0) stored.insert(id);
        }
    }
    EXPECT_EQ(stored, std::set<int>(std::begin(kStringIds), std::end(kStringIds)));
    EXPECT_EQ(stored.size(), 20u);
}

// One node of the raw VS_VERSIONINFO tree: a key, its value as text, its children in order.
struct VersionNode {
    std::u16string key;
    std::u16string text;
    std::vector<std::uint8_t> value;
    std::vector<VersionNode> children;
};

std::size_t Align4(std::size_t offset) { return (offset + 3) & ~std::size_t{3}; }

std::uint16_t Word(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes.at(at) | bytes.at(at + 1) << 8);
}

VersionNode ParseVersionNode(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    VersionNode node;
    const std::size_t end = at + Word(bytes, at);
    const std::size_t valueLength = Word(bytes, at + 2);
    const bool isText = Word(bytes, at + 4) == 1;
    std::size_t offset = at + 6;
    for (char16_t c; (c = Word(bytes, offset)) != 0; offset += 2) node.key += c;
    offset = Align4(offset + 2);
    const std::size_t valueBytes = isText ? valueLength * 2 : valueLength;
    node.value.assign(bytes.begin() + offset, bytes.begin() + offset + valueBytes);
    for (std::size_t i = 0; isText && i + 1 < valueBytes; i += 2) {
        const char16_t c = Word(node.value, i);
        if (c == 0) break;
        node.text += c;
    }
    offset = Align4(offset + valueBytes);
    while (offset < end) {
        node.children.push_back(ParseVersionNode(bytes, offset));
        offset = Align4(offset + Word(bytes, offset));
    }
    return node;
}

TEST(VersionResource, FixedPartIsVersion1_4_0_53OfA32BitWindowsApplication) {
    EXPECT_EQ(Languages(kVersion, MAKEINTRESOURCEW(1)), std::set{kJapanese});
    wchar_t path[MAX_PATH];
    ASSERT_GT(GetModuleFileNameW(nullptr, path, MAX_PATH), 0u);
    std::vector<std::uint8_t> info(GetFileVersionInfoSizeW(path, nullptr));
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(GetFileVersionInfoW(path, 0, static_cast<DWORD>(info.size()), info.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &size));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010004u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000035u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010004u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000035u);
    EXPECT_EQ(fixed->dwFileFlagsMask, 0u);
    EXPECT_EQ(fixed->dwFileFlags, 0u);
    EXPECT_EQ(fixed->dwFileOS, 4u);
    EXPECT_EQ(fixed->dwFileType, 1u);
    EXPECT_EQ(fixed->dwFileSubtype, 0u);
    EXPECT_EQ(fixed->dwFileDateMS, 0u);
    EXPECT_EQ(fixed->dwFileDateLS, 0u);

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &size));
    ASSERT_EQ(size, 4u) << "one language and code page pair";
    EXPECT_EQ(translation[0], 0x0411);
    EXPECT_EQ(translation[1], 0x04B0);

    wchar_t* productName = nullptr;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\StringFileInfo\\041104B0\\ProductName",
                               reinterpret_cast<void**>(&productName), &size));
    EXPECT_EQ(std::u16string(reinterpret_cast<char16_t*>(productName)), u"きもろ for Windows 9x");
}

TEST(VersionResource, StringBlockHoldsEveryKeyInOrderWithItsValue) {
    const std::vector<std::pair<std::u16string, std::u16string>> expected = {
        {u"Comments", u"" KIMORO_COMMENTS},
        {u"CompanyName", u" "},
        {u"FileDescription", u"" KIMORO_FILE_DESCRIPTION},
        {u"LegalCopyright", u"" KIMORO_LEGAL_COPYRIGHT},
        {u"LegalTrademarks", u"きもろ"},
        {u"ProductName", u"きもろ for Windows 9x"},
        {u"FileVersion", u"1.04.0053"},
        {u"ProductVersion", u"1.04.0053"},
        {u"InternalName", u"kimoro"},
        {u"OriginalFilename", u"kimoro.exe"},
    };
    const VersionNode root = ParseVersionNode(Bytes(kVersion, MAKEINTRESOURCEW(1)), 0);
    EXPECT_EQ(root.key, u"VS_VERSION_INFO");
    ASSERT_EQ(root.children.size(), 2u);
    const VersionNode& strings = root.children[0];
    EXPECT_EQ(strings.key, u"StringFileInfo");
    ASSERT_EQ(strings.children.size(), 1u) << "one string block";
    const VersionNode& block = strings.children[0];
    EXPECT_EQ(block.key, u"041104B0");
    std::vector<std::pair<std::u16string, std::u16string>> stored;
    for (const VersionNode& value : block.children) stored.emplace_back(value.key, value.text);
    EXPECT_EQ(stored, expected);

    const VersionNode& variables = root.children[1];
    EXPECT_EQ(variables.key, u"VarFileInfo");
    ASSERT_EQ(variables.children.size(), 1u);
    EXPECT_EQ(variables.children[0].key, u"Translation");
    EXPECT_EQ(variables.children[0].value, (std::vector<std::uint8_t>{0x11, 0x04, 0xB0, 0x04}));
}

struct IconEntry {
    int width, height, planes, bitsPerPixel;
    DWORD bytes;
    int id;
    bool operator==(const IconEntry&) const = default;
};

// The entries of a GRPICONDIR, checked against the RT_ICON resources they name.
std::vector<IconEntry> IconGroup(int group) {
    const std::vector<std::uint8_t> data = Bytes(kGroupIcon, MAKEINTRESOURCEW(group));
    if (data.size() < 6 || Word(data, 2) != 1) return {};
    std::vector<IconEntry> entries;
    for (std::size_t i = 0; i < Word(data, 4); ++i) {
        const std::size_t at = 6 + 14 * i;
        DWORD bytes = 0;
        std::memcpy(&bytes, &data.at(at + 8), 4);
        const int id = Word(data, at + 12);
        entries.push_back(
            {data.at(at), data.at(at + 1), Word(data, at + 4), Word(data, at + 6), bytes, id});
        EXPECT_EQ(Bytes(kIcon, MAKEINTRESOURCEW(id)).size(), bytes) << "image " << id;
        EXPECT_EQ(Languages(kIcon, MAKEINTRESOURCEW(id)), std::set{kNeutral}) << "image " << id;
    }
    return entries;
}

TEST(IconResources, TheProgramsIconIsGroup1With32And16PixelImagesOf16Colours) {
    EXPECT_EQ(Languages(kGroupIcon, MAKEINTRESOURCEW(1)), std::set{kNeutral});
    EXPECT_EQ(IconGroup(1),
              (std::vector<IconEntry>{{32, 32, 1, 4, 744, 30001}, {16, 16, 1, 4, 296, 30002}}));
    // The system picks the image of each size from the group.
    for (const int size : {16, 32}) {
        const HANDLE icon = LoadImageW(Exe(), MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, 0);
        EXPECT_NE(icon, nullptr) << size;
        ICONINFO info{};
        BITMAP mask{};
        ASSERT_TRUE(GetIconInfo(static_cast<HICON>(icon), &info)) << size;
        GetObjectW(info.hbmMask, sizeof mask, &mask);
        EXPECT_EQ(mask.bmWidth, size);
        DeleteObject(info.hbmMask);
        DeleteObject(info.hbmColor);
        DestroyIcon(static_cast<HICON>(icon));
    }
}

TEST(IconResources, TheAboutPictureIsGroup2OfItsOwn) {
    EXPECT_EQ(Languages(kGroupIcon, MAKEINTRESOURCEW(2)), std::set{kNeutral});
    const std::vector<IconEntry> about = IconGroup(2);
    ASSERT_EQ(about.size(), 1u);
    EXPECT_EQ(about[0].width, 32);
    EXPECT_EQ(about[0].bitsPerPixel, 4);
    EXPECT_NE(Bytes(kIcon, MAKEINTRESOURCEW(about[0].id)), Bytes(kIcon, MAKEINTRESOURCEW(30001)))
        << "a different picture from the program's icon";
}

TEST(Manifest, SelectsCommonControls6AndPerMonitorDpiButNoCodePage) {
    EXPECT_EQ(Languages(kManifest, MAKEINTRESOURCEW(1)), std::set{kNeutral});
    const std::vector<std::uint8_t> bytes = Bytes(kManifest, MAKEINTRESOURCEW(1));
    const std::string manifest(bytes.begin(), bytes.end());
    EXPECT_EQ(manifest.find("activeCodePage"), std::string::npos);
    EXPECT_EQ(GetACP(), 932u) << "the Japanese system's code page, not UTF-8";

    // The process runs with what the manifest asks for: version 6 of the common controls,
    // which Windows (and Wine) keep apart from version 5 in the side-by-side store.
    const HMODULE comctl32 = LoadLibraryW(L"comctl32.dll");
    ASSERT_NE(comctl32, nullptr);
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(comctl32, path, MAX_PATH);
    CharLowerW(path);
    EXPECT_NE(std::wstring(path).find(L"common-controls_6595b64144ccf1df_6."), std::wstring::npos)
        << "loaded " << ToU8(path);
    FreeLibrary(comctl32);
    EXPECT_EQ(GetAwarenessFromDpiAwarenessContext(GetThreadDpiAwarenessContext()),
              DPI_AWARENESS_PER_MONITOR_AWARE);
}

}  // namespace
