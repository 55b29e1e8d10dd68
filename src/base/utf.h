#pragma once
// The program keeps its texts in UTF-8 and the system takes them in UTF-16: the one conversion between
// the two, the same in every build. Nothing is refused and nothing is guessed: a byte that is not part
// of a valid UTF-8 sequence and a lone surrogate each become U+FFFD, as the system's own conversion
// makes them, so that a damaged name can never turn into another valid one.
#include <cstddef>
#include <string>
#include <string_view>

namespace base {

std::u16string Utf8ToUtf16(std::string_view utf8);
// Into a buffer of Utf16Length(utf8) units that the caller owns, for a text that must leave no copy.
void Utf8ToUtf16(std::string_view utf8, char16_t* out);
std::string Utf16ToUtf8(std::u16string_view utf16);

// How many UTF-16 units the system counts in the text: the measure of its length limits.
std::size_t Utf16Length(std::string_view utf8);
// The text's first `units` UTF-16 units, without splitting a character.
std::string_view Utf16Prefix(std::string_view utf8, std::size_t units);

// Whether the bytes are valid UTF-8 throughout (text of plain ASCII is).
bool IsUtf8(std::string_view bytes);

}  // namespace base
