#include "controls/ini_file.h"

#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>

namespace ini {
namespace {

std::optional<std::string> Load(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

}  // namespace

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
