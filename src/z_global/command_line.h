#pragma once
// Command lines read the way Windows reads them: the program that CreateProcess takes from the front
// of one, and the words the C runtime makes of the rest.
#include <string>
#include <string_view>
#include <vector>

namespace z_global {

struct ProgramAndArguments {
  std::string program;    // without the quotes around it
  std::string arguments;  // as written, from the first character after the blanks that follow it
};

// A blank or a tab: what parts the words of a command line.
bool IsBlank(char c);

// A quoted program runs to the next quote, an unquoted one to the first blank or tab.
ProgramAndArguments SplitProgram(std::string_view commandLine);

// Blanks and tabs part the words; quotes group and are dropped; 2n backslashes before a quote are n
// backslashes, 2n + 1 are n and a quote that is part of the word.
std::vector<std::string> ArgumentWords(std::string_view arguments);

}  // namespace z_global
