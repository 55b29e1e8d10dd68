#pragma once
// Starting a program under another account: the request's texts are made wide, and the system creates
// the process with the given credentials; where the account's logon is split by User Account Control,
// through the program's own helper, which has the shell raise the rights.
#include <functional>

#include "platform/platform.h"
#include "platform/secret.h"
#include "z_global/elevation.h"
#include "z_global/launch_request.h"

// Succeeds when the system created the process; a failure carries the system's error code. Shows
// nothing: the callers report.
platform::CallResult RunAsUser(platform::Platform& system, const z_global::LaunchRequest& request,
                               const secret::Wide& password);

// What became of a launch or of a save through the helper.
struct LaunchOutcome {
  enum class Kind {
    kDone,
    kDeclined,  // the administrator said no at the consent prompt
    kFailed,
    kTooLong,  // a save whose values the helper's command line cannot carry
  } kind = Kind::kFailed;
  std::uint32_t error = 0;  // the system's code of a failure
};

// Keeps the program answering while the helper runs, until its process has ended.
using HelperWait = std::function<void(platform::Handle process)>;

// From Windows Vista on, the account is logged on first (the one logon that a wrong password costs)
// and its token asked whether it is split. A split token goes through the helper; any other, a failed
// question, an older Windows, or a helper that cannot be started, through RunAsUser.
LaunchOutcome LaunchAsAccount(platform::Platform& system, const z_global::LaunchRequest& request,
                              const secret::Wide& password, const HelperWait& wait);

// A quick-launch entry written into the settings file by the helper as the account, whose split
// token it raises first; for a settings file that only administrators may write.
LaunchOutcome SaveAsAccount(platform::Platform& system, const std::string& user,
                            const std::optional<std::string>& domain, const secret::Wide& password,
                            const z_global::HelperRequest& save, const HelperWait& wait);

inline constexpr std::uint32_t kStartupRecordSize = 68;
