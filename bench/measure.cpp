// Run under Wine by bench/run. Measures how long a Windows program takes from its start until its main
// window is visible and the program waits for input; and waits for or closes a program started from
// outside, so that its memory can be read in between.
//   measure RUNS PROGRAM...  starts each program RUNS times, taking turns; prints every time, the
//                            medians and the lower quartiles
//   measure --ready NAME     waits until the running process NAME shows a window and waits for input
//   measure --close NAME     closes the windows of the running process NAME and waits until it has ended
#include <windows.h>
// After windows.h, which it needs.
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr DWORD kPatience = 30000;  // milliseconds for a start or an end
// Between two starts, so that the system has finished with the program closed before (its windows
// gone from the desktop, its process ended everywhere) when the next one is timed.
constexpr DWORD kPause = 500;

struct Search {
  DWORD process;
  HWND window;
};

BOOL CALLBACK Visit(HWND window, LPARAM data) {
  Search& search = *reinterpret_cast<Search*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search.process || !IsWindowVisible(window)) return TRUE;
  search.window = window;
  return FALSE;
}

HWND VisibleWindowOf(DWORD process) {
  Search search{process, nullptr};
  EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
  return search.window;
}

double Milliseconds(const LARGE_INTEGER& from) {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(now.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Milliseconds from begin until the process waits for input and one of its top-level windows is
// visible, or a negative number when it does not get there. The wait for input blocks, so that
// looking does not take time from the program being measured; only a window that appears later than
// that is looked for again every millisecond.
double WaitUntilShown(HANDLE process, DWORD id, const LARGE_INTEGER& begin, HWND& window) {
  const ULONGLONG deadline = GetTickCount64() + kPatience;
  if (WaitForInputIdle(process, kPatience) != 0) return -1;
  while (!(window = VisibleWindowOf(id))) {
    if (GetTickCount64() > deadline) return -1;
    Sleep(1);
  }
  return Milliseconds(begin);
}

// Asks the window to close, as its close box would, and waits for the process to end.
bool Close(HANDLE process, HWND window) {
  PostMessageA(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process, kPatience) == WAIT_OBJECT_0) return true;
  TerminateProcess(process, 1);
  return false;
}

std::string NameOf(const std::string& path) {
  return path.substr(path.find_last_of("\\/") + 1);
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

// One start, closed again as soon as it was shown: its time, negative when it did not get there.
double TimeOneStart(const std::string& path, bool describe) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION created{};
  std::string commandLine = "\"" + path + "\"";
  const std::string folder = FolderOf(path);
  LARGE_INTEGER begin;
  QueryPerformanceCounter(&begin);
  if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                      &startup, &created)) {
    std::printf("%s: cannot start (error %lu)\n", path.c_str(), GetLastError());
    return -1;
  }
  HWND window = nullptr;
  const double ms = WaitUntilShown(created.hProcess, created.dwProcessId, begin, window);
  if (ms >= 0 && describe) {
    RECT client;
    GetClientRect(window, &client);
    char caption[256] = "";
    GetWindowTextA(window, caption, sizeof caption);
    std::printf("%s window \"%s\", client area %ldx%ld\n", NameOf(path).c_str(), caption, client.right,
                client.bottom);
  }
  bool closed = false;
  if (ms >= 0)
    closed = Close(created.hProcess, window);
  else
    TerminateProcess(created.hProcess, 1);
  if (!closed) std::printf("%s: did not end when its window was closed\n", NameOf(path).c_str());
  CloseHandle(created.hThread);
  CloseHandle(created.hProcess);
  return ms;
}

// The value below which the share q of the times lies, between the two nearest times.
double Quantile(std::vector<double> values, double q) {
  std::sort(values.begin(), values.end());
  const double at = q * static_cast<double>(values.size() - 1);
  const std::size_t below = static_cast<std::size_t>(at);
  const std::size_t above = std::min(below + 1, values.size() - 1);
  return values[below] + (values[above] - values[below]) * (at - static_cast<double>(below));
}

int TimeStarts(int runs, const std::vector<std::string>& programs) {
  std::vector<std::vector<double>> times(programs.size());
  for (int run = 1; run <= runs; ++run) {
    for (std::size_t p = 0; p < programs.size(); ++p) {
      Sleep(kPause);
      const double ms = TimeOneStart(programs[p], run == 1);
      if (ms < 0) return 1;
      times[p].push_back(ms);
      std::printf("run %d %s %.1f ms\n", run, NameOf(programs[p]).c_str(), ms);
      std::fflush(stdout);
    }
  }
  for (std::size_t p = 0; p < programs.size(); ++p) {
    std::printf("median %s %.1f ms\n", NameOf(programs[p]).c_str(), Quantile(times[p], 0.5));
    std::printf("quartile %s %.1f ms\n", NameOf(programs[p]).c_str(), Quantile(times[p], 0.25));
  }
  return 0;
}

// The running process of that executable name, opened for waiting, or nothing.
HANDLE OpenByName(const std::string& name, DWORD& id) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return nullptr;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  HANDLE process = nullptr;
  for (BOOL more = Process32First(snapshot, &entry); more && !process;
       more = Process32Next(snapshot, &entry)) {
    if (lstrcmpiA(entry.szExeFile, name.c_str()) != 0) continue;
    id = entry.th32ProcessID;
    process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, id);
  }
  CloseHandle(snapshot);
  return process;
}

HANDLE WaitForProcess(const std::string& name, DWORD& id) {
  const ULONGLONG deadline = GetTickCount64() + kPatience;
  HANDLE process;
  while (!(process = OpenByName(name, id)) && GetTickCount64() < deadline) Sleep(10);
  if (!process) std::printf("%s: no such process\n", name.c_str());
  return process;
}

int Ready(const std::string& name) {
  DWORD id = 0;
  HANDLE process = WaitForProcess(name, id);
  if (!process) return 1;
  HWND window = nullptr;
  LARGE_INTEGER begin;
  QueryPerformanceCounter(&begin);
  const bool ok = WaitUntilShown(process, id, begin, window) >= 0;
  CloseHandle(process);
  std::printf(ok ? "%s ready\n" : "%s: no window\n", name.c_str());
  return ok ? 0 : 1;
}

int CloseByName(const std::string& name) {
  DWORD id = 0;
  HANDLE process = WaitForProcess(name, id);
  if (!process) return 1;
  const HWND window = VisibleWindowOf(id);
  const bool closed = window && Close(process, window);
  CloseHandle(process);
  if (!closed) std::printf("%s: did not end when its window was closed\n", name.c_str());
  return closed ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 2 && args[0] == "--ready") return Ready(args[1]);
  if (args.size() == 2 && args[0] == "--close") return CloseByName(args[1]);
  const int runs = args.empty() ? 0 : std::atoi(args[0].c_str());
  if (runs < 1 || args.size() < 2) {
    std::printf("usage: measure RUNS PROGRAM... | --ready NAME | --close NAME\n");
    return 2;
  }
  return TimeStarts(runs, std::vector<std::string>(args.begin() + 1, args.end()));
}
