#pragma once
// The administrator's full rights on Windows with User Account Control. Every administrator but the
// built-in one logs on with a split token, and a program started with it by CreateProcessWithLogonW
// gets the filtered half: programs that ask for the highest rights fail with 740, the others run
// without the rights the administrator typed the password for. Only the shell can raise them, asked
// by a process that runs as the account: the program itself, started as the account with a switch, as
// a helper that opens no window.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace z_global {

enum class LaunchWay {
  kLogonLaunch,  // CreateProcessWithLogonW with the launch's command line, as always
  kHelper,       // the helper, which asks the shell to raise the rights
  kFailed,       // the logon failed: nothing is started
};

// Before Vista there are no split tokens; a token that is not split, or whose type cannot be told,
// takes the logon launch.
LaunchWay ChooseLaunchWay(bool beforeVista, bool loggedOn, platform::ElevationType type);

// How the helper's exit code reads.
enum class HelperOutcome {
  kDone,      // 0
  kDeclined,  // 1223: the administrator said no at the consent prompt
  kFailed,    // the system's error code
};
HelperOutcome OutcomeOf(std::uint32_t exitCode);
inline constexpr std::uint32_t kErrorCancelled = 1223;

// What the helper is asked to do.
struct HelperRequest {
  enum class Kind {
    kStart,         // ask the shell to start the command line with raised rights
    kStartAndWait,  // the same, and end with the exit code of what it started
    kSave,          // write a quick-launch entry into the settings file beside the program
    kInvalid,       // a helper's switch with what no helper was asked: it ends with an error
  } kind = Kind::kStart;
  std::string commandLine;  // start: the launch's command line exactly
  int entry = 0;            // save: 1 to 6, and the entry's values
  std::string text, path, hint;
};

// A start, or a start and wait, of the command line.
inline HelperRequest StartRequest(HelperRequest::Kind kind, std::string commandLine) {
  HelperRequest request;
  request.kind = kind;
  request.commandLine = std::move(commandLine);
  return request;
}

// The helper's command line: the program's own path quoted, the switch, and what it is to do; nothing
// when that is longer than CreateProcessWithLogonW takes (1024 characters).
std::optional<std::string> HelperCommandLine(std::string_view programPath, const HelperRequest& request);
// The request when the program's own command line is a helper's; nothing otherwise.
std::optional<HelperRequest> HelperRequestOf(std::string_view ownCommandLine);

// One argument as the C runtime reads it back (ArgumentWords): in quotes, with the backslashes before
// a quote and at the end doubled and each quote escaped.
std::string QuotedArgument(std::string_view value);

}  // namespace z_global
