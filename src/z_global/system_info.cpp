#include "z_global/system_info.h"

#include <vector>

#include "ui/text.h"

namespace z_global {
namespace {

constexpr std::uint32_t kExtendedVersionSize = 156;
constexpr std::uint32_t kBasicVersionSize = 148;
constexpr std::size_t kTokenUserBuffer = 1000;
constexpr std::uint16_t kSuitePersonal = 0x200;
constexpr std::uint16_t kSuiteHomeServer = 0x8000;
constexpr std::uint8_t kNtWorkstation = 1;

// Removes every character of code 32 or below from both ends.
std::string Trim(std::string_view text) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= 32) ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 32) --end;
  return std::string(text.substr(begin, end - begin));
}

// Closes a token when the query that opened it ends, however it ends.
class TokenGuard {
 public:
  TokenGuard(platform::Platform& system, platform::Handle token) : system_(system), token_(token) {}
  TokenGuard(const TokenGuard&) = delete;
  TokenGuard& operator=(const TokenGuard&) = delete;
  ~TokenGuard() { system_.CloseHandle(token_); }

 private:
  platform::Platform& system_;
  platform::Handle token_;
};

std::string NtName(const platform::VersionRecord& v, const std::function<bool()>& serverR2,
                   std::string name) {
  const bool workstation = v.productType == kNtWorkstation;
  if (v.major == 4 && v.minor == 0) name = "Windows NT";
  if (v.major == 5 && v.minor == 0) name = "Windows 2000";
  if (v.major == 5 && v.minor == 1) name = "Windows XP";
  if (v.major == 5 && v.minor == 2) {
    if (serverR2())
      name = "Windows Server 2003 \"R2\"";
    else if (workstation)
      name = "Windows XP x64";
    else if (v.suiteMask == kSuiteHomeServer)
      name = "Windows Home Server";
    else
      name = "Windows Server 2003";
  }
  if (v.major == 6 && v.minor == 0) name = workstation ? "Windows Vista" : "Windows Server 2008";
  if (v.major == 6 && v.minor == 1) name = workstation ? "Windows 7" : "Windows Server 2008 R2";
  if (v.suiteMask & kSuitePersonal) name += " Home Edition";
  return name;
}

}  // namespace

std::string SystemErrorText(platform::Platform& system, std::uint32_t code) {
  if (code == 0) return "Eine Win32-API-Funktion ist fehlgeschlagen";
  return "Win32-Fehler. Code: " + std::to_string(code) + ".\n" + Trim(system.SystemErrorMessage(code));
}

std::string GetUserDomain(platform::Platform& system) {
  platform::Handle token = 0;
  std::uint32_t error = 0;
  if (!system.OpenProcessTokenRead(token, error)) return {};
  TokenGuard guard(system, token);
  std::vector<std::uint8_t> tokenUser(kTokenUserBuffer);
  if (!system.GetTokenUser(token, tokenUser, error)) throw ESystemError(SystemErrorText(system, error));
  std::string account, domain;
  if (!system.LookupAccountOfTokenUser(tokenUser, account, domain)) return {};
  return domain;
}

std::string GetWindowsDir(platform::Platform& system) {
  const platform::TextResult folder = system.WindowsDirectory();
  if (!folder.ok) throw ESystemError(SystemErrorText(system, folder.error));
  return folder.text;
}

std::string GetComputerNameText(platform::Platform& system) {
  std::string name;
  return system.ComputerName(name) ? name : std::string();
}

void GetOsVersionInfo(platform::Platform& system, platform::VersionRecord& record) {
  record = {};
  record.size = kExtendedVersionSize;
  if (system.VersionInfo(record)) return;
  // Older systems refuse the extended record; the basic one leaves the extended fields zero.
  record = {};
  record.size = kBasicVersionSize;
  system.VersionInfo(record);
}

std::string WindowsVersionName(const platform::VersionRecord& record, const std::function<bool()>& serverR2) {
  std::string name = "Unbekannte Windows-Version";
  switch (record.platformId) {
    case 0:
      name = "Win32s";
      break;
    case 1:
      if (record.major == 4 && record.minor == 0) name = "Windows 95";
      if (record.major == 4 && record.minor == 10) name = "Windows 98";
      if (record.major == 4 && record.minor == 90) name = "Windows Millennium Edition";
      break;
    case 2:
      name = NtName(record, serverR2, name);
      break;
    default:
      break;
  }
  return Trim(name + " " + ui::Cut(record.servicePack, 128));
}

std::string GetWindowsVersionName(platform::Platform& system) {
  platform::VersionRecord record;
  GetOsVersionInfo(system, record);
  return WindowsVersionName(record, [&] { return system.GetSystemMetrics(platform::kSmServerR2) != 0; });
}

bool IsWow64(platform::Platform& system) {
  switch (system.IsWow64Process()) {
    case platform::Wow64Query::kFunctionMissing:
      return false;
    case platform::Wow64Query::kCallFailed:
      throw ESystemError("IsWow64: bad process handle");
    case platform::Wow64Query::kYes:
      return true;
    case platform::Wow64Query::kNo:
      break;
  }
  return false;
}

}  // namespace z_global
