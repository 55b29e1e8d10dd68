#include "z_global/system_info.h"

#include <vector>

#include "base/text.h"
#include "base/utf.h"

namespace z_global {
namespace {

constexpr std::uint32_t kExtendedVersionSize = 156;
constexpr std::uint32_t kBasicVersionSize = 148;
constexpr std::size_t kTokenUserBuffer = 1000;
constexpr std::uint16_t kSuitePersonal = 0x200;
constexpr std::uint16_t kSuiteHomeServer = 0x8000;
constexpr std::uint8_t kNtWorkstation = 1;

constexpr char kCurrentVersionKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
constexpr std::uint32_t kReleaseValueBytes = 64;
constexpr std::uint32_t kNtPlatform = 2;

// Windows 8 and later: the versions a program without a compatibility manifest is told are 6.2.
bool IsModern(const platform::VersionRecord& v) {
  return v.platformId == kNtPlatform && (v.major > 6 || (v.major == 6 && v.minor >= 2));
}

// Removes every character of code 32 or below from both ends.
std::string Trim(std::string_view text) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= 32) ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 32) --end;
  return std::string(text.substr(begin, end - begin));
}

// The names of the versions from Windows 8 on, which the system reports truly only through
// RtlGetVersion; empty for a version newer than the table knows.
std::string ModernName(const platform::VersionRecord& v) {
  const bool workstation = v.productType == kNtWorkstation;
  if (v.major == 6 && v.minor == 2) return workstation ? "Windows 8" : "Windows Server 2012";
  if (v.major == 6 && v.minor == 3) return workstation ? "Windows 8.1" : "Windows Server 2012 R2";
  if (v.major != 10 || v.minor != 0) return {};
  if (workstation) return v.build >= 22000 ? "Windows 11" : "Windows 10";
  if (v.build >= 26100) return "Windows Server 2025";
  if (v.build >= 20348) return "Windows Server 2022";
  if (v.build >= 17763) return "Windows Server 2019";
  return "Windows Server 2016";
}

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
  if (IsModern(v)) {
    if (std::string modern = ModernName(v); !modern.empty()) name = std::move(modern);
  }
  if (v.suiteMask & kSuitePersonal) name += " Home Edition";
  return name;
}

// The feature release the system names itself with ("23H2"; "1809" before there were half-years).
std::string FeatureRelease(platform::Platform& system) {
  platform::Handle key = 0;
  if (!system.RegOpenKeyLocalMachineRead(kCurrentVersionKey, key)) return {};
  std::string release;
  for (const char* name : {"DisplayVersion", "ReleaseId"}) {
    const platform::RegValue value = system.RegReadValue(key, name, kReleaseValueBytes);
    if (value.status != platform::RegValue::Status::kOk || value.type != platform::kRegSz) continue;
    const std::string text(value.data.begin(), value.data.end());
    release = Trim(text.substr(0, text.find('\0')));
    if (!release.empty()) break;
  }
  system.RegCloseKey(key);
  return release;
}

}  // namespace

std::string FilledInserts(std::string_view message, std::string_view program) {
  std::string out;
  for (std::size_t i = 0; i < message.size(); ++i) {
    if (message[i] != '%' || i + 1 == message.size()) {
      out.push_back(message[i]);
      continue;
    }
    const char next = message[i + 1];
    if (next == '0') break;          // the end of the text
    if (next < '1' || next > '9') {  // "%n" a line break, in a reason on one line a blank; "%%" a "%"
      out.push_back(next == 'n' ? ' ' : next);
      ++i;
      continue;
    }
    std::size_t end = i + 1;
    while (end < message.size() && message[end] >= '0' && message[end] <= '9') ++end;
    const bool first = message.substr(i + 1, end - i - 1) == "1";
    // An insert may carry its printf form after it, "%1!s!".
    if (end < message.size() && message[end] == '!') {
      const std::size_t close = message.find('!', end + 1);
      end = close == std::string_view::npos ? message.size() : close + 1;
    }
    if (first) out += program;
    i = end - 1;
  }
  // A left-out insert leaves its blanks behind.
  std::string tidy;
  for (char c : out)
    if (c != ' ' || (!tidy.empty() && tidy.back() != ' ')) tidy.push_back(c);
  return Trim(tidy);
}

std::string SystemErrorText(platform::Platform& system, std::uint32_t code) {
  if (code == 0) return "Eine Win32-API-Funktion ist fehlgeschlagen";
  return "Win32-Fehler. Code: " + std::to_string(code) + ".\n" +
         FilledInserts(system.SystemErrorMessage(code), {});
}

std::string WithSystemReason(platform::Platform& system, std::string_view text, std::uint32_t code,
                             std::string_view program) {
  std::string message(text);
  if (code == 0) return message;
  const std::string reason = FilledInserts(system.SystemErrorMessage(code), program);
  message += "\n\n";
  if (!reason.empty()) message += reason + " ";
  return message + "(Fehler " + std::to_string(code) + ")";
}

std::string GetUserDomain(platform::Platform& system) {
  platform::Handle token = 0;
  std::uint32_t error = 0;
  if (!system.OpenProcessTokenRead(token, error)) return {};
  const platform::OwnedHandle guard(system, token);  // closed however the query ends
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

std::string WindowsVersionName(const platform::VersionRecord& record, const std::function<bool()>& serverR2,
                               const std::function<std::string()>& featureRelease) {
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
    case kNtPlatform:
      name = NtName(record, serverR2, name);
      break;
    default:
      break;
  }
  // Since Windows 10 there are no service packs; the feature release tells the systems apart instead.
  std::string servicePack(base::Utf16Prefix(record.servicePack, 128));
  if (IsModern(record) && Trim(servicePack).empty()) servicePack = featureRelease();
  return Trim(name + " " + servicePack);
}

std::string GetWindowsVersionName(platform::Platform& system) {
  platform::VersionRecord record;
  GetOsVersionInfo(system, record);
  // A program without a compatibility manifest is told 6.2 from Windows 8 on, whatever it runs on.
  if (IsModern(record)) {
    platform::VersionRecord real = record;
    if (system.TrueVersion(real)) record = real;
  }
  return WindowsVersionName(
      record, [&] { return system.GetSystemMetrics(platform::kSmServerR2) != 0; },
      [&] { return FeatureRelease(system); });
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
