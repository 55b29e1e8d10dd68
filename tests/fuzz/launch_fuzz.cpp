// The launch request on any text over any drive and file set-up of the fake system, as properties:
// a text the code page cannot hold or of more than 255 characters (also once its network drive is
// resolved) is refused and nothing is launched; otherwise nothing of the text is lost or changed on its
// way into the command line, which only puts a program host in front and quotes around the program; a
// text that names an existing file as a whole starts that file whole; a text that names no drive, or a
// drive that is not a network drive, is not resolved; a path on a network drive begins with its
// share's universal name when the share has one; and the launch hands the system that command line and,
// from a network folder only, a starting folder.
//
// Input: text, drive types ("N4 C3": letter and GetDriveTypeA result), shares (one "N\\server\share"
// a line), drives whose share cannot be named, current folder, Windows folder, existing files (one a
// line); separated by zero bytes.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Unit1/run_as_user.h"
#include "base/text.h"
#include "fakes/fake_platform.h"
#include "fuzz_input.h"
#include "z_global/drives.h"
#include "z_global/launch_request.h"

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

// The command line, with at most a host put in front of the text and the two quotes put around its
// program taken away again, is the text itself.
bool IsTextWithQuotedProgram(std::string_view rest, const std::string& text) {
  if (rest == text || rest == "\"" + text + "\"") return true;
  if (rest.size() != text.size() + 2 || rest.front() != '"') return false;
  const std::size_t close = rest.find('"', 1);
  return close != std::string_view::npos &&
         std::string(rest.substr(1, close - 1)) + std::string(rest.substr(close + 1)) == text;
}

bool OnlyHostAndQuotesAdded(std::string_view commandLine, const std::string& text, bool wholeQuoted = false) {
  for (std::string_view host : {"", "msiexec.exe /i ", "mmc.exe "}) {
    if (commandLine.substr(0, host.size()) != host) continue;
    const std::string_view rest = commandLine.substr(host.size());
    if (wholeQuoted ? rest == "\"" + text + "\"" : IsTextWithQuotedProgram(rest, text)) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // One fake for the whole run: it makes a folder of its own when it is created.
  static fake::FakePlatform system;
  const std::vector<std::string> parts = fuzz::Parts(data, size, 7);
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
  const bool refusable = !base::FitsCodePage(text) || text.size() > 255 || resolved.size() > 255;
  fuzz::Check(refusable == (request.refusal != z_global::LaunchRefusal::kNone),
              "exactly a text the code page lacks a character of, or a too long one, is refused");
  if (refusable) {
    fuzz::Check(request.commandLine.empty(), "a refused text has no command line");
    return 0;
  }
  fuzz::Check(OnlyHostAndQuotesAdded(request.commandLine, resolved),
              "the command line is the text with at most a host in front and quotes around its program");
  if (!resolved.empty() && resolved.find('"') == std::string::npos && system.files.count(resolved))
    fuzz::Check(OnlyHostAndQuotesAdded(request.commandLine, resolved, true),
                "a file named as a whole starts whole");

  const bool started = RunAsUser(system, request, secret::Wide(std::u16string_view(u"Geheim-123"))).ok;
  fuzz::Check(system.launches.size() == 1, "one launch reaches the system");
  const fake::LaunchRecord& launch = system.launches.back();
  // The wide texts end at their first zero, as the system reads them.
  fuzz::Check(launch.commandLine == UntilZero(request.commandLine), "the system gets the command line");
  fuzz::Check(started == !launch.commandLine.empty(), "the result is the system's answer");
  fuzz::Check(launch.user == "Administrator" && launch.domain == "WERKSTATT" && launch.passwordAccepted,
              "account, domain and password reach the system");
  fuzz::Check(launch.currentDirectory.has_value() == OnNetworkDrive(system, system.currentDirectory),
              "only a network folder is handed on as the starting folder");
  return 0;
}
