#pragma once
// The administrator gate's check: a logon with the typed password, then impersonation of that account.
#include <string_view>

#include "platform/platform.h"
#include "platform/secret.h"

namespace z_global {

// Succeeds when the logon and the impersonation both succeeded; the thread then runs as that account
// until RevertToSelf. A failure carries the error of the call that failed. The token is closed before
// returning.
platform::CallResult CheckCredentials(platform::Platform& system, std::string_view user,
                                      const secret::Text& password, std::string_view domain);

}  // namespace z_global
