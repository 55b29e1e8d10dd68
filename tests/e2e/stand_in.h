#pragma once
// The stand-in: a test library that takes the place of the system calls Wine cannot make for real:
// the launch under other credentials (CreateProcessWithLogonW), the logon check (LogonUserW), the
// impersonation and its end (ImpersonateLoggedOnUser, RevertToSelf), the printer list (EnumPrintersA),
// the shell's "runas" (ShellExecuteExW, which under Wine asks nobody) and, for its own tokens, their
// elevation type (GetTokenInformation, which Wine answers Full for every process). Loaded into the
// running program, it overwrites the start of each of those functions with a jump to its own, or, for
// the calls whose other uses must still reach the system, points the program's import at its own.
// Each call is recorded, with every argument, in a block of named shared memory that the test reads,
// and answered as Windows would for the account "Administrator" with the test's password. The password
// itself is never kept or written: only its length and a hash, compared with the length and hash that
// the test put into the block.
//
// A launch of the program's own file is its helper: it is started for real, suspended, with
// the stand-in loaded into it before it runs, and there the helper's own token answers the elevation
// type the test chose, as the logon's filtered half would. And as Windows refuses a standard user, the
// stand-in can refuse the program's writes below HKEY_LOCAL_MACHINE and to its settings file (not the
// helper's). It also answers the program's question whether high contrast is on, as the test says.
#include <windows.h>

#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "e2e/driver.h"

namespace e2e::standin {

inline constexpr char kLibrary[] = "stand_in.dll";
inline constexpr char kSharedName[] = "MorvelaStandIn";
inline constexpr char kInstall[] = "InstallStandIn";  // a thread routine: returns the functions replaced
// A thread routine, given the main window: drops the files of the block onto it as Explorer does.
inline constexpr char kDrop[] = "DropFilesOnWindow";
// A thread routine: sets the system colours of the block in the program's process (SetSysColors),
// which tells its windows with WM_SYSCOLORCHANGE.
inline constexpr char kColors[] = "SetSystemColors";
inline constexpr DWORD kReplaced = 6;
inline constexpr LONG kMaxCalls = 32;
inline constexpr int kTextSize = 320;
// The revert records whether the quick-launch editor was already showing.
inline constexpr char kEditorCaption[] = "Belegung der Schnelltasten";

enum Call : DWORD { kAny, kLaunch, kLogon, kImpersonate, kRevert, kEnumPrinters, kRunAs, kElevation };

// A text argument: whether the pointer was null, and the text (cut to kTextSize - 1 characters).
struct Text {
  BOOL present;
  WCHAR text[kTextSize];
};

struct Secret {
  DWORD length;
  DWORD hash;
  bool operator==(const Secret&) const = default;
};

// FNV-1a over the characters' code values, so that an ANSI and a wide copy of an ASCII text agree.
template <class Char>
constexpr Secret SecretOf(const Char* text) {
  Secret secret{0, 2166136261u};
  for (; text && text[secret.length]; ++secret.length) {
    using Unit = std::conditional_t<sizeof(Char) == 1, unsigned char, unsigned short>;
    secret.hash = (secret.hash ^ static_cast<Unit>(text[secret.length])) * 16777619u;
  }
  return secret;
}

struct Record {
  DWORD call;
  BOOL answer;  // what the stand-in returned
  // The launch's and the logon's credentials; the launch's other texts.
  Text user, domain, application, commandLine, directory;
  BOOL passwordPresent;
  Secret password;
  DWORD logonFlags, creationFlags;  // the launch
  BOOL environmentPresent, commandWritable;
  DWORD startupSize;
  BOOL startupRestZero;       // every byte of the startup record after its size field
  DWORD logonType, provider;  // the logon
  BOOL tokenPresent;          // the logon: a place for the token was given
  DWORD token;                // the logon: the token handed out; the impersonation: the one passed
  BOOL tokenOpen;             // the revert: whether the logon's token was still open
  BOOL editorShown;           // the revert: whether the editor was already showing
  char handles[2][48];        // names of the events behind the launch's process and thread handles
  DWORD flags, level;         // the printer list; flags also the runas's mask
  BOOL namePresent, bufferPresent;
  DWORD bufferSize, needed, returned;
  Text verb;       // the runas: its verb; its file, parameters and directory in application,
  DWORD show;      // commandLine and directory
  DWORD owner;     // the runas: the window its prompt belongs to
  DWORD process;   // the process the call was made in
  LONGLONG stamp;  // QueryPerformanceCounter when the call came
};

struct Shared {
  Secret accepted;             // set by the test: the administrator's password
  WCHAR account[64];           // set by the test: the account that has it; "Administrator" when empty
  DWORD failWith;              // set by the test: nonzero, the launch and the logon fail with this error
  WCHAR dropped[2][MAX_PATH];  // set by the test: the files of a drop
  char printers[MAX_PATH];     // set by the test: a file with one printer name a line (none if empty)
  DWORD elevationType;         // set by the test: TokenElevationType of the stand-in's tokens (0: none)
  DWORD helperStartError;      // set by the test: nonzero, the helper cannot be started, with this error
  DWORD runAsError;            // set by the test: nonzero, the shell's "runas" fails with this error
  BOOL standardUser;           // set by the test: the program's writes to HKLM and its settings refused
  BOOL highContrast;           // set by the test: SPI_GETHIGHCONTRAST says high contrast is on
  BOOL startAnyFile;           // set by the test: a launch of any file starts it for real, as the helper
  int colorCount;              // set by the test: the system colours to set in the program's process
  int colorElements[4];
  COLORREF colors[4];
  volatile LONG count;   // calls recorded; the first kMaxCalls are kept
  volatile LONG handed;  // handles handed out so far, for their names
  Record records[kMaxCalls];
};

// The test's side: the shared block, and putting the library into a process.
class Session {
 public:
  // Opens (or makes) the block and starts it afresh with the password the account has.
  explicit Session(std::string_view password, const std::string& printersFile = {});
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  bool Ready() const { return shared_ != nullptr; }
  // From now on the account has this password.
  void Accept(std::string_view password);
  // From now on this account has the password (instead of "Administrator").
  void AcceptAccount(std::string_view account);
  // From now on every launch and logon fails with this error (0: they answer as Windows would).
  void FailWith(DWORD error);
  // The account's token from now on: 2 full, 3 limited (split), 1 default; 0 leaves the question to
  // the system. And what the helper's start and its "runas" answer; and whether the program runs as a
  // standard user.
  void Elevation(DWORD type, DWORD helperStartError = 0, DWORD runAsError = 0);
  void StandardUser(bool standard);
  // From now on a launch of any file, not only the program's helper, starts it for real.
  void StartAnyFile() { shared_->startAnyFile = TRUE; }
  // From now on the program hears that high contrast is on (or off), which Wine cannot switch on.
  void HighContrast(bool on);
  // Sets system colours (at most four) as seen by the process the library is in.
  bool SystemColors(HANDLE process, const std::vector<std::pair<int, COLORREF>>& colors) const;
  // Drops the files onto a window of the process the library is in, as Explorer delivers a drop.
  bool Drop(HANDLE process, HWND window, const std::vector<std::wstring>& files) const;
  // Loads the library into a running program and replaces the five functions there.
  bool InstallInto(HANDLE process) const;
  // The same inside this process, for the tests of the adapters.
  bool InstallHere() const;

  std::vector<Record> Calls(Call kind) const;  // in the order they were made; kAny for all
  // The last call of the kind once there are more than `before` of them; an empty record when none came.
  Record Next(Call kind, std::size_t before = 0) const;
  void Forget();  // the calls so far, so that the next ones are kept
  std::vector<Call> Sequence() const;
  // The library's address range in a process, for leaving it out when searching that process.
  static bool LoadedRange(DWORD process, const BYTE*& base, DWORD& size);

 private:
  // Runs a routine of the library loaded into the process on a new thread there.
  bool RunInside(HANDLE process, const char* routine, void* argument, DWORD& result) const;
  HANDLE mapping_ = nullptr;
  Shared* shared_ = nullptr;
  mutable const BYTE* remoteModule_ = nullptr;
};

// Runs a function of kernel32 or of the library on a new thread of the process and waits for it.
inline bool RunRemote(HANDLE process, const void* function, void* argument, DWORD& result) {
  HANDLE thread = CreateRemoteThread(process, nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(function),
                                     argument, 0, nullptr);
  if (!thread) return false;
  const bool ended =
      WaitForSingleObject(thread, 15000) == WAIT_OBJECT_0 && GetExitCodeThread(thread, &result);
  CloseHandle(thread);
  return ended;
}

// Loads the library of the path into the process; its start there, or nullptr. kernel32 lies at the
// same address in every process of the session.
inline const BYTE* LoadRemote(HANDLE process, const std::string& path) {
  void* remotePath =
      VirtualAllocEx(process, nullptr, path.size() + 1, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (!remotePath || !WriteProcessMemory(process, remotePath, path.c_str(), path.size() + 1, nullptr))
    return nullptr;
  const void* load =
      reinterpret_cast<const void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "LoadLibraryA"));
  DWORD remote = 0;
  const bool loaded = RunRemote(process, load, remotePath, remote) && remote != 0;
  VirtualFreeEx(process, remotePath, 0, MEM_RELEASE);
  return loaded ? reinterpret_cast<const BYTE*>(static_cast<UINT_PTR>(remote)) : nullptr;
}

// The same routine of a library loaded at another place in another process: at the same distance from
// the library's start.
inline const BYTE* RemoteRoutine(HMODULE local, const char* routine, const BYTE* remote) {
  const auto* function =
      reinterpret_cast<const BYTE*>(reinterpret_cast<void*>(GetProcAddress(local, routine)));
  return function && remote ? remote + (function - reinterpret_cast<const BYTE*>(local)) : nullptr;
}

// Whether a named event the stand-in handed out as a handle has been closed by everyone holding it.
bool Closed(const char* name);
std::string Narrow(const Text& text);

// The program started, with the stand-in in place.
inline bool Ready(const Program& program, const Session& session) {
  return program.Started() && session.InstallInto(program.Process());
}

}  // namespace e2e::standin
