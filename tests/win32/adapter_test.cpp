// The Win32 adapters against what Wine really does: drives, paths, the version record, folders,
// account queries, the profile functions and the registry.
#include <windows.h>
// After windows.h:
#include <commdlg.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "e2e/stand_in.h"
#include "platform/win32/wide.h"
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

  EXPECT_FALSE(system.EnvironmentVariable("MORVELA_NICHT_GESETZT"));
  EXPECT_NE(system.EnvironmentVariable("PATH").value_or("").find('\\'), std::string::npos);

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

// A settings file in the code page, both ways; into it exactly, never with a look-alike.
TEST(Adapters, ConvertTheCodePageExactly) {
  EXPECT_EQ(system.AnsiToUtf8("Gr\xF6\xDF"
                              "e \x80"),
            "Größe €");
  EXPECT_EQ(system.Utf8ToAnsi("Größe €"), std::optional<std::string>("Gr\xF6\xDF"
                                                                     "e \x80"));
  EXPECT_EQ(system.Utf8ToAnsi("ｓｅtup.exe"), std::nullopt);
  EXPECT_EQ(system.Utf8ToAnsi("Łódź"), std::nullopt);
}

// The program's own command line as the system keeps it, quotes and all.
TEST(Adapters, ReadTheCommandLineWhole) {
  EXPECT_EQ(system.CommandLine(), w32::Utf8(GetCommandLineW()));
  EXPECT_NE(system.CommandLine().find("win32_tests"), std::string::npos);
}

TEST(Adapters, ReadAndWriteTheProfileFile) {
  const std::string path = TempFolder() + "morvela_adapter_test.ini";
  DeleteFileA(path.c_str());
  EXPECT_EQ(system.ProfileRead("SpeedButton1", "Text", "", path), "");
  EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);  // a read creates nothing
  ASSERT_TRUE(system.ProfileWrite("SpeedButton1", "Text", "Editor", path).ok);
  ASSERT_TRUE(system.ProfileWrite("SpeedButton1", "Hint", "", path).ok);
  EXPECT_EQ(system.ProfileRead("speedbutton1", "TEXT", "", path), "Editor");
  EXPECT_EQ(system.ProfileRead("SpeedButton1", "Hint", "x", path), "");
  ASSERT_TRUE(system.ProfileWrite("SpeedButton2", "Pfad", std::string(3000, 'p'), path).ok);
  EXPECT_EQ(system.ProfileRead("SpeedButton2", "Pfad", "", path), std::string(2047, 'p'));
  const platform::CallResult missing = system.ProfileWrite("S", "K", "V", "C:\\gibt\\es\\nicht\\x.ini");
  EXPECT_FALSE(missing.ok);
  EXPECT_NE(missing.error, 0u);  // the system's reason, for the write error
  ASSERT_TRUE(system.WriteFileContent(path, "[A]\r\nk=\xC3\xA4\r\n").ok);
  ASSERT_TRUE(system.WriteFileContent(path, "kurz").ok);  // the whole content: nothing of the longer remains
  EXPECT_EQ(system.ReadFileStart(path, 100), std::optional<std::string>("kurz"));
  DeleteFileA(path.c_str());
}

TEST(Adapters, CreateReadAndWriteRegistryValues) {
  platform::Handle key = 0;
  ASSERT_TRUE(
      system.CreateRegKey(platform::RegRoot::kLocalMachine, "\\SOFTWARE\\Morvela-Test\\Adapter", key));
  EXPECT_TRUE(system.RegSetDword(key, "Form1.Left", static_cast<std::uint32_t>(-10)));
  EXPECT_TRUE(system.RegSetString(key, "Form1.Caption", "Morvela"));
  const platform::RegValue left = system.RegReadValue(key, "Form1.Left", 4);
  EXPECT_EQ(left.status, platform::RegValue::Status::kOk);
  EXPECT_EQ(left.type, static_cast<std::uint32_t>(REG_DWORD));
  ASSERT_EQ(left.data.size(), 4u);
  EXPECT_EQ(left.data[0], 0xF6);
  EXPECT_EQ(system.RegReadValue(key, "Form1.Caption", 4).status, platform::RegValue::Status::kMoreData);
  EXPECT_EQ(system.RegReadValue(key, "Form1.Missing", 4).status, platform::RegValue::Status::kMissing);
  EXPECT_TRUE(system.RegSetString(key, "Name", "Łódź"));  // a text comes back in UTF-8, with its zero
  const platform::RegValue name = system.RegReadValue(key, "Name", 64);
  EXPECT_EQ(std::string(name.data.begin(), name.data.end()), std::string("Łódź", sizeof "Łódź"));
  system.RegCloseKey(key);
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Morvela-Test\\Adapter");
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Morvela-Test");
}

// The launch, the logon check and the printer list as the system receives them from the adapter. Wine
// cannot make these calls for real, so the stand-in of the end-to-end tests takes their place, here in
// this process. Empty texts arrive as empty strings, not as null pointers.
TEST(Adapters, HandLaunchLogonAndPrinterListToTheSystemAsGiven) {
  const std::string printers = TempFolder() + "morvela_adapter_printers.txt";
  HANDLE file = CreateFileA(printers.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  const std::string lines = "Laser 1\r\n\\\\srv\\Farbe\r\n";
  DWORD written = 0;
  WriteFile(file, lines.data(), static_cast<DWORD>(lines.size()), &written, nullptr);
  CloseHandle(file);
  e2e::standin::Session session("geheim", printers);
  ASSERT_TRUE(session.InstallHere());

  std::u16string user = u"Administrator", domain = u"", password = u"geheim", command = u"notepad.exe";
  std::u16string directory = u"C:\\windows";
  platform::StartupRecord startup{68};
  platform::LogonLaunch launch;
  launch.user = user.c_str();
  launch.domain = domain.c_str();
  launch.password = password.c_str();
  launch.commandLine = command.data();
  launch.currentDirectory = directory.c_str();
  launch.startup = &startup;
  ASSERT_TRUE(system.CreateProcessWithLogon(launch).ok);
  const e2e::standin::Record started = session.Calls(e2e::standin::kLaunch).at(0);
  EXPECT_EQ(e2e::standin::Narrow(started.user), "Administrator");
  EXPECT_TRUE(started.domain.present);
  EXPECT_EQ(e2e::standin::Narrow(started.domain), "");
  EXPECT_EQ(started.password, e2e::standin::SecretOf("geheim"));
  EXPECT_EQ(e2e::standin::Narrow(started.commandLine), "notepad.exe");
  EXPECT_TRUE(started.commandWritable);
  EXPECT_EQ(e2e::standin::Narrow(started.directory), "C:\\windows");
  EXPECT_FALSE(started.application.present);
  EXPECT_EQ(started.startupSize, 68u);
  EXPECT_TRUE(started.startupRestZero);
  EXPECT_TRUE(e2e::standin::Closed(started.handles[0])) << "the process handle is kept";
  EXPECT_TRUE(e2e::standin::Closed(started.handles[1])) << "the thread handle is kept";
  password = u"falsch";
  launch.password = password.c_str();
  const platform::CallResult refused = system.CreateProcessWithLogon(launch);
  EXPECT_FALSE(refused.ok);
  EXPECT_EQ(refused.error, static_cast<std::uint32_t>(ERROR_LOGON_FAILURE));

  platform::Handle token = 0;
  const platform::CallResult wrong = system.Logon(u"Administrator", u"", u"falsch", 2, 0, token);
  EXPECT_FALSE(wrong.ok);
  EXPECT_EQ(wrong.error, static_cast<std::uint32_t>(ERROR_LOGON_FAILURE));
  ASSERT_TRUE(system.Logon(u"Administrator", u"", u"geheim", 2, 0, token).ok);
  const e2e::standin::Record logon = session.Calls(e2e::standin::kLogon).at(1);
  EXPECT_EQ(e2e::standin::Narrow(logon.user), "Administrator");
  EXPECT_TRUE(logon.domain.present);
  EXPECT_EQ(e2e::standin::Narrow(logon.domain), "");
  EXPECT_EQ(logon.password, e2e::standin::SecretOf("geheim"));
  EXPECT_EQ(logon.logonType, 2u);
  EXPECT_EQ(logon.provider, 0u);
  EXPECT_EQ(logon.token, token);
  EXPECT_TRUE(system.ImpersonateLoggedOnUser(token).ok);
  EXPECT_EQ(session.Calls(e2e::standin::kImpersonate).at(0).token, token);
  system.CloseHandle(token);
  EXPECT_TRUE(system.RevertToSelf());
  EXPECT_FALSE(session.Calls(e2e::standin::kRevert).at(0).tokenOpen);

  // The printer list: asked for its size, then filled.
  const platform::PrinterEnumeration listed = system.PrinterNames(6);
  EXPECT_EQ(listed.names, (std::vector<std::string>{"Laser 1", "\\\\srv\\Farbe"}));
  const std::vector<e2e::standin::Record> asked = session.Calls(e2e::standin::kEnumPrinters);
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(listed.neededBytes, asked[0].needed);
  EXPECT_EQ(asked[1].bufferSize, asked[0].needed);
  DeleteFileA(printers.c_str());
}

// The helper's calls: started as the account (through the stand-in, which starts it for real), it
// keeps its process handle, whose exit code the adapter reads once it has ended; the shell's "runas"
// gets file, parameters and show command, no directory and no message of its own; a token's elevation
// type is the system's answer, which under Wine is full for every process.
TEST(Adapters, StartTheHelperReadItsExitCodeAndAskTheShellForRaisedRights) {
  e2e::standin::Session session("geheim");
  ASSERT_TRUE(session.InstallHere());
  session.StartAnyFile();
  char folder[MAX_PATH] = "";
  GetSystemDirectoryA(folder, MAX_PATH);
  const std::string shell = std::string(folder) + "\\cmd.exe";
  secret::Wide user(u"Administrator"), password(u"geheim");
  secret::Wide application(base::Utf8ToUtf16(shell)),
      command(base::Utf8ToUtf16("\"" + shell + "\" /c exit 7"));
  platform::StartupRecord startup{68};
  platform::LogonLaunch launch;
  launch.user = user.c_str();
  launch.password = password.c_str();
  launch.applicationName = application.c_str();
  launch.commandLine = command.data();
  launch.startup = &startup;
  platform::Handle process = 0;
  ASSERT_TRUE(system.StartWithLogon(launch, process).ok);
  ASSERT_NE(process, 0u);
  system.WaitForExit(process);
  EXPECT_EQ(system.ExitCodeOf(process), std::optional<std::uint32_t>(7));
  system.CloseHandle(process);

  platform::Handle none = 0;
  EXPECT_TRUE(
      system.ShellRunAs({0x1234, "C:\\W\\mmc.exe", "\"C:\\x.msc\"", "C:\\W\\", SW_SHOWNORMAL, false}, none)
          .ok);
  const e2e::standin::Record runAs = session.Calls(e2e::standin::kRunAs).back();
  EXPECT_EQ(e2e::standin::Narrow(runAs.verb), "runas");
  EXPECT_EQ(e2e::standin::Narrow(runAs.application), "C:\\W\\mmc.exe");
  EXPECT_EQ(e2e::standin::Narrow(runAs.commandLine), "\"C:\\x.msc\"");
  EXPECT_EQ(e2e::standin::Narrow(runAs.directory), "C:\\W\\");
  EXPECT_EQ(runAs.owner, 0x1234u);
  EXPECT_EQ(runAs.show, static_cast<DWORD>(SW_SHOWNORMAL));
  EXPECT_TRUE(runAs.flags & SEE_MASK_FLAG_NO_UI);
  EXPECT_FALSE(runAs.flags & SEE_MASK_NOCLOSEPROCESS);

  EXPECT_FALSE(system.EnvironmentVariable("MORVELA_NICHT_GESETZT"));
  EXPECT_NE(system.EnvironmentVariable("PATH").value_or("").find('\\'), std::string::npos);

  platform::Handle token = 0;
  std::uint32_t error = 0;
  ASSERT_TRUE(system.OpenProcessTokenRead(token, error));
  EXPECT_EQ(system.TokenElevationType(token), platform::ElevationType::kFull);
  system.CloseHandle(token);
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
