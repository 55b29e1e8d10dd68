#include "z_global/launch_request.h"

#include <algorithm>

#include "base/text.h"
#include "z_global/command_line.h"
#include "z_global/drives.h"
#include "z_global/paths.h"

namespace z_global {
namespace {

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

// The hosts of the file types that Windows does not start by themselves, and the programs.
std::optional<std::string> ByFileType(std::string_view path) {
  const std::string extension = base::UpperCaseAscii(ExtensionOf(path));
  if (extension == ".MSI") return "msiexec.exe /i " + Quoted(path);
  if (extension == ".MSC") return "mmc.exe " + Quoted(path);
  if (extension == ".EXE" || extension == ".COM") return Quoted(path);
  return std::nullopt;
}

bool IsOneQuotedWord(std::string_view text) {
  return text.size() >= 2 && text.front() == '"' && text.back() == '"' &&
         text.find('"', 1) == text.size() - 1;
}

// Unquoted, Windows would try each run of leading words as a program in turn, the shortest first:
// for "C:\Program Files\App\app.exe /S" that is "C:\Program.exe". So the longest run that names a file
// is quoted, and a shorter one planted in a folder that users may write never gets its turn.
std::optional<std::string> WithLeadingProgramQuoted(platform::Platform& system, std::string_view text) {
  std::vector<std::size_t> wordEnds;
  for (std::size_t i = 1; i < text.size(); ++i)
    if (text[i] == ' ' && text[i - 1] != ' ') wordEnds.push_back(i);
  wordEnds.push_back(text.size());
  for (auto end = wordEnds.rbegin(); end != wordEnds.rend(); ++end) {
    const std::string program(text.substr(0, *end));
    // The whole text as it is has been looked for already.
    if ((*end < text.size() && system.FileExists(program)) || system.FileExists(program + ".exe"))
      return ByFileType(program).value_or(Quoted(program)) + std::string(text.substr(*end));
  }
  return std::nullopt;
}

bool EveryWordIsAFile(platform::Platform& system, const std::vector<std::string>& words) {
  return !words.empty() &&
         std::all_of(words.begin(), words.end(), [&](const std::string& w) { return system.FileExists(w); });
}

std::string TrimmedEnd(std::string_view text) {
  const std::size_t end = text.find_last_not_of(" \t");
  return std::string(text.substr(0, end == std::string_view::npos ? 0 : end + 1));
}

std::string TextOf(platform::Platform& system, LaunchSource source, const std::vector<std::string>& given) {
  if (given.empty()) return {};
  switch (source) {
    case LaunchSource::kCommandLine: {
      // The tail as the system holds it, quotes and all: the runtime's split words joined again would
      // lose the quotes around a path with blanks.
      const std::string tail = TrimmedEnd(SplitProgram(given.front()).arguments);
      const std::vector<std::string> words = ArgumentWords(tail);
      return EveryWordIsAFile(system, words) ? words.front() : tail;
    }
    case LaunchSource::kDrop:
    case LaunchSource::kPathBox:
    case LaunchSource::kQuickEntry:
      break;
  }
  return given.front();
}

}  // namespace

std::string ProgramOf(const LaunchRequest& request) {
  return SplitProgram(request.commandLine).program;
}

std::optional<std::string> LogonDomain(std::string_view user, std::string_view domain) {
  if (user.find('@') != std::string_view::npos) return std::nullopt;
  return std::string(domain);
}

std::string CommandLineFor(platform::Platform& system, std::string_view text) {
  if (IsOneQuotedWord(text)) return ByFileType(text.substr(1, text.size() - 2)).value_or(std::string(text));
  if (std::optional<std::string> byType = ByFileType(text)) return *byType;
  if (!text.empty() && system.FileExists(std::string(text))) return Quoted(text);
  if (text.empty() || text.front() == '"' || text.find(' ') == std::string_view::npos)
    return std::string(text);
  return WithLeadingProgramQuoted(system, text).value_or(std::string(text));
}

LaunchRequest RequestLaunch(platform::Platform& system, const LaunchAccount& account, LaunchSource source,
                            const std::vector<std::string>& given) {
  LaunchRequest request;
  request.text = TextOf(system, source, given);
  if (!base::FitsCodePage(request.text)) {
    request.refusal = LaunchRefusal::kNotInCodePage;
    return request;
  }
  // A text is never cut: its first 255 characters may well name another program.
  const std::string resolved = ResolveNetworkPath(system, request.text);
  if (request.text.size() > kLaunchTextLimit || resolved.size() > kLaunchTextLimit) {
    request.refusal = LaunchRefusal::kTooLong;
    return request;
  }
  const bool launches = source == LaunchSource::kPathBox || source == LaunchSource::kQuickEntry;
  if (launches && (!base::FitsCodePage(account.user) || !base::FitsCodePage(account.domain))) {
    request.refusal = LaunchRefusal::kAccountNotInCodePage;
    return request;
  }
  request.commandLine = CommandLineFor(system, resolved);
  if (!launches) return request;
  request.user = account.user;
  request.domain = LogonDomain(account.user, account.domain);
  return request;
}

}  // namespace z_global
