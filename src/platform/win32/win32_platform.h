#pragma once
// The real platform: each call is one system call, with its buffer sizes and structure sizes.
#include "platform/platform.h"

namespace platform {

class Win32Platform : public Platform {
 public:
  CallResult CreateProcessWithLogon(const LogonLaunch& launch) override;
  CallResult Logon(const char16_t* user, const char16_t* domain, const char16_t* password,
                   std::uint32_t logonType, std::uint32_t provider, Handle& token) override;
  CallResult ImpersonateLoggedOnUser(Handle token) override;
  ElevationType TokenElevationType(Handle token) override;
  CallResult StartWithLogon(const LogonLaunch& launch, Handle& process) override;
  CallResult ShellRunAs(const ShellRunAsRequest& run, Handle& process) override;
  void WaitForExit(Handle process) override;
  std::optional<std::uint32_t> ExitCodeOf(Handle process) override;
  std::optional<std::string> Utf8ToAnsi(std::string_view utf8) override;
  std::string AnsiToUtf8(std::string_view ansi) override;
  bool RevertToSelf() override;
  void CloseHandle(Handle handle) override;

  unsigned DriveType(const std::string& root) override;
  TextResult FullPathName(const std::string& path) override;
  std::optional<std::string> GetUniversalName(const std::string& path) override;
  TextResult CurrentDirectory() override;
  TextResult WindowsDirectory() override;
  TextResult SystemDirectory() override;
  bool FileExists(const std::string& path) override;
  bool DirectoryExists(const std::string& path) override;
  std::string ModuleFileName() override;
  std::optional<std::string> EnvironmentVariable(const std::string& name) override;
  std::optional<std::string> ReadFileStart(const std::string& path, std::size_t maxBytes) override;
  CallResult WriteFileContent(const std::string& path, const std::string& content) override;
  std::string CommandLine() override;

  int CompareText(const std::string& a, const std::string& b) override;
  std::string SystemErrorMessage(std::uint32_t code) override;
  bool OpenProcessTokenRead(Handle& token, std::uint32_t& error) override;
  bool GetTokenUser(Handle token, std::vector<std::uint8_t>& buffer, std::uint32_t& error) override;
  bool LookupAccountOfTokenUser(const std::vector<std::uint8_t>& tokenUser, std::string& account,
                                std::string& domain) override;
  bool ComputerName(std::string& name) override;
  bool VersionInfo(VersionRecord& record) override;
  bool TrueVersion(VersionRecord& record) override;
  int GetSystemMetrics(int index) override;
  Wow64Query IsWow64Process() override;
  std::optional<std::string> UserName() override;

  std::string ProfileRead(const std::string& section, const std::string& key, const std::string& fallback,
                          const std::string& path) override;
  CallResult ProfileWrite(const std::string& section, const std::string& key, const std::string& value,
                          const std::string& path) override;
  bool CreateRegKey(RegRoot root, const std::string& path, Handle& key) override;
  bool OpenRegKeyRead(RegRoot root, const std::string& path, Handle& key) override;
  bool RegOpenKeyLocalMachineRead(const std::string& path, Handle& key) override;
  RegValue RegReadValue(Handle key, const std::string& name, std::uint32_t maxBytes) override;
  bool RegSetDword(Handle key, const std::string& name, std::uint32_t value) override;
  bool RegSetString(Handle key, const std::string& name, const std::string& value) override;
  void RegCloseKey(Handle key) override;

  PrinterEnumeration PrinterNames(std::uint32_t flags) override;
  void ShellOpen(WindowHandle owner, const std::string& verb, const std::string& file, int show) override;
  bool OpenFileDialog(OpenFileRequest& request) override;
  void MessageBeep(std::uint32_t type) override;
};

}  // namespace platform
