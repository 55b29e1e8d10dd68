#pragma once
// An INI reader and writer of our own, for where the system's profile functions are not at hand (the
// native build). It behaves as those functions do for everything this program stores: a section
// begins with its name in square brackets, a value is a line of key, "=" and value; section and key
// match without regard to case; a write replaces a value in place, appends the key to its section, or
// appends a new section, creating the file when missing, and is on disk when the call returns.
#include <string>

namespace ini {

// The value, or the fallback when the file, section or key is missing; at most bufferSize - 1
// characters, as a buffer of that size would hold.
std::string ReadString(const std::string& path, const std::string& section, const std::string& key,
                       const std::string& fallback, std::size_t bufferSize = 2048);

// False when the file cannot be written; the file is then left as it was.
bool WriteString(const std::string& path, const std::string& section, const std::string& key,
                 const std::string& value);

// The same operations on a file's contents held in memory (for the file functions and for fuzzing).
std::string ReadFromText(const std::string& content, const std::string& section, const std::string& key,
                         const std::string& fallback, std::size_t bufferSize = 2048);
std::string WriteToText(const std::string& content, const std::string& section, const std::string& key,
                        const std::string& value);

}  // namespace ini
