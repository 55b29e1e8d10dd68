#pragma once
// Starting a program under another account: the request's texts are made wide, and the system creates
// the process with the given credentials.
#include "platform/platform.h"
#include "platform/secret.h"
#include "z_global/launch_request.h"

// Succeeds when the system created the process; a failure carries the system's error code. Shows
// nothing: the callers report.
platform::CallResult RunAsUser(platform::Platform& system, const z_global::LaunchRequest& request,
                               const secret::Wide& password);

inline constexpr std::uint32_t kStartupRecordSize = 68;
