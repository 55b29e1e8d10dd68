// The test's side of the stand-in: the shared block, and loading the library into a process.
#include <windows.h>
// After windows.h:
#include <tlhelp32.h>

#include <algorithm>

#include "e2e/stand_in.h"

#include <iterator>
#include <tuple>

namespace e2e::standin {
namespace {

std::string LibraryPath() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  return folder.substr(0, folder.find_last_of('\\') + 1) + kLibrary;
}

}  // namespace

Session::Session(std::string_view password, const std::string& printersFile) {
  mapping_ =
      CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(Shared), kSharedName);
  if (!mapping_) return;
  shared_ = static_cast<Shared*>(MapViewOfFile(mapping_, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(Shared)));
  if (!shared_) return;
  ZeroMemory(shared_, sizeof(Shared));
  Accept(password);
  lstrcpynA(shared_->printers, printersFile.c_str(), MAX_PATH);
}

void Session::Accept(std::string_view password) {
  const std::string text(password);
  if (shared_) shared_->accepted = SecretOf(text.c_str());
}

void Session::AcceptAccount(std::string_view account) {
  if (!shared_) return;
  ZeroMemory(shared_->account, sizeof shared_->account);
  MultiByteToWideChar(CP_UTF8, 0, account.data(), static_cast<int>(account.size()), shared_->account,
                      static_cast<int>(std::size(shared_->account)) - 1);
}

void Session::FailWith(DWORD error) {
  if (shared_) shared_->failWith = error;
}

void Session::Elevation(DWORD type, DWORD helperStartError, DWORD runAsError) {
  if (!shared_) return;
  shared_->elevationType = type;
  shared_->helperStartError = helperStartError;
  shared_->runAsError = runAsError;
}

void Session::StandardUser(bool standard) {
  if (shared_) shared_->standardUser = standard;
}

void Session::HighContrast(bool on) {
  if (shared_) shared_->highContrast = on;
}

bool Session::SystemColors(HANDLE process, const std::vector<std::pair<int, COLORREF>>& colors) const {
  if (!shared_ || colors.size() > std::size(shared_->colors)) return false;
  shared_->colorCount = static_cast<int>(colors.size());
  for (std::size_t i = 0; i < colors.size(); ++i)
    std::tie(shared_->colorElements[i], shared_->colors[i]) = colors[i];
  DWORD set = 0;
  return RunInside(process, kColors, nullptr, set) && set;
}

bool Session::Drop(HANDLE process, HWND window, const std::vector<std::wstring>& files) const {
  if (!shared_ || files.size() > 2) return false;
  ZeroMemory(shared_->dropped, sizeof shared_->dropped);
  for (std::size_t i = 0; i < files.size(); ++i) lstrcpynW(shared_->dropped[i], files[i].c_str(), MAX_PATH);
  DWORD posted = 0;
  return RunInside(process, kDrop, window, posted) && posted;
}

Session::~Session() {
  if (shared_) UnmapViewOfFile(shared_);
  if (mapping_) CloseHandle(mapping_);
}

bool Session::InstallInto(HANDLE process) const {
  if (!shared_) return false;
  remoteModule_ = LoadRemote(process, LibraryPath());
  DWORD replaced = 0;
  return remoteModule_ && RunInside(process, kInstall, nullptr, replaced) && replaced == kReplaced;
}

bool Session::RunInside(HANDLE process, const char* routine, void* argument, DWORD& result) const {
  HMODULE local = LoadLibraryA(LibraryPath().c_str());
  const BYTE* function = local ? RemoteRoutine(local, routine, remoteModule_) : nullptr;
  const bool ran = function && RunRemote(process, function, argument, result);
  if (local) FreeLibrary(local);
  return ran;
}

bool Session::InstallHere() const {
  HMODULE library = LoadLibraryA(LibraryPath().c_str());
  auto install = reinterpret_cast<LPTHREAD_START_ROUTINE>(
      reinterpret_cast<void*>(library ? GetProcAddress(library, kInstall) : nullptr));
  return shared_ && install && install(nullptr) == kReplaced;
}

std::vector<Record> Session::Calls(Call kind) const {
  std::vector<Record> calls;
  const LONG count = shared_ ? std::min(static_cast<LONG>(shared_->count), kMaxCalls) : 0;
  for (LONG i = 0; i < count; ++i)
    if (kind == kAny || shared_->records[i].call == kind) calls.push_back(shared_->records[i]);
  return calls;
}

Record Session::Next(Call kind, std::size_t before) const {
  for (int waited = 0; waited < 10000; waited += 20, Sleep(20))
    if (const std::vector<Record> calls = Calls(kind); calls.size() > before) return calls.back();
  return {};
}

void Session::Forget() {
  if (shared_) InterlockedExchange(&shared_->count, 0);
}

std::vector<Call> Session::Sequence() const {
  std::vector<Call> calls;
  for (const Record& record : Calls(kAny)) calls.push_back(static_cast<Call>(record.call));
  return calls;
}

bool Session::LoadedRange(DWORD process, const BYTE*& base, DWORD& size) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, process);
  if (snapshot == INVALID_HANDLE_VALUE) return false;
  MODULEENTRY32 module{};
  module.dwSize = sizeof module;
  bool found = false;
  for (BOOL more = Module32First(snapshot, &module); more && !found; more = Module32Next(snapshot, &module))
    if (lstrcmpiA(module.szModule, kLibrary) == 0) {
      base = module.modBaseAddr;
      size = module.modBaseSize;
      found = true;
    }
  CloseHandle(snapshot);
  return found;
}

bool Closed(const char* name) {
  HANDLE event = OpenEventA(SYNCHRONIZE, FALSE, name);
  if (!event) return true;
  CloseHandle(event);
  return false;
}

std::string Narrow(const Text& text) {
  char buffer[kTextSize * 2] = "";
  WideCharToMultiByte(CP_UTF8, 0, text.text, -1, buffer, sizeof buffer, nullptr, nullptr);
  return buffer;
}

}  // namespace e2e::standin
