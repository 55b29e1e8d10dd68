#pragma once
// A message hook of our own for the idle test. The driver loads message_hook.dll and hooks one thread
// of the program; the system then loads the same library into the program and calls its hook
// procedures there, on that thread, for every message retrieved from its queue and every message sent
// to one of its windows. What they see goes into a block of named shared memory that both sides open.
#include <windows.h>

namespace e2e::hook {

inline constexpr char kLibrary[] = "message_hook.dll";
inline constexpr char kSharedName[] = "MorvelaMessageHook";
inline constexpr LONG kMaxRecords = 4096;

enum Kind : DWORD { kRetrieved = 1, kSent = 2 };

struct Record {
  DWORD kind;
  DWORD window;  // the HWND: both processes are 32-bit
  DWORD message;
  DWORD wParam;
  DWORD tick;
};

struct Shared {
  volatile LONG recording;  // set by the driver: records are kept only meanwhile
  volatile LONG seen;       // every message the hooks saw, recording or not
  volatile LONG count;      // messages seen while recording; the first kMaxRecords are kept
  Record records[kMaxRecords];
};

// Exported by the library, unmangled.
using InstallFn = BOOL(__cdecl*)(DWORD thread);  // WH_GETMESSAGE and WH_CALLWNDPROC on that thread
using RemoveFn = void(__cdecl*)();
using SharedFn = Shared*(__cdecl*)();  // the block, as mapped into the caller

}  // namespace e2e::hook
