#include "z_global/credentials.h"

#include <string>

#include "base/utf.h"

namespace z_global {

AccountLogon LogOn(platform::Platform& system, std::string_view user, const secret::Wide& password,
                   const std::optional<std::string>& domain) {
  const secret::Wide wideUser(base::Utf8ToUtf16(user));
  const secret::Wide wideDomain(base::Utf8ToUtf16(domain.value_or(std::string())));
  platform::Handle token = 0;
  AccountLogon logon;
  logon.result = system.Logon(wideUser.c_str(), domain ? wideDomain.c_str() : nullptr, password.c_str(),
                              platform::kLogon32LogonInteractive, platform::kLogon32ProviderDefault, token);
  if (logon.result.ok) logon.token = platform::OwnedHandle(system, token);
  return logon;
}

platform::CallResult CheckCredentials(platform::Platform& system, std::string_view user,
                                      const secret::Wide& password,
                                      const std::optional<std::string>& domain) {
  const AccountLogon logon = LogOn(system, user, password, domain);
  if (!logon.result.ok) return logon.result;
  return system.ImpersonateLoggedOnUser(logon.token.get());
}

}  // namespace z_global
