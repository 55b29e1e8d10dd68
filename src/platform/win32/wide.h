#pragma once
// The program's UTF-8 texts as the wide texts the system's calls take and give, and back.
#include <string>
#include <string_view>

#include "base/utf.h"

namespace w32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

inline std::wstring Wide(std::string_view utf8) {
  const std::u16string units = base::Utf8ToUtf16(utf8);
  return std::wstring(units.begin(), units.end());
}

inline std::string Utf8(std::wstring_view wide) {
  return base::Utf16ToUtf8({reinterpret_cast<const char16_t*>(wide.data()), wide.size()});
}

}  // namespace w32
