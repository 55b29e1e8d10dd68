#include "controls/ini_file.h"

#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>
#include <string_view>
#include <vector>

#include "ui/text.h"

namespace ini {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

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
      inside = ui::SameTextAscii(*name, section);
      if (inside) place.header = place.insertAfter = i;
      continue;
    }
    if (!inside) continue;
    if (!Trim(lines[i].text).empty()) place.insertAfter = i;
    const auto found = KeyOf(lines[i].text);
    if (!place.keyLine && found && ui::SameTextAscii(*found, key)) place.keyLine = i;
  }
  return place;
}

std::optional<std::string> Load(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
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

std::string ReadString(const std::string& path, const std::string& section, const std::string& key,
                       const std::string& fallback, std::size_t bufferSize) {
  const std::optional<std::string> content = Load(path);
  if (!content) return fallback.substr(0, bufferSize == 0 ? 0 : bufferSize - 1);
  return ReadFromText(*content, section, key, fallback, bufferSize);
}

bool WriteString(const std::string& path, const std::string& section, const std::string& key,
                 const std::string& value) {
  const std::string updated = WriteToText(Load(path).value_or(std::string()), section, key, value);
  // The new content goes to a file beside the old one and replaces it only when it is complete, so a
  // failed write leaves the settings as they were.
  const std::string temporary = path + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(updated.data(), static_cast<std::streamsize>(updated.size()));
    out.flush();
    if (!out) {
      std::remove(temporary.c_str());
      return false;
    }
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace ini
