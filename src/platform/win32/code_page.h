#pragma once
// UTF-16 from the system into the program's ANSI text, exactly: without the best fit that
// WideCharToMultiByte applies by default, and with kNotInCodePage wherever the code page has no
// character of its own for one.
#include <windows.h>

#include <string>

#include "base/text.h"

namespace w32 {

inline std::string ExactAnsi(const wchar_t* wide, int length) {
  if (length <= 0) return {};
  const char fallback[] = {base::kNotInCodePage, '\0'};
  DWORD flags = WC_NO_BEST_FIT_CHARS;
  const char* defaultChar = fallback;
  int bytes = WideCharToMultiByte(CP_ACP, flags, wide, length, nullptr, 0, defaultChar, nullptr);
  if (bytes <= 0 && GetLastError() == ERROR_INVALID_PARAMETER) {
    // A system whose code page is UTF-8 takes neither: every character fits there anyway.
    flags = 0;
    defaultChar = nullptr;
    bytes = WideCharToMultiByte(CP_ACP, flags, wide, length, nullptr, 0, nullptr, nullptr);
  }
  if (bytes <= 0) return std::string(static_cast<std::size_t>(length), base::kNotInCodePage);
  std::string ansi(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_ACP, flags, wide, length, ansi.data(), bytes, defaultChar, nullptr);
  return ansi;
}

inline std::string ExactAnsi(const std::wstring& wide) {
  return ExactAnsi(wide.data(), static_cast<int>(wide.size()));
}

}  // namespace w32
