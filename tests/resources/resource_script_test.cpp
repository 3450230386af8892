// Compiles the resource script with the cross resource compiler and reads the dialog
// templates back, so that styles, class numbers and the Japanese texts are checked as the
// platform will see them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

#include "resources/resource_ids.h"
#include "small_pictures.h"
#include "tests/resources/byte_reader.h"

namespace {

constexpr uint32_t DialogType = 5;
constexpr uint32_t StringType = 6;
constexpr uint32_t NoName = 0xFFFFFFFF;
constexpr uint32_t ButtonClass = 0x80;
constexpr uint32_t StaticClass = 0x82;
constexpr uint32_t ScrollBarClass = 0x84;

// A name or type in a template: either a number (0xFFFF then the number) or text.
struct NameOrNumber {
    uint32_t number = NoName;
    std::u16string text;
};

NameOrNumber ReadNameOrNumber(const std::vector<uint8_t>& bytes, size_t& at) {
    NameOrNumber result;
    if (ReadU16(bytes, at) == 0xFFFF) {
        result.number = ReadU16(bytes, at + 2);
        at += 4;
        return result;
    }
    for (char16_t c; (c = static_cast<char16_t>(ReadU16(bytes, at))) != 0; at += 2) result.text += c;
    at += 2;
    return result;
}

struct Control {
    uint32_t style;
    int x, y, cx, cy;
    uint32_t id;
    uint32_t classNumber;
    NameOrNumber text;
};

struct Dialog {
    uint32_t style = 0;
    uint32_t extendedStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    std::u16string caption;
    uint32_t pointSize = 0;
    std::u16string font;
    std::vector<Control> controls;
};

Dialog ParseDialog(const std::vector<uint8_t>& bytes) {
    constexpr uint32_t SetFont = 0x40;  // DS_SETFONT
    Dialog d;
    d.style = ReadU32(bytes, 0);
    d.extendedStyle = ReadU32(bytes, 4);
    const uint32_t count = ReadU16(bytes, 8);
    d.x = static_cast<int16_t>(ReadU16(bytes, 10));
    d.y = static_cast<int16_t>(ReadU16(bytes, 12));
    d.cx = static_cast<int16_t>(ReadU16(bytes, 14));
    d.cy = static_cast<int16_t>(ReadU16(bytes, 16));
    size_t at = 18;
    ReadNameOrNumber(bytes, at);  // menu
    ReadNameOrNumber(bytes, at);  // class
    d.caption = ReadNameOrNumber(bytes, at).text;
    if (d.style & SetFont) {
        d.pointSize = ReadU16(bytes, at);
        at += 2;
        d.font = ReadNameOrNumber(bytes, at).text;
    }
    for (uint32_t i = 0; i < count; ++i) {
        at = (at + 3) & ~size_t{3};
        Control c;
        c.style = ReadU32(bytes, at);
        c.x = static_cast<int16_t>(ReadU16(bytes, at + 8));
        c.y = static_cast<int16_t>(ReadU16(bytes, at + 10));
        c.cx = static_cast<int16_t>(ReadU16(bytes, at + 12));
        c.cy = static_cast<int16_t>(ReadU16(bytes, at + 14));
        c.id = ReadU16(bytes, at + 16);
        at += 18;
        c.classNumber = ReadNameOrNumber(bytes, at).number;
        c.text = ReadNameOrNumber(bytes, at);
        at += 2 + ReadU16(bytes, at);
        d.controls.push_back(c);
    }
    return d;
}

struct Entry {
    uint32_t type;
    uint32_t name;
    std::vector<uint8_t> data;
};

std::vector<Entry> CompileScript(const std::string& script = "slide.rc") {
    namespace fs = std::filesystem;
    const fs::path output = fs::temp_directory_path() / ("slide_rc_test_" + std::to_string(::getpid()) + ".res");
    const std::string command = std::string("x86_64-w64-mingw32-windres -c65001 -I") + SLIDE_ARTWORK_FOLDER + " -I" +
                                SLIDE_SOURCE_FOLDER + "/resources -I" + SLIDE_GENERATED_FOLDER + " " + SLIDE_SOURCE_FOLDER +
                                "/resources/" + script + " -O res -o " + output.string();
    if (std::system(command.c_str()) != 0) return {};
    std::ifstream file(output, std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
    fs::remove(output);
    std::vector<Entry> entries;
    for (size_t at = 0; at + 8 <= bytes.size();) {
        const uint32_t dataSize = ReadU32(bytes, at);
        const uint32_t headerSize = ReadU32(bytes, at + 4);
        size_t field = at + 8;
        const NameOrNumber type = ReadNameOrNumber(bytes, field);
        const NameOrNumber name = ReadNameOrNumber(bytes, field);
        const auto data = bytes.begin() + static_cast<ptrdiff_t>(at + headerSize);
        entries.push_back({type.number, name.number, std::vector<uint8_t>(data, data + dataSize)});
        at = (at + headerSize + dataSize + 3) & ~size_t{3};
    }
    return entries;
}

class ResourceScript : public testing::Test {
protected:
    static void SetUpTestSuite() { entries_ = new std::vector<Entry>(CompileScript()); }
    static void TearDownTestSuite() { delete entries_; }

    static const Entry* Find(uint32_t type, uint32_t name) {
        for (const Entry& e : *entries_) {
            if (e.type == type && e.name == name) return &e;
        }
        return nullptr;
    }

    static std::vector<Entry>* entries_;
};

std::vector<Entry>* ResourceScript::entries_ = nullptr;

TEST_F(ResourceScript, SettingsTemplateHasTheControlsInOrderWithTheirStylesAndTexts) {
    const Entry* entry = Find(DialogType, IDD_SETTINGS);
    ASSERT_NE(entry, nullptr);
    const Dialog d = ParseDialog(entry->data);
    EXPECT_EQ(d.style, 0x80C802C0u) << "popup, caption, system menu, modal frame, foreground, font";
    EXPECT_EQ((std::vector<int>{d.x, d.y, d.cx, d.cy}), (std::vector<int>{22, 17, 219, 167}));
    EXPECT_EQ(d.caption, u"ScreenSaverの設定");
    EXPECT_EQ(d.pointSize, 9u);
    EXPECT_EQ(d.font, u"ＭＳ Ｐゴシック");
    const Control expected[] = {
        {0x40000004, 4, 2, 105, 116, 1015, StaticClass, {NoName, u""}},
        {0x50020000, 120, 27, 65, 9, 1020, StaticClass, {NoName, u"画面の明るさ(&B)"}},
        {0x50001002, 194, 26, 19, 10, 1016, StaticClass, {NoName, u"1"}},
        {0x50030000, 160, 37, 53, 11, 1017, ScrollBarClass, {NoName, u""}},
        {0x50020000, 120, 52, 66, 9, 1021, StaticClass, {NoName, u"キャラクタの数(&N)"}},
        {0x50001002, 194, 51, 19, 10, 1014, StaticClass, {NoName, u"8"}},
        {0x50030000, 121, 62, 92, 11, 1013, ScrollBarClass, {NoName, u""}},
        {0x50030009, 114, 87, 32, 10, 1034, ButtonClass, {NoName, u"ﾌｪｰﾄﾞ"}},
        {0x50000009, 147, 87, 32, 10, 1035, ButtonClass, {NoName, u"ｼｪｰﾄﾞ"}},
        {0x50000009, 180, 87, 32, 10, 1036, ButtonClass, {NoName, u"ﾌﾞﾛｯｸ"}},
        {0x50020000, 120, 76, 76, 9, 1033, StaticClass, {NoName, u"画面切り換え効果(&E)"}},
        {0x50010000, 120, 101, 93, 14, 1019, ButtonClass, {NoName, u"ｽｸﾘｰﾝｾｰﾊﾞｰについて"}},
        {0x50000001, 7, 123, 206, 8, 0xFFFF, StaticClass, {NoName, u"Slide Screen Saver"}},
        {0x50000001, 7, 134, 206, 8, 0xFFFF, StaticClass, {NoName, u"(C) 2026 the Slide team"}},
        {0x50010000, 4, 148, 39, 13, 1018, ButtonClass, {NoName, u"初期値"}},
        {0x50010000, 124, 148, 42, 13, 2, ButtonClass, {NoName, u"ｷｬﾝｾﾙ"}},
        {0x50010001, 171, 148, 42, 13, 1, ButtonClass, {NoName, u"OK"}},
    };
    ASSERT_EQ(d.controls.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        const Control& got = d.controls[i];
        const Control& want = expected[i];
        SCOPED_TRACE(testing::Message() << "control " << i << ", id " << want.id);
        EXPECT_EQ(got.id, want.id);
        EXPECT_EQ(got.classNumber, want.classNumber);
        EXPECT_EQ(got.style, want.style);
        EXPECT_EQ((std::vector<int>{got.x, got.y, got.cx, got.cy}), (std::vector<int>{want.x, want.y, want.cx, want.cy}));
        EXPECT_TRUE(got.text.text == want.text.text) << "text differs";
    }
}

TEST_F(ResourceScript, AboutTemplateIsOneCentredBitmapControlOverTheWholeBox) {
    const Entry* entry = Find(DialogType, IDD_ABOUT);
    ASSERT_NE(entry, nullptr);
    const Dialog d = ParseDialog(entry->data);
    EXPECT_EQ(d.style, 0x90800A40u);
    EXPECT_EQ(d.extendedStyle, 0u);
    EXPECT_EQ((std::vector<int>{d.x, d.y, d.cx, d.cy}), (std::vector<int>{0, 0, 193, 152}));
    EXPECT_TRUE(d.caption.empty());
    EXPECT_EQ(d.font, u"ＭＳ Ｐゴシック");
    ASSERT_EQ(d.controls.size(), 1u);
    const Control& c = d.controls[0];
    EXPECT_EQ(c.classNumber, StaticClass);
    EXPECT_EQ(c.id, 0xFFFFu);
    EXPECT_EQ(c.style, 0x5000020Eu);
    EXPECT_EQ((std::vector<int>{c.x, c.y, c.cx, c.cy}), (std::vector<int>{0, 0, 193, 152}));
    EXPECT_EQ(c.text.number, static_cast<uint32_t>(IDB_ABOUT)) << "the text names the bitmap by number";
}

TEST_F(ResourceScript, CarriesThePicturesBitmapsAndDescription) {
    constexpr uint32_t BitmapType = 2;
    for (uint32_t id = IDR_PICTURE_FIRST; id < IDR_PICTURE_FIRST + IDR_PICTURE_COUNT; ++id) {
        bool found = false;
        for (const Entry& e : *entries_) found = found || (e.name == id && e.data.size() > 2 && e.data[0] == 0xFF && e.data[1] == 0xD8);
        EXPECT_TRUE(found) << "JPEG picture " << id;
    }
    for (uint32_t id : {IDB_ABOUT, IDB_SAMPLE, IDB_PALETTE}) EXPECT_NE(Find(BitmapType, id), nullptr) << id;
    // String 1 lives in the first block of sixteen, after the empty string 0.
    const Entry* strings = Find(StringType, IDS_DESCRIPTION / 16 + 1);
    ASSERT_NE(strings, nullptr);
    ASSERT_EQ(ReadU16(strings->data, 0), 0u);
    const uint32_t length = ReadU16(strings->data, 2);
    std::u16string description;
    for (uint32_t i = 0; i < length; ++i) description += static_cast<char16_t>(ReadU16(strings->data, 4 + i * 2));
    EXPECT_EQ(description, u"Slide");
}

// The text value that follows `key` in a version block's string table.
std::string VersionString(const std::vector<uint8_t>& block, std::string_view key) {
    std::vector<uint8_t> pattern;
    for (const char c : key) pattern.insert(pattern.end(), {static_cast<uint8_t>(c), 0});
    pattern.insert(pattern.end(), {0, 0});
    auto at = static_cast<size_t>(std::search(block.begin(), block.end(), pattern.begin(), pattern.end()) - block.begin());
    std::string value;
    for (at = (at + pattern.size() + 3) & ~size_t{3}; at + 1 < block.size() && ReadU16(block, at) != 0; at += 2) {
        value += static_cast<char>(ReadU16(block, at));
    }
    return value;
}

// The number the About picture shows, and the version block of the product, come from one
// place; a version block written by hand would drift from the picture at the next release.
TEST(VersionBlock, CarriesTheNumberTheAboutPictureShows) {
    constexpr uint32_t VersionType = 16;
    constexpr uint32_t FixedInfoSignature = 0xFEEF04BD;
    constexpr std::string_view Prefix = "Version ";
    ASSERT_TRUE(AboutVersionLine.starts_with(Prefix));
    std::vector<uint32_t> parts;
    std::string shown{AboutVersionLine.substr(Prefix.size())};
    for (std::string rest = shown + "."; !rest.empty(); rest.erase(0, rest.find('.') + 1)) {
        parts.push_back(static_cast<uint32_t>(std::stoul(rest.substr(0, rest.find('.')))));
    }
    parts.resize(4, 0);
    const std::string full = std::to_string(parts[0]) + "." + std::to_string(parts[1]) + "." + std::to_string(parts[2]) +
                             "." + std::to_string(parts[3]);

    const std::vector<Entry> entries = CompileScript("product_only.rc");
    const auto block = std::find_if(entries.begin(), entries.end(), [](const Entry& e) { return e.type == VersionType; });
    ASSERT_NE(block, entries.end());
    const std::vector<uint8_t>& bytes = block->data;
    size_t fixed = 0;
    while (fixed + 24 <= bytes.size() && ReadU32(bytes, fixed) != FixedInfoSignature) fixed += 4;
    ASSERT_LE(fixed + 24, bytes.size()) << "no fixed file information";
    for (const size_t field : {fixed + 8, fixed + 16}) {  // the file version, then the product version
        EXPECT_EQ(ReadU32(bytes, field), parts[0] << 16 | parts[1]);
        EXPECT_EQ(ReadU32(bytes, field + 4), parts[2] << 16 | parts[3]);
    }
    EXPECT_EQ(VersionString(bytes, "FileVersion"), full);
    EXPECT_EQ(VersionString(bytes, "ProductVersion"), full);
}

}  // namespace
