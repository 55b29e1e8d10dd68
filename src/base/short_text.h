#pragma once
// The program's short texts: a path or command line in the path box, an account's name or domain, a
// quick-launch caption or tooltip, a folder. Each holds at most 255 characters, as the fields they go
// into always have; what is longer is cut at the 255th character, here and nowhere else. Characters
// are counted as the system counts them, in UTF-16 units, and none is split.
#include <string>
#include <string_view>
#include <utility>

#include "base/utf.h"

namespace base {

class ShortText {
 public:
  static constexpr std::size_t kLength = 255;
  explicit ShortText(std::string_view text) : text_(Utf16Prefix(text, kLength)) {}
  // A text wherever one is taken; a temporary hands its text over instead of copying it.
  operator const std::string&() const& { return text_; }  // NOLINT
  operator std::string() && { return std::move(text_); }  // NOLINT
  const std::string& str() const { return text_; }

 private:
  std::string text_;
};

}  // namespace base
