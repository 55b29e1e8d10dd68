#pragma once
// Drive letters and network paths: what kind of drive a letter names, and the universal (UNC) form of
// a path on a mapped network drive.
#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace z_global {

// A German description of the drive's type, for example "Netzwerk" or "Festplatte".
std::string GetDriveTypeName(platform::Platform& system, char letter);

// The text to launch for a typed path or command line: a path on a mapped network drive becomes its
// universal name, anything else comes back unchanged. Nothing is cut: the caller refuses a text that
// has grown too long.
std::string ResolveNetworkPath(platform::Platform& system, std::string_view path);

// True for "X:" followed by at least one more character, X an ASCII letter.
bool IsDrivePath(std::string_view text);

}  // namespace z_global
