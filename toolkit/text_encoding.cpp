// Telling UTF-8 from Windows-1252, and writing fixed texts in either.
#include "toolkit/text_encoding.h"

#include <cstdint>

namespace kestrane {
namespace {

// The characters of the bytes 0x80 to 0x9F in Windows-1252; 0 where the
// code page leaves a byte undefined. From 0xA0 on, byte and code point agree.
constexpr std::uint16_t kWindows1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

void appendUtf8(std::string& out, std::uint32_t codePoint) {
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsIgnoringCase(std::string_view text, std::string_view lowerName) {
    if (text.size() != lowerName.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (lowerAscii(text[i]) != lowerName[i]) return false;
    }
    return true;
}

bool isAscii(std::string_view text) {
    // Blocks of bytes OR-ed together, a loop without an exit that the
    // compiler turns into vector instructions; a whole file passes here.
    constexpr std::size_t kBlock = 64;
    std::size_t at = 0;
    for (; at + kBlock <= text.size(); at += kBlock) {
        unsigned char any = 0;
        for (std::size_t i = 0; i < kBlock; ++i) any |= static_cast<unsigned char>(text[at + i]);
        if (any >= 0x80) return false;
    }
    for (; at < text.size(); ++at) {
        if (static_cast<unsigned char>(text[at]) >= 0x80) return false;
    }
    return true;
}

}  // namespace

bool isValidUtf8(std::string_view text) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size();
    std::size_t i = 0;
    while (i < size) {
        const unsigned char lead = bytes[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        // The shortest form only, no surrogates, nothing above U+10FFFF.
        std::size_t length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;
        } else {
            return false;
        }
        if (size - i < length) return false;
        if (bytes[i + 1] < low || bytes[i + 1] > high) return false;
        for (std::size_t k = 2; k < length; ++k) {
            if (!isContinuation(bytes[i + k])) return false;
        }
        i += length;
    }
    return true;
}

SourceEncoding detectSourceEncoding(std::string_view content) {
    if (content.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark) return SourceEncoding::utf8;
    if (isAscii(content)) return SourceEncoding::ascii;
    return isValidUtf8(content) ? SourceEncoding::utf8 : SourceEncoding::windows1252;
}

TextEncoding textEncodingOf(SourceEncoding source) {
    switch (source) {
        case SourceEncoding::utf8:
            return TextEncoding::utf8;
        case SourceEncoding::windows1252:
            return TextEncoding::windows1252;
        case SourceEncoding::ascii:
            break;
    }
    return platformTextEncoding();
}

bool textEncodingFromName(std::string_view name, TextEncoding& encoding) {
    if (equalsIgnoringCase(name, "utf-8")) {
        encoding = TextEncoding::utf8;
        return true;
    }
    if (equalsIgnoringCase(name, "windows-1252")) {
        encoding = TextEncoding::windows1252;
        return true;
    }
    return false;
}

std::string fixedText(std::string_view text, TextEncoding encoding) {
    if (encoding == TextEncoding::windows1252) return std::string(text);
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else if (byte < 0xA0) {
            // The fixed texts use no undefined byte; one would show as "?".
            const std::uint16_t codePoint = kWindows1252High[byte - 0x80];
            appendUtf8(out, codePoint == 0 ? '?' : codePoint);
        } else {
            appendUtf8(out, byte);
        }
    }
    return out;
}

}  // namespace kestrane
