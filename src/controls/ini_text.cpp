#include "controls/ini_text.h"

#include <optional>
#include <string_view>
#include <vector>

#include "base/text.h"

namespace ini {
namespace {

struct Line {
  std::string_view text;  // without its line break
  std::size_t begin = 0;  // offset of the line in the content
  std::size_t end = 0;    // offset just past its line break
};

std::vector<Line> SplitLines(std::string_view content) {
  std::vector<Line> lines;
  std::size_t at = content.substr(0, 3) == kByteOrderMark ? 3 : 0;
  while (at < content.size()) {
    std::size_t stop = content.find_first_of("\r\n", at);
    std::size_t next = stop;
    if (stop == std::string_view::npos) {
      stop = next = content.size();
    } else {
      next = stop + 1;
      if (content[stop] == '\r' && next < content.size() && content[next] == '\n') ++next;
    }
    lines.push_back({content.substr(at, stop - at), at, next});
    at = next;
  }
  return lines;
}

std::string_view Trim(std::string_view text) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && (text[begin] == ' ' || text[begin] == '\t')) ++begin;
  while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
  return text.substr(begin, end - begin);
}

// "[name]" gives name; a header whose "]" is missing names the rest of the line.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = Trim(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  const std::size_t close = line.find(']');
  return Trim(line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
}

// The key of a value line; lines without "=" and comments have none.
std::optional<std::string_view> KeyOf(std::string_view line) {
  const std::string_view trimmed = Trim(line);
  if (trimmed.empty() || trimmed.front() == ';') return std::nullopt;
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return Trim(line.substr(0, equals));
}

std::string_view ValueOf(std::string_view line) {
  std::string_view value = Trim(line.substr(line.find('=') + 1));
  if (value.size() >= 2 &&
      ((value.front() == '"' && value.back() == '"') || (value.front() == '\'' && value.back() == '\'')))
    value = value.substr(1, value.size() - 2);
  return value.substr(0, value.find('\0'));
}

// Where a section lies: the line of its header and the line after its last value line.
struct Place {
  std::optional<std::size_t> header;
  std::optional<std::size_t> keyLine;
  std::size_t insertAfter = 0;  // index of the last non-blank line of the section
};

Place Find(const std::vector<Line>& lines, std::string_view section, std::string_view key) {
  Place place;
  bool inside = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (const auto name = SectionName(lines[i].text)) {
      if (inside) break;  // the first section of that name is the one
      inside = base::SameTextAscii(*name, section);
      if (inside) place.header = place.insertAfter = i;
      continue;
    }
    if (!inside) continue;
    if (!Trim(lines[i].text).empty()) place.insertAfter = i;
    const auto found = KeyOf(lines[i].text);
    if (!place.keyLine && found && base::SameTextAscii(*found, key)) place.keyLine = i;
  }
  return place;
}

}  // namespace

std::string ReadFromText(const std::string& content, const std::string& section, const std::string& key,
                         const std::string& fallback, std::size_t bufferSize) {
  const std::vector<Line> lines = SplitLines(content);
  const Place place = Find(lines, section, key);
  const std::string value = place.keyLine ? std::string(ValueOf(lines[*place.keyLine].text)) : fallback;
  return value.substr(0, bufferSize == 0 ? 0 : bufferSize - 1);
}

std::string WriteToText(const std::string& content, const std::string& section, const std::string& key,
                        const std::string& value) {
  const std::vector<Line> lines = SplitLines(content);
  const Place place = Find(lines, section, key);
  const std::string entry = key + "=" + value;
  std::string out = content;
  if (place.keyLine) {
    const Line& line = lines[*place.keyLine];
    out.replace(line.begin, line.text.size(), entry);
  } else if (place.header) {
    const Line& last = lines[place.insertAfter];
    const bool hasBreak = last.end > last.begin + last.text.size();
    out.insert(last.end, hasBreak ? entry + "\r\n" : "\r\n" + entry);
  } else {
    if (!out.empty() && out.back() != '\n' && out.back() != '\r') out += "\r\n";
    out += "[" + section + "]\r\n" + entry + "\r\n";
  }
  return out;
}

bool IsMultiByteUtf8(std::string_view text) {
  bool multiByte = false;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      ++i;
      continue;
    }
    // The lead byte gives the length and the range the second byte must lie in, so that no character
    // is written longer than it needs, none lies among the surrogates and none beyond U+10FFFF.
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    } else {
      return false;
    }
    if (i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF)) return false;
    }
    multiByte = true;
    i += length;
  }
  return multiByte;
}

}  // namespace ini
