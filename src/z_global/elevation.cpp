#include "z_global/elevation.h"

#include <charconv>
#include <cstdint>
#include <vector>

#include "z_global/command_line.h"

namespace z_global {
namespace {

constexpr std::string_view kStartSwitch = "/Morvela-Helfer:Start";
constexpr std::string_view kRaiseAndSaveSwitch = "/Morvela-Helfer:Warten";
constexpr std::string_view kSaveSwitch = "/Morvela-Helfer:Speichern";
constexpr std::size_t kLogonCommandLineLimit = 1024;

std::string_view SwitchOf(HelperRequest::Kind kind) {
  switch (kind) {
    case HelperRequest::Kind::kStart:
      return kStartSwitch;
    case HelperRequest::Kind::kRaiseAndSave:
      return kRaiseAndSaveSwitch;
    case HelperRequest::Kind::kSave:
    case HelperRequest::Kind::kInvalid:
      break;
  }
  return kSaveSwitch;
}

// The words after the switch; nothing when the arguments do not begin with the switch.
std::optional<std::vector<std::string>> WordsAfter(std::string_view arguments,
                                                   std::string_view helperSwitch) {
  if (arguments.substr(0, helperSwitch.size()) != helperSwitch) return std::nullopt;
  arguments.remove_prefix(helperSwitch.size());
  if (!arguments.empty() && arguments.front() != ' ') return std::nullopt;
  return ArgumentWords(arguments);
}

std::optional<std::uint64_t> NumberOf(const std::string& word) {
  std::uint64_t number = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), number);
  if (error != std::errc() || end != word.data() + word.size()) return std::nullopt;
  return number;
}

// The entry from its four words (its number, counted from 1, text, path, hint), when there is an entry
// of that number.
bool ReadEntry(const std::vector<std::string>& words, std::size_t at, QuickEntry& entry) {
  const std::optional<std::uint64_t> number = NumberOf(words[at]);
  if (!number || *number < 1 || *number > static_cast<std::uint64_t>(kQuickEntries)) return false;
  entry = {static_cast<int>(*number) - 1, words[at + 1], words[at + 2], words[at + 3]};
  return true;
}

}  // namespace

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
  if (request.kind != HelperRequest::Kind::kSave) commandLine += " " + std::to_string(request.owner);
  if (request.kind == HelperRequest::Kind::kStart) {
    for (const std::string* word : {&request.file, &request.directory, &request.parameters})
      commandLine += " " + QuotedArgument(*word);
  } else {
    commandLine += " " + std::to_string(request.entry.index + 1);
    for (const std::string* value : {&request.entry.text, &request.entry.path, &request.entry.hint})
      commandLine += " " + QuotedArgument(*value);
  }
  if (commandLine.size() > kLogonCommandLineLimit) return std::nullopt;
  return commandLine;
}

std::optional<HelperRequest> HelperRequestOf(std::string_view ownCommandLine) {
  const std::string arguments = SplitProgram(ownCommandLine).arguments;
  HelperRequest request;
  for (const auto kind :
       {HelperRequest::Kind::kStart, HelperRequest::Kind::kRaiseAndSave, HelperRequest::Kind::kSave}) {
    const std::optional<std::vector<std::string>> words = WordsAfter(arguments, SwitchOf(kind));
    if (!words) continue;
    // Anything but the exact words of the request, and a start without a file, is no request.
    const std::size_t owned = kind == HelperRequest::Kind::kSave ? 0 : 1;
    if (words->size() != owned + (kind == HelperRequest::Kind::kStart ? 3 : 4)) return request;
    if (owned) {
      const std::optional<std::uint64_t> owner = NumberOf(words->front());
      if (!owner || *owner > UINTPTR_MAX) return request;
      request.owner = static_cast<platform::WindowHandle>(*owner);
    }
    if (kind == HelperRequest::Kind::kStart) {
      if ((*words)[1].empty()) return request;
      request.file = (*words)[1];
      request.directory = (*words)[2];
      request.parameters = (*words)[3];
    } else if (!ReadEntry(*words, owned, request.entry)) {
      return request;
    }
    request.kind = kind;
    return request;
  }
  return std::nullopt;
}

}  // namespace z_global
