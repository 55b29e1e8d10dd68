// The yardstick for the start-up benchmark: a Win32 program that does nothing but open one window with
// the main window's client area (543 by 156 pixels) and border, and run a message loop.
//
// Built with -DSAME_LIBRARIES (and bench/run links it with Morvela's manifest and stack protector), it
// also loads at start what Morvela.exe loads before its first window: the same system DLLs, the
// version 6 common controls and the theme library. Its time against the plain build shows what the
// libraries cost; Morvela's time against it shows what Morvela's own windows cost.
#include <windows.h>

#ifdef SAME_LIBRARIES
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
#include <winnetwk.h>
#include <winspool.h>

// One function of each DLL that Morvela.exe imports and the plain build does not, so that the loader
// maps them all at start as it does for Morvela.exe.
void* volatile imported[] = {reinterpret_cast<void*>(&GetOpenFileNameA),
                             reinterpret_cast<void*>(&WNetGetUniversalNameA),
                             reinterpret_cast<void*>(&EnumPrintersA), reinterpret_cast<void*>(&ShellExecuteA),
                             reinterpret_cast<void*>(&CreateProcessWithLogonW)};
#endif

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
#ifdef SAME_LIBRARIES
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  LoadLibraryA("uxtheme.dll");
#endif
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = "MinimalBenchWindow";
  if (!RegisterClassA(&windowClass)) return 1;

  // A fixed single border with only the system menu, as the main window has.
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
  RECT frame{0, 0, 543, 156};
  AdjustWindowRect(&frame, style, FALSE);
  HWND window =
      CreateWindowExA(0, windowClass.lpszClassName, "Minimal", style, 329, 208, frame.right - frame.left,
                      frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  ShowWindow(window, show);
  UpdateWindow(window);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}
