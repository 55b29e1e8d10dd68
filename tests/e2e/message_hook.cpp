// The library behind message_hook.h. It runs inside the program under test as well as in the driver,
// so it keeps to plain Win32 calls: no C++ runtime, nothing that could change what it watches.
#include "e2e/message_hook.h"

namespace {

using e2e::hook::Shared;

HANDLE g_mapping = nullptr;
Shared* g_shared = nullptr;
HHOOK g_retrieved = nullptr;
HHOOK g_sent = nullptr;

// Opened on first use in each process: created by the driver, found again inside the program.
Shared* Block() {
  if (!g_shared) {
    if (!g_mapping)
      g_mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(Shared),
                                     e2e::hook::kSharedName);
    if (g_mapping) g_shared = static_cast<Shared*>(MapViewOfFile(g_mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
  }
  return g_shared;
}

void Note(e2e::hook::Kind kind, HWND window, UINT message, WPARAM wParam) {
  Shared* shared = Block();
  if (!shared) return;
  InterlockedIncrement(&shared->seen);
  if (!shared->recording) return;
  const LONG at = InterlockedIncrement(&shared->count) - 1;
  if (at < e2e::hook::kMaxRecords)
    shared->records[at] = {kind, static_cast<DWORD>(reinterpret_cast<UINT_PTR>(window)), message,
                           static_cast<DWORD>(wParam), GetTickCount()};
}

// A message taken from the queue: it goes on to its window's procedure through DispatchMessage.
LRESULT CALLBACK Retrieved(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && wParam == PM_REMOVE) {
    const MSG* message = reinterpret_cast<const MSG*>(lParam);
    Note(e2e::hook::kRetrieved, message->hwnd, message->message, message->wParam);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A message sent to a window: the system calls its procedure directly.
LRESULT CALLBACK Sent(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const CWPSTRUCT* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    Note(e2e::hook::kSent, message->hwnd, message->message, message->wParam);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

HMODULE Self() {
  HMODULE module = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&Block), &module);
  return module;
}

}  // namespace

extern "C" __declspec(dllexport) BOOL __cdecl InstallMessageHooks(DWORD thread) {
  if (!Block()) return FALSE;
  g_retrieved = SetWindowsHookExA(WH_GETMESSAGE, Retrieved, Self(), thread);
  g_sent = SetWindowsHookExA(WH_CALLWNDPROC, Sent, Self(), thread);
  return g_retrieved && g_sent;
}

extern "C" __declspec(dllexport) void __cdecl RemoveMessageHooks() {
  if (g_retrieved) UnhookWindowsHookEx(g_retrieved);
  if (g_sent) UnhookWindowsHookEx(g_sent);
  g_retrieved = g_sent = nullptr;
}

extern "C" __declspec(dllexport) Shared* __cdecl SharedRecords() {
  return Block();
}
