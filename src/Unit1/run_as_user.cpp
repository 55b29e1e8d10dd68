#include "Unit1/run_as_user.h"

#include <optional>

#include "ui/text.h"
#include "z_global/drives.h"
#include "z_global/paths.h"

std::string CommandLineFor(std::string_view path) {
  const std::string extension = ui::UpperCaseAscii(z_global::ExtensionOf(path));
  const std::string quoted = "\"" + std::string(path) + "\"";
  if (extension == ".MSI") return "msiexec.exe /i " + quoted;
  if (extension == ".MSC") return "mmc.exe " + quoted;
  if (extension == ".EXE" || extension == ".COM") return quoted;
  return std::string(path);
}

platform::CallResult RunAsUser(platform::Platform& system, std::string_view user,
                               const secret::Text& password, std::string_view domain, std::string_view path) {
  const std::string commandLine = CommandLineFor(path);
  platform::StartupRecord startup;
  startup.cb = kStartupRecordSize;

  // Every wide copy, the password's above all, is wiped when these buffers go out of scope.
  secret::Wide wideUser = system.AnsiToWide(user);
  secret::Wide wideDomain = system.AnsiToWide(domain);
  secret::Wide widePassword = system.AnsiToWide(password.view());
  secret::Wide wideCommand = system.AnsiToWide(commandLine);
  const std::optional<std::string> directory = z_global::LaunchDirectory(system);
  secret::Wide wideDirectory = system.AnsiToWide(directory.value_or(std::string()));

  platform::LogonLaunch launch;
  launch.user = wideUser.c_str();
  launch.domain = wideDomain.c_str();
  launch.password = widePassword.c_str();
  launch.logonFlags = 0;
  launch.applicationName = nullptr;
  launch.commandLine = wideCommand.data();
  launch.creationFlags = 0;
  launch.environment = nullptr;
  launch.currentDirectory = directory ? wideDirectory.c_str() : nullptr;
  launch.startup = &startup;
  return system.CreateProcessWithLogon(launch);
}
