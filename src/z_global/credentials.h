#pragma once
// The account's logon with the typed password: before each launch (to learn whether its token is
// split) and for the administrator gate, which then impersonates the account.
#include <optional>
#include <string_view>

#include "platform/platform.h"
#include "platform/secret.h"

namespace z_global {

// LogonUserW, interactive, with the default provider. The system gets the texts in UTF-16, the
// password straight from its wiping buffer, and no domain where there is none.
struct AccountLogon {
  platform::CallResult result;
  platform::OwnedHandle token;  // closed when the logon goes
};
AccountLogon LogOn(platform::Platform& system, std::string_view user, const secret::Wide& password,
                   const std::optional<std::string>& domain);

// Succeeds when the logon and the impersonation both succeeded; the thread then runs as that account
// until RevertToSelf. A failure carries the error of the call that failed. The token is closed before
// returning.
platform::CallResult CheckCredentials(platform::Platform& system, std::string_view user,
                                      const secret::Wide& password, const std::optional<std::string>& domain);

}  // namespace z_global
