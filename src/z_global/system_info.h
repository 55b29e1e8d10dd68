#pragma once
// What the program asks Windows about the machine and the account that runs it.
#include <functional>
#include <string>
#include <string_view>

#include "base/error.h"
#include "platform/platform.h"

namespace z_global {

// A failing system query. Its text is what the operator reads in the error box.
class ESystemError : public base::EError {
 public:
  using EError::EError;
};

// "Win32-Fehler. Code: %d." and a line feed and the system's message; for code 0 a fixed text.
std::string SystemErrorText(platform::Platform& system, std::uint32_t code);

// A failure as the operator reads it: the text, then after an empty line the system's own description
// of the error with its number, "... (Fehler 1331)"; only the number where the system has no text for
// it. Without an error code, the text alone. The description's inserts are filled (see below).
std::string WithSystemReason(platform::Platform& system, std::string_view text, std::uint32_t code,
                             std::string_view program = {});

// A system text as FormatMessage keeps it for later filling: its first insert ("%1") becomes the
// program where one is given, every other insert is left out, and "%%" is a percent sign.
std::string FilledInserts(std::string_view message, std::string_view program);

// The domain of the account that runs the program; for a local account the computer's name.
std::string GetUserDomain(platform::Platform& system);
std::string GetWindowsDir(platform::Platform& system);
std::string GetComputerNameText(platform::Platform& system);
void GetOsVersionInfo(platform::Platform& system, platform::VersionRecord& record);
std::string GetWindowsVersionName(platform::Platform& system);
// The display name for a version record; serverR2 is asked only for version 5.2, featureRelease only
// from Windows 8 on when the record names no service pack.
std::string WindowsVersionName(const platform::VersionRecord& record, const std::function<bool()>& serverR2,
                               const std::function<std::string()>& featureRelease);
// True when this 32-bit process runs on 64-bit Windows.
bool IsWow64(platform::Platform& system);

}  // namespace z_global
