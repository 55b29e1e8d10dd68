#pragma once
// The administrator's full rights on Windows with User Account Control. Every administrator but the
// built-in one logs on with a split token, and a program started with it by CreateProcessWithLogonW
// gets the filtered half: programs that ask for the highest rights fail with 740, the others run
// without the rights the administrator typed the password for. Only the shell can raise them, asked
// by a process that runs as the account: the program itself, started as the account with a switch, as
// a helper that opens no window. What the helper is told travels as words of its command line.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"
#include "z_global/quick_launch_table.h"

namespace z_global {

// What the helper is asked to do.
struct HelperRequest {
  enum class Kind {
    kStart,         // have the shell start the file with raised rights
    kRaiseAndSave,  // have the shell start the program itself, raised, to save the entry; wait for it
    kSave,          // write the entry into the settings file beside the program
    kInvalid,       // a helper's switch with what no helper was asked: it ends with 87
  } kind = Kind::kInvalid;
  platform::WindowHandle owner = 0;  // the window the consent prompt belongs to
  std::string file, directory, parameters;
  QuickEntry entry;
};

// The helper's command line: the program's own path quoted, the switch, and what it is to do; nothing
// when that is longer than CreateProcessWithLogonW takes (1024 characters).
std::optional<std::string> HelperCommandLine(std::string_view programPath, const HelperRequest& request);
// The request when the program's own command line is a helper's; nothing otherwise.
std::optional<HelperRequest> HelperRequestOf(std::string_view ownCommandLine);

// One argument as the C runtime reads it back (ArgumentWords): in quotes, with the backslashes before
// a quote and at the end doubled and each quote escaped.
std::string QuotedArgument(std::string_view value);

}  // namespace z_global
