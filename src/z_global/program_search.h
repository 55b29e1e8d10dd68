#pragma once
// Where the program of a launch lies on disk, found as the administrator meant it: a full path as it
// stands there, a name without a folder in the system folder, the Windows folder and the folders of
// PATH, in this order. Never in the current folder (a relative path is not looked for), nor in this
// program's own: both may be folders that the user at this workstation can write, and a file planted
// there would start with the administrator's rights.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace z_global {

struct FoundProgram {
  std::string path;             // full path; on a mapped network drive its universal name
  bool extensionAdded = false;  // the name had no extension and was found with ".exe"
};

// True for a name that says where it lies ("C:\x", "tools\x", "\\srv\x", "D:x").
bool NamesFolder(std::string_view name);
// True for a path from a drive's root or a server ("C:\x", "\\srv\x").
bool IsAbsolutePath(std::string_view name);

class ProgramSearch {
 public:
  explicit ProgramSearch(platform::Platform& system) : system_(system) {}
  // A name without an extension is looked for with ".exe" first, as the system starts it, then as it is.
  std::optional<FoundProgram> Find(std::string_view name);

 private:
  // Whether the file exists as a 64-bit program sees it: a 32-bit process on 64-bit Windows looking
  // into the system folder is shown the 32-bit one, but what the system starts for the administrator
  // comes from the real one.
  bool Exists(const std::string& path);
  // The folders a name without one is looked for in, in order.
  const std::vector<std::string>& SearchFolders();
  // The file as named, or first with ".exe" where it has no extension.
  std::optional<FoundProgram> Look(const std::string& path);
  void LearnSystemFolders();

  platform::Platform& system_;
  bool learned_ = false;
  std::string systemFolder_;  // with a trailing backslash; empty where the system did not say
  std::string nativeSystemFolder_;
  bool searched_ = false;
  std::vector<std::string> folders_;
};

}  // namespace z_global
