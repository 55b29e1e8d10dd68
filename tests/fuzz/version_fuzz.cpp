// The Windows version name for any version record: always one of the known names (on the NT line with
// " Home Edition" when the personal suite bit is set), followed by the service-pack text when there is
// one (from Windows 8 on, by the feature release when there is none), with nothing blank or below at
// either end; the R2 question is asked for version 5.2 of the NT line only, the release only where it
// is shown; and the system query falls back to the basic record the way a refused extended record
// demands.
//
// Input: numbers "platform major minor product-type suite-mask server-R2 extended-refused build"
// (digits), then the service-pack text, then the feature release; separated by a zero byte.
#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "base/utf.h"
#include "fakes/fake_platform.h"
#include "fuzz_input.h"
#include "z_global/system_info.h"

namespace {

constexpr std::array<std::string_view, 26> kNames = {"Unbekannte Windows-Version",
                                                     "Win32s",
                                                     "Windows 95",
                                                     "Windows 98",
                                                     "Windows Millennium Edition",
                                                     "Windows NT",
                                                     "Windows 2000",
                                                     "Windows XP",
                                                     "Windows Server 2003 \"R2\"",
                                                     "Windows XP x64",
                                                     "Windows Home Server",
                                                     "Windows Server 2003",
                                                     "Windows Vista",
                                                     "Windows Server 2008",
                                                     "Windows 7",
                                                     "Windows Server 2008 R2",
                                                     "Windows 8",
                                                     "Windows Server 2012",
                                                     "Windows 8.1",
                                                     "Windows Server 2012 R2",
                                                     "Windows 10",
                                                     "Windows 11",
                                                     "Windows Server 2016",
                                                     "Windows Server 2019",
                                                     "Windows Server 2022",
                                                     "Windows Server 2025"};

constexpr std::string_view kHome = " Home Edition";

bool Known(std::string_view name) {
  return std::find(kNames.begin(), kNames.end(), name) != kNames.end();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fake::FakePlatform system;
  const std::vector<std::string> parts = fuzz::Parts(data, size, 3);
  const std::vector<std::uint64_t> n = fuzz::Numbers(parts[0]);

  platform::VersionRecord record;
  record.size = 156;
  record.platformId = static_cast<std::uint32_t>(fuzz::NumberAt(n, 0, 2));
  record.major = static_cast<std::uint32_t>(fuzz::NumberAt(n, 1, 6));
  record.minor = static_cast<std::uint32_t>(fuzz::NumberAt(n, 2, 1));
  record.productType = static_cast<std::uint8_t>(fuzz::NumberAt(n, 3, 1));
  record.suiteMask = static_cast<std::uint16_t>(fuzz::NumberAt(n, 4, 0));
  const bool serverR2 = fuzz::NumberAt(n, 5, 0) % 2 == 1;
  const bool extendedRefused = fuzz::NumberAt(n, 6, 0) % 2 == 1;
  record.build = static_cast<std::uint32_t>(fuzz::NumberAt(n, 7, 7601));
  record.servicePack = parts[1];
  const std::string& release = parts[2];
  const auto noRelease = [] { return std::string(); };

  int asked = 0, releaseAsked = 0;
  const std::string name = z_global::WindowsVersionName(
      record,
      [&] {
        ++asked;
        return serverR2;
      },
      [&] {
        ++releaseAsked;
        return release;
      });
  const bool nt52 = record.platformId == 2 && record.major == 5 && record.minor == 2;
  fuzz::Check(asked == (nt52 ? 1 : 0), "the R2 question is asked for NT 5.2 only, once");

  platform::VersionRecord bare = record;
  bare.servicePack.clear();
  const std::string plain = z_global::WindowsVersionName(
      bare, [&] { return serverR2; }, noRelease);
  const bool home = record.platformId == 2 && (record.suiteMask & 0x200) != 0;
  const bool endsHome = plain.size() > kHome.size() && plain.ends_with(kHome);
  fuzz::Check(endsHome == home, "Home Edition follows the personal suite bit on the NT line");
  fuzz::Check(Known(home ? std::string_view(plain).substr(0, plain.size() - kHome.size()) : plain),
              "the name is a known one");
  if (record.platformId > 2) fuzz::Check(plain == kNames[0], "an unknown platform gives the unknown name");

  // The ends of the whole text are trimmed, so blanks at the start of the service-pack text stay.
  const auto trimmedEnd = [](std::string text) {
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= 32) text.pop_back();
    return text;
  };
  std::string servicePack = trimmedEnd(std::string(base::Utf16Prefix(record.servicePack, 128)));
  const bool modern =
      record.platformId == 2 && (record.major > 6 || (record.major == 6 && record.minor >= 2));
  const bool showsRelease = modern && servicePack.find_first_not_of(" \t\r\n") == std::string::npos;
  fuzz::Check(releaseAsked == (showsRelease ? 1 : 0),
              "the release is asked only where there is no service pack");
  if (showsRelease) servicePack = trimmedEnd(release);
  fuzz::Check(name == (servicePack.empty() ? plain : plain + " " + servicePack),
              "the name is followed by the service pack of at most 128 characters, or by the release");
  fuzz::Check(!name.empty() && static_cast<unsigned char>(name.front()) > 32 &&
                  static_cast<unsigned char>(name.back()) > 32,
              "nothing blank at either end");

  // The system query: a refused extended record leaves the suite mask and product type zero.
  system.version = record;
  system.extendedVersionFails = extendedRefused;
  system.metrics[platform::kSmServerR2] = serverR2 ? 1 : 0;
  platform::VersionRecord basic = record;
  if (extendedRefused) {
    basic.suiteMask = 0;
    basic.productType = 0;
  }
  fuzz::Check(z_global::GetWindowsVersionName(system) == z_global::WindowsVersionName(
                                                             basic, [&] { return serverR2; }, noRelease),
              "the query names the record the system filled");
  system.versionSizesAsked.clear();
  return 0;
}
