#include "z_global/credentials.h"

#include <string>

namespace z_global {

platform::CallResult CheckCredentials(platform::Platform& system, std::string_view user,
                                      const secret::Text& password, std::string_view domain) {
  const std::string account(user);
  const std::string domainName(domain);
  platform::Handle token = 0;
  const platform::CallResult logon =
      system.Logon(account.c_str(), domainName.c_str(), password.c_str(), platform::kLogon32LogonInteractive,
                   platform::kLogon32ProviderDefault, token);
  if (!logon.ok) return logon;
  const platform::CallResult impersonating = system.ImpersonateLoggedOnUser(token);
  system.CloseHandle(token);
  return impersonating;
}

}  // namespace z_global
