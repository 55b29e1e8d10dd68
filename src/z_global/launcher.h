#pragma once
// Starting a program as the administrator's account. From Windows Vista on the account is logged on
// first (the one logon that a wrong password costs) and its token asked whether it is split; then the
// launch plan decides, and this runs it: CreateProcessWithLogonW as the account, or the program's own
// helper as the account, which has the shell raise the rights. The editor's save through the helper
// goes the same way.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/platform.h"
#include "platform/secret.h"
#include "z_global/elevation.h"
#include "z_global/launch_plan.h"
#include "z_global/launch_request.h"

namespace z_global {

// What became of a launch or of a save through the helper.
struct LaunchOutcome {
  enum class Kind {
    kDone,
    kDeclined,  // no at the consent prompt, or no to a start without the full rights
    kFailed,
    kTooLong,  // a save whose values the helper's command line cannot carry
  } kind = Kind::kFailed;
  std::uint32_t error = 0;  // the system's code of a failure
};

// What the window that launches does while a launch goes on.
class LaunchHost {
 public:
  virtual platform::WindowHandle Owner() const = 0;  // the consent prompt's owner
  virtual void Wait(platform::Handle process) = 0;   // keeps answering until the helper has ended
  // Asked, with the reason's code, when the full rights cannot be had: may it start without them?
  virtual bool AllowLimitedRights(std::uint32_t error) = 0;

 protected:
  ~LaunchHost() = default;
};

// The logon launch of a plan: CreateProcessWithLogonW as the request's account, with the plan's
// application name, command line and folder. Every wide copy is wiped. Shows nothing.
platform::CallResult RunAsUser(platform::Platform& system, const LaunchPlan& plan,
                               const LaunchRequest& request, const secret::Wide& password);

LaunchOutcome LaunchAsAccount(platform::Platform& system, const LaunchRequest& request,
                              const secret::Wide& password, LaunchHost& host);

// A quick-launch entry written into the settings file by the helper as the account, raised first where
// its token is split; for a settings file that only administrators may write.
LaunchOutcome SaveAsAccount(platform::Platform& system, const std::string& user,
                            const std::optional<std::string>& domain, const secret::Wide& password,
                            const QuickEntry& entry, LaunchHost& host);

// How the helper's exit code reads: 0 done, 1223 declined at the consent prompt, else failed.
LaunchOutcome OutcomeOfHelper(std::optional<std::uint32_t> exitCode);

inline constexpr std::uint32_t kStartupRecordSize = 68;

}  // namespace z_global
