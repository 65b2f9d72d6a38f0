// The text encodings of the settings file and of the fixed characters the
// tool writes itself (the report's bullets and section signs, the script
// banner's section signs): UTF-8 or Windows-1252.
#pragma once

#include <string>
#include <string_view>

namespace kestrane {

enum class TextEncoding { utf8, windows1252 };

// What a settings file's bytes tell of their encoding.
enum class SourceEncoding {
    ascii,       // no byte above 0x7F, and no byte-order mark: either would do
    utf8,        // a UTF-8 byte-order mark, or valid UTF-8 with a non-ASCII byte
    windows1252  // bytes that are not valid UTF-8
};

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The encoding of a text editor on this system, for files that do not show
// their own: Windows-1252 in the Windows build, UTF-8 elsewhere.
constexpr TextEncoding platformTextEncoding() {
#ifdef _WIN32
    return TextEncoding::windows1252;
#else
    return TextEncoding::utf8;
#endif
}

bool isValidUtf8(std::string_view text);

// The encoding that `content` (a whole settings file) is written in.
SourceEncoding detectSourceEncoding(std::string_view content);

// The encoding for an ascii file is the platform's.
TextEncoding textEncodingOf(SourceEncoding source);

// "utf-8" or "windows-1252", in any mix of capitals. False, and `encoding`
// unchanged, for any other name.
bool textEncodingFromName(std::string_view name, TextEncoding& encoding);

// `text`, written in Windows-1252, in `encoding`. For the tool's own fixed
// texts only: values from the settings are written as they are.
std::string fixedText(std::string_view text, TextEncoding encoding);

}  // namespace kestrane
