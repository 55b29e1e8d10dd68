#include "platform/e2e/e2e_platform.h"

#include <windows.h>

#include <cstring>
#include <cwchar>
#include <fstream>
#include <string>

#include "platform/win32/handles.h"

namespace platform {
namespace {

constexpr wchar_t kAccount[] = L"Administrator";
constexpr wchar_t kPassword[] = L"Geheim-123";

const wchar_t* Wide(const char16_t* text) {
  return reinterpret_cast<const wchar_t*>(text);
}

std::string Narrow(const char16_t* text) {
  if (!text || !*text) return {};
  const int length = WideCharToMultiByte(CP_ACP, 0, Wide(text), -1, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, Wide(text), -1, out.data(), length, nullptr, nullptr);
  out.resize(static_cast<std::size_t>(length > 0 ? length - 1 : 0));
  return out;
}

std::string BesideExecutable(Platform& system, const char* name) {
  const std::string module = system.ModuleFileName();
  return module.substr(0, module.find_last_of('\\') + 1) + name;
}

}  // namespace

bool E2ePlatform::CreateProcessWithLogon(const LogonLaunch& launch) {
  if (std::wcscmp(Wide(launch.user), kAccount) != 0 || std::wcscmp(Wide(launch.password), kPassword) != 0) {
    SetLastError(ERROR_LOGON_FAILURE);
    return false;
  }
  const std::string line = Narrow(launch.commandLine) + "\t" + Narrow(launch.currentDirectory) + "\r\n";
  w32::UniqueHandle file(CreateFileA(BesideExecutable(*this, "launches.log").c_str(), FILE_APPEND_DATA,
                                     FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) {
    file.release();
    return false;
  }
  DWORD written = 0;
  return WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
         written == line.size();
}

bool E2ePlatform::Logon(const char* user, const char*, const char* password, std::uint32_t, std::uint32_t,
                        Handle& token) {
  if (std::strcmp(user, "Administrator") != 0 || std::strcmp(password, "Geheim-123") != 0) {
    SetLastError(ERROR_LOGON_FAILURE);
    return false;
  }
  // A real token handle, so that closing it stays a real call: this process's own token.
  HANDLE own = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &own)) return false;
  token = grantedToken_ = reinterpret_cast<Handle>(own);
  return true;
}

bool E2ePlatform::ImpersonateLoggedOnUser(Handle token) {
  return token != 0 && token == grantedToken_;
}

PrinterEnumeration E2ePlatform::PrinterNames(std::uint32_t flags) {
  std::ifstream file(BesideExecutable(*this, "printers.txt"), std::ios::binary);
  if (!file) return Win32Platform::PrinterNames(flags);
  PrinterEnumeration result;
  std::string line;
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    result.neededBytes += static_cast<std::uint32_t>(sizeof(void*) + line.size() + 1);
    result.names.push_back(line);
  }
  result.filled = true;
  return result;
}

Platform& SystemPlatform() {
  static E2ePlatform system;
  return system;
}

}  // namespace platform
