#include "z_global/program_search.h"

#include "base/text.h"
#include "z_global/drives.h"
#include "z_global/paths.h"

namespace z_global {
namespace {

bool StartsWithFolder(std::string_view path, std::string_view folder) {
  return !folder.empty() && path.size() > folder.size() &&
         base::SameTextAscii(path.substr(0, folder.size()), folder);
}

// A folder of PATH as the system reads it: without the quotes around it; only an absolute one, since
// a relative one counts from the current folder.
std::optional<std::string> AbsoluteFolder(std::string_view entry) {
  if (entry.size() >= 2 && entry.front() == '"' && entry.back() == '"')
    entry = entry.substr(1, entry.size() - 2);
  if (!IsAbsolutePath(entry)) return std::nullopt;
  return AppendBackslash(entry);
}

}  // namespace

bool NamesFolder(std::string_view name) {
  return name.find_first_of("\\/:") != std::string_view::npos;
}

bool IsAbsolutePath(std::string_view name) {
  const bool drive = name.size() >= 3 && name[1] == ':' && name[2] == '\\';
  return drive || (name.size() >= 3 && name[0] == '\\' && name[1] == '\\');
}

void ProgramSearch::LearnSystemFolders() {
  if (learned_) return;
  learned_ = true;
  const platform::TextResult system = system_.SystemDirectory();
  const platform::TextResult windows = system_.WindowsDirectory();
  if (!system.ok) return;
  systemFolder_ = AppendBackslash(system.text);
  nativeSystemFolder_ = systemFolder_;
  if (windows.ok && system_.IsWow64Process() == platform::Wow64Query::kYes)
    nativeSystemFolder_ = AppendBackslash(windows.text) + "Sysnative\\";
}

bool ProgramSearch::Exists(const std::string& path) {
  LearnSystemFolders();
  if (StartsWithFolder(path, systemFolder_))
    return system_.FileExists(nativeSystemFolder_ + path.substr(systemFolder_.size()));
  return system_.FileExists(path);
}

const std::vector<std::string>& ProgramSearch::SearchFolders() {
  if (searched_) return folders_;
  searched_ = true;
  LearnSystemFolders();
  const platform::TextResult windows = system_.WindowsDirectory();
  const platform::TextResult current = system_.CurrentDirectory();
  // The current folder and the program's own are left out of PATH too.
  const std::string own = DirectoryOf(system_.ModuleFileName());
  const std::string here = current.ok ? AppendBackslash(current.text) : std::string();
  const std::string path = systemFolder_ + ';' + (windows.ok ? windows.text : std::string()) + ';' +
                           system_.EnvironmentVariable("PATH").value_or(std::string());
  for (std::size_t at = 0, entry = 0; at <= path.size(); ++entry) {
    std::size_t end = path.find(';', at);
    if (end == std::string::npos) end = path.size();
    const std::optional<std::string> folder = AbsoluteFolder(std::string_view(path).substr(at, end - at));
    at = end + 1;
    if (!folder) continue;
    // The system's two folders come first whatever the current one is.
    bool known = entry >= 2 && (base::SameTextAscii(*folder, own) || base::SameTextAscii(*folder, here));
    for (const std::string& other : folders_) known = known || base::SameTextAscii(*folder, other);
    if (!known) folders_.push_back(*folder);
  }
  return folders_;
}

std::optional<FoundProgram> ProgramSearch::Look(const std::string& path) {
  if (ExtensionOf(path).empty() && Exists(path + ".exe"))
    return FoundProgram{ResolveNetworkPath(system_, path + ".exe"), true};
  if (Exists(path)) return FoundProgram{ResolveNetworkPath(system_, path), false};
  return std::nullopt;
}

std::optional<FoundProgram> ProgramSearch::Find(std::string_view name) {
  if (name.empty() || name.back() == '\\') return std::nullopt;
  if (!NamesFolder(name)) {
    for (const std::string& folder : SearchFolders())
      if (std::optional<FoundProgram> found = Look(folder + std::string(name))) return found;
    return std::nullopt;
  }
  // A folder that counts from the current one is never looked into.
  if (!IsAbsolutePath(name)) return std::nullopt;
  const platform::TextResult full = system_.FullPathName(std::string(name));
  return full.ok ? Look(full.text) : std::nullopt;
}

}  // namespace z_global
