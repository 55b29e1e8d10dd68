#include "z_global/quick_launch_table.h"

#include <algorithm>

#include "base/utf.h"

namespace {
constexpr std::size_t kRowBuffer = 4096;
}  // namespace

std::string QuickSection(int index) {
  return "SpeedButton" + std::to_string(index + 1);
}

std::string TableValue(std::string_view value) {
  std::string out(value);
  std::erase(out, kColumnDelimiter);
  return out;
}

EntryFault FaultOf(std::string_view text, std::string_view path, std::string_view hint) {
  const std::size_t characters = base::Utf16Length(text) + base::Utf16Length(path) + base::Utf16Length(hint);
  if (characters + 2 >= kRowBuffer) return EntryFault::kTooLong;
  for (std::string_view value : {text, path, hint})
    if (value.find_first_of("\r\n") != std::string_view::npos) return EntryFault::kLineBreak;
  return EntryFault::kNone;
}
