// The program at rest: it has one thread, and while nobody touches it no message reaches its main
// window's procedure: no timer of its own, no repaint, no work of any kind. A message hook of our own
// (message_hook.dll) watches the program's user-interface thread from inside.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h:
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "e2e/driver.h"
#include "e2e/message_hook.h"

namespace {

using e2e::Program;
namespace hook = e2e::hook;

// Messages that only input causes: the pointer moving or resting over a window, mouse buttons and
// wheel, keys. The test moves nothing, so it expects none of them either, but they would not be the
// program's own doing.
bool CausedByInput(UINT message) {
  switch (message) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
    case WM_SETCURSOR:
    case WM_NCHITTEST:
    case WM_MOUSEHOVER:
    case WM_MOUSELEAVE:
    case WM_NCMOUSELEAVE:
    case WM_MOUSEACTIVATE:
    case WM_INPUT:
      return true;
    default:
      return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
             (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
             (message >= WM_NCLBUTTONDOWN && message <= WM_NCXBUTTONDBLCLK);
  }
}

HWND WindowOf(const hook::Record& record) {
  return reinterpret_cast<HWND>(static_cast<UINT_PTR>(record.window));
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

// The text cursor blinking in the edit box that has the focus: the system's own timer (WM_SYSTIMER,
// 0x0118, with the caret's timer id 0xFFFF) for the edit box's procedure, not one of the program's.
bool CaretBlink(const hook::Record& record) {
  return record.message == 0x0118 && record.wParam == 0xFFFF && ClassOf(WindowOf(record)) == "Edit";
}

int ThreadsOf(DWORD process) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return -1;
  THREADENTRY32 thread{};
  thread.dwSize = sizeof thread;
  int count = 0;
  for (BOOL more = Thread32First(snapshot, &thread); more; more = Thread32Next(snapshot, &thread))
    if (thread.th32OwnerProcessID == process) ++count;
  CloseHandle(snapshot);
  return count;
}

class IdleE2E : public ::testing::Test {
 protected:
  HMODULE library = nullptr;
  hook::Shared* shared = nullptr;
  hook::RemoveFn remove = nullptr;

  void SetUp() override {
    library = LoadLibraryA((e2e::BinFolder() + hook::kLibrary).c_str());
    ASSERT_NE(library, nullptr);
    remove = reinterpret_cast<hook::RemoveFn>(
        reinterpret_cast<void*>(GetProcAddress(library, "RemoveMessageHooks")));
    auto records =
        reinterpret_cast<hook::SharedFn>(reinterpret_cast<void*>(GetProcAddress(library, "SharedRecords")));
    ASSERT_TRUE(remove && records);
    shared = records();
    ASSERT_NE(shared, nullptr);
  }
  void TearDown() override {
    if (remove) remove();
    if (library) FreeLibrary(library);
  }
  bool Install(DWORD thread) {
    auto install = reinterpret_cast<hook::InstallFn>(
        reinterpret_cast<void*>(GetProcAddress(library, "InstallMessageHooks")));
    return install && install(thread);
  }
  // Settled: a whole second in which nothing happened on the thread but the caret's blinking.
  bool WaitUntilSettled() {
    for (int second = 0; second < 20; ++second) {
      StartRecording();
      Sleep(1000);
      const std::vector<hook::Record> records = StopRecording();
      if (std::all_of(records.begin(), records.end(), CaretBlink)) return true;
    }
    return false;
  }
  void StartRecording() {
    shared->count = 0;
    InterlockedExchange(&shared->recording, 1);
  }
  std::vector<hook::Record> StopRecording() {
    InterlockedExchange(&shared->recording, 0);
    const LONG count = shared->count;
    return {shared->records, shared->records + std::min(count, hook::kMaxRecords)};
  }
};

TEST_F(IdleE2E, OneThreadAndNoMessageToTheMainWindowInTwoSecondsOfRest) {
  // Nothing is touched: the pointer stays wherever it is, the keyboard is left alone.
  Program program(e2e::RunFolder("idle"));
  ASSERT_TRUE(program.Started());
  const DWORD thread = GetWindowThreadProcessId(program.Main(), nullptr);
  ASSERT_TRUE(Install(thread));
  ASSERT_TRUE(WaitUntilSettled()) << "the program never came to rest";

  StartRecording();
  Sleep(2000);  // the span measured, not a wait for something
  const std::vector<hook::Record> idle = StopRecording();
  const int threads = ThreadsOf(program.Id());

  // Every message on the user-interface thread, for the record, by window class.
  std::map<std::string, int> seen;
  std::vector<std::string> toMain;     // reached the main window's procedure
  std::vector<std::string> elsewhere;  // reached another window's, and is not the caret's blinking
  for (const hook::Record& r : idle) {
    char text[96];
    std::snprintf(text, sizeof text, "%s 0x%04lx wParam 0x%lx (%s)", ClassOf(WindowOf(r)).c_str(), r.message,
                  r.wParam, r.kind == hook::kSent ? "sent" : "from the queue");
    ++seen[text];
    if (CausedByInput(r.message)) continue;
    if (WindowOf(r) == program.Main())
      toMain.push_back(text);
    else if (!CaretBlink(r))
      elsewhere.push_back(text);
  }
  std::printf("threads of the program: %d\nmessages on its user-interface thread in 2 s of rest: %ld\n",
              threads, static_cast<long>(idle.size()));
  for (const auto& [what, count] : seen) std::printf("  %4d x %s\n", count, what.c_str());

  EXPECT_EQ(threads, 1);
  EXPECT_EQ(toMain, std::vector<std::string>{}) << "what the main window's procedure got while at rest";
  EXPECT_EQ(elsewhere, std::vector<std::string>{}) << "what its other windows got, besides the caret";

  // The instrument works: a message sent and one posted to the main window now are both seen.
  StartRecording();
  SendMessageA(program.Main(), WM_NULL, 0, 0);
  PostMessageA(program.Main(), WM_NULL, 1, 0);
  e2e::WaitFor([&] { return shared->count >= 2; }, 5000);
  const std::vector<hook::Record> probe = StopRecording();
  const DWORD main = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(program.Main()));
  int sent = 0, retrieved = 0;
  for (const hook::Record& r : probe) {
    if (r.window != main || r.message != WM_NULL) continue;
    if (r.kind == hook::kSent && r.wParam == 0) ++sent;
    if (r.kind == hook::kRetrieved && r.wParam == 1) ++retrieved;
  }
  EXPECT_EQ(sent, 1);
  EXPECT_EQ(retrieved, 1);
}

}  // namespace
