#pragma once
// An INI file's contents held in memory, read and written as the system's profile functions do for
// everything this program stores: a section begins with its name in square brackets, a value is a line
// of key, "=" and value; section and key match without regard to case; a write replaces a value in
// place, appends the key to its section, or appends a new section. A UTF-8 byte-order mark at the start
// is passed over.
#include <cstddef>
#include <string>
#include <string_view>

namespace ini {

// The value, or the fallback when the section or key is missing; at most bufferSize - 1 characters,
// as a buffer of that size would hold.
std::string ReadFromText(const std::string& content, const std::string& section, const std::string& key,
                         const std::string& fallback, std::size_t bufferSize = 2048);
std::string WriteToText(const std::string& content, const std::string& section, const std::string& key,
                        const std::string& value);

// Whether the bytes are valid UTF-8 and hold at least one character of more than one byte: text saved
// as UTF-8 by an editor, where a file in the system's code page holds single bytes.
bool IsMultiByteUtf8(std::string_view text);

inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace ini
