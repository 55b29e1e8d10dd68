#pragma once
// The administrator gate's check: a logon with the typed password, then impersonation of that account.
#include <string_view>

#include "platform/platform.h"
#include "platform/secret.h"

namespace z_global {

// True when the logon and the impersonation both succeeded; the thread then runs as that account
// until RevertToSelf. The token is closed before returning.
bool CheckCredentials(platform::Platform& system, std::string_view user, const secret::Text& password,
                      std::string_view domain);

}  // namespace z_global
