#include "base/utf.h"

namespace base {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The character that starts at `at`, and `at` moved past it. An invalid sequence gives U+FFFD and
// moves on by one byte, so that what follows it is read as it stands.
char32_t NextCharacter(std::string_view text, std::size_t& at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  if (lead < 0x80) {
    ++at;
    return lead;
  }
  // The length by the lead byte, and the lowest value of that length (anything below is overlong).
  const std::size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                             : lead >= 0xE0 && lead <= 0xEF ? 3
                             : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                            : 0;
  constexpr char32_t kLowest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (length == 0 || at + length > text.size()) {
    ++at;
    return kReplacement;
  }
  char32_t value = lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) {
      ++at;
      return kReplacement;
    }
    value = value << 6 | (byte(at + i) & 0x3F);
  }
  if (value < kLowest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
    ++at;
    return kReplacement;
  }
  at += length;
  return value;
}

}  // namespace

void Utf8ToUtf16(std::string_view utf8, char16_t* out) {
  for (std::size_t at = 0; at < utf8.size();) {
    const char32_t c = NextCharacter(utf8, at);
    if (c < 0x10000) {
      *out++ = static_cast<char16_t>(c);
    } else {
      *out++ = static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      *out++ = static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
  }
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
  std::u16string out(Utf16Length(utf8), u'\0');
  Utf8ToUtf16(utf8, out.data());
  return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    char32_t c = utf16[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
        utf16[i + 1] <= 0xDFFF)
      c = 0x10000 + ((c - 0xD800) << 10) + (utf16[++i] - 0xDC00);
    else if (c >= 0xD800 && c <= 0xDFFF)
      c = kReplacement;
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | c >> 6));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | c >> 12));
      out.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | c >> 18));
      out.push_back(static_cast<char>(0x80 | (c >> 12 & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

std::size_t Utf16Length(std::string_view utf8) {
  std::size_t units = 0;
  for (std::size_t at = 0; at < utf8.size();) units += NextCharacter(utf8, at) < 0x10000 ? 1 : 2;
  return units;
}

std::string_view Utf16Prefix(std::string_view utf8, std::size_t units) {
  std::size_t at = 0;
  while (at < utf8.size()) {
    std::size_t next = at;
    const std::size_t width = NextCharacter(utf8, next) < 0x10000 ? 1 : 2;
    if (width > units) break;
    units -= width;
    at = next;
  }
  return utf8.substr(0, at);
}

bool IsUtf8(std::string_view bytes) {
  for (std::size_t at = 0; at < bytes.size();) {
    const std::size_t before = at;
    // A replacement character read from its own three bytes is valid; one made for a bad byte is not.
    if (NextCharacter(bytes, at) == kReplacement && at - before != 3) return false;
  }
  return true;
}

}  // namespace base
