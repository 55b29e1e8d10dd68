#pragma once
// Starting a program under another account: the command line is chosen by the file type, the texts
// are made wide, and the system creates the process with the given credentials.
#include <string>
#include <string_view>

#include "platform/platform.h"
#include "platform/secret.h"

// Installer packages through msiexec, consoles through mmc, programs quoted, anything else unchanged.
std::string CommandLineFor(std::string_view path);

// Succeeds when the system created the process; a failure carries the system's error code. Shows
// nothing: the callers report.
platform::CallResult RunAsUser(platform::Platform& system, std::string_view user,
                               const secret::Text& password, std::string_view domain, std::string_view path);

inline constexpr std::uint32_t kStartupRecordSize = 68;
