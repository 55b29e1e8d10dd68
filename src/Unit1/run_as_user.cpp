#include "Unit1/run_as_user.h"

#include <optional>

#include "z_global/drives.h"

platform::CallResult RunAsUser(platform::Platform& system, const z_global::LaunchRequest& request,
                               const secret::Wide& password) {
  platform::StartupRecord startup;
  startup.cb = kStartupRecordSize;

  // Every wide copy is wiped when these buffers go out of scope. The password is wide already.
  secret::Wide wideUser = system.AnsiToWide(request.user);
  secret::Wide wideDomain = system.AnsiToWide(request.domain.value_or(std::string()));
  secret::Wide wideCommand = system.AnsiToWide(request.commandLine);
  const std::optional<std::string> directory = z_global::LaunchDirectory(system);
  secret::Wide wideDirectory = system.AnsiToWide(directory.value_or(std::string()));

  platform::LogonLaunch launch;
  launch.user = wideUser.c_str();
  launch.domain = request.domain ? wideDomain.c_str() : nullptr;
  launch.password = password.c_str();
  launch.logonFlags = 0;
  launch.applicationName = nullptr;
  launch.commandLine = wideCommand.data();
  launch.creationFlags = 0;
  launch.environment = nullptr;
  launch.currentDirectory = directory ? wideDirectory.c_str() : nullptr;
  launch.startup = &startup;
  return system.CreateProcessWithLogon(launch);
}
