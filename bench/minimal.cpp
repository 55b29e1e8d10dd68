// The yardstick for the start-up benchmark: a Win32 program that does nothing but open one window with
// the main window's client area (543 by 156 pixels) and border, and run a message loop.
//
// Built with -DSAME_LIBRARIES (and bench/run links it with Morvela's manifest and stack protector), it
// also loads at start every library Morvela.exe uses: the same system DLLs, the version 6 common
// controls and the theme library. Its time against the plain build shows what the libraries cost.
//
// Built with -DSAME_CONTROLS instead (linked the same way), it loads what Morvela.exe loads before its
// first window (the common controls, the theme library, the account functions) and its window gets the
// 25 child windows of Morvela's main window, as the system's standard controls of the same kinds,
// places, texts and font, drawn only by the system: the least that a window with these controls costs
// to start.
#include <windows.h>

#if defined(SAME_LIBRARIES) || defined(SAME_CONTROLS)
#include <commctrl.h>
#define COMMON_CONTROLS
#endif

#ifdef SAME_LIBRARIES
#include <commdlg.h>
#include <shellapi.h>
#include <winnetwk.h>
#include <winspool.h>

// One function of each DLL that Morvela.exe uses and the plain build does not, so that the loader maps
// them all at start.
void* volatile imported[] = {reinterpret_cast<void*>(&GetOpenFileNameA),
                             reinterpret_cast<void*>(&WNetGetUniversalNameA),
                             reinterpret_cast<void*>(&EnumPrintersA), reinterpret_cast<void*>(&ShellExecuteA),
                             reinterpret_cast<void*>(&CreateProcessWithLogonW)};
#elif defined(SAME_CONTROLS)
void* volatile imported[] = {reinterpret_cast<void*>(&CreateProcessWithLogonW)};
#endif

namespace {

#ifdef SAME_CONTROLS
struct Child {
  const char* windowClass;
  DWORD style;
  DWORD exStyle;
  RECT place;  // left, top, width, height
  const char* text;
};

// Morvela's main window, in its window order: the tab stops, the labels, the rest.
constexpr DWORD kEdit = ES_AUTOHSCROLL | WS_TABSTOP;
constexpr DWORD kPush = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kLabel = SS_RIGHT | SS_NOTIFY;
const Child kChildren[] = {
    {"EDIT", kEdit, WS_EX_CLIENTEDGE, {104, 12, 401, 21}, ""},
    {"EDIT", kEdit | ES_PASSWORD, WS_EX_CLIENTEDGE, {104, 56, 89, 21}, ""},
    {"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, {464, 108, 75, 25}, "Ausf\xfchren"},
    {"BUTTON", kPush, 0, {504, 10, 30, 25}, ""},
    {"BUTTON", kPush, 0, {8, 100, 41, 35}, ""},
    {"BUTTON", kPush, 0, {50, 100, 41, 35}, ""},
    {"BUTTON", kPush, 0, {92, 100, 41, 35}, ""},
    {"STATIC", kLabel, 0, {12, 16, 90, 13}, "Programmname:"},
    {"STATIC", kLabel, 0, {57, 40, 45, 13}, "Benutzer:"},
    {"STATIC", SS_LEFT | SS_NOTIFY, 0, {104, 40, 60, 13}, "Administrator"},
    {"STATIC", kLabel, 0, {208, 40, 46, 13}, "Dom\xe4ne: "},
    {"STATIC", SS_LEFT | SS_NOTIFY, 0, {256, 40, 48, 13}, "MORVELA"},
    {"STATIC", kLabel, 0, {449, 40, 54, 13}, "Info"},
    {"STATIC", kLabel, 0, {56, 60, 46, 13}, "Passwort:"},
    {"STATIC", SS_LEFT | SS_NOTIFY, 0, {208, 60, 289, 13}, "Windows 7 Service Pack 1"},
    {"STATIC", SS_LEFT | SS_NOTIFY, 0, {226, 82, 76, 13}, "  Schnelltasten  "},
    {"STATIC", SS_ETCHEDHORZ, 0, {144, 91, 225, 2}, ""},
    {"BUTTON", BS_PUSHBUTTON, 0, {144, 100, 81, 17}, "Editor"},
    {"BUTTON", BS_PUSHBUTTON, 0, {227, 100, 78, 17}, "Dienste"},
    {"BUTTON", BS_PUSHBUTTON, 0, {306, 100, 63, 17}, "Konsole"},
    {"BUTTON", BS_PUSHBUTTON, 0, {144, 117, 81, 17}, "Ger\xe4te"},
    {"BUTTON", BS_PUSHBUTTON, 0, {227, 117, 78, 17}, "Drucker"},
    {"BUTTON", BS_PUSHBUTTON, 0, {306, 117, 63, 17}, "Software"},
    {"BUTTON", BS_PUSHBUTTON, 0, {384, 108, 34, 25}, "Info"},
    {STATUSCLASSNAMEA,
     SBARS_SIZEGRIP | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER,
     0,
     {0, 140, 543, 16},
     "Morvela"},
};

void CreateChildren(HWND parent, HINSTANCE instance, HFONT font) {
  int id = 100;
  for (const Child& child : kChildren) {
    HWND window = CreateWindowExA(child.exStyle, child.windowClass, child.text,
                                  WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | child.style, child.place.left,
                                  child.place.top, child.place.right, child.place.bottom, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)), instance, nullptr);
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
}
#endif

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
#ifdef COMMON_CONTROLS
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
#ifdef SAME_CONTROLS
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
#else
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
#endif
  RECT frame{0, 0, 543, 156};
  AdjustWindowRect(&frame, style, FALSE);
  HWND window =
      CreateWindowExA(0, windowClass.lpszClassName, "Minimal", style, 329, 208, frame.right - frame.left,
                      frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
#ifdef SAME_CONTROLS
  HFONT font =
      CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif");
  CreateChildren(window, instance, font);
#endif
  ShowWindow(window, show);
  UpdateWindow(window);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
#ifdef SAME_CONTROLS
  DeleteObject(font);
#endif
  return static_cast<int>(message.wParam);
}
