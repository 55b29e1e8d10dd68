#pragma once
// The executable's folder and the name of the settings file that lies beside it.
#include <string>
#include <string_view>

namespace z_global {

// Up to and including the last backslash of the executable's full path.
std::string DirectoryOf(std::string_view fullPath);
// The file name of the executable with its extension replaced by ".INI" (appended when it has none).
std::string IniNameOf(std::string_view fullPath);
// A backslash is appended unless the text already ends in one.
std::string AppendBackslash(std::string_view dir);

}  // namespace z_global
