#include "platform/win32/win32_platform.h"

#include <windows.h>
// After windows.h:
#include <commdlg.h>
#include <shellapi.h>
#include <winnetwk.h>
#include <winspool.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "platform/win32/handles.h"
#include "platform/win32/wide.h"

namespace platform {
namespace {

static_assert(sizeof(STARTUPINFOW) == 68, "the startup record of a 32-bit process");
static_assert(sizeof(OPENFILENAMEW) == 88, "the full open-file record");

using w32::Utf8;
using w32::Wide;

const wchar_t* AsWide(const char16_t* text) {
  return reinterpret_cast<const wchar_t*>(text);
}
wchar_t* AsWide(char16_t* text) {
  return reinterpret_cast<wchar_t*>(text);
}
HANDLE AsHandle(Handle h) {
  return reinterpret_cast<HANDLE>(h);
}
HKEY AsKey(Handle h) {
  return reinterpret_cast<HKEY>(h);
}

HKEY RootKey(RegRoot root) {
  return root == RegRoot::kCurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

// A key path that counts from the root: the system wants it without the leading backslash.
std::wstring Relative(const std::string& path) {
  return Wide(std::string_view(path).substr(std::min(path.find_first_not_of('\\'), path.size())));
}

// A text from a fixed buffer, up to its first zero but at most its size.
std::string FromBuffer(const wchar_t* buffer, std::size_t size) {
  return Utf8({buffer, wcsnlen(buffer, size)});
}

// Calls that report the needed size when the buffer is too small: asked again with that size.
template <class Call>
TextResult GrowingText(Call call) {
  std::wstring buffer(MAX_PATH, L'\0');
  DWORD length = call(buffer.data(), static_cast<DWORD>(buffer.size()));
  if (length >= buffer.size()) {
    buffer.assign(length + 1, L'\0');
    length = call(buffer.data(), static_cast<DWORD>(buffer.size()));
  }
  if (length == 0 || length >= buffer.size()) return {false, {}, GetLastError()};
  buffer.resize(length);
  return {true, Utf8(buffer), 0};
}

// CreateProcessWithLogonW with the launch's arguments; the new process's handles go to the caller.
CallResult LogonCreate(const LogonLaunch& launch, PROCESS_INFORMATION& process) {
  STARTUPINFOW startup{};
  startup.cb = launch.startup->cb;
  const BOOL ok = CreateProcessWithLogonW(
      AsWide(launch.user), AsWide(launch.domain), AsWide(launch.password), launch.logonFlags,
      AsWide(launch.applicationName), AsWide(launch.commandLine), launch.creationFlags,
      const_cast<void*>(launch.environment), AsWide(launch.currentDirectory), &startup, &process);
  if (!ok) return {false, GetLastError()};
  return {true, 0};
}
}  // namespace

CallResult Win32Platform::CreateProcessWithLogon(const LogonLaunch& launch) {
  PROCESS_INFORMATION process{};
  const CallResult created = LogonCreate(launch, process);
  // Nothing of the new process is kept.
  w32::UniqueHandle processHandle(process.hProcess);
  w32::UniqueHandle threadHandle(process.hThread);
  return created;
}

CallResult Win32Platform::StartWithLogon(const LogonLaunch& launch, Handle& processHandle) {
  PROCESS_INFORMATION process{};
  const CallResult created = LogonCreate(launch, process);
  w32::UniqueHandle threadHandle(process.hThread);
  processHandle = reinterpret_cast<Handle>(process.hProcess);
  return created;
}

ElevationType Win32Platform::TokenElevationType(Handle token) {
  TOKEN_ELEVATION_TYPE type{};
  DWORD returned = 0;
  if (!GetTokenInformation(AsHandle(token), ::TokenElevationType, &type, sizeof type, &returned))
    return ElevationType::kUnknown;
  switch (type) {
    case TokenElevationTypeDefault:
      return ElevationType::kDefault;
    case TokenElevationTypeFull:
      return ElevationType::kFull;
    case TokenElevationTypeLimited:
      return ElevationType::kLimited;
  }
  return ElevationType::kUnknown;
}

CallResult Win32Platform::ShellRunAs(const ShellRunAsRequest& request, Handle& process) {
  const std::wstring file = Wide(request.file);
  const std::wstring parameters = Wide(request.parameters);
  const std::wstring directory = Wide(request.directory);
  SHELLEXECUTEINFOW run{};
  run.cbSize = sizeof run;
  run.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC | (request.keepProcess ? SEE_MASK_NOCLOSEPROCESS : 0);
  run.hwnd = reinterpret_cast<HWND>(request.owner);
  run.lpVerb = L"runas";
  run.lpFile = file.c_str();
  run.lpParameters = request.parameters.empty() ? nullptr : parameters.c_str();
  run.lpDirectory = request.directory.empty() ? nullptr : directory.c_str();
  run.nShow = request.show;
  if (!ShellExecuteExW(&run)) return {false, GetLastError()};
  process = reinterpret_cast<Handle>(run.hProcess);
  return {true, 0};
}

void Win32Platform::WaitForExit(Handle process) {
  WaitForSingleObject(AsHandle(process), INFINITE);
}

std::optional<std::uint32_t> Win32Platform::ExitCodeOf(Handle process) {
  DWORD code = 0;
  if (!GetExitCodeProcess(AsHandle(process), &code) || code == STILL_ACTIVE) return std::nullopt;
  return code;
}

CallResult Win32Platform::Logon(const char16_t* user, const char16_t* domain, const char16_t* password,
                                std::uint32_t logonType, std::uint32_t provider, Handle& token) {
  HANDLE handle = nullptr;
  const BOOL ok = LogonUserW(AsWide(user), AsWide(domain), AsWide(password), logonType, provider, &handle);
  const DWORD error = ok ? 0 : GetLastError();
  token = reinterpret_cast<Handle>(handle);
  return {ok != FALSE, error};
}

CallResult Win32Platform::ImpersonateLoggedOnUser(Handle token) {
  if (::ImpersonateLoggedOnUser(AsHandle(token))) return {true, 0};
  return {false, GetLastError()};
}

std::optional<std::string> Win32Platform::Utf8ToAnsi(std::string_view utf8) {
  const std::wstring wide = Wide(utf8);
  if (wide.empty()) return std::string();
  const int units = static_cast<int>(wide.size());
  BOOL lacking = FALSE;
  int bytes =
      WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), units, nullptr, 0, nullptr, &lacking);
  // A system whose code page is UTF-8 takes neither the flag nor the question: every character fits.
  const bool utf8CodePage = bytes <= 0 && GetLastError() == ERROR_INVALID_PARAMETER;
  if (utf8CodePage) bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0 || lacking) return std::nullopt;
  std::string ansi(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_ACP, utf8CodePage ? 0 : WC_NO_BEST_FIT_CHARS, wide.data(), units, ansi.data(), bytes,
                      nullptr, nullptr);
  return ansi;
}

std::string Win32Platform::AnsiToUtf8(std::string_view ansi) {
  if (ansi.empty()) return {};
  const int size = static_cast<int>(ansi.size());
  const int units = MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(std::max(units, 0)), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, wide.data(), units);
  return Utf8(wide);
}

bool Win32Platform::RevertToSelf() {
  return ::RevertToSelf();
}
void Win32Platform::CloseHandle(Handle handle) {
  ::CloseHandle(AsHandle(handle));
}

unsigned Win32Platform::DriveType(const std::string& root) {
  return GetDriveTypeW(Wide(root).c_str());
}

TextResult Win32Platform::FullPathName(const std::string& path) {
  wchar_t buffer[MAX_PATH];
  const DWORD length = GetFullPathNameW(Wide(path).c_str(), MAX_PATH, buffer, nullptr);
  if (length == 0 || length >= MAX_PATH) return {false, {}, GetLastError()};
  return {true, Utf8({buffer, length}), 0};
}

std::optional<std::string> Win32Platform::GetUniversalName(const std::string& path) {
  union {
    UNIVERSAL_NAME_INFOW info;
    wchar_t units[1024];
  } buffer{};
  DWORD size = sizeof(buffer);
  if (WNetGetUniversalNameW(Wide(path).c_str(), UNIVERSAL_NAME_INFO_LEVEL, &buffer, &size) != NO_ERROR)
    return std::nullopt;
  if (!buffer.info.lpUniversalName) return std::nullopt;
  return Utf8(buffer.info.lpUniversalName);
}

TextResult Win32Platform::CurrentDirectory() {
  return GrowingText([](wchar_t* buffer, DWORD size) { return GetCurrentDirectoryW(size, buffer); });
}

TextResult Win32Platform::WindowsDirectory() {
  return GrowingText([](wchar_t* buffer, DWORD size) { return GetWindowsDirectoryW(buffer, size); });
}

TextResult Win32Platform::SystemDirectory() {
  return GrowingText([](wchar_t* buffer, DWORD size) { return GetSystemDirectoryW(buffer, size); });
}

bool Win32Platform::FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32Platform::DirectoryExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string Win32Platform::ModuleFileName() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length < buffer.size()) {
      buffer.resize(length);
      return Utf8(buffer);
    }
    buffer.assign(buffer.size() * 2, L'\0');
  }
}

std::optional<std::string> Win32Platform::EnvironmentVariable(const std::string& name) {
  const std::wstring wide = Wide(name);
  const TextResult value = GrowingText(
      [&](wchar_t* buffer, DWORD size) { return GetEnvironmentVariableW(wide.c_str(), buffer, size); });
  if (!value.ok) return std::nullopt;
  return value.text;
}

std::optional<std::string> Win32Platform::ReadFileStart(const std::string& path, std::size_t maxBytes) {
  w32::UniqueFile file(CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  std::string content(maxBytes, '\0');
  DWORD read = 0;
  if (!::ReadFile(file.get(), content.data(), static_cast<DWORD>(maxBytes), &read, nullptr))
    return std::nullopt;
  content.resize(read);
  return content;
}

CallResult Win32Platform::WriteFileContent(const std::string& path, const std::string& content) {
  w32::UniqueFile file(CreateFileW(Wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return {false, GetLastError()};
  DWORD written = 0;
  if (!WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr) ||
      !SetEndOfFile(file.get()))
    return {false, GetLastError()};
  return {true, 0};
}

std::string Win32Platform::CommandLine() {
  return Utf8(GetCommandLineW());
}

int Win32Platform::CompareText(const std::string& a, const std::string& b) {
  const std::wstring first = Wide(a), second = Wide(b);
  return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, first.c_str(), static_cast<int>(first.size()),
                        second.c_str(), static_cast<int>(second.size())) -
         CSTR_EQUAL;
}

std::string Win32Platform::SystemErrorMessage(std::uint32_t code) {
  wchar_t buffer[1024];
  const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                      code, 0, buffer, static_cast<DWORD>(std::size(buffer)), nullptr);
  return Utf8({buffer, length});
}

bool Win32Platform::OpenProcessTokenRead(Handle& token, std::uint32_t& error) {
  HANDLE handle = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_READ, &handle)) {
    error = GetLastError();
    return false;
  }
  token = reinterpret_cast<Handle>(handle);
  return true;
}

bool Win32Platform::GetTokenUser(Handle token, std::vector<std::uint8_t>& buffer, std::uint32_t& error) {
  DWORD returned = 0;
  if (!GetTokenInformation(AsHandle(token), TokenUser, buffer.data(), static_cast<DWORD>(buffer.size()),
                           &returned)) {
    error = GetLastError();
    return false;
  }
  return true;
}

bool Win32Platform::LookupAccountOfTokenUser(const std::vector<std::uint8_t>& tokenUser, std::string& account,
                                             std::string& domain) {
  const auto* user = reinterpret_cast<const TOKEN_USER*>(tokenUser.data());
  wchar_t name[100] = {};
  wchar_t domainName[100] = {};
  DWORD nameSize = std::size(name);
  DWORD domainSize = std::size(domainName);
  SID_NAME_USE use;
  const BOOL ok = LookupAccountSidW(nullptr, user->User.Sid, name, &nameSize, domainName, &domainSize, &use);
  account = FromBuffer(name, std::size(name));
  domain = FromBuffer(domainName, std::size(domainName));
  return ok != FALSE;
}

bool Win32Platform::ComputerName(std::string& name) {
  wchar_t buffer[256] = {};
  DWORD size = std::size(buffer);
  if (!GetComputerNameW(buffer, &size)) return false;
  name = FromBuffer(buffer, std::size(buffer));
  return true;
}

bool Win32Platform::VersionInfo(VersionRecord& record) {
  // The record is named by the size of its ANSI form (the extended or the basic one); the wide call
  // takes the size of the wide form of the same record, and refuses the other.
  OSVERSIONINFOEXW version{};
  version.dwOSVersionInfoSize = record.size == sizeof(OSVERSIONINFOEXA) ? sizeof(OSVERSIONINFOEXW)
                                : record.size == sizeof(OSVERSIONINFOA) ? sizeof(OSVERSIONINFOW)
                                                                        : record.size;
  const BOOL ok = GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&version));
  record.major = version.dwMajorVersion;
  record.minor = version.dwMinorVersion;
  record.build = version.dwBuildNumber;
  record.platformId = version.dwPlatformId;
  record.servicePack = FromBuffer(version.szCSDVersion, std::size(version.szCSDVersion));
  record.servicePackMajor = version.wServicePackMajor;
  record.servicePackMinor = version.wServicePackMinor;
  record.suiteMask = version.wSuiteMask;
  record.productType = version.wProductType;
  return ok != FALSE;
}

bool Win32Platform::TrueVersion(VersionRecord& record) {
  using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOEXW*);
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  auto function = reinterpret_cast<RtlGetVersionFn>(
      reinterpret_cast<void*>(ntdll ? GetProcAddress(ntdll, "RtlGetVersion") : nullptr));
  if (!function) return false;
  OSVERSIONINFOEXW version{};
  version.dwOSVersionInfoSize = sizeof(version);
  if (function(&version) != 0) return false;
  record.major = version.dwMajorVersion;
  record.minor = version.dwMinorVersion;
  record.build = version.dwBuildNumber;
  record.platformId = version.dwPlatformId;
  record.servicePack = FromBuffer(version.szCSDVersion, std::size(version.szCSDVersion));
  record.servicePackMajor = version.wServicePackMajor;
  record.servicePackMinor = version.wServicePackMinor;
  record.suiteMask = version.wSuiteMask;
  record.productType = version.wProductType;
  return true;
}

int Win32Platform::GetSystemMetrics(int index) {
  return ::GetSystemMetrics(index);
}

Wow64Query Win32Platform::IsWow64Process() {
  using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
  HMODULE kernel = GetModuleHandleW(L"kernel32");
  auto function = reinterpret_cast<IsWow64ProcessFn>(
      reinterpret_cast<void*>(kernel ? GetProcAddress(kernel, "IsWow64Process") : nullptr));
  if (!function) return Wow64Query::kFunctionMissing;
  BOOL wow64 = FALSE;
  if (!function(GetCurrentProcess(), &wow64)) return Wow64Query::kCallFailed;
  return wow64 ? Wow64Query::kYes : Wow64Query::kNo;
}

std::optional<std::string> Win32Platform::UserName() {
  wchar_t buffer[63] = {};
  DWORD size = std::size(buffer);
  if (!GetUserNameW(buffer, &size)) return std::nullopt;
  return FromBuffer(buffer, std::size(buffer));
}

std::string Win32Platform::ProfileRead(const std::string& section, const std::string& key,
                                       const std::string& fallback, const std::string& path) {
  wchar_t buffer[2048];
  const DWORD length =
      GetPrivateProfileStringW(Wide(section).c_str(), Wide(key).c_str(), Wide(fallback).c_str(), buffer,
                               static_cast<DWORD>(std::size(buffer)), Wide(path).c_str());
  return Utf8({buffer, length});
}

CallResult Win32Platform::ProfileWrite(const std::string& section, const std::string& key,
                                       const std::string& value, const std::string& path) {
  if (WritePrivateProfileStringW(Wide(section).c_str(), Wide(key).c_str(), Wide(value).c_str(),
                                 Wide(path).c_str()))
    return {true, 0};
  return {false, GetLastError()};
}

bool Win32Platform::CreateRegKey(RegRoot root, const std::string& path, Handle& key) {
  HKEY handle = nullptr;
  if (RegCreateKeyExW(RootKey(root), Relative(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, &handle, nullptr) != ERROR_SUCCESS)
    return false;
  key = reinterpret_cast<Handle>(handle);
  return true;
}

bool Win32Platform::OpenRegKeyRead(RegRoot root, const std::string& path, Handle& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(RootKey(root), Relative(path).c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
    return false;
  key = reinterpret_cast<Handle>(handle);
  return true;
}

bool Win32Platform::RegOpenKeyLocalMachineRead(const std::string& path, Handle& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, Wide(path).c_str(), 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY, &handle) !=
      ERROR_SUCCESS)
    return false;
  key = reinterpret_cast<Handle>(handle);
  return true;
}

RegValue Win32Platform::RegReadValue(Handle key, const std::string& name, std::uint32_t maxBytes) {
  // Room for as many characters as maxBytes would hold in the code page, since a text value comes in
  // UTF-16; any other value still may not be larger than maxBytes.
  RegValue value;
  value.data.assign(std::size_t{maxBytes} * sizeof(wchar_t), 0);
  DWORD type = 0;
  DWORD size = static_cast<DWORD>(value.data.size());
  LONG status = RegQueryValueExW(AsKey(key), Wide(name).c_str(), nullptr, &type, value.data.data(), &size);
  const bool text = type == REG_SZ || type == REG_EXPAND_SZ;
  if (status == ERROR_SUCCESS && !text && maxBytes > 0 && size > maxBytes) status = ERROR_MORE_DATA;
  value.type = type;
  value.size = size;
  value.status = status == ERROR_SUCCESS          ? RegValue::Status::kOk
                 : status == ERROR_FILE_NOT_FOUND ? RegValue::Status::kMissing
                 : status == ERROR_MORE_DATA      ? RegValue::Status::kMoreData
                                                  : RegValue::Status::kFailed;
  value.data.resize(status == ERROR_SUCCESS ? size : 0);
  if (text) {
    std::wstring units(value.data.size() / sizeof(wchar_t), L'\0');
    std::memcpy(units.data(), value.data.data(), units.size() * sizeof(wchar_t));
    const std::string utf8 = Utf8(units);
    value.data.assign(utf8.begin(), utf8.end());
  }
  return value;
}

bool Win32Platform::RegSetDword(Handle key, const std::string& name, std::uint32_t value) {
  const DWORD data = value;
  return RegSetValueExW(AsKey(key), Wide(name).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                        sizeof(data)) == ERROR_SUCCESS;
}

bool Win32Platform::RegSetString(Handle key, const std::string& name, const std::string& value) {
  const std::wstring text = Wide(value);
  return RegSetValueExW(AsKey(key), Wide(name).c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(text.c_str()),
                        static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

void Win32Platform::RegCloseKey(Handle key) {
  ::RegCloseKey(AsKey(key));
}

PrinterEnumeration Win32Platform::PrinterNames(std::uint32_t flags) {
  PrinterEnumeration result;
  DWORD needed = 0;
  DWORD returned = 0;
  EnumPrintersW(flags, nullptr, 4, nullptr, 0, &needed, &returned);
  result.neededBytes = needed;
  if (needed == 0) return result;
  std::vector<BYTE> buffer(needed);
  if (!EnumPrintersW(flags, nullptr, 4, buffer.data(), needed, &needed, &returned)) return result;
  result.filled = true;
  const auto* printers = reinterpret_cast<const PRINTER_INFO_4W*>(buffer.data());
  for (DWORD i = 0; i < returned; ++i)
    result.names.push_back(printers[i].pPrinterName ? Utf8(printers[i].pPrinterName) : std::string());
  return result;
}

void Win32Platform::ShellOpen(WindowHandle owner, const std::string& verb, const std::string& file,
                              int show) {
  ShellExecuteW(reinterpret_cast<HWND>(owner), Wide(verb).c_str(), Wide(file).c_str(), nullptr, nullptr,
                show);
}

bool Win32Platform::OpenFileDialog(OpenFileRequest& request) {
  wchar_t file[4096] = {};
  Wide(request.fileName).copy(file, std::size(file) - 1);
  // The filter's pairs are zero-terminated texts, so its zeros are converted with it.
  const std::wstring filter = Wide(request.filter), initialDir = Wide(request.initialDir),
                     title = Wide(request.title), defaultExt = Wide(request.defaultExt);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = request.structSize;
  dialog.hwndOwner = reinterpret_cast<HWND>(request.owner);
  dialog.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  dialog.nFilterIndex = request.filterIndex;
  dialog.lpstrFile = file;
  dialog.nMaxFile = std::size(file);
  dialog.lpstrInitialDir = initialDir.empty() ? nullptr : initialDir.c_str();
  dialog.lpstrTitle = title.empty() ? nullptr : title.c_str();
  dialog.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
  dialog.Flags = request.flags;
  dialog.FlagsEx = request.flagsEx;
  if (!GetOpenFileNameW(&dialog)) return false;
  request.fileName = FromBuffer(file, std::size(file));
  request.filterIndex = dialog.nFilterIndex;
  return true;
}

void Win32Platform::MessageBeep(std::uint32_t type) {
  ::MessageBeep(type);
}

Platform& SystemPlatform() {
  static Win32Platform system;
  return system;
}

}  // namespace platform
