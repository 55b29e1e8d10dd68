#include "z_global/paths.h"

namespace z_global {

std::string DirectoryOf(std::string_view fullPath) {
  const std::size_t slash = fullPath.find_last_of('\\');
  return slash == std::string_view::npos ? std::string() : std::string(fullPath.substr(0, slash + 1));
}

std::string IniNameOf(std::string_view fullPath) {
  const std::size_t slash = fullPath.find_last_of('\\');
  std::string name(slash == std::string_view::npos ? fullPath : fullPath.substr(slash + 1));
  const std::size_t dot = name.find_last_of('.');
  if (dot != std::string::npos) name.erase(dot);
  return name + ".INI";
}

std::string AppendBackslash(std::string_view dir) {
  std::string out(dir);
  if (out.empty() || out.back() != '\\') out.push_back('\\');
  return out;
}

std::string ExtensionOf(std::string_view path) {
  const std::size_t dot = path.find_last_of('.');
  if (dot == std::string_view::npos) return {};
  const std::size_t separator = path.find_last_of("\\:");
  if (separator != std::string_view::npos && separator > dot) return {};
  return std::string(path.substr(dot));
}

}  // namespace z_global
