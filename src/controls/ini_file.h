#pragma once
// An INI reader and writer of our own, for where the system's profile functions are not at hand (the
// native build): the rules of ini_text.h on a file, which is created when missing and is on disk when
// a write returns.
#include <string>

#include "controls/ini_text.h"

namespace ini {

// The value, or the fallback when the file, section or key is missing.
std::string ReadString(const std::string& path, const std::string& section, const std::string& key,
                       const std::string& fallback, std::size_t bufferSize = 2048);

// False when the file cannot be written; the file is then left as it was.
bool WriteString(const std::string& path, const std::string& section, const std::string& key,
                 const std::string& value);

}  // namespace ini
