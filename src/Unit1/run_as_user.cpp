#include "Unit1/run_as_user.h"

#include <optional>

#include "z_global/drives.h"
#include "z_global/system_info.h"

namespace {

constexpr std::uint32_t kErrorInvalidParameter = 87;

// The launch's arguments for CreateProcessWithLogonW, in wide buffers that wipe themselves.
struct WideLaunch {
  WideLaunch(platform::Platform& system, const std::string& user, const std::optional<std::string>& domain,
             const secret::Wide& password, const std::string& commandLine,
             const std::string& application = {})
      : wideUser(system.AnsiToWide(user)),
        wideDomain(system.AnsiToWide(domain.value_or(std::string()))),
        wideCommand(system.AnsiToWide(commandLine)),
        wideApplication(system.AnsiToWide(application)),
        directory(z_global::LaunchDirectory(system)),
        wideDirectory(system.AnsiToWide(directory.value_or(std::string()))) {
    startup.cb = kStartupRecordSize;
    launch.user = wideUser.c_str();
    launch.domain = domain ? wideDomain.c_str() : nullptr;
    launch.password = password.c_str();
    launch.logonFlags = 0;
    launch.applicationName = application.empty() ? nullptr : wideApplication.c_str();
    launch.commandLine = wideCommand.data();
    launch.creationFlags = 0;
    launch.environment = nullptr;
    launch.currentDirectory = directory ? wideDirectory.c_str() : nullptr;
    launch.startup = &startup;
  }
  secret::Wide wideUser, wideDomain, wideCommand, wideApplication;
  std::optional<std::string> directory;
  secret::Wide wideDirectory;
  platform::StartupRecord startup;
  platform::LogonLaunch launch;
};

LaunchOutcome Failed(std::uint32_t error) {
  return {LaunchOutcome::Kind::kFailed, error};
}

LaunchOutcome FromCall(const platform::CallResult& call) {
  return call.ok ? LaunchOutcome{LaunchOutcome::Kind::kDone, 0} : Failed(call.error);
}

bool BeforeVista(platform::Platform& system) {
  platform::VersionRecord version;
  z_global::GetOsVersionInfo(system, version);
  return version.major < 6;
}

// The account logged on as the gate does, and whether its token is split; the token is closed at once.
z_global::LaunchWay WayFor(platform::Platform& system, const std::string& user,
                           const std::optional<std::string>& domain, const secret::Wide& password,
                           platform::CallResult& logon) {
  if (BeforeVista(system)) return z_global::LaunchWay::kLogonLaunch;
  const secret::Wide wideUser = system.AnsiToWide(user);
  const secret::Wide wideDomain = system.AnsiToWide(domain.value_or(std::string()));
  platform::Handle token = 0;
  logon = system.Logon(wideUser.c_str(), domain ? wideDomain.c_str() : nullptr, password.c_str(),
                       platform::kLogon32LogonInteractive, platform::kLogon32ProviderDefault, token);
  platform::ElevationType type = platform::ElevationType::kUnknown;
  if (logon.ok) {
    type = system.TokenElevationType(token);
    system.CloseHandle(token);
  }
  return z_global::ChooseLaunchWay(false, logon.ok, type);
}

// The program's own path, on a mapped drive as its universal name: the account's logon does not see
// the user's drive mappings.
std::string OwnPath(platform::Platform& system) {
  return z_global::ResolveNetworkPath(system, system.ModuleFileName());
}

// The program itself as the account, with the helper's switch; started is false, and the outcome
// carries the system's code, when it could not be started.
LaunchOutcome RunHelper(platform::Platform& system, const std::string& user,
                        const std::optional<std::string>& domain, const secret::Wide& password,
                        const std::string& commandLine, const HelperWait& wait, bool& started) {
  const std::string program = OwnPath(system);
  WideLaunch helper(system, user, domain, password, commandLine, program);
  platform::Handle process = 0;
  const platform::CallResult start = system.StartWithLogon(helper.launch, process);
  started = start.ok;
  if (!started) return Failed(start.error);
  wait(process);
  const std::optional<std::uint32_t> exitCode = system.ExitCodeOf(process);
  system.CloseHandle(process);
  switch (z_global::OutcomeOf(exitCode.value_or(kErrorInvalidParameter))) {
    case z_global::HelperOutcome::kDone:
      return {LaunchOutcome::Kind::kDone, 0};
    case z_global::HelperOutcome::kDeclined:
      return {LaunchOutcome::Kind::kDeclined, z_global::kErrorCancelled};
    case z_global::HelperOutcome::kFailed:
      break;
  }
  return Failed(exitCode.value_or(kErrorInvalidParameter));
}

}  // namespace

platform::CallResult RunAsUser(platform::Platform& system, const z_global::LaunchRequest& request,
                               const secret::Wide& password) {
  // Every wide copy is wiped when these buffers go out of scope. The password is wide already.
  WideLaunch wide(system, request.user, request.domain, password, request.commandLine);
  return system.CreateProcessWithLogon(wide.launch);
}

LaunchOutcome LaunchAsAccount(platform::Platform& system, const z_global::LaunchRequest& request,
                              const secret::Wide& password, const HelperWait& wait) {
  platform::CallResult logon;
  switch (WayFor(system, request.user, request.domain, password, logon)) {
    case z_global::LaunchWay::kFailed:
      return Failed(logon.error);
    case z_global::LaunchWay::kHelper: {
      const std::optional<std::string> helper = z_global::HelperCommandLine(
          OwnPath(system),
          z_global::StartRequest(z_global::HelperRequest::Kind::kStart, request.commandLine));
      bool started = false;
      if (helper) {
        const LaunchOutcome helped =
            RunHelper(system, request.user, request.domain, password, *helper, wait, started);
        if (started) return helped;
      }
      break;  // the account may not read the program's folder: the launch as always
    }
    case z_global::LaunchWay::kLogonLaunch:
      break;
  }
  return FromCall(RunAsUser(system, request, password));
}

LaunchOutcome SaveAsAccount(platform::Platform& system, const std::string& user,
                            const std::optional<std::string>& domain, const secret::Wide& password,
                            const z_global::HelperRequest& save, const HelperWait& wait) {
  platform::CallResult logon;
  const z_global::LaunchWay way = WayFor(system, user, domain, password, logon);
  if (way == z_global::LaunchWay::kFailed) return Failed(logon.error);
  const std::string program = OwnPath(system);
  std::optional<std::string> helper = z_global::HelperCommandLine(program, save);
  // A split token: the helper raises a second one, which writes, and ends with its exit code.
  if (helper && way == z_global::LaunchWay::kHelper)
    helper = z_global::HelperCommandLine(
        program, z_global::StartRequest(z_global::HelperRequest::Kind::kStartAndWait, *helper));
  if (!helper) return {LaunchOutcome::Kind::kTooLong, 0};
  bool started = false;
  return RunHelper(system, user, domain, password, *helper, wait, started);
}
