#include "e2e/driver.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "e2e/png.h"

namespace e2e {
namespace {

struct Search {
  DWORD process;
  std::string title;
  const char* windowClass;
  bool unowned;
  HWND found = nullptr;
};

BOOL CALLBACK FindTopLevel(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->process || !IsWindowVisible(window)) return TRUE;
  if (search->unowned && GetWindow(window, GW_OWNER)) return TRUE;
  if (search->windowClass) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, search->windowClass) != 0) return TRUE;
  }
  if (!search->title.empty() && Program::Text(window) != search->title) return TRUE;
  search->found = window;
  return FALSE;
}

void DeleteFolderContents(const std::string& folder) {
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((folder + "*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = entry.cFileName;
    if (name == "." || name == "..") continue;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      DeleteFolderContents(folder + name + "\\");
      RemoveDirectoryA((folder + name).c_str());
    } else {
      SetFileAttributesA((folder + name).c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA((folder + name).c_str());
    }
  } while (FindNextFileA(find, &entry));
  FindClose(find);
}

LPARAM KeyData(WPARAM key, bool up) {
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(static_cast<UINT>(key), 0)) << 16;
  return 1 | scan | (up ? (3 << 30) : 0);
}

}  // namespace

std::string BinFolder() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

std::string RunFolder(const std::string& name) {
  const std::string base = BinFolder() + "e2e-runs\\";
  CreateDirectoryA(base.c_str(), nullptr);
  const std::string folder = base + name + "\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  DeleteFolderContents(folder);
  return folder;
}

bool WaitFor(const std::function<bool()>& condition, int milliseconds) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (static_cast<int>(GetTickCount() - start) > milliseconds) return false;
    Sleep(25);
  }
}

// Paths are UTF-8, as the program's, and may name folders in any script.
std::string ReadFile(const std::string& path) {
  std::ifstream in(std::filesystem::path(Wide(path)), std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void WriteFile(const std::string& path, const std::string& content) {
  std::ofstream out(std::filesystem::path(Wide(path)), std::ios::binary);
  out << content;
}

namespace {

// The screen area of a window as rows of RGB pixels from the top; empty for a window of no size.
std::vector<std::uint8_t> Capture(HWND window, int& width, int& height) {
  RECT r;
  GetWindowRect(window, &r);
  width = r.right - r.left;
  height = r.bottom - r.top;
  if (width <= 0 || height <= 0) return {};
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  SelectObject(memory, old);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  const int stride = (width * 3 + 3) & ~3;
  std::vector<std::uint8_t> bgr(static_cast<std::size_t>(stride) * height);
  GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), bgr.data(), &info, DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  std::vector<std::uint8_t> rgb;
  rgb.reserve(static_cast<std::size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const std::uint8_t* p = &bgr[static_cast<std::size_t>(y) * stride + x * 3];
      rgb.insert(rgb.end(), {p[2], p[1], p[0]});
    }
  return rgb;
}

}  // namespace

bool SaveScreenshot(HWND window, const std::string& name) {
  Settled(window);  // what the window shows once its drawing has come to rest
  int width = 0, height = 0;
  const std::vector<std::uint8_t> rgb = Capture(window, width, height);
  if (rgb.empty()) return false;
  const std::string folder = BinFolder() + "screenshots\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  return WritePng(folder + name + ".png", width, height, rgb);
}

bool Settled(HWND window) {
  int width = 0, height = 0;
  std::vector<std::uint8_t> last = Capture(window, width, height);
  return WaitFor([&] {
    Sleep(50);  // the interval between two looks, not a wait for the drawing
    std::vector<std::uint8_t> now = Capture(window, width, height);
    const bool same = !now.empty() && now == last;
    last = std::move(now);
    return same;
  });
}

COLORREF ScreenPixel(int x, int y) {
  HDC screen = GetDC(nullptr);
  const COLORREF color = GetPixel(screen, x, y);
  ReleaseDC(nullptr, screen);
  return color;
}

std::string AccountDomain() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return {};
  BYTE buffer[512];
  DWORD size = 0;
  const bool read = GetTokenInformation(token, TokenUser, buffer, sizeof buffer, &size);
  CloseHandle(token);
  char name[256], domain[256];
  DWORD nameSize = sizeof name, domainSize = sizeof domain;
  SID_NAME_USE use;
  if (!read || !LookupAccountSidA(nullptr, reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, name, &nameSize,
                                  domain, &domainSize, &use))
    return {};
  return domain;
}

Program::Program(const std::string& folder, const std::string& copyAs, const std::string& currentDirectory,
                 const std::string& arguments)
    : folder_(folder) {
  const std::string target = folder + copyAs;
  if (!CopyFileW(Wide(BinFolder() + "Morvela.exe").c_str(), Wide(target).c_str(), FALSE)) return;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  std::wstring commandLine = Wide("\"" + target + "\"" + (arguments.empty() ? "" : " " + arguments));
  const std::string directory = currentDirectory.empty() ? folder : currentDirectory;
  if (!CreateProcessW(Wide(target).c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      Wide(directory).c_str(), &startup, &process_))
    return;
  WaitForInputIdle(process_.hProcess, 20000);
  WaitFor(
      [&] {
        Search search{process_.dwProcessId, "", "MorvelaForm", true};
        EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&search));
        main_ = search.found;
        return main_ != nullptr;
      },
      20000);
}

Program::~Program() {
  if (process_.hProcess) {
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT && !Close())
      TerminateProcess(process_.hProcess, 1);
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
  }
}

HWND Program::WaitForWindow(const std::string& title, int milliseconds) const {
  HWND found = nullptr;
  WaitFor(
      [&] {
        Search search{process_.dwProcessId, title, nullptr, false};
        EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&search));
        found = search.found;
        return found != nullptr;
      },
      milliseconds);
  return found;
}

HWND Program::ControlAt(HWND parent, int x, int y) const {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    if (r.left == x && r.top == y) return child;
  }
  return nullptr;
}

HWND Program::ControlWithText(HWND parent, const std::string& text) const {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (Text(child) == text) return child;
  return nullptr;
}

HWND Program::Focus() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  if (!GetGUIThreadInfo(process_.dwThreadId, &info)) return nullptr;
  return info.hwndFocus;
}

std::string Program::NextError() const {
  HWND box = WaitForWindow("Fehler");
  const std::string text = box ? BoxText(box) : "(no box)";
  if (box) CloseBox(box);
  WaitFor([&] { return !IsWindow(box); });
  return text;
}

bool Program::Gate() const {
  ClickAt(main_, 154, 108, true);
  return ChooseFromMenu(0);
}

HWND Program::OpenEditor() const {
  return Gate() ? WaitForWindow("Belegung der Schnelltasten") : nullptr;
}

std::wstring Wide(const std::string& utf8) {
  std::wstring wide(utf8.size(), L'\0');
  wide.resize(static_cast<std::size_t>(MultiByteToWideChar(
      CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), static_cast<int>(wide.size()))));
  return wide;
}

std::string Utf8(const std::wstring& wide) {
  std::string utf8(wide.size() * 3, '\0');
  utf8.resize(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.data(),
                                                           static_cast<int>(wide.size()), utf8.data(),
                                                           static_cast<int>(utf8.size()), nullptr, nullptr)));
  return utf8;
}

// The program's windows are wide and its texts UTF-8: read and written wide, converted as UTF-8.
std::string Program::Text(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return {};
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                      5000, &copied);
  text.resize(copied);
  return Utf8(text);
}

void Program::SetText(HWND window, const std::string& text) {
  SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(text).c_str()));
}

void Program::Click(HWND button) {
  PostMessageA(button, BM_CLICK, 0, 0);
}

void Program::ClickAt(HWND window, int x, int y, bool right) {
  const LPARAM at = MAKELPARAM(x, y);
  PostMessageA(window, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON, at);
  PostMessageA(window, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, at);
}

void Program::Run(const std::optional<std::string>& path, const std::string& password) const {
  if (path) SetText(PathBox(), *path);
  SetText(PasswordBox(), password);
  PressKey(PasswordBox(), VK_RETURN);
}

void Program::PressKey(HWND window, WPARAM key) {
  PostMessageA(window, WM_KEYDOWN, key, KeyData(key, false));
  PostMessageA(window, WM_KEYUP, key, KeyData(key, true));
}

void Program::FocusBox(HWND edit) {
  ClickAt(edit, 2, 2);
}

namespace {

void SendKey(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, 0));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof input);
}

void Stroke(WORD key) {
  SendKey(key, false);
  SendKey(key, true);
}

WORD KeyFor(char c) {
  if (c >= 'a' && c <= 'z') return static_cast<WORD>(c - 'a' + 'A');
  if (c >= '0' && c <= '9') return static_cast<WORD>(c);
  return c == '-' ? VK_OEM_MINUS : 0;
}

// The selection of an edit box as (start, end), asked without handing the program a pointer.
std::pair<int, int> Selection(HWND edit) {
  const auto packed = static_cast<DWORD>(SendMessageA(edit, EM_GETSEL, 0, 0));
  return {LOWORD(packed), HIWORD(packed)};
}

}  // namespace

bool Program::Type(HWND edit, const std::string& keys, bool over) const {
  HWND top = GetAncestor(edit, GA_ROOT);
  SetForegroundWindow(top);
  FocusBox(edit);
  if (!WaitFor([&] { return GetForegroundWindow() == top && Focus() == edit; })) return false;
  // The box's length and selection show when the program has handled the keys; its text is never asked
  // for, because the answer would pass through the program's memory as another copy.
  const auto length = [&] { return static_cast<int>(SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0)); };
  if (over) {
    Stroke(VK_HOME);
    SendKey(VK_SHIFT, false);
    Stroke(VK_END);
    SendKey(VK_SHIFT, true);
    if (!WaitFor([&] { return Selection(edit) == std::pair{0, length()}; })) return false;
  }
  if (!over) Stroke(VK_END);
  const int expected = (over ? 0 : length()) + static_cast<int>(keys.size());
  for (char c : keys) Stroke(KeyFor(c));
  return WaitFor([&] { return length() == expected && Selection(edit) == std::pair{expected, expected}; });
}

bool Program::ChooseFromMenu(int item) const {
  std::vector<WPARAM> keys(static_cast<std::size_t>(item) + 1, VK_DOWN);
  keys.push_back(VK_RETURN);
  return MenuKeys(keys);
}

void Program::Keys(const std::vector<std::pair<WORD, WORD>>& strokes) {
  for (const auto& [key, modifier] : strokes) {
    if (modifier) SendKey(modifier, false);
    Stroke(key);
    if (modifier) SendKey(modifier, true);
  }
}

HWND Program::WaitForMenu() const {
  HWND menu = nullptr;
  WaitFor([&] {
    Search search{process_.dwProcessId, "", "#32768", false};
    EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&search));
    menu = search.found;
    return menu != nullptr;
  });
  return menu;
}

bool Program::MenuKeys(const std::vector<WPARAM>& keys, const std::string& screenshot) const {
  HWND menu = WaitForMenu();
  if (!menu) return false;
  if (!screenshot.empty()) SaveScreenshot(menu, screenshot);
  // The menu's own loop reads the keys from the program's queue, whichever of its windows they name.
  for (WPARAM key : keys) PressKey(menu, key);
  return WaitFor([&] { return !IsWindowVisible(menu); });
}

std::vector<std::string> Program::ListItems(HWND list) {
  std::vector<std::string> items;
  const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    // Across processes Wine hands a list entry back in wide form whichever form was asked for, so it is
    // asked for in wide form and converted here.
    const auto length = static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0));
    std::wstring wide(length + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide.data()));
    std::string item(length * 4 + 1, '\0');
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), static_cast<int>(length), item.data(),
                                          static_cast<int>(item.size()), nullptr, nullptr);
    item.resize(static_cast<std::size_t>(bytes > 0 ? bytes : 0));
    items.push_back(item);
  }
  return items;
}

std::string Program::BoxText(HWND box) {
  return Text(GetDlgItem(box, 0xFFFF));
}

void Program::CloseBox(HWND box) {
  PostMessageA(box, WM_COMMAND, IDOK, 0);
}

bool Program::Handled(HWND button) {
  PostMessageA(button, BM_SETSTATE, TRUE, 0);
  const bool handled = WaitFor([&] { return SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED; });
  SendMessageA(button, BM_SETSTATE, FALSE, 0);
  return handled;
}

bool Program::Close() {
  if (!process_.hProcess) return true;
  if (main_) PostMessageA(main_, WM_CLOSE, 0, 0);
  return WaitForSingleObject(process_.hProcess, 15000) == WAIT_OBJECT_0;
}

}  // namespace e2e
