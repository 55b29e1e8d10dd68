#include "z_global/elevation.h"

#include "z_global/command_line.h"

namespace z_global {
namespace {

constexpr std::string_view kStartSwitch = "/Morvela-Helfer:Start";
constexpr std::string_view kStartAndWaitSwitch = "/Morvela-Helfer:Warten";
constexpr std::string_view kSaveSwitch = "/Morvela-Helfer:Speichern";
constexpr std::size_t kLogonCommandLineLimit = 1024;

std::string_view SwitchOf(HelperRequest::Kind kind) {
  switch (kind) {
    case HelperRequest::Kind::kStart:
      return kStartSwitch;
    case HelperRequest::Kind::kStartAndWait:
      return kStartAndWaitSwitch;
    case HelperRequest::Kind::kSave:
    case HelperRequest::Kind::kInvalid:
      break;
  }
  return kSaveSwitch;
}

// The rest of the arguments after the switch and the one blank that follows it; nothing when the
// arguments do not begin with the switch.
std::optional<std::string_view> After(std::string_view arguments, std::string_view helperSwitch) {
  if (arguments.substr(0, helperSwitch.size()) != helperSwitch) return std::nullopt;
  arguments.remove_prefix(helperSwitch.size());
  if (arguments.empty()) return arguments;
  if (arguments.front() != ' ') return std::nullopt;
  return arguments.substr(1);
}

}  // namespace

LaunchWay ChooseLaunchWay(bool beforeVista, bool loggedOn, platform::ElevationType type) {
  if (beforeVista) return LaunchWay::kLogonLaunch;
  if (!loggedOn) return LaunchWay::kFailed;
  return type == platform::ElevationType::kLimited ? LaunchWay::kHelper : LaunchWay::kLogonLaunch;
}

HelperOutcome OutcomeOf(std::uint32_t exitCode) {
  if (exitCode == 0) return HelperOutcome::kDone;
  return exitCode == kErrorCancelled ? HelperOutcome::kDeclined : HelperOutcome::kFailed;
}

std::string QuotedArgument(std::string_view value) {
  std::string quoted = "\"";
  std::size_t backslashes = 0;
  for (const char c : value) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
    backslashes = 0;
    quoted.push_back(c);
  }
  quoted.append(2 * backslashes, '\\');
  return quoted + "\"";
}

std::optional<std::string> HelperCommandLine(std::string_view programPath, const HelperRequest& request) {
  std::string commandLine = "\"" + std::string(programPath) + "\" " + std::string(SwitchOf(request.kind));
  if (request.kind != HelperRequest::Kind::kSave) {
    commandLine += " " + request.commandLine;
  } else {
    commandLine += " " + std::to_string(request.entry);
    for (const std::string* value : {&request.text, &request.path, &request.hint})
      commandLine += " " + QuotedArgument(*value);
  }
  if (commandLine.size() > kLogonCommandLineLimit) return std::nullopt;
  return commandLine;
}

std::optional<HelperRequest> HelperRequestOf(std::string_view ownCommandLine) {
  const std::string arguments = SplitProgram(ownCommandLine).arguments;
  HelperRequest request;
  for (const HelperRequest::Kind kind : {HelperRequest::Kind::kStart, HelperRequest::Kind::kStartAndWait}) {
    if (const std::optional<std::string_view> rest = After(arguments, SwitchOf(kind))) {
      request.kind = kind;
      request.commandLine = *rest;
      return request;
    }
  }
  const std::optional<std::string_view> rest = After(arguments, kSaveSwitch);
  if (!rest) return std::nullopt;
  const std::vector<std::string> words = ArgumentWords(*rest);
  request.kind = HelperRequest::Kind::kInvalid;
  if (words.size() != 4 || words[0].size() != 1 || words[0][0] < '1' || words[0][0] > '6') return request;
  request.kind = HelperRequest::Kind::kSave;
  request.entry = words[0][0] - '0';
  request.text = words[1];
  request.path = words[2];
  request.hint = words[3];
  return request;
}

}  // namespace z_global
