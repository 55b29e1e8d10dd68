#include "z_global/launcher.h"

#include "base/utf.h"
#include "z_global/credentials.h"
#include "z_global/drives.h"
#include "z_global/paths.h"
#include "z_global/system_info.h"

namespace z_global {
namespace {

// The arguments of CreateProcessWithLogonW, in wide buffers that wipe themselves. The password is wide
// already and goes from its own buffer.
struct WideLaunch {
  WideLaunch(const std::string& user, const std::optional<std::string>& domain, const secret::Wide& password,
             const std::string& commandLine, const std::string& application, const std::string& directory)
      : wideUser(base::Utf8ToUtf16(user)),
        wideDomain(base::Utf8ToUtf16(domain.value_or(std::string()))),
        wideCommand(base::Utf8ToUtf16(commandLine)),
        wideApplication(base::Utf8ToUtf16(application)),
        wideDirectory(base::Utf8ToUtf16(directory)) {
    startup.cb = kStartupRecordSize;
    launch.user = wideUser.c_str();
    launch.domain = domain ? wideDomain.c_str() : nullptr;
    launch.password = password.c_str();
    launch.applicationName = application.empty() ? nullptr : wideApplication.c_str();
    launch.commandLine = wideCommand.data();
    launch.currentDirectory = directory.empty() ? nullptr : wideDirectory.c_str();
    launch.startup = &startup;
  }
  secret::Wide wideUser, wideDomain, wideCommand, wideApplication, wideDirectory;
  platform::StartupRecord startup;
  platform::LogonLaunch launch;
};

LaunchOutcome Failed(std::uint32_t error) {
  return {LaunchOutcome::Kind::kFailed, error};
}

// The account's token: split or not; before Vista nobody asks. A failed logon ends everything.
struct Token {
  platform::CallResult logon{true, 0};
  platform::ElevationType type = platform::ElevationType::kUnknown;
};

Token AskToken(platform::Platform& system, const std::string& user, const std::optional<std::string>& domain,
               const secret::Wide& password) {
  platform::VersionRecord version;
  GetOsVersionInfo(system, version);
  if (version.major < 6) return {};
  const AccountLogon logon = LogOn(system, user, password, domain);
  if (!logon.result.ok) return {logon.result};
  return {logon.result, system.TokenElevationType(logon.token.get())};
}

// The program's own path, on a mapped drive as its universal name: the account's logon does not see
// the user's drive mappings.
std::string OwnPath(platform::Platform& system) {
  return ResolveNetworkPath(system, system.ModuleFileName());
}

std::string SystemFolder(platform::Platform& system) {
  const platform::TextResult folder = system.SystemDirectory();
  return folder.ok ? AppendBackslash(folder.text) : std::string();
}

// The program itself as the account, with the helper's switch, waited for; nothing, with the system's
// code, when it could not be started.
std::optional<LaunchOutcome> RunHelper(platform::Platform& system, const std::string& user,
                                       const std::optional<std::string>& domain, const secret::Wide& password,
                                       const HelperRequest& request, LaunchHost& host, std::uint32_t& error) {
  const std::string program = OwnPath(system);
  const std::optional<std::string> commandLine = HelperCommandLine(program, request);
  if (!commandLine) {
    error = platform::kErrorFilenameExceedsRange;
    return std::nullopt;
  }
  // The helper starts in the system folder: the program's own may be one the user can write to.
  WideLaunch helper(user, domain, password, *commandLine, program, SystemFolder(system));
  platform::Handle started = 0;
  const platform::CallResult start = system.StartWithLogon(helper.launch, started);
  const platform::OwnedHandle process(system, start.ok ? started : 0);
  if (!start.ok) {
    error = start.error;
    return std::nullopt;
  }
  host.Wait(process.get());
  return OutcomeOfHelper(system.ExitCodeOf(process.get()));
}

}  // namespace

LaunchOutcome OutcomeOfHelper(std::optional<std::uint32_t> exitCode) {
  if (exitCode == 0u) return {LaunchOutcome::Kind::kDone, 0};
  if (exitCode == platform::kErrorCancelled)
    return {LaunchOutcome::Kind::kDeclined, platform::kErrorCancelled};
  return Failed(exitCode.value_or(platform::kErrorInvalidParameter));
}

platform::CallResult RunAsUser(platform::Platform& system, const LaunchPlan& plan,
                               const LaunchRequest& request, const secret::Wide& password) {
  WideLaunch wide(request.user, request.domain, password, plan.commandLine, plan.applicationName,
                  plan.directory);
  return system.CreateProcessWithLogon(wide.launch);
}

LaunchOutcome LaunchAsAccount(platform::Platform& system, const LaunchRequest& request,
                              const secret::Wide& password, LaunchHost& host) {
  const Token token = AskToken(system, request.user, request.domain, password);
  if (!token.logon.ok) return Failed(token.logon.error);
  const LaunchPlan plan = PlanLaunch(request, token.type, SystemFolder(system));
  if (plan.way == LaunchWay::kHelper) {
    HelperRequest start;
    start.kind = HelperRequest::Kind::kStart;
    start.owner = host.Owner();
    start.file = plan.shellFile;
    start.directory = plan.directory;
    start.parameters = plan.parameters;
    std::uint32_t error = 0;
    if (const std::optional<LaunchOutcome> helped =
            RunHelper(system, request.user, request.domain, password, start, host, error))
      return *helped;
    // The account may not read the program's folder: without the full rights only if the operator says so.
    if (plan.fallback == Fallback::kAskForLimitedRights && !host.AllowLimitedRights(error))
      return {LaunchOutcome::Kind::kDeclined, error};
  }
  const platform::CallResult launched = RunAsUser(system, plan, request, password);
  return launched.ok ? LaunchOutcome{LaunchOutcome::Kind::kDone, 0} : Failed(launched.error);
}

LaunchOutcome SaveAsAccount(platform::Platform& system, const std::string& user,
                            const std::optional<std::string>& domain, const secret::Wide& password,
                            const QuickEntry& entry, LaunchHost& host) {
  const Token token = AskToken(system, user, domain, password);
  if (!token.logon.ok) return Failed(token.logon.error);
  // A split token: the helper raises a second one, which writes, and ends with its exit code.
  HelperRequest save;
  save.kind = token.type == platform::ElevationType::kLimited ? HelperRequest::Kind::kRaiseAndSave
                                                              : HelperRequest::Kind::kSave;
  save.owner = host.Owner();
  save.entry = entry;
  if (!HelperCommandLine(OwnPath(system), save)) return {LaunchOutcome::Kind::kTooLong, 0};
  std::uint32_t error = 0;
  const std::optional<LaunchOutcome> saved = RunHelper(system, user, domain, password, save, host, error);
  return saved ? *saved : Failed(error);
}

}  // namespace z_global
