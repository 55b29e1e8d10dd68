#include "z_global/quick_launch_table.h"

#include <algorithm>

namespace {
constexpr std::size_t kRowBuffer = 4096;
}  // namespace

std::string QuickSection(int entry) {
  return "SpeedButton" + std::to_string(entry);
}

std::string TableValue(std::string_view value) {
  std::string out(value);
  std::erase(out, kColumnDelimiter);
  return out;
}

bool FitsInTable(std::string_view text, std::string_view path, std::string_view hint) {
  return text.size() + path.size() + hint.size() + 2 < kRowBuffer;
}

bool FitsOnLines(std::string_view text, std::string_view path, std::string_view hint) {
  for (std::string_view value : {text, path, hint})
    if (value.find_first_of("\r\n") != std::string_view::npos) return false;
  return true;
}
