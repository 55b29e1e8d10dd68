#include "z_global/drives.h"

namespace z_global {
namespace {

constexpr char kNetwork[] = "Netzwerk";

bool IsAsciiLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool OnNetworkDrive(platform::Platform& system, std::string_view text) {
  return IsDrivePath(text) && GetDriveTypeName(system, text[0]) == kNetwork;
}

}  // namespace

std::string GetDriveTypeName(platform::Platform& system, char letter) {
  const std::string root = std::string(1, letter) + ":\\";
  switch (system.DriveType(root)) {
    case platform::kDriveUnknown:
      return "unbekannt";
    case platform::kDriveNoRootDir:
      return "Laufwerk existiert nicht";
    case platform::kDriveRemovable:
      return "Wechselmedium";
    case platform::kDriveFixed:
      return "Festplatte";
    case platform::kDriveRemote:
      return kNetwork;
    case platform::kDriveCdrom:
      return "CD-ROM/DVD";
    case platform::kDriveRamdisk:
      return "RAM Disk";
    default:
      return "anderer Laufwerkstyp";
  }
}

bool IsDrivePath(std::string_view text) {
  return text.size() > 2 && IsAsciiLetter(text[0]) && text[1] == ':';
}

std::string ResolveNetworkPath(platform::Platform& system, std::string_view path) {
  // Only a text that names a drive ("N:...") is looked at. A command such as "notepad" begins with a
  // letter too, but it must not be turned into a path on whatever drive that letter happens to map.
  if (!OnNetworkDrive(system, path)) return std::string(path);
  const platform::TextResult full = system.FullPathName(std::string(path));
  std::string result = full.ok ? full.text : std::string(path);
  if (IsDrivePath(result)) {
    if (std::optional<std::string> universal = system.GetUniversalName(result)) result = *universal;
  }
  return result;
}

}  // namespace z_global
