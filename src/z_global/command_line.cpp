#include "z_global/command_line.h"

namespace z_global {
bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

ProgramAndArguments SplitProgram(std::string_view commandLine) {
  ProgramAndArguments parts;
  std::size_t at = 0;
  if (!commandLine.empty() && commandLine[0] == '"') {
    const std::size_t close = commandLine.find('"', 1);
    parts.program = commandLine.substr(1, close == std::string_view::npos ? close : close - 1);
    at = close == std::string_view::npos ? commandLine.size() : close + 1;
  } else {
    while (at < commandLine.size() && !IsBlank(commandLine[at])) ++at;
    parts.program = commandLine.substr(0, at);
  }
  while (at < commandLine.size() && IsBlank(commandLine[at])) ++at;
  parts.arguments = commandLine.substr(at);
  return parts;
}

std::vector<std::string> ArgumentWords(std::string_view arguments) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false, quoted = false;
  std::size_t backslashes = 0;
  for (const char c : arguments) {
    if (c == '\\') {
      ++backslashes;
      inWord = true;
      continue;
    }
    if (c == '"') {
      word.append(backslashes / 2, '\\');
      if (backslashes % 2)
        word.push_back('"');
      else
        quoted = !quoted;
      backslashes = 0;
      inWord = true;
      continue;
    }
    word.append(backslashes, '\\');
    backslashes = 0;
    if (IsBlank(c) && !quoted) {
      if (inWord) words.push_back(std::move(word));
      word.clear();
      inWord = false;
      continue;
    }
    word.push_back(c);
    inWord = true;
  }
  word.append(backslashes, '\\');
  if (inWord) words.push_back(std::move(word));
  return words;
}

}  // namespace z_global
