#include "z_global/program_search.h"

#include <algorithm>

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
  if (searchFolders_) return *searchFolders_;
  LearnSystemFolders();
  std::vector<std::string> folders;
  if (!systemFolder_.empty()) folders.push_back(systemFolder_);
  if (const platform::TextResult windows = system_.WindowsDirectory(); windows.ok)
    folders.push_back(AppendBackslash(windows.text));
  // The current folder and the program's own are left out of PATH too.
  std::vector<std::string> excluded = {AppendBackslash(DirectoryOf(system_.ModuleFileName()))};
  if (const platform::TextResult current = system_.CurrentDirectory(); current.ok)
    excluded.push_back(AppendBackslash(current.text));
  const std::string path = system_.EnvironmentVariable("PATH").value_or(std::string());
  for (std::size_t at = 0; at <= path.size();) {
    const std::size_t end = std::min(path.find(';', at), path.size());
    const std::optional<std::string> folder = AbsoluteFolder(path.substr(at, end - at));
    at = end + 1;
    const auto same = [&](const std::string& other) { return folder && base::SameTextAscii(*folder, other); };
    if (folder && std::none_of(excluded.begin(), excluded.end(), same) &&
        std::none_of(folders.begin(), folders.end(), same))
      folders.push_back(*folder);
  }
  return *(searchFolders_ = std::move(folders));
}

std::optional<FoundProgram> ProgramSearch::Find(std::string_view name) {
  if (name.empty() || name.back() == '\\') return std::nullopt;
  std::vector<FoundProgram> candidates;
  if (ExtensionOf(name).empty()) candidates.push_back({std::string(name) + ".exe", true});
  candidates.push_back({std::string(name), false});
  if (NamesFolder(name)) {
    // A folder that counts from the current one is never looked into.
    if (!IsAbsolutePath(name)) return std::nullopt;
    for (FoundProgram& candidate : candidates) {
      const platform::TextResult full = system_.FullPathName(candidate.path);
      if (full.ok && Exists(full.text))
        return FoundProgram{ResolveNetworkPath(system_, full.text), candidate.extensionAdded};
    }
    return std::nullopt;
  }
  for (const std::string& folder : SearchFolders()) {
    for (const FoundProgram& candidate : candidates) {
      const std::string path = folder + candidate.path;
      if (Exists(path)) return FoundProgram{ResolveNetworkPath(system_, path), candidate.extensionAdded};
    }
  }
  return std::nullopt;
}

}  // namespace z_global
