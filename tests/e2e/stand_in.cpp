// The library behind stand_in.h. It runs inside the program under test, so it keeps to plain Win32
// calls and copies nothing of the password: it hashes the caller's own text in place.
#include "e2e/stand_in.h"

#include <shlobj.h>
#include <winspool.h>

namespace {

using namespace e2e::standin;

Shared* g_shared = nullptr;
HANDLE g_token = nullptr;   // the last token handed out
char g_tokenName[48] = "";  // and the event behind it

// A slot for the next record, zeroed; Publish makes it visible to the test once it is filled.
Record& Begin(Call call) {
  static Record overflow;
  const LONG at = g_shared->count;
  Record& record = at < kMaxCalls ? g_shared->records[at] : overflow;
  ZeroMemory(&record, sizeof record);
  record.call = call;
  return record;
}

void Publish() {
  InterlockedIncrement(&g_shared->count);
}

template <class Char>
void Copy(Text& into, const Char* text) {
  into.present = text != nullptr;
  for (int i = 0; text && text[i] && i + 1 < kTextSize; ++i)
    into.text[i] = static_cast<WCHAR>(sizeof(Char) == 1 ? static_cast<unsigned char>(text[i]) : text[i]);
}

// The account that has the password, as Windows compares account names: without regard to case, an
// umlaut as the letter it is.
bool IsTheAccount(const WCHAR* user) {
  const WCHAR* account = g_shared->account[0] ? g_shared->account : L"Administrator";
  return user && CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, user, -1, account, -1) == CSTR_EQUAL;
}

// A fresh named event in place of a process, thread or token handle: the test sees it closed when
// the name no longer opens.
HANDLE Hand(const char* kind, char (&name)[48]) {
  wsprintfA(name, "MorvelaStandIn.%lu.%s.%ld", GetCurrentProcessId(), kind,
            InterlockedIncrement(&g_shared->handed));
  return CreateEventA(nullptr, TRUE, FALSE, name);
}

bool StillOpen(const char* name) {
  HANDLE probe = OpenEventA(SYNCHRONIZE, FALSE, name);
  if (!probe) return false;
  CloseHandle(probe);
  return true;
}

bool Writable(const void* address) {
  MEMORY_BASIC_INFORMATION info{};
  if (!address || !VirtualQuery(address, &info, sizeof info)) return false;
  return info.Protect & (PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY);
}

BOOL CALLBACK FindEditor(HWND window, LPARAM found) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char caption[64] = "";
  GetWindowTextA(window, caption, sizeof caption);
  if (process == GetCurrentProcessId() && IsWindowVisible(window) && lstrcmpA(caption, kEditorCaption) == 0)
    *reinterpret_cast<BOOL*>(found) = TRUE;
  return TRUE;
}

// Windows refuses a wrong account or password, and an empty command line; everything else starts.
BOOL WINAPI Launch(LPCWSTR user, LPCWSTR domain, LPCWSTR password, DWORD logonFlags, LPCWSTR application,
                   LPWSTR commandLine, DWORD creationFlags, LPVOID environment, LPCWSTR directory,
                   LPSTARTUPINFOW startup, LPPROCESS_INFORMATION process) {
  Record& r = Begin(kLaunch);
  Copy(r.user, user);
  Copy(r.domain, domain);
  Copy(r.application, application);
  Copy(r.commandLine, commandLine);
  Copy(r.directory, directory);
  r.passwordPresent = password != nullptr;
  r.password = SecretOf(password);
  r.logonFlags = logonFlags;
  r.creationFlags = creationFlags;
  r.environmentPresent = environment != nullptr;
  r.commandWritable = Writable(commandLine);
  r.startupSize = startup ? startup->cb : 0;
  r.startupRestZero = startup != nullptr;
  for (DWORD i = sizeof startup->cb; startup && i < sizeof *startup; ++i)
    if (reinterpret_cast<const BYTE*>(startup)[i]) r.startupRestZero = FALSE;
  const bool credentials = IsTheAccount(user) && r.password == g_shared->accepted;
  r.answer = !g_shared->failWith && credentials && commandLine && commandLine[0] && process;
  if (r.answer) {
    process->hProcess = Hand("process", r.handles[0]);
    process->hThread = Hand("thread", r.handles[1]);
    process->dwProcessId = 4000 + g_shared->handed;
    process->dwThreadId = 4001 + g_shared->handed;
  }
  Publish();
  if (!r.answer)
    SetLastError(g_shared->failWith ? g_shared->failWith
                 : credentials      ? ERROR_FILE_NOT_FOUND
                                    : ERROR_LOGON_FAILURE);
  return r.answer;
}

BOOL WINAPI Logon(LPCWSTR user, LPCWSTR domain, LPCWSTR password, DWORD type, DWORD provider, PHANDLE token) {
  Record& r = Begin(kLogon);
  Copy(r.user, user);
  Copy(r.domain, domain);
  r.passwordPresent = password != nullptr;
  r.password = SecretOf(password);
  r.logonType = type;
  r.provider = provider;
  r.tokenPresent = token != nullptr;
  r.answer = !g_shared->failWith && token && IsTheAccount(user) && r.password == g_shared->accepted;
  if (r.answer) {
    g_token = *token = Hand("token", g_tokenName);
    r.token = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(g_token));
  } else if (token) {
    *token = nullptr;
  }
  Publish();
  if (!r.answer) SetLastError(g_shared->failWith ? g_shared->failWith : ERROR_LOGON_FAILURE);
  return r.answer;
}

BOOL WINAPI Impersonate(HANDLE token) {
  Record& r = Begin(kImpersonate);
  r.token = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(token));
  r.answer = token && token == g_token && StillOpen(g_tokenName);
  Publish();
  if (!r.answer) SetLastError(ERROR_INVALID_HANDLE);
  return r.answer;
}

BOOL WINAPI Revert() {
  Record& r = Begin(kRevert);
  r.tokenOpen = g_tokenName[0] && StillOpen(g_tokenName);
  EnumWindows(FindEditor, reinterpret_cast<LPARAM>(&r.editorShown));
  r.answer = TRUE;
  Publish();
  return TRUE;
}

// The printers of the test's file, as level-4 records: the records first, then their names.
BOOL WINAPI ListPrinters(DWORD flags, LPSTR name, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed,
                         LPDWORD returned) {
  Record& r = Begin(kEnumPrinters);
  r.flags = flags;
  r.level = level;
  r.namePresent = name != nullptr;
  r.bufferPresent = buffer != nullptr;
  r.bufferSize = size;
  static char names[4096];
  DWORD length = 0;
  if (g_shared->printers[0]) {
    HANDLE file =
        CreateFileA(g_shared->printers, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      ReadFile(file, names, sizeof names - 1, &length, nullptr);
      CloseHandle(file);
    }
  }
  names[length] = 0;
  for (DWORD i = 0; i < length; ++i)
    if (names[i] == '\r' || names[i] == '\n') names[i] = 0;
  const char* printers[64];
  DWORD count = 0, text = 0;
  for (DWORD i = 0; i < length && count < 64; ++i)
    if (names[i] && (i == 0 || !names[i - 1])) {
      printers[count++] = names + i;
      text += lstrlenA(names + i) + 1;
    }
  r.needed = *needed = count * sizeof(PRINTER_INFO_4A) + text;
  *returned = 0;
  r.answer = level == 4 && size >= r.needed && (buffer || r.needed == 0);
  if (r.answer) {
    auto* records = reinterpret_cast<PRINTER_INFO_4A*>(buffer);
    char* strings = reinterpret_cast<char*>(buffer + count * sizeof(PRINTER_INFO_4A));
    for (; *returned < count; ++*returned) {
      const char* printer = printers[*returned];
      const bool connection = printer[0] == '\\' && printer[1] == '\\';
      records[*returned] = {
          strings, nullptr,
          static_cast<DWORD>(connection ? PRINTER_ATTRIBUTE_NETWORK : PRINTER_ATTRIBUTE_LOCAL)};
      strings = lstrcpyA(strings, printer) + lstrlenA(printer) + 1;
    }
  }
  r.returned = *returned;
  Publish();
  if (!r.answer) SetLastError(level == 4 ? ERROR_INSUFFICIENT_BUFFER : ERROR_INVALID_LEVEL);
  return r.answer;
}

// Overwrites the function's first five bytes with a jump to the replacement; the original is never
// called again, so nothing of it needs keeping.
bool Replace(HMODULE module, const char* function, const void* replacement) {
  auto* target = reinterpret_cast<BYTE*>(reinterpret_cast<void*>(GetProcAddress(module, function)));
  DWORD old = 0;
  if (!target || !VirtualProtect(target, 5, PAGE_EXECUTE_READWRITE, &old)) return false;
  const LONG distance = static_cast<LONG>(static_cast<const BYTE*>(replacement) - (target + 5));
  target[0] = 0xE9;
  CopyMemory(target + 1, &distance, sizeof distance);
  VirtualProtect(target, 5, old, &old);
  FlushInstructionCache(GetCurrentProcess(), target, 5);
  return true;
}

}  // namespace

// Run on a thread of the program after the library is loaded there. The printer library is loaded
// here first, so that the program's own first use of it finds the same module, already changed.
extern "C" __declspec(dllexport) DWORD WINAPI InstallStandIn(LPVOID) {
  HANDLE mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, kSharedName);
  if (!mapping) return 0;
  g_shared = static_cast<Shared*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(Shared)));
  CloseHandle(mapping);  // the view keeps the block
  if (!g_shared) return 0;
  HMODULE advapi = LoadLibraryA("advapi32.dll");
  HMODULE winspool = LoadLibraryA("winspool.drv");
  const auto* launch = reinterpret_cast<const void*>(&Launch);
  const auto* logon = reinterpret_cast<const void*>(&Logon);
  const auto* impersonate = reinterpret_cast<const void*>(&Impersonate);
  const auto* revert = reinterpret_cast<const void*>(&Revert);
  const auto* printers = reinterpret_cast<const void*>(&ListPrinters);
  return Replace(advapi, "CreateProcessWithLogonW", launch) + Replace(advapi, "LogonUserW", logon) +
         Replace(advapi, "ImpersonateLoggedOnUser", impersonate) + Replace(advapi, "RevertToSelf", revert) +
         Replace(winspool, "EnumPrintersA", printers);
}

// What Explorer's drop leaves in the target's queue: WM_DROPFILES with a global block of the program's
// own, a DROPFILES header followed by the full paths in wide form, each ended by a zero, one more zero
// at the end. The program frees the block with DragFinish.
extern "C" __declspec(dllexport) DWORD WINAPI DropFilesOnWindow(LPVOID window) {
  if (!g_shared) return 0;
  SIZE_T characters = 1;
  for (const WCHAR* file : g_shared->dropped) characters += file[0] ? lstrlenW(file) + 1 : 0;
  HGLOBAL block = GlobalAlloc(GHND | GMEM_SHARE, sizeof(DROPFILES) + characters * sizeof(WCHAR));
  auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
  if (!drop) return 0;
  drop->pFiles = sizeof(DROPFILES);
  drop->pt = {40, 20};
  drop->fWide = TRUE;
  WCHAR* names = reinterpret_cast<WCHAR*>(drop + 1);
  for (const WCHAR* file : g_shared->dropped)
    if (file[0]) names = lstrcpyW(names, file) + lstrlenW(file) + 1;
  GlobalUnlock(block);
  return PostMessageW(static_cast<HWND>(window), WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0);
}
