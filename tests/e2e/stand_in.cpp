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
bool g_inHelper = false;    // loaded into the program's helper, not into the program
HMODULE g_library = nullptr;

// The system's own functions behind the program's imports that the stand-in points at its own.
decltype(&GetTokenInformation) g_tokenInformation = nullptr;
decltype(&RegCreateKeyExW) g_createKey = nullptr;
decltype(&WritePrivateProfileStringW) g_writeProfile = nullptr;
decltype(&SystemParametersInfoW) g_parameters = nullptr;

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

void Stamp(Record& record) {
  LARGE_INTEGER now{};
  QueryPerformanceCounter(&now);
  record.stamp = now.QuadPart;
  record.process = GetCurrentProcessId();
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

// Loads the stand-in into a process started suspended and installs it there as in a helper, before
// the process runs its first line.
bool LoadInto(HANDLE process) {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(g_library, path, MAX_PATH);
  const BYTE* install = RemoteRoutine(g_library, kInstall, LoadRemote(process, std::string(path, length)));
  DWORD installed = 0;
  return install && RunRemote(process, install, reinterpret_cast<void*>(1), installed) &&
         installed == kReplaced;
}

// The helper for real: started suspended, given the stand-in, then let run.
bool StartHelper(LPCWSTR application, LPWSTR commandLine, LPCWSTR directory, LPPROCESS_INFORMATION process) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessW(application, commandLine, nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, directory,
                      &startup, process))
    return false;
  if (LoadInto(process->hProcess) && ResumeThread(process->hThread) != static_cast<DWORD>(-1)) return true;
  TerminateProcess(process->hProcess, 1);
  CloseHandle(process->hProcess);
  CloseHandle(process->hThread);
  return false;
}

// Windows refuses a wrong account or password, and an empty command line; everything else starts.
// Every launch names its file; only the program's own, its helper, is started for real (any file when
// the test asks for it), so that no test leaves a console or an installer behind.
bool StartsForReal(LPCWSTR application) {
  const LPCWSTR slash = application ? wcsrchr(application, L'\\') : nullptr;
  return application &&
         (g_shared->startAnyFile || lstrcmpiW(slash ? slash + 1 : application, L"Morvela.exe") == 0);
}

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
  Stamp(r);
  const bool credentials = IsTheAccount(user) && r.password == g_shared->accepted;
  r.answer = !g_shared->failWith && credentials && commandLine && commandLine[0] && process;
  DWORD error = g_shared->failWith ? g_shared->failWith
                : credentials      ? ERROR_FILE_NOT_FOUND
                                   : ERROR_LOGON_FAILURE;
  if (r.answer && StartsForReal(application)) {
    // The program's helper, for real.
    if (g_shared->helperStartError) error = g_shared->helperStartError;
    r.answer = !g_shared->helperStartError && StartHelper(application, commandLine, directory, process);
    if (!r.answer && !g_shared->helperStartError) error = GetLastError();
  } else if (r.answer) {
    process->hProcess = Hand("process", r.handles[0]);
    process->hThread = Hand("thread", r.handles[1]);
    process->dwProcessId = 4000 + g_shared->handed;
    process->dwThreadId = 4001 + g_shared->handed;
  }
  Publish();
  if (!r.answer) SetLastError(error);
  return r.answer;
}

// The shell's "runas", in the helper: recorded, and answered as the test chose. What the helper waits
// for (the writer of a save) is started for real; a program to start is not.
BOOL WINAPI RunAs(SHELLEXECUTEINFOW* run) {
  Record& r = Begin(kRunAs);
  Stamp(r);
  Copy(r.verb, run->lpVerb);
  Copy(r.application, run->lpFile);
  Copy(r.commandLine, run->lpParameters);
  Copy(r.directory, run->lpDirectory);
  r.show = static_cast<DWORD>(run->nShow);
  r.owner = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(run->hwnd));
  r.flags = run->fMask;
  r.answer = !g_shared->runAsError;
  if (r.answer && (run->fMask & SEE_MASK_NOCLOSEPROCESS)) {
    WCHAR commandLine[4096];
    wsprintfW(commandLine, L"\"%s\" %s", run->lpFile, run->lpParameters ? run->lpParameters : L"");
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    r.answer = CreateProcessW(run->lpFile, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                              &startup, &process);
    if (r.answer) {
      CloseHandle(process.hThread);
      run->hProcess = process.hProcess;
    }
  }
  Publish();
  if (!r.answer && g_shared->runAsError) SetLastError(g_shared->runAsError);
  return r.answer;
}

// The elevation type of the stand-in's own tokens, as the test chose, and in the helper of its own
// token too, which the logon gave it (Wine says Full for every process); every other question goes to
// the system.
BOOL WINAPI TokenInformation(HANDLE token, TOKEN_INFORMATION_CLASS kind, LPVOID information, DWORD size,
                             PDWORD returned) {
  if (kind != TokenElevationType || !g_shared->elevationType || !token || (token != g_token && !g_inHelper))
    return g_tokenInformation(token, kind, information, size, returned);
  if (token != g_token) {
    if (!information || size < sizeof(TOKEN_ELEVATION_TYPE)) return FALSE;
    *static_cast<TOKEN_ELEVATION_TYPE*>(information) =
        static_cast<TOKEN_ELEVATION_TYPE>(g_shared->elevationType);
    if (returned) *returned = sizeof(TOKEN_ELEVATION_TYPE);
    return TRUE;
  }
  Record& r = Begin(kElevation);
  Stamp(r);
  r.token = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(token));
  r.answer = information && size >= sizeof(TOKEN_ELEVATION_TYPE) && StillOpen(g_tokenName);
  if (r.answer)
    *static_cast<TOKEN_ELEVATION_TYPE*>(information) =
        static_cast<TOKEN_ELEVATION_TYPE>(g_shared->elevationType);
  if (returned) *returned = sizeof(TOKEN_ELEVATION_TYPE);
  Publish();
  if (!r.answer) SetLastError(ERROR_INVALID_HANDLE);
  return r.answer;
}

// A standard user may not write below HKEY_LOCAL_MACHINE, nor the settings file in a folder that only
// administrators may write; the helper, which runs as the administrator, may.
bool Refused() {
  return !g_inHelper && g_shared->standardUser;
}

LONG WINAPI CreateKey(HKEY root, LPCWSTR path, DWORD reserved, LPWSTR kind, DWORD options, REGSAM access,
                      LPSECURITY_ATTRIBUTES security, PHKEY key, LPDWORD disposition) {
  if (Refused() && root == HKEY_LOCAL_MACHINE) return ERROR_ACCESS_DENIED;
  return g_createKey(root, path, reserved, kind, options, access, security, key, disposition);
}

BOOL WINAPI WriteProfile(LPCWSTR section, LPCWSTR key, LPCWSTR value, LPCWSTR file) {
  if (!Refused()) return g_writeProfile(section, key, value, file);
  SetLastError(ERROR_ACCESS_DENIED);
  return FALSE;
}

BOOL WINAPI Logon(LPCWSTR user, LPCWSTR domain, LPCWSTR password, DWORD type, DWORD provider, PHANDLE token) {
  Record& r = Begin(kLogon);
  Stamp(r);
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

// The printers of the test's file (UTF-8), as level-4 records: the records first, then their names.
BOOL WINAPI ListPrinters(DWORD flags, LPWSTR name, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed,
                         LPDWORD returned) {
  Record& r = Begin(kEnumPrinters);
  r.flags = flags;
  r.level = level;
  r.namePresent = name != nullptr;
  r.bufferPresent = buffer != nullptr;
  r.bufferSize = size;
  static char bytes[4096];
  static WCHAR names[4096];
  DWORD read = 0;
  if (g_shared->printers[0]) {
    HANDLE file =
        CreateFileA(g_shared->printers, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      ReadFile(file, bytes, sizeof bytes - 1, &read, nullptr);
      CloseHandle(file);
    }
  }
  const int converted =
      read ? MultiByteToWideChar(CP_UTF8, 0, bytes, static_cast<int>(read), names, std::size(names) - 1) : 0;
  const DWORD length = converted > 0 ? static_cast<DWORD>(converted) : 0;
  names[length] = 0;
  for (DWORD i = 0; i < length; ++i)
    if (names[i] == '\r' || names[i] == '\n') names[i] = 0;
  const WCHAR* printers[64];
  DWORD count = 0, text = 0;
  for (DWORD i = 0; i < length && count < 64; ++i)
    if (names[i] && (i == 0 || !names[i - 1])) {
      printers[count++] = names + i;
      text += (lstrlenW(names + i) + 1) * sizeof(WCHAR);
    }
  r.needed = *needed = count * sizeof(PRINTER_INFO_4W) + text;
  *returned = 0;
  r.answer = level == 4 && size >= r.needed && (buffer || r.needed == 0);
  if (r.answer) {
    auto* records = reinterpret_cast<PRINTER_INFO_4W*>(buffer);
    WCHAR* strings = reinterpret_cast<WCHAR*>(buffer + count * sizeof(PRINTER_INFO_4W));
    for (; *returned < count; ++*returned) {
      const WCHAR* printer = printers[*returned];
      const bool connection = printer[0] == '\\' && printer[1] == '\\';
      records[*returned] = {
          strings, nullptr,
          static_cast<DWORD>(connection ? PRINTER_ATTRIBUTE_NETWORK : PRINTER_ATTRIBUTE_LOCAL)};
      strings = lstrcpyW(strings, printer) + lstrlenW(printer) + 1;
    }
  }
  r.returned = *returned;
  Publish();
  if (!r.answer) SetLastError(level == 4 ? ERROR_INSUFFICIENT_BUFFER : ERROR_INVALID_LEVEL);
  return r.answer;
}

BOOL WINAPI Parameters(UINT action, UINT size, PVOID value, UINT flags) {
  if (action != SPI_GETHIGHCONTRAST || !g_shared->highContrast || !value)
    return g_parameters(action, size, value, flags);
  auto* contrast = static_cast<HIGHCONTRASTW*>(value);
  contrast->dwFlags = HCF_HIGHCONTRASTON | HCF_AVAILABLE;
  contrast->lpszDefaultScheme = nullptr;
  return TRUE;
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

// Points the program's own import of a function at the replacement and gives back the system's
// function behind it; nothing when the program does not import it.
template <class Function>
Function Import(const char* library, const char* function, Function replacement) {
  auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
  const auto* nt =
      reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); d->Name; ++d) {
    if (lstrcmpiA(reinterpret_cast<const char*>(base + d->Name), library) != 0) continue;
    auto* name = reinterpret_cast<IMAGE_THUNK_DATA*>(
        base + (d->OriginalFirstThunk ? d->OriginalFirstThunk : d->FirstThunk));
    auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
    for (; name->u1.AddressOfData; ++name, ++slot) {
      if (IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal)) continue;
      const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + name->u1.AddressOfData);
      if (lstrcmpA(reinterpret_cast<const char*>(byName->Name), function) != 0) continue;
      DWORD old = 0;
      VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, PAGE_READWRITE, &old);
      auto original = reinterpret_cast<Function>(slot->u1.Function);
      slot->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
      VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, old, &old);
      return original;
    }
  }
  return nullptr;
}

// The system's function behind an import, kept from the first install: a second one in the same
// process (the adapters' tests run in one) finds the replacement there, which would then call itself.
template <class Function>
void KeepImport(Function& original, const char* library, const char* function, Function replacement) {
  if (const Function found = Import(library, function, replacement); found != replacement) original = found;
}

// Run on a thread of the program after the library is loaded there (with a non-null argument: of the
// program's helper). The printer and shell libraries are loaded here first, so that the program's own
// first use of them finds the same modules, already changed.
extern "C" __declspec(dllexport) DWORD WINAPI InstallStandIn(LPVOID helper) {
  HANDLE mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, kSharedName);
  if (!mapping) return 0;
  g_shared = static_cast<Shared*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(Shared)));
  CloseHandle(mapping);  // the view keeps the block
  if (!g_shared) return 0;
  g_inHelper = helper != nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&InstallStandIn), &g_library);
  KeepImport(g_tokenInformation, "ADVAPI32.dll", "GetTokenInformation", &TokenInformation);
  KeepImport(g_createKey, "ADVAPI32.dll", "RegCreateKeyExW", &CreateKey);
  KeepImport(g_writeProfile, "KERNEL32.dll", "WritePrivateProfileStringW", &WriteProfile);
  KeepImport(g_parameters, "USER32.dll", "SystemParametersInfoW", &Parameters);
  HMODULE advapi = LoadLibraryA("advapi32.dll");
  HMODULE winspool = LoadLibraryA("winspool.drv");
  HMODULE shell = LoadLibraryA("shell32.dll");
  const auto* launch = reinterpret_cast<const void*>(&Launch);
  const auto* logon = reinterpret_cast<const void*>(&Logon);
  const auto* impersonate = reinterpret_cast<const void*>(&Impersonate);
  const auto* revert = reinterpret_cast<const void*>(&Revert);
  const auto* printers = reinterpret_cast<const void*>(&ListPrinters);
  const auto* runAs = reinterpret_cast<const void*>(&RunAs);
  return Replace(advapi, "CreateProcessWithLogonW", launch) + Replace(advapi, "LogonUserW", logon) +
         Replace(advapi, "ImpersonateLoggedOnUser", impersonate) + Replace(advapi, "RevertToSelf", revert) +
         Replace(winspool, "EnumPrintersW", printers) + Replace(shell, "ShellExecuteExW", runAs);
}

extern "C" __declspec(dllexport) DWORD WINAPI SetSystemColors(LPVOID) {
  return g_shared && SetSysColors(g_shared->colorCount, g_shared->colorElements, g_shared->colors);
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
