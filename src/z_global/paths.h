#pragma once
// Parts of paths: the executable's folder, the settings file's name, extensions.
#include <string>
#include <string_view>

namespace z_global {

// Up to and including the last backslash of the executable's full path.
std::string DirectoryOf(std::string_view fullPath);
// The file name of the executable with its extension replaced by ".INI" (appended when it has none).
std::string IniNameOf(std::string_view fullPath);
// A backslash is appended unless the text already ends in one.
std::string AppendBackslash(std::string_view dir);
// The part of a path from the last "." after the last "\" or ":" on, dot included; empty when there
// is none.
std::string ExtensionOf(std::string_view path);

}  // namespace z_global
