#pragma once
// Small text helpers for single-byte ANSI texts. Case rules are the ASCII ones: only a-z and A-Z
// change, umlauts and every other byte stay as they are.
#include <string>
#include <string_view>

namespace base {

inline char UpperAscii(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

inline std::string UpperCaseAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = UpperAscii(c);
  return out;
}

inline bool SameTextAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
  return true;
}

// What stands in a text for a character that the system's code page cannot hold: the texts that come
// from the system in UTF-16 (a typed text, a dropped name, the program's command line, a settings value
// saved as UTF-8) are converted without the system's best fit, which would turn "ｓｅｔｕｐ.exe" into
// another file's name "setup.exe". A control character, which no file, folder or account name can
// hold and no code page uses inside a character, so that a text carries its loss with it wherever it
// goes, and whatever starts or logs on with it refuses it instead of using a look-alike.
inline constexpr char kNotInCodePage = '\x01';

inline bool FitsCodePage(std::string_view text) {
  return text.find(kNotInCodePage) == std::string_view::npos;
}

// The first n characters of a text (the whole text when it is shorter).
inline std::string Cut(std::string_view text, std::size_t n) {
  return std::string(text.substr(0, n));
}

}  // namespace base
