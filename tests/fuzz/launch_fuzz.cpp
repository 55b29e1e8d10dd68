// The launch on any text over any drive, file and PATH set-up of the fake system, as properties: a
// text of more than 255 characters, counted in UTF-16 units (also once its network drive is
// resolved) is refused, and only a text with a quote is refused for one in its program's name; a text
// that names no drive, or a drive that is not a network drive, is not resolved; a path on a network
// drive begins with its share's universal name when the share has one. Of an accepted text nothing is
// lost on its way into the command line: after at most a host in front, its program is the text's own
// (with ".exe" where it was found so, or a full path ending in it), and its arguments are the text's
// end as written; a text that names an existing file as a whole starts that file whole. The file named
// to the system exists, and a program named without a folder is never taken from the current folder or
// the program's own; and the launch hands the system the plan's command line, file and folder.
//
// Input: text, drive types ("N4 C3": letter and GetDriveTypeA result), shares (one "N\\server\share"
// a line), drives whose share cannot be named, current folder, Windows folder, existing files (one a
// line), PATH; separated by zero bytes.
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/text.h"
#include "base/utf.h"
#include "fakes/fake_platform.h"
#include "fuzz_input.h"
#include "z_global/command_line.h"
#include "z_global/drives.h"
#include "z_global/launcher.h"
#include "z_global/paths.h"
#include "z_global/program_search.h"

namespace {

bool IsLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool NamesDrive(const std::string& text) {
  return text.size() > 2 && IsLetter(text[0]) && text[1] == ':';
}

void SetUp(fake::FakePlatform& system, const std::vector<std::string>& parts) {
  system.driveTypes.clear();
  const std::string& types = parts[1];
  for (std::size_t i = 0; i < types.size(); ++i) {
    if (!IsLetter(types[i])) continue;
    const std::vector<std::uint64_t> number = fuzz::Numbers(types.substr(i + 1, 3));
    if (!number.empty()) system.driveTypes[base::UpperAscii(types[i])] = static_cast<unsigned>(number[0] % 8);
  }
  system.shares.clear();
  std::size_t start = 0;
  while (start < parts[2].size()) {
    std::size_t end = parts[2].find('\n', start);
    if (end == std::string::npos) end = parts[2].size();
    if (end > start)
      system.shares[std::string(1, base::UpperAscii(parts[2][start])) + ":"] =
          parts[2].substr(start + 1, end - start - 1);
    start = end + 1;
  }
  system.unresolvable.clear();
  for (char c : parts[3]) system.unresolvable.insert(std::string(1, base::UpperAscii(c)) + ":");
  system.currentDirectory = parts[4];
  system.windowsDirectory = parts[5];
  system.files.clear();
  for (std::size_t at = 0; at <= parts[6].size();) {
    const std::size_t end = std::min(parts[6].find('\n', at), parts[6].size());
    system.files.insert(parts[6].substr(at, end - at));
    at = end + 1;
  }
  system.pathVariable = parts[7];
  system.launches.clear();
  system.driveRootsAsked.clear();
}

bool OnNetworkDrive(const fake::FakePlatform& system, const std::string& text) {
  if (!NamesDrive(text)) return false;
  const auto type = system.driveTypes.find(base::UpperAscii(text[0]));
  return type != system.driveTypes.end() && type->second == platform::kDriveRemote;
}

std::string UntilZero(const std::string& text) {
  return text.substr(0, text.find('\0'));
}

// What the system reads of a text: its wide form, up to the first zero, here back in UTF-8.
std::string AsTheSystemReadsIt(const std::string& text) {
  return base::Utf16ToUtf8(base::Utf8ToUtf16(UntilZero(text)));
}

std::string TrimmedEnd(std::string text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
  return text;
}

// The command line read as CreateProcess reads it: its arguments are the text's end as written, and its
// program is what stands before them in the text (without its quotes), with ".exe" added, or a full
// path ending in it, or its universal name. The program's name as the text gives it, or nothing when
// the shape breaks.
std::optional<std::string> TextsProgram(platform::Platform& system, std::string_view commandLine,
                                        const std::string& text) {
  const z_global::ProgramAndArguments parts = z_global::SplitProgram(commandLine);
  if (!text.ends_with(parts.arguments)) return std::nullopt;
  const std::string before = text.substr(0, text.size() - parts.arguments.size());
  std::string named = TrimmedEnd(before);
  if (!before.empty() && before.front() == '"') {  // to its closing quote, or the end
    const std::size_t close = before.find('"', 1);
    named = before.substr(1, close == std::string::npos ? close : close - 1);
  }
  // (Unquoted, blanks at the end belong to a name only where the whole text names a file.)
  for (const std::string& form : {named, named + ".exe", before})
    if (parts.program == form || parts.program.ends_with("\\" + form) ||
        parts.program == z_global::ResolveNetworkPath(system, form))
      return named;
  return std::nullopt;
}

// The same with the host of a package or a console taken off the front first, where there is one.
std::optional<std::string> ProgramOfText(platform::Platform& system, const std::string& commandLine,
                                         const std::string& text) {
  for (std::string_view host : {"msiexec.exe /i ", "mmc.exe "})
    if (commandLine.rfind(host, 0) == 0)
      if (auto program = TextsProgram(system, std::string_view(commandLine).substr(host.size()), text))
        return program;
  return TextsProgram(system, commandLine, text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // One fake for the whole run: it makes a folder of its own when it is created.
  static fake::FakePlatform system;
  const std::vector<std::string> parts = fuzz::Parts(data, size, 8);
  SetUp(system, parts);
  const std::string& text = parts[0];

  const std::string resolved = z_global::ResolveNetworkPath(system, text);
  if (!OnNetworkDrive(system, text)) {
    fuzz::Check(resolved == text, "a text on no network drive is not resolved");
  } else {
    const auto share = system.shares.find(std::string(1, base::UpperAscii(text[0])) + ":");
    if (share != system.shares.end() && !system.unresolvable.count(share->first))
      fuzz::Check(resolved.rfind(share->second, 0) == 0,
                  "a path on a network drive begins with its share's universal name");
  }

  const z_global::LaunchRequest request = z_global::RequestLaunch(system, {"Administrator", "WERKSTATT"},
                                                                  z_global::LaunchSource::kPathBox, {text});
  const bool refusable = base::Utf16Length(text) > 255 || base::Utf16Length(resolved) > 255;
  if (refusable) {
    fuzz::Check(request.refusal == z_global::LaunchRefusal::kTooLong,
                "a text of more than 255 characters is refused");
    return 0;
  }
  if (request.refusal != z_global::LaunchRefusal::kNone) {
    fuzz::Check(request.refusal == z_global::LaunchRefusal::kQuoteInProgram &&
                    resolved.find('"') != std::string::npos,
                "only a text with a quote is refused for one in its program");
    return 0;
  }
  const std::optional<std::string> program = ProgramOfText(system, request.commandLine, resolved);
  fuzz::Check(program.has_value(),
              "the command line is the text's program, at most with a host in front, and its arguments");
  const bool bare = program && !program->empty() && program->find_first_of("\\/:") == std::string::npos;
  // (A name ending in a backslash is a folder's, whatever the fake's list of files says.)
  if (!resolved.empty() && resolved.find('"') == std::string::npos && system.files.count(resolved) &&
      z_global::IsAbsolutePath(resolved) && resolved.back() != '\\')
    fuzz::Check(request.commandLine.ends_with("\"" + resolved + "\""),
                "a file named as a whole starts whole");

  const z_global::LaunchPlan plan =
      z_global::PlanLaunch(request, platform::ElevationType::kFull, system.windowsDirectory + "\\system32");
  const std::string& file = plan.applicationName;
  fuzz::Check(file.empty() || system.files.count(file) || file.rfind("\\\\", 0) == 0,
              "the file named to the system exists");
  const std::string folder = z_global::DirectoryOf(file);
  const auto same = [&](const std::string& other) {
    return base::SameTextAscii(folder, z_global::AppendBackslash(other));
  };
  if (bare && !file.empty() && !same(system.windowsDirectory) &&
      !same(system.windowsDirectory + "\\system32"))
    fuzz::Check(!same(system.currentDirectory) && !same("C:\\Programme\\Morvela"),
                "a program without a folder is not taken from the current folder or the program's own");

  const bool started =
      z_global::RunAsUser(system, plan, request, secret::Wide(std::u16string_view(u"Geheim-123"))).ok;
  fuzz::Check(system.launches.size() == 1, "one launch reaches the system");
  const fake::LaunchRecord& launch = system.launches.back();
  // The wide texts end at their first zero, as the system reads them.
  fuzz::Check(launch.commandLine == AsTheSystemReadsIt(plan.commandLine), "the system gets the command line");
  fuzz::Check(launch.applicationName == AsTheSystemReadsIt(file) &&
                  launch.currentDirectory.value_or("") == AsTheSystemReadsIt(plan.directory),
              "the system gets the file and its folder");
  fuzz::Check(started == !launch.commandLine.empty(), "the result is the system's answer");
  fuzz::Check(launch.user == "Administrator" && launch.domain == "WERKSTATT" && launch.passwordAccepted,
              "account, domain and password reach the system");
  return 0;
}
