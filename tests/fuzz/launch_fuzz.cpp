// The launcher's texts on any path over any drive set-up of the fake system, as properties: the path
// stands whole in its command line, which differs from it only for the four file types that end it;
// a text that names no drive, or a drive that is not a network drive, is launched unchanged; a path on
// a network drive becomes at most 255 characters, beginning with its share's universal name when the
// share has one; and the launch hands the system that command line and, from a network folder only, a
// starting folder.
//
// Input: path, drive types ("N4 C3": letter and GetDriveTypeA result), shares (one "N\\server\share"
// a line), drives whose share cannot be named, current folder, Windows folder; separated by zero bytes.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Unit1/run_as_user.h"
#include "fakes/fake_platform.h"
#include "fuzz_input.h"
#include "ui/text.h"
#include "z_global/drives.h"

namespace {

bool IsLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool NamesDrive(const std::string& text) {
  return text.size() > 2 && IsLetter(text[0]) && text[1] == ':';
}

bool EndsWithAscii(const std::string& text, std::string_view ending) {
  return text.size() >= ending.size() &&
         ui::SameTextAscii(std::string_view(text).substr(text.size() - ending.size()), ending);
}

void SetUp(fake::FakePlatform& system, const std::vector<std::string>& parts) {
  system.driveTypes.clear();
  const std::string& types = parts[1];
  for (std::size_t i = 0; i < types.size(); ++i) {
    if (!IsLetter(types[i])) continue;
    const std::vector<std::uint64_t> number = fuzz::Numbers(types.substr(i + 1, 3));
    if (!number.empty()) system.driveTypes[ui::UpperAscii(types[i])] = static_cast<unsigned>(number[0] % 8);
  }
  system.shares.clear();
  std::size_t start = 0;
  while (start < parts[2].size()) {
    std::size_t end = parts[2].find('\n', start);
    if (end == std::string::npos) end = parts[2].size();
    if (end > start)
      system.shares[std::string(1, ui::UpperAscii(parts[2][start])) + ":"] =
          parts[2].substr(start + 1, end - start - 1);
    start = end + 1;
  }
  system.unresolvable.clear();
  for (char c : parts[3]) system.unresolvable.insert(std::string(1, ui::UpperAscii(c)) + ":");
  system.currentDirectory = parts[4];
  system.windowsDirectory = parts[5];
  system.launches.clear();
  system.driveRootsAsked.clear();
}

bool OnNetworkDrive(const fake::FakePlatform& system, const std::string& text) {
  if (!NamesDrive(text)) return false;
  const auto type = system.driveTypes.find(ui::UpperAscii(text[0]));
  return type != system.driveTypes.end() && type->second == platform::kDriveRemote;
}

std::string UntilZero(const std::string& text) {
  return text.substr(0, text.find('\0'));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // One fake for the whole run: it makes a folder of its own when it is created.
  static fake::FakePlatform system;
  const std::vector<std::string> parts = fuzz::Parts(data, size, 6);
  SetUp(system, parts);
  const std::string& path = parts[0];

  // The path whole, in quotes after the program that opens it for the four types, else as it is.
  const std::string commandLine = CommandLineFor(path);
  const std::pair<std::string_view, std::string_view> kTypes[] = {
      {".msi", "msiexec.exe /i "}, {".msc", "mmc.exe "}, {".exe", ""}, {".com", ""}};
  std::string expected = path;
  for (const auto& [ending, program] : kTypes)
    if (EndsWithAscii(path, ending)) expected = std::string(program) + "\"" + path + "\"";
  fuzz::Check(commandLine == expected,
              "the path stands whole in its command line, changed for four types only");

  const std::string resolved = z_global::ResolveNetworkPath(system, path);
  if (!OnNetworkDrive(system, path)) {
    fuzz::Check(resolved == path, "a text on no network drive is launched unchanged");
  } else {
    fuzz::Check(resolved.size() <= 255, "a resolved path has at most 255 characters");
    const auto share = system.shares.find(std::string(1, ui::UpperAscii(path[0])) + ":");
    if (share != system.shares.end() && !system.unresolvable.count(share->first))
      fuzz::Check(resolved.rfind(share->second.substr(0, 255), 0) == 0,
                  "a path on a network drive begins with its share's universal name");
  }

  const bool started =
      RunAsUser(system, "Administrator", secret::Text("Geheim-123"), "WERKSTATT", resolved).ok;
  fuzz::Check(system.launches.size() == 1, "one launch reaches the system");
  const fake::LaunchRecord& launch = system.launches.back();
  // The wide texts end at their first zero, as the system reads them.
  fuzz::Check(launch.commandLine == UntilZero(CommandLineFor(resolved)), "the system gets the command line");
  fuzz::Check(started == !launch.commandLine.empty(), "the result is the system's answer");
  fuzz::Check(launch.user == "Administrator" && launch.domain == "WERKSTATT" && launch.passwordAccepted,
              "account, domain and password reach the system");
  fuzz::Check(launch.currentDirectory.has_value() == OnNetworkDrive(system, system.currentDirectory),
              "only a network folder is handed on as the starting folder");
  return 0;
}
