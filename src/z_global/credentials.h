#pragma once
// The administrator gate's check: a logon with the typed password, then impersonation of that account.
#include <optional>
#include <string_view>

#include "platform/platform.h"
#include "platform/secret.h"

namespace z_global {

// Succeeds when the logon and the impersonation both succeeded; the thread then runs as that account
// until RevertToSelf. A failure carries the error of the call that failed. The system gets the texts in
// UTF-16, the password straight from its wiping buffer, and no domain where there is none. The token
// is closed before returning.
platform::CallResult CheckCredentials(platform::Platform& system, std::string_view user,
                                      const secret::Wide& password, const std::optional<std::string>& domain);

}  // namespace z_global
