#include "z_global/credentials.h"

#include <string>

namespace z_global {

bool CheckCredentials(platform::Platform& system, std::string_view user, const secret::Text& password,
                      std::string_view domain) {
  const std::string account(user);
  const std::string domainName(domain);
  platform::Handle token = 0;
  if (!system.Logon(account.c_str(), domainName.c_str(), password.c_str(), platform::kLogon32LogonInteractive,
                    platform::kLogon32ProviderDefault, token))
    return false;
  const bool impersonating = system.ImpersonateLoggedOnUser(token);
  system.CloseHandle(token);
  return impersonating;
}

}  // namespace z_global
