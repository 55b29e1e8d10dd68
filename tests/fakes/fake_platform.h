#pragma once
// A scriptable stand-in for the system: drives, shares, accounts, files, registry and dialogs as a test
// sets them up, and a record of every launch and dialog the program asked for.
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace fake {

// What a launch handed to the system. The password is not kept: only whether it was the accepted one.
struct LaunchRecord {
  std::string user;
  std::string domain;
  std::string commandLine;
  std::optional<std::string> currentDirectory;
  std::uint32_t logonFlags = 0;
  std::uint32_t creationFlags = 0;
  bool applicationNameNull = false;
  std::string applicationName;
  bool environmentNull = false;
  bool domainNull = false;
  bool commandLineWritable = false;
  std::uint32_t startupSize = 0;
  bool passwordAccepted = false;
  // Where the wide buffers lay, to check afterwards that they were wiped before being freed.
  const void* userBuffer = nullptr;
  const void* domainBuffer = nullptr;
  const void* passwordBuffer = nullptr;
  const void* commandBuffer = nullptr;
};

struct LogonRecord {
  std::string user;
  std::string domain;
  bool domainNull = false;
  std::uint32_t logonType = 0;
  std::uint32_t provider = 0;
  bool passwordAccepted = false;
  // Where the texts lay, to check afterwards that the password's buffer was wiped before being freed.
  const void* userBuffer = nullptr;
  const void* domainBuffer = nullptr;
  const void* passwordBuffer = nullptr;
};

// One conversion to wide text: the narrow text it read and the wide buffer it handed back.
class FakePlatform : public platform::Platform {
 public:
  FakePlatform();
  ~FakePlatform() override;

  // --- set-up ---
  std::string acceptedUser = "Administrator";
  std::string acceptedPassword = "Geheim-123";
  std::map<char, unsigned> driveTypes;        // by upper-case letter; others: no root directory
  std::map<std::string, std::string> shares;  // "N:" -> "\\\\server\\share"
  std::set<std::string> unresolvable;         // drive roots whose universal name lookup fails
  std::string currentDirectory = "C:\\Tools";
  bool currentDirectoryFails = false;
  std::string windowsDirectory = "C:\\WINDOWS";
  std::uint32_t windowsDirectoryError = 0;  // nonzero: the call fails with this code
  std::string modulePath = "C:\\Programme\\Morvela\\Morvela.exe";
  // The program's whole command line, as the system keeps it.
  std::string commandLine = "\"C:\\Programme\\Morvela\\Morvela.exe\"";
  std::set<std::string> files;
  std::optional<std::string> pathVariable;  // PATH
  std::set<std::string> directories;
  std::function<bool(platform::OpenFileRequest&)> onOpenFile;  // default: cancelled

  // --- records ---
  std::vector<LaunchRecord> launches;
  std::vector<LogonRecord> logons;
  std::vector<platform::OpenFileRequest> openFileRequests;
  std::vector<std::string> driveRootsAsked;
  int impersonations = 0;
  int reverts = 0;
  int openTokens = 0;  // tokens handed out and not yet closed

  // The account's token, as a logon hands it out; and what the helper does with it.
  platform::ElevationType elevationType = platform::ElevationType::kFull;
  std::uint32_t helperStartError = 0;  // nonzero: the helper cannot be started, with this code
  std::uint32_t helperExitCode = 0;
  std::uint32_t runAsError = 0;         // nonzero: the shell's "runas" fails with this code
  std::vector<std::string> shellRunAs;  // "file|parameters|directory|keep|owner"
  std::vector<platform::Handle> waitedFor;
  int openProcesses = 0;

  // Nonzero: the call fails with this code whatever it is given.
  std::uint32_t launchError = 0;
  std::uint32_t logonError = 0;
  std::uint32_t impersonateError = 0;

  platform::CallResult CreateProcessWithLogon(const platform::LogonLaunch& launch) override;
  platform::CallResult Logon(const char16_t* user, const char16_t* domain, const char16_t* password,
                             std::uint32_t logonType, std::uint32_t provider,
                             platform::Handle& token) override;
  platform::CallResult ImpersonateLoggedOnUser(platform::Handle token) override;
  platform::ElevationType TokenElevationType(platform::Handle token) override;
  // The helper's start, recorded among the launches; its process has ended with helperExitCode.
  platform::CallResult StartWithLogon(const platform::LogonLaunch& launch,
                                      platform::Handle& process) override;
  platform::CallResult ShellRunAs(const platform::ShellRunAsRequest& run, platform::Handle& process) override;
  void WaitForExit(platform::Handle process) override { waitedFor.push_back(process); }
  std::optional<std::uint32_t> ExitCodeOf(platform::Handle process) override;
  // Latin-1 and the euro sign.
  std::optional<std::string> Utf8ToAnsi(std::string_view utf8) override;
  std::string AnsiToUtf8(std::string_view ansi) override;
  bool RevertToSelf() override;
  void CloseHandle(platform::Handle handle) override;

  unsigned DriveType(const std::string& root) override;
  platform::TextResult FullPathName(const std::string& path) override;
  std::optional<std::string> GetUniversalName(const std::string& path) override;
  platform::TextResult CurrentDirectory() override;
  platform::TextResult WindowsDirectory() override;
  platform::TextResult SystemDirectory() override { return {true, windowsDirectory + "\\system32", 0}; }
  bool FileExists(const std::string& path) override;
  bool DirectoryExists(const std::string& path) override;
  std::string ModuleFileName() override { return modulePath; }
  std::optional<std::string> EnvironmentVariable(const std::string& name) override {
    return name == "PATH" ? pathVariable : std::nullopt;
  }
  std::optional<std::string> ReadFileStart(const std::string& path, std::size_t maxBytes) override;
  platform::CallResult WriteFileContent(const std::string& path, const std::string& content) override;
  std::string CommandLine() override { return commandLine; }

  // Close to the user's language: punctuation first, then digits, then letters without regard to case,
  // an accented letter beside its plain one.
  int CompareText(const std::string& a, const std::string& b) override;
  std::string SystemErrorMessage(std::uint32_t code) override;
  bool OpenProcessTokenRead(platform::Handle& token, std::uint32_t& error) override;
  bool GetTokenUser(platform::Handle token, std::vector<std::uint8_t>& buffer, std::uint32_t& error) override;
  bool LookupAccountOfTokenUser(const std::vector<std::uint8_t>& tokenUser, std::string& account,
                                std::string& domain) override;
  bool ComputerName(std::string& name) override;
  bool VersionInfo(platform::VersionRecord& record) override;
  bool TrueVersion(platform::VersionRecord& record) override;
  int GetSystemMetrics(int index) override;
  platform::Wow64Query IsWow64Process() override { return wow64; }
  std::optional<std::string> UserName() override { return userName; }

  std::string ProfileRead(const std::string& section, const std::string& key, const std::string& fallback,
                          const std::string& path) override;
  platform::CallResult ProfileWrite(const std::string& section, const std::string& key,
                                    const std::string& value, const std::string& path) override;
  bool CreateRegKey(platform::RegRoot root, const std::string& path, platform::Handle& key) override;
  bool OpenRegKeyRead(platform::RegRoot root, const std::string& path, platform::Handle& key) override;
  bool RegOpenKeyLocalMachineRead(const std::string& path, platform::Handle& key) override;
  platform::RegValue RegReadValue(platform::Handle key, const std::string& name,
                                  std::uint32_t maxBytes) override;
  bool RegSetDword(platform::Handle key, const std::string& name, std::uint32_t value) override;
  bool RegSetString(platform::Handle key, const std::string& name, const std::string& value) override;
  void RegCloseKey(platform::Handle key) override;

  platform::PrinterEnumeration PrinterNames(std::uint32_t flags) override;
  void ShellOpen(platform::WindowHandle owner, const std::string& verb, const std::string& file,
                 int show) override;
  bool OpenFileDialog(platform::OpenFileRequest& request) override;
  void MessageBeep(std::uint32_t type) override { beeps.push_back(type); }

  // --- settings files: Windows paths live below a temporary folder of the test's own ---
  std::string NativePath(const std::string& windowsPath) const;
  void MakeFolder(const std::string& windowsFolder);  // a folder must exist before a file is written in it
  std::string ReadFile(const std::string& windowsPath) const;
  void WriteFile(const std::string& windowsPath, const std::string& content);
  std::set<std::string> unwritableFiles;  // writes to these fail, as into a folder without rights,
  std::uint32_t unwritableError = 5;      // with this code
  int profileReads = 0;
  int profileWrites = 0;

  // --- system information ---
  bool tokenOpenFails = false;
  std::uint32_t tokenUserError = 0;  // nonzero: GetTokenInformation fails with this code
  bool lookupFails = false;
  std::string accountDomain = "WERKSTATT";
  std::optional<std::string> computerName = "PC01";
  platform::VersionRecord version{156, 6, 1, 7601, 2, "Service Pack 1", 1, 0, 0x100, 1};
  std::optional<platform::VersionRecord> trueVersion;  // what RtlGetVersion reports; none: no such function
  bool extendedVersionFails = false;  // the 156-byte record is refused, the 148-byte one accepted
  std::vector<std::uint32_t> versionSizesAsked;
  std::map<int, int> metrics;
  platform::Wow64Query wow64 = platform::Wow64Query::kNo;
  std::optional<std::string> userName = "bediener";
  std::map<std::uint32_t, std::string> systemMessages{
      {2, "Das System kann die angegebene Datei nicht finden.\r\n"},
      {5, "Zugriff verweigert.\r\n"},
      {1326, "Der Benutzername oder das Kennwort ist falsch.\r\n"}};

  // --- registry: values under key paths (as passed, from the root; below HKEY_CURRENT_USER with
  // "HKCU" in front) ---
  struct RegEntry {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
  };
  std::map<std::string, std::map<std::string, RegEntry>> registry;
  bool registryKeyFails = false;
  bool standardUser = false;  // keys below HKEY_LOCAL_MACHINE open for reading only
  std::set<std::string> unwritableValues;
  std::vector<std::string> registryLog;  // "create <path>", "read <name>", "set <name>", "close"
  int openKeys = 0;

  // --- printers and shell ---
  std::vector<std::string> printers;
  bool printerFillFails = false;
  int printerEnumerations = 0;
  std::vector<std::string> shellOpened;  // "verb file show"
  std::vector<std::uint32_t> beeps;

 private:
  std::string root_;
  std::map<platform::Handle, std::string> keyPaths_;
  platform::Handle nextHandle_ = 100;
};

// A 32-bit registry value's bytes, as the system stores it.
std::vector<std::uint8_t> Dword(std::int32_t value);

// The program's UTF-8 text as UTF-16 and back, for comparisons.
std::u16string Widen(std::string_view text);
std::string Narrow(const char16_t* text);

}  // namespace fake
