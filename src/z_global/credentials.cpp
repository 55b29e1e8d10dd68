#include "z_global/credentials.h"

#include <string>

namespace z_global {

platform::CallResult CheckCredentials(platform::Platform& system, std::string_view user,
                                      const secret::Wide& password,
                                      const std::optional<std::string>& domain) {
  const secret::Wide wideUser = system.AnsiToWide(user);
  const secret::Wide wideDomain = system.AnsiToWide(domain.value_or(std::string()));
  platform::Handle token = 0;
  const platform::CallResult logon =
      system.Logon(wideUser.c_str(), domain ? wideDomain.c_str() : nullptr, password.c_str(),
                   platform::kLogon32LogonInteractive, platform::kLogon32ProviderDefault, token);
  if (!logon.ok) return logon;
  const platform::CallResult impersonating = system.ImpersonateLoggedOnUser(token);
  system.CloseHandle(token);
  return impersonating;
}

}  // namespace z_global
