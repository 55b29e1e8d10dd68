#pragma once
// The platform of the test-only executable Morvela-e2e.exe. It is the real Win32 platform except for
// the two calls that Wine cannot do for real: the launch under other credentials, which is written to
// "launches.log" beside the executable instead of made, and the logon check of the administrator gate.
// Both accept only the account "Administrator" with the password "Geheim-123". Where a file
// "printers.txt" lies beside it, the printer enumeration returns its lines instead of asking the
// system (Wine has no printers). Never shipped.
#include "platform/win32/win32_platform.h"

namespace platform {

class E2ePlatform : public Win32Platform {
 public:
  bool CreateProcessWithLogon(const LogonLaunch& launch) override;
  bool Logon(const char* user, const char* domain, const char* password, std::uint32_t logonType,
             std::uint32_t provider, Handle& token) override;
  bool ImpersonateLoggedOnUser(Handle token) override;
  PrinterEnumeration PrinterNames(std::uint32_t flags) override;

 private:
  Handle grantedToken_ = 0;
};

}  // namespace platform
