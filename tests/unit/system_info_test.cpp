// The system queries: the Windows version name, the domain, the Windows folder and the bitness, with
// the errors they raise.
#include <gtest/gtest.h>

#include "fakes/fake_platform.h"
#include "z_global/system_info.h"

namespace {

using z_global::WindowsVersionName;

platform::VersionRecord Version(std::uint32_t platformId, std::uint32_t major, std::uint32_t minor,
                                std::uint8_t productType = 1, std::uint16_t suite = 0, std::string sp = "",
                                std::uint32_t build = 0) {
  platform::VersionRecord v;
  v.platformId = platformId;
  v.major = major;
  v.minor = minor;
  v.productType = productType;
  v.suiteMask = suite;
  v.servicePack = std::move(sp);
  v.build = build;
  return v;
}

const auto kNoR2 = [] { return false; };

std::string NameOf(const platform::VersionRecord& version, const std::function<bool()>& r2 = kNoR2,
                   std::string release = "") {
  return WindowsVersionName(version, r2, [&] { return release; });
}

TEST(WindowsVersionName, NamesEveryKnownVersion) {
  struct Case {
    platform::VersionRecord version;
    const char* name;
  };
  const Case cases[] = {
      {Version(0, 3, 10), "Win32s"},
      {Version(1, 4, 0), "Windows 95"},
      {Version(1, 4, 10), "Windows 98"},
      {Version(1, 4, 90), "Windows Millennium Edition"},
      {Version(1, 4, 5), "Unbekannte Windows-Version"},
      {Version(2, 4, 0), "Windows NT"},
      {Version(2, 5, 0), "Windows 2000"},
      {Version(2, 5, 1), "Windows XP"},
      {Version(2, 5, 2, 1), "Windows XP x64"},
      {Version(2, 5, 2, 3, 0x8000), "Windows Home Server"},
      {Version(2, 5, 2, 3, 0x8010), "Windows Server 2003"},
      {Version(2, 5, 2, 2), "Windows Server 2003"},
      {Version(2, 6, 0, 1), "Windows Vista"},
      {Version(2, 6, 0, 3), "Windows Server 2008"},
      {Version(2, 6, 1, 1), "Windows 7"},
      {Version(2, 6, 1, 2), "Windows Server 2008 R2"},
      {Version(3, 6, 1, 1), "Unbekannte Windows-Version"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(NameOf(c.version), c.name)
        << c.version.platformId << " " << c.version.major << "." << c.version.minor;
}

TEST(WindowsVersionName, TestsR2BeforeTheProductTypeAndAsksOnlyFor52) {
  int asked = 0;
  const auto r2 = [&] {
    ++asked;
    return true;
  };
  EXPECT_EQ(NameOf(Version(2, 5, 2, 1), r2), "Windows Server 2003 \"R2\"");
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(NameOf(Version(2, 6, 1, 1), r2), "Windows 7");
  EXPECT_EQ(asked, 1);
}

TEST(WindowsVersionName, AppendsHomeEditionAndTheServicePack) {
  EXPECT_EQ(NameOf(Version(2, 5, 1, 1, 0x200, "Service Pack 3")), "Windows XP Home Edition Service Pack 3");
  EXPECT_EQ(NameOf(Version(2, 10, 1, 1, 0x300, "Service Pack 1")),
            "Unbekannte Windows-Version Home Edition Service Pack 1");
  EXPECT_EQ(NameOf(Version(1, 4, 10, 0, 0x200)), "Windows 98");  // only the NT family
  EXPECT_EQ(NameOf(Version(2, 6, 1, 1, 0, "")), "Windows 7");    // no trailing blank
  EXPECT_EQ(NameOf(Version(2, 6, 1, 1, 0, "  \t Service Pack 1 \r\n")), "Windows 7   \t Service Pack 1");
  EXPECT_EQ(NameOf(Version(2, 6, 1, 1, 0, std::string(200, 'S'))).size(), 10u + 128u);
}

// From Windows 8 on: by version, product type and build, with the feature release where the system
// names no service pack.
TEST(WindowsVersionName, NamesTodaysWindowsWithTheirRelease) {
  struct Case {
    platform::VersionRecord version;
    const char* release;
    const char* name;
  };
  const Case cases[] = {
      {Version(2, 6, 2, 1, 0, "", 9200), "", "Windows 8"},
      {Version(2, 6, 2, 3, 0, "", 9200), "", "Windows Server 2012"},
      {Version(2, 6, 3, 1, 0, "", 9600), "", "Windows 8.1"},
      {Version(2, 6, 3, 2, 0, "", 9600), "", "Windows Server 2012 R2"},
      {Version(2, 10, 0, 1, 0, "", 19045), "22H2", "Windows 10 22H2"},
      {Version(2, 10, 0, 1, 0, "", 21999), "", "Windows 10"},
      {Version(2, 10, 0, 1, 0, "", 22000), "21H2", "Windows 11 21H2"},
      {Version(2, 10, 0, 1, 0x200, "", 22631), "23H2", "Windows 11 Home Edition 23H2"},
      {Version(2, 10, 0, 3, 0, "", 14393), "1607", "Windows Server 2016 1607"},
      {Version(2, 10, 0, 3, 0, "", 17762), "", "Windows Server 2016"},
      {Version(2, 10, 0, 3, 0, "", 17763), "1809", "Windows Server 2019 1809"},
      {Version(2, 10, 0, 2, 0, "", 20347), "", "Windows Server 2019"},
      {Version(2, 10, 0, 3, 0, "", 20348), "21H2", "Windows Server 2022 21H2"},
      {Version(2, 10, 0, 3, 0, "", 26099), "", "Windows Server 2022"},
      {Version(2, 10, 0, 3, 0, "", 26100), "24H2", "Windows Server 2025 24H2"},
      {Version(2, 10, 1, 1, 0, "", 30000), "", "Unbekannte Windows-Version"},
      {Version(2, 11, 0, 1, 0, "", 30000), "26H1", "Unbekannte Windows-Version 26H1"},
      {Version(2, 6, 3, 1, 0, "Service Pack 1", 9600), "2009", "Windows 8.1 Service Pack 1"},
      {Version(2, 6, 1, 1, 0, "", 7600), "2009", "Windows 7"},  // no release before Windows 8
  };
  for (const Case& c : cases)
    EXPECT_EQ(NameOf(c.version, kNoR2, c.release), c.name)
        << c.version.major << "." << c.version.minor << " " << c.version.build;
}

// Without a compatibility manifest the system says 6.2 from Windows 8 on; the true version and the
// feature release come from RtlGetVersion and the registry, asked only then.
TEST(GetWindowsVersionName, AsksTheTrueVersionFromWindows8On) {
  fake::FakePlatform system;
  system.version = Version(2, 6, 2, 1, 0, "", 9200);
  system.trueVersion = Version(2, 10, 0, 1, 0, "", 22631);
  const std::string key = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
  system.registry[key]["ReleaseId"] = {platform::kRegSz, {'2', '0', '0', '9', 0}};
  EXPECT_EQ(z_global::GetWindowsVersionName(system), "Windows 11 2009");
  system.registry[key]["DisplayVersion"] = {platform::kRegSz, {'2', '3', 'H', '2', 0}};
  EXPECT_EQ(z_global::GetWindowsVersionName(system), "Windows 11 23H2");
  EXPECT_EQ(system.openKeys, 0);
  system.trueVersion.reset();  // no RtlGetVersion: the record the system gave
  EXPECT_EQ(z_global::GetWindowsVersionName(system), "Windows 8 23H2");
  system.registry.clear();
  EXPECT_EQ(z_global::GetWindowsVersionName(system), "Windows 8");
  system.version = Version(2, 6, 1, 1, 0, "Service Pack 1", 7601);
  system.trueVersion = Version(2, 10, 0, 1, 0, "", 22631);
  system.registryLog.clear();
  EXPECT_EQ(z_global::GetWindowsVersionName(system), "Windows 7 Service Pack 1");
  EXPECT_TRUE(system.registryLog.empty());
}

TEST(GetWindowsVersionName, FallsBackToTheBasicRecordWhenTheExtendedOneIsRefused) {
  fake::FakePlatform system;
  system.version = Version(2, 6, 0, 1, 0, "Service Pack 2");
  EXPECT_EQ(z_global::GetWindowsVersionName(system), "Windows Vista Service Pack 2");
  system.extendedVersionFails = true;
  system.versionSizesAsked.clear();
  // The basic record has no product type: a 6.0 system then reads as a server.
  EXPECT_EQ(z_global::GetWindowsVersionName(system), "Windows Server 2008 Service Pack 2");
  EXPECT_EQ(system.versionSizesAsked, (std::vector<std::uint32_t>{156, 148}));
}

TEST(GetUserDomain, GivesTheDomainOfTheAccountAndClosesTheToken) {
  fake::FakePlatform system;
  EXPECT_EQ(z_global::GetUserDomain(system), "WERKSTATT");
  EXPECT_EQ(system.openTokens, 0);
  system.lookupFails = true;
  EXPECT_EQ(z_global::GetUserDomain(system), "");
  system.tokenOpenFails = true;
  EXPECT_EQ(z_global::GetUserDomain(system), "");
  EXPECT_EQ(system.openTokens, 0);
}

TEST(GetUserDomain, RaisesTheSystemErrorWhenTheTokenCannotBeRead) {
  fake::FakePlatform system;
  system.tokenUserError = 5;
  try {
    z_global::GetUserDomain(system);
    FAIL() << "no error";
  } catch (const z_global::ESystemError& error) {
    EXPECT_STREQ(error.what(), "Win32-Fehler. Code: 5.\nZugriff verweigert.");
  }
  EXPECT_EQ(system.openTokens, 0);  // closed on the way out
}

TEST(GetWindowsDir, RaisesTheSystemErrorOrTheFixedTextForCodeZero) {
  fake::FakePlatform system;
  EXPECT_EQ(z_global::GetWindowsDir(system), "C:\\WINDOWS");
  system.windowsDirectoryError = 87;
  system.systemMessages[87] = "Falscher Parameter.\r\n";
  EXPECT_THROW(
      {
        try {
          z_global::GetWindowsDir(system);
        } catch (const z_global::ESystemError& e) {
          EXPECT_STREQ(e.what(), "Win32-Fehler. Code: 87.\nFalscher Parameter.");
          throw;
        }
      },
      z_global::ESystemError);
  EXPECT_EQ(z_global::SystemErrorText(system, 0), "Eine Win32-API-Funktion ist fehlgeschlagen");
}

TEST(IsWow64, IsFalseWithoutTheFunctionAndRaisesWhenTheCallFails) {
  fake::FakePlatform system;
  system.wow64 = platform::Wow64Query::kFunctionMissing;
  EXPECT_FALSE(z_global::IsWow64(system));
  system.wow64 = platform::Wow64Query::kYes;
  EXPECT_TRUE(z_global::IsWow64(system));
  system.wow64 = platform::Wow64Query::kNo;
  EXPECT_FALSE(z_global::IsWow64(system));
  system.wow64 = platform::Wow64Query::kCallFailed;
  try {
    z_global::IsWow64(system);
    FAIL() << "no error";
  } catch (const z_global::ESystemError& error) {
    EXPECT_STREQ(error.what(), "IsWow64: bad process handle");
  }
}

TEST(GetComputerNameText, IsEmptyWhenTheQueryFails) {
  fake::FakePlatform system;
  EXPECT_EQ(z_global::GetComputerNameText(system), "PC01");
  system.computerName.reset();
  EXPECT_EQ(z_global::GetComputerNameText(system), "");
}

}  // namespace
