#include "z_global/launch_request.h"

#include <algorithm>

#include "base/text.h"
#include "base/utf.h"
#include "z_global/command_line.h"
#include "z_global/drives.h"
#include "z_global/paths.h"
#include "z_global/program_search.h"

namespace z_global {
namespace {

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

// Whether what follows a run of words goes on with a folder's name: unquoted, Windows tries
// "C:\Program.exe" for "C:\Program Files\App\app.exe", and a user who may write C:\ would have it run.
// The first word of the rest with a backslash in it shows it: an argument that is a path begins with
// a drive, two backslashes, a switch or a quote.
bool ContinuesAFolder(std::string_view rest) {
  std::size_t at = 0;
  while (at < rest.size()) {
    while (at < rest.size() && IsBlank(rest[at])) ++at;
    std::size_t end = at;
    while (end < rest.size() && !IsBlank(rest[end])) ++end;
    const std::string_view word = rest.substr(at, end - at);
    at = end;
    if (word.find('\\') == std::string_view::npos) continue;
    const bool drive = word.size() >= 2 && word[1] == ':';
    return !drive && word.front() != '\\' && word.front() != '/' && word.front() != '-' &&
           word.front() != '"';
  }
  return false;
}

class Reader {
 public:
  Reader(platform::Platform& system, std::string_view text) : search_(system), text_(text) {}

  ProgramReading Read() {
    if (text_.empty()) return {};
    if (text_.front() == '"') return ReadQuoted();
    if (const std::optional<FoundProgram> whole = search_.Find(text_)) return Build(text_, whole, {}, false);
    std::vector<std::size_t> wordEnds;
    for (std::size_t i = 1; i < text_.size(); ++i)
      if (IsBlank(text_[i]) && !IsBlank(text_[i - 1])) wordEnds.push_back(i);
    for (auto end = wordEnds.rbegin(); end != wordEnds.rend(); ++end) {
      const std::string_view run = text_.substr(0, *end), rest = text_.substr(*end);
      const std::optional<FoundProgram> found = search_.Find(run);
      if (!found) continue;
      if (found->extensionAdded && NamesFolder(run) &&
          (ContinuesAFolder(rest) || TypeOf(text_) != LaunchFileType::kOther))
        continue;
      return Build(run, found, rest, false);
    }
    // Nothing of the text names a file that can be seen from here: the whole text by its type, or its
    // first word as the program, as the system reads it.
    std::string_view program = text_;
    if (TypeOf(text_) == LaunchFileType::kOther)
      program = text_.substr(0, wordEnds.empty() ? text_.size() : wordEnds[0]);
    return Build(program, std::nullopt, text_.substr(program.size()), false);
  }

 private:
  ProgramReading ReadQuoted() {
    const std::size_t close = text_.find('"', 1);
    const std::string_view program = text_.substr(1, close == std::string_view::npos ? close : close - 1);
    const std::string_view rest =
        close == std::string_view::npos ? std::string_view() : text_.substr(close + 1);
    // "C:\Pro gramme"\app.exe: the name goes on after its closing quote.
    if (!rest.empty() && !IsBlank(rest.front())) return {LaunchRefusal::kQuoteInProgram, {}, {}};
    return Build(program, search_.Find(program), rest, true);
  }

  ProgramReading Build(std::string_view program, const std::optional<FoundProgram>& found,
                       std::string_view rest, bool quoted) {
    // Nor can a universal name hold one, whatever a network provider answers.
    if (program.find('"') != std::string_view::npos || (found && found->path.find('"') != std::string::npos))
      return {LaunchRefusal::kQuoteInProgram, {}, {}};
    ProgramReading reading;
    const LaunchFileType type = TypeOf(found ? found->path : program);
    const std::string named = found ? found->path : std::string(program);
    if (type == LaunchFileType::kPackage || type == LaunchFileType::kConsole) {
      const bool package = type == LaunchFileType::kPackage;
      const std::string_view host = package ? "msiexec.exe" : "mmc.exe";
      reading.commandLine = std::string(host) + (package ? " /i " : " ") + Quoted(named) + std::string(rest);
      if (const std::optional<FoundProgram> hostFile = search_.Find(host)) reading.file = hostFile->path;
      return reading;
    }
    if (found) reading.file = found->path;
    if (found && type == LaunchFileType::kScript)
      reading.commandLine = Quoted(found->path);
    else if (quoted)
      reading.commandLine = Quoted(program);
    else if (found && NamesFolder(program))
      reading.commandLine = Quoted(std::string(program) + (found->extensionAdded ? ".exe" : ""));
    else if (TypeOf(program) == LaunchFileType::kProgram && rest.empty())
      reading.commandLine = Quoted(program);
    else
      reading.commandLine = std::string(program);
    reading.commandLine += rest;
    return reading;
  }

  ProgramSearch search_;
  std::string_view text_;
};

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

LaunchFileType TypeOf(std::string_view path) {
  const std::string extension = base::UpperCaseAscii(ExtensionOf(path));
  if (extension == ".MSI") return LaunchFileType::kPackage;
  if (extension == ".MSC") return LaunchFileType::kConsole;
  if (extension == ".EXE" || extension == ".COM") return LaunchFileType::kProgram;
  if (extension == ".BAT" || extension == ".CMD") return LaunchFileType::kScript;
  return LaunchFileType::kOther;
}

std::string ProgramOf(const LaunchRequest& request) {
  return request.file.empty() ? SplitProgram(request.commandLine).program : request.file;
}

std::optional<std::string> LogonDomain(std::string_view user, std::string_view domain) {
  if (user.find('@') != std::string_view::npos) return std::nullopt;
  return std::string(domain);
}

ProgramReading ReadLaunchText(platform::Platform& system, std::string_view text) {
  return Reader(system, text).Read();
}

LaunchRequest RequestLaunch(platform::Platform& system, const LaunchAccount& account, LaunchSource source,
                            const std::vector<std::string>& given) {
  LaunchRequest request;
  request.text = TextOf(system, source, given);
  // A text is never cut: its first 255 characters may well name another program.
  const std::string resolved = ResolveNetworkPath(system, request.text);
  if (base::Utf16Length(request.text) > kLaunchTextLimit || base::Utf16Length(resolved) > kLaunchTextLimit) {
    request.refusal = LaunchRefusal::kTooLong;
    return request;
  }
  if (source != LaunchSource::kPathBox && source != LaunchSource::kQuickEntry) return request;
  ProgramReading reading = ReadLaunchText(system, resolved);
  if (reading.refusal != LaunchRefusal::kNone) {
    request.refusal = reading.refusal;
    return request;
  }
  request.commandLine = std::move(reading.commandLine);
  request.file = std::move(reading.file);
  request.user = account.user;
  request.domain = LogonDomain(account.user, account.domain);
  return request;
}

}  // namespace z_global
