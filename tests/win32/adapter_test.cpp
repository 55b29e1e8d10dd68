// The Win32 adapters against what Wine really does: drives, paths, the version record, folders,
// account queries, the profile functions and the registry.
#include <windows.h>
// After windows.h:
#include <commdlg.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/win32_platform.h"

namespace {

platform::Win32Platform system;

std::string TempFolder() {
  char buffer[MAX_PATH];
  GetTempPathA(MAX_PATH, buffer);
  return buffer;
}

TEST(Adapters, ReportDriveTypes) {
  EXPECT_EQ(system.DriveType("C:\\"), static_cast<unsigned>(DRIVE_FIXED));
  EXPECT_EQ(system.DriveType("c:\\"), static_cast<unsigned>(DRIVE_FIXED));
  EXPECT_EQ(system.DriveType("Q:\\"), static_cast<unsigned>(DRIVE_NO_ROOT_DIR));
}

TEST(Adapters, MakePathsAbsolute) {
  EXPECT_EQ(system.FullPathName("C:\\a\\..\\b\\c.exe").text, "C:\\b\\c.exe");
  const platform::TextResult current = system.CurrentDirectory();
  ASSERT_TRUE(current.ok);
  const std::string expected = current.text + (current.text.back() == '\\' ? "" : "\\") + "mmc.exe";
  EXPECT_EQ(system.FullPathName("mmc.exe").text, expected);
  EXPECT_FALSE(system.FullPathName("C:\\" + std::string(300, 'x')).ok);           // longer than the buffer
  EXPECT_FALSE(system.GetUniversalName("C:\\windows\\notepad.exe").has_value());  // not on a share
}

TEST(Adapters, FillTheExtendedAndTheBasicVersionRecord) {
  platform::VersionRecord extended;
  extended.size = 156;
  ASSERT_TRUE(system.VersionInfo(extended));
  EXPECT_EQ(extended.platformId, 2u);
  EXPECT_EQ(extended.major, 6u);
  EXPECT_EQ(extended.minor, 1u);
  EXPECT_EQ(extended.servicePack, "Service Pack 1");
  EXPECT_EQ(extended.productType, 1u);
  platform::VersionRecord basic;
  basic.size = 148;
  ASSERT_TRUE(system.VersionInfo(basic));
  EXPECT_EQ(basic.major, 6u);
  platform::VersionRecord wrong;
  wrong.size = 20;
  EXPECT_FALSE(system.VersionInfo(wrong));
}

TEST(Adapters, NameFoldersComputerAndAccount) {
  const platform::TextResult windows = system.WindowsDirectory();
  ASSERT_TRUE(windows.ok);
  EXPECT_EQ(lstrcmpiA(windows.text.c_str(), "C:\\windows"), 0) << windows.text;
  EXPECT_TRUE(system.DirectoryExists(windows.text));
  EXPECT_FALSE(system.FileExists(windows.text));
  EXPECT_TRUE(system.FileExists(windows.text + "\\system32\\kernel32.dll"));
  std::string computer;
  ASSERT_TRUE(system.ComputerName(computer));
  EXPECT_FALSE(computer.empty());
  EXPECT_NE(system.IsWow64Process(), platform::Wow64Query::kCallFailed);
  EXPECT_NE(system.ModuleFileName().find("win32_tests.exe"), std::string::npos);

  platform::Handle token = 0;
  std::uint32_t error = 0;
  ASSERT_TRUE(system.OpenProcessTokenRead(token, error));
  std::vector<std::uint8_t> buffer(1000);
  ASSERT_TRUE(system.GetTokenUser(token, buffer, error));
  std::string account, domain;
  EXPECT_TRUE(system.LookupAccountOfTokenUser(buffer, account, domain));
  EXPECT_FALSE(domain.empty());
  system.CloseHandle(token);
  EXPECT_FALSE(system.SystemErrorMessage(ERROR_ACCESS_DENIED).empty());
}

TEST(Adapters, ConvertTheAnsiCodePageToWideText) {
  const secret::Wide wide = system.AnsiToWide("Ausf\xFChren");
  EXPECT_EQ(std::u16string(wide.view()), u"Ausf\u00FChren");
  EXPECT_EQ(system.AnsiToWide("").size(), 0u);
  EXPECT_NE(system.AnsiToWide("").c_str(), nullptr);
}

TEST(Adapters, ReadAndWriteTheProfileFile) {
  const std::string path = TempFolder() + "morvela_adapter_test.ini";
  DeleteFileA(path.c_str());
  EXPECT_EQ(system.ProfileRead("SpeedButton1", "Text", "", path), "");
  EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);  // a read creates nothing
  ASSERT_TRUE(system.ProfileWrite("SpeedButton1", "Text", "Editor", path));
  ASSERT_TRUE(system.ProfileWrite("SpeedButton1", "Hint", "", path));
  EXPECT_EQ(system.ProfileRead("speedbutton1", "TEXT", "", path), "Editor");
  EXPECT_EQ(system.ProfileRead("SpeedButton1", "Hint", "x", path), "");
  ASSERT_TRUE(system.ProfileWrite("SpeedButton2", "Pfad", std::string(3000, 'p'), path));
  EXPECT_EQ(system.ProfileRead("SpeedButton2", "Pfad", "", path), std::string(2047, 'p'));
  EXPECT_FALSE(system.ProfileWrite("S", "K", "V", "C:\\gibt\\es\\nicht\\x.ini"));
  DeleteFileA(path.c_str());
}

TEST(Adapters, CreateReadAndWriteRegistryValues) {
  platform::Handle key = 0;
  ASSERT_TRUE(system.RegCreateKeyLocalMachine("\\SOFTWARE\\Morvela-Test\\Adapter", key));
  EXPECT_TRUE(system.RegSetDword(key, "Form1.Left", static_cast<std::uint32_t>(-10)));
  EXPECT_TRUE(system.RegSetString(key, "Form1.Caption", "Morvela"));
  const platform::RegValue left = system.RegReadValue(key, "Form1.Left", 4);
  EXPECT_EQ(left.status, platform::RegValue::Status::kOk);
  EXPECT_EQ(left.type, static_cast<std::uint32_t>(REG_DWORD));
  ASSERT_EQ(left.data.size(), 4u);
  EXPECT_EQ(left.data[0], 0xF6);
  EXPECT_EQ(system.RegReadValue(key, "Form1.Caption", 4).status, platform::RegValue::Status::kMoreData);
  EXPECT_EQ(system.RegReadValue(key, "Form1.Missing", 4).status, platform::RegValue::Status::kMissing);
  system.RegCloseKey(key);
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Morvela-Test\\Adapter");
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Morvela-Test");
}

// What Wine does with the calls it cannot do for real; the test-only executable exists because of it.
TEST(Adapters, ShowWhatWineCannotDo) {
  std::u16string user = u"Administrator", domain = u"", password = u"x", command = u"notepad.exe";
  platform::StartupRecord startup{68};
  platform::LogonLaunch launch;
  launch.user = user.c_str();
  launch.domain = domain.c_str();
  launch.password = password.c_str();
  launch.commandLine = command.data();
  launch.startup = &startup;
  EXPECT_FALSE(system.CreateProcessWithLogon(launch));
  platform::Handle token = 0;
  if (system.Logon("Administrator", "", "irgendwas", 2, 0, token)) {
    EXPECT_FALSE(system.ImpersonateLoggedOnUser(token));
    system.CloseHandle(token);
  }
  const platform::PrinterEnumeration printers = system.PrinterNames(6);
  EXPECT_TRUE(printers.names.empty());
}

// The file dialog's and the shell's libraries are loaded at their first use. Until then each import
// aims at the stub that loads the library; an import left empty would end the program at the first
// call. The shell is then really called, with a file that does not exist.
TEST(Adapters, ReachTheLibrariesLoadedAtFirstUse) {
  EXPECT_NE(reinterpret_cast<void*>(&GetOpenFileNameA), nullptr);
  EXPECT_NE(reinterpret_cast<void*>(&ShellExecuteA), nullptr);
  system.ShellOpen(0, "open", TempFolder() + "morvela-gibt-es-nicht.txt", SW_SHOWNORMAL);
  EXPECT_NE(GetModuleHandleA("shell32.dll"), nullptr);
}

}  // namespace
