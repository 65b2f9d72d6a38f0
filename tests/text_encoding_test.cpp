// Tests of telling UTF-8 from Windows-1252 and of writing fixed texts.
#include "toolkit/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace kestrane {
namespace {

TEST(IsValidUtf8, AcceptsTheShortestFormsOnly) {
    const struct {
        std::string text;
        bool valid;
    } cases[] = {
        {"", true},
        {"plain", true},
        {"caf\xC3\xA9", true},
        {"\xC2\xA7", true},
        {"\xE2\x80\xA2", true},
        {"\xF0\x9F\x98\x80", true},
        {"\xF4\x8F\xBF\xBF", true},  // U+10FFFF
        {"caf\xE9", false},          // Windows-1252
        {"\xA7", false},             // a lone continuation byte
        {"\xC3", false},             // cut short
        {"\xE2\x80", false},
        {"\xC0\xAF", false},          // overlong "/"
        {"\xE0\x80\xAF", false},      // overlong
        {"\xED\xA0\x80", false},      // a surrogate
        {"\xF4\x90\x80\x80", false},  // above U+10FFFF
        {"\xF5\x80\x80\x80", false},
        {"\xC3\xA9\x95\x95", false},  // mixed
        {std::string("a\0b", 3), true},
    };
    for (const auto& c : cases) EXPECT_EQ(c.valid, isValidUtf8(c.text)) << c.text;
}

TEST(DetectSourceEncoding, FollowsTheBytes) {
    const struct {
        std::string content;
        SourceEncoding encoding;
    } cases[] = {
        {"", SourceEncoding::ascii},
        {"$a = 1\r\n", SourceEncoding::ascii},
        {"\xEF\xBB\xBF", SourceEncoding::utf8},
        {"\xEF\xBB\xBF$a = 1\n", SourceEncoding::utf8},
        {"\xEF\xBB\xBF$a = \xE9\n", SourceEncoding::utf8},  // the mark decides
        {"// \xC2\xA7\n", SourceEncoding::utf8},
        {"// \xA7\n", SourceEncoding::windows1252},
        {"$a = \xC3\xA9 \xE9\n", SourceEncoding::windows1252},
        {"\xEF\xBB", SourceEncoding::windows1252},  // half a mark
    };
    for (const auto& c : cases) EXPECT_EQ(c.encoding, detectSourceEncoding(c.content)) << c.content;
}

// The file is looked through in blocks: one byte of 0x80 or more decides
// wherever it stands, in a block or in the rest after the last one.
TEST(DetectSourceEncoding, FindsOneHighByteAnywhere) {
    for (const std::size_t size : {1u, 63u, 64u, 65u, 200u}) {
        for (std::size_t at = 0; at < size; ++at) {
            std::string content(size, 'a');
            content[at] = '\xE9';
            EXPECT_EQ(SourceEncoding::windows1252, detectSourceEncoding(content)) << size << " " << at;
        }
        EXPECT_EQ(SourceEncoding::ascii, detectSourceEncoding(std::string(size, '\x7F'))) << size;
    }
}

TEST(TextEncodingOf, GivesTheBuildsEncodingForAscii) {
    EXPECT_EQ(TextEncoding::utf8, textEncodingOf(SourceEncoding::utf8));
    EXPECT_EQ(TextEncoding::windows1252, textEncodingOf(SourceEncoding::windows1252));
#ifdef _WIN32
    EXPECT_EQ(TextEncoding::windows1252, textEncodingOf(SourceEncoding::ascii));
#else
    EXPECT_EQ(TextEncoding::utf8, textEncodingOf(SourceEncoding::ascii));
#endif
}

TEST(TextEncodingFromName, KnowsTwoNamesInAnyCase) {
    for (const char* name : {"utf-8", "UTF-8", "Utf-8"}) {
        TextEncoding encoding = TextEncoding::windows1252;
        EXPECT_TRUE(textEncodingFromName(name, encoding)) << name;
        EXPECT_EQ(TextEncoding::utf8, encoding) << name;
    }
    for (const char* name : {"windows-1252", "WINDOWS-1252"}) {
        TextEncoding encoding = TextEncoding::utf8;
        EXPECT_TRUE(textEncodingFromName(name, encoding)) << name;
        EXPECT_EQ(TextEncoding::windows1252, encoding) << name;
    }
    for (const char* name : {"", "utf8", "cp1252", "latin1", " utf-8", "utf-8 ", "windows-1252x"}) {
        TextEncoding encoding = TextEncoding::utf8;
        EXPECT_FALSE(textEncodingFromName(name, encoding)) << name;
        EXPECT_EQ(TextEncoding::utf8, encoding) << name;
    }
}

TEST(FixedText, WritesWindows1252TextInEitherEncoding) {
    EXPECT_EQ("{<\xA7 x \xA7>} \x95\x95", fixedText("{<\xA7 x \xA7>} \x95\x95", TextEncoding::windows1252));
    EXPECT_EQ("{<\xC2\xA7 x \xC2\xA7>} \xE2\x80\xA2\xE2\x80\xA2",
              fixedText("{<\xA7 x \xA7>} \x95\x95", TextEncoding::utf8));
    EXPECT_EQ("plain", fixedText("plain", TextEncoding::utf8));
    EXPECT_EQ("\xE2\x82\xAC \xC3\xBF \xC2\xA0", fixedText("\x80 \xFF \xA0", TextEncoding::utf8));
    EXPECT_EQ("?", fixedText("\x81", TextEncoding::utf8));  // undefined in the code page
}

}  // namespace
}  // namespace kestrane
