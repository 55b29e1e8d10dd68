#pragma once
// The system calls the program makes, in portable types. The Win32 adapter translates each one into
// exactly one system call (buffer sizes, structure sizes, flags); every decision about the order of
// the calls, fallbacks, cutting of texts and errors is made by the callers above this interface. Texts
// are UTF-8 here and go to and from the system's wide calls through base/utf.h.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/secret.h"

namespace platform {

using Handle = std::uintptr_t;        // a kernel handle (token, registry key); 0 is none
using WindowHandle = std::uintptr_t;  // a window, for calls that want an owner; 0 is none

// The wide startup record: only its size field is ever set, every other field stays zero.
struct StartupRecord {
  std::uint32_t cb = 0;
};

// The arguments of CreateProcessWithLogonW, in the order of its declaration.
struct LogonLaunch {
  const char16_t* user = nullptr;
  const char16_t* domain = nullptr;
  const char16_t* password = nullptr;
  std::uint32_t logonFlags = 0;
  const char16_t* applicationName = nullptr;
  char16_t* commandLine = nullptr;  // the system may write into it
  std::uint32_t creationFlags = 0;
  const void* environment = nullptr;
  const char16_t* currentDirectory = nullptr;
  const StartupRecord* startup = nullptr;
};

// ShellExecuteExW with the verb "runas": the file exactly as found, its parameters apart, the folder it
// starts in, and the window that owns the consent prompt.
struct ShellRunAsRequest {
  WindowHandle owner = 0;
  std::string file;
  std::string parameters;
  std::string directory;  // empty: none
  int show = 0;
  bool keepProcess = false;  // the handle of what was started is wanted
};

// A call that can fail: ok is false when the system reported failure; error is then its last-error code.
struct CallResult {
  bool ok = false;
  std::uint32_t error = 0;
};

// A text-returning call: ok is false when the system reported failure; error is its last-error code.
struct TextResult {
  bool ok = false;
  std::string text;
  std::uint32_t error = 0;
};

// The extended version record (OSVERSIONINFOEXW). size names the record asked for by the size of its
// ANSI form: 156 the extended one, 148 the basic one.
struct VersionRecord {
  std::uint32_t size = 0;
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t build = 0;
  std::uint32_t platformId = 0;
  std::string servicePack;  // szCSDVersion up to its first zero (at most 128 characters)
  std::uint16_t servicePackMajor = 0;
  std::uint16_t servicePackMinor = 0;
  std::uint16_t suiteMask = 0;
  std::uint8_t productType = 0;
};

enum class Wow64Query { kFunctionMissing, kCallFailed, kNo, kYes };

enum class RegRoot { kLocalMachine, kCurrentUser };

// TokenElevationType: a split token's filtered half is limited; kUnknown where the question failed.
enum class ElevationType { kUnknown, kDefault, kFull, kLimited };

// One registry value as read with a data buffer of limited size.
struct RegValue {
  enum class Status { kOk, kMissing, kMoreData, kFailed } status = Status::kMissing;
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  std::vector<std::uint8_t> data;
};

// EnumPrintersW, level 4: neededBytes from the sizing call, filled whether the second call succeeded.
struct PrinterEnumeration {
  std::uint32_t neededBytes = 0;
  bool filled = false;
  std::vector<std::string> names;
};

// GetOpenFileNameW. filter is in the system's form: pairs of zero-terminated texts, one more zero.
struct OpenFileRequest {
  WindowHandle owner = 0;
  std::uint32_t structSize = 0;  // 76 for the older record, 88 for the full one
  std::string filter;
  std::uint32_t filterIndex = 1;
  std::string fileName;  // in: initial name; out: the chosen full path
  std::string initialDir;
  std::string title;
  std::string defaultExt;
  std::uint32_t flags = 0;
  std::uint32_t flagsEx = 0;  // only read with structSize 88
};

class Platform {
 public:
  virtual ~Platform() = default;

  // Text and launching.
  virtual CallResult CreateProcessWithLogon(const LogonLaunch& launch) = 0;  // closes the new handles at once
  // LogonUserW; a null domain for an account named as "name@domain".
  virtual CallResult Logon(const char16_t* user, const char16_t* domain, const char16_t* password,
                           std::uint32_t logonType, std::uint32_t provider, Handle& token) = 0;
  virtual CallResult ImpersonateLoggedOnUser(Handle token) = 0;
  virtual ElevationType TokenElevationType(Handle token) = 0;  // GetTokenInformation
  // CreateProcessWithLogonW that keeps the new process's handle (the thread's is closed at once).
  virtual CallResult StartWithLogon(const LogonLaunch& launch, Handle& process) = 0;
  // ShellExecuteExW with the verb "runas" and no message of its own; the handle of what it started,
  // when asked to keep it and there is one (0 otherwise).
  virtual CallResult ShellRunAs(const ShellRunAsRequest& run, Handle& process) = 0;
  virtual void WaitForExit(Handle process) = 0;  // WaitForSingleObject, for a process without windows
  virtual std::optional<std::uint32_t> ExitCodeOf(Handle process) = 0;  // GetExitCodeProcess
  // Between UTF-8 and a settings file's bytes in the system's code page (through UTF-16). To the code
  // page exactly, without best fit: nothing when it lacks one of the characters.
  virtual std::optional<std::string> Utf8ToAnsi(std::string_view utf8) = 0;
  virtual std::string AnsiToUtf8(std::string_view ansi) = 0;
  virtual bool RevertToSelf() = 0;
  virtual void CloseHandle(Handle handle) = 0;

  // Drives, files and folders.
  virtual unsigned DriveType(const std::string& root) = 0;
  virtual TextResult FullPathName(const std::string& path) = 0;                      // 260-character buffer
  virtual std::optional<std::string> GetUniversalName(const std::string& path) = 0;  // level 1, 1024 bytes
  virtual TextResult CurrentDirectory() = 0;
  virtual TextResult WindowsDirectory() = 0;  // 260-character buffer
  virtual TextResult SystemDirectory() = 0;   // 260-character buffer
  virtual bool FileExists(const std::string& path) = 0;
  virtual bool DirectoryExists(const std::string& path) = 0;
  virtual std::string ModuleFileName() = 0;  // the running executable's full path
  // The value of a variable of the program's environment; nothing when it is not set.
  virtual std::optional<std::string> EnvironmentVariable(const std::string& name) = 0;
  virtual std::optional<std::string> ReadFileStart(const std::string& path, std::size_t maxBytes) = 0;
  // Makes the bytes the file's whole content, creating the file when it is missing.
  virtual CallResult WriteFileContent(const std::string& path, const std::string& content) = 0;
  // The program's own command line, whole, as the system keeps it (GetCommandLineW).
  virtual std::string CommandLine() = 0;

  // Account and system.
  // Compares two texts as the user's language sorts them, without regard to case (CompareStringW with
  // the user's locale): below zero, zero or above zero.
  virtual int CompareText(const std::string& a, const std::string& b) = 0;
  virtual std::string SystemErrorMessage(std::uint32_t code) = 0;
  virtual bool OpenProcessTokenRead(Handle& token, std::uint32_t& error) = 0;  // TOKEN_READ
  virtual bool GetTokenUser(Handle token, std::vector<std::uint8_t>& buffer, std::uint32_t& error) = 0;
  virtual bool LookupAccountOfTokenUser(const std::vector<std::uint8_t>& tokenUser, std::string& account,
                                        std::string& domain) = 0;  // 100-character buffers each
  virtual bool ComputerName(std::string& name) = 0;                // 256-character buffer
  virtual bool VersionInfo(VersionRecord& record) = 0;             // record.size picks the structure
  // RtlGetVersion of ntdll, found by name: the version as it is, whatever the program's manifest says.
  // False where the function does not exist.
  virtual bool TrueVersion(VersionRecord& record) = 0;
  virtual int GetSystemMetrics(int index) = 0;
  virtual Wow64Query IsWow64Process() = 0;
  virtual std::optional<std::string> UserName() = 0;  // 63-character buffer

  // Settings file and registry.
  virtual std::string ProfileRead(const std::string& section, const std::string& key,
                                  const std::string& fallback, const std::string& path) = 0;
  virtual CallResult ProfileWrite(const std::string& section, const std::string& key,
                                  const std::string& value, const std::string& path) = 0;
  // Below HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER, in the program's own view of the keys: created when
  // missing, with KEY_ALL_ACCESS; or opened for reading only.
  virtual bool CreateRegKey(RegRoot root, const std::string& path, Handle& key) = 0;
  virtual bool OpenRegKeyRead(RegRoot root, const std::string& path, Handle& key) = 0;
  // For reading only, in the system's own (64-bit) view of the machine's keys.
  virtual bool RegOpenKeyLocalMachineRead(const std::string& path, Handle& key) = 0;
  virtual RegValue RegReadValue(Handle key, const std::string& name, std::uint32_t maxBytes) = 0;
  virtual bool RegSetDword(Handle key, const std::string& name, std::uint32_t value) = 0;
  virtual bool RegSetString(Handle key, const std::string& name, const std::string& value) = 0;
  virtual void RegCloseKey(Handle key) = 0;

  // Printers, shell and dialogs.
  virtual PrinterEnumeration PrinterNames(std::uint32_t flags) = 0;  // level 4
  virtual void ShellOpen(WindowHandle owner, const std::string& verb, const std::string& file, int show) = 0;
  virtual bool OpenFileDialog(OpenFileRequest& request) = 0;
  virtual void MessageBeep(std::uint32_t type) = 0;
};

// A kernel handle (a token, a process) that is closed through the port when its owner goes.
class OwnedHandle {
 public:
  OwnedHandle() = default;
  OwnedHandle(Platform& system, Handle handle) : system_(&system), handle_(handle) {}
  OwnedHandle(OwnedHandle&& other) noexcept
      : system_(other.system_), handle_(std::exchange(other.handle_, 0)) {}
  OwnedHandle& operator=(OwnedHandle&& other) noexcept {
    if (this != &other) {
      Close();
      system_ = other.system_;
      handle_ = std::exchange(other.handle_, 0);
    }
    return *this;
  }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;
  ~OwnedHandle() { Close(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != 0; }

 private:
  void Close() {
    if (handle_) system_->CloseHandle(std::exchange(handle_, 0));
  }
  Platform* system_ = nullptr;
  Handle handle_ = 0;
};

// The program's platform: the Win32 adapter.
Platform& SystemPlatform();

// Windows constants that the portable code decides with.
inline constexpr unsigned kDriveUnknown = 0;
inline constexpr unsigned kDriveNoRootDir = 1;
inline constexpr unsigned kDriveRemovable = 2;
inline constexpr unsigned kDriveFixed = 3;
inline constexpr unsigned kDriveRemote = 4;
inline constexpr unsigned kDriveCdrom = 5;
inline constexpr unsigned kDriveRamdisk = 6;

inline constexpr std::uint32_t kLogon32LogonInteractive = 2;
inline constexpr std::uint32_t kLogon32ProviderDefault = 0;

inline constexpr int kSmServerR2 = 89;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kPrinterEnumLocal = 2;
inline constexpr std::uint32_t kPrinterEnumConnections = 4;
inline constexpr int kSwShow = 5;
inline constexpr int kSwShowNormal = 1;
inline constexpr std::uint32_t kErrorAccessDenied = 5;
inline constexpr std::uint32_t kErrorInvalidParameter = 87;
inline constexpr std::uint32_t kErrorFileTooLarge = 223;
inline constexpr std::uint32_t kErrorInvalidName = 123;           // a character no file name may hold
inline constexpr std::uint32_t kErrorFilenameExceedsRange = 206;  // a name or command line too long
inline constexpr std::uint32_t kErrorCancelled = 1223;            // the consent prompt answered no

}  // namespace platform
