#include "ui/win32/win32_backend.h"

#include <optional>

#include <commctrl.h>

#include "base/error.h"
#include "platform/win32/wide.h"
#include "ui/application.h"
#include "ui/win32/form_window.h"
#include "ui/win32/windowless_adapter.h"

namespace ui::win32 {
namespace {

Win32Backend* g_backend = nullptr;

// The message box being shown and where it goes; read by the hook when the box activates.
thread_local const MessageBoxRequest* g_placing = nullptr;

LRESULT CALLBACK PlaceMessageBox(int code, WPARAM wParam, LPARAM lParam) noexcept {
  if (code == HCBT_ACTIVATE && g_placing) {
    const MessageBoxRequest& request = *g_placing;
    g_placing = nullptr;
    HWND box = reinterpret_cast<HWND>(wParam);
    RECT r;
    GetWindowRect(box, &r);
    int x = r.left;
    int y = r.top;
    if (!request.x && !request.y) {
      x = (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2;
      y = (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2;
    } else {
      if (request.x) x = *request.x;
      if (request.y) y = *request.y;
    }
    SetWindowPos(box, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL CALLBACK CollectEnabled(HWND window, LPARAM list) noexcept {
  if (IsWindowVisible(window) && IsWindowEnabled(window))
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

HMENU BuildMenu(const std::vector<TMenuItem*>& items, std::vector<TMenuItem*>& commands) {
  HMENU menu = CreatePopupMenu();
  for (TMenuItem* item : items) {
    if (item->IsSeparator()) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    const UINT grey = item->Enabled() ? 0u : static_cast<UINT>(MF_GRAYED);
    if (!item->Items().empty()) {
      AppendMenuW(menu, MF_POPUP | grey, reinterpret_cast<UINT_PTR>(BuildMenu(item->Items(), commands)),
                  w32::Wide(item->Caption()).c_str());
    } else {
      commands.push_back(item);
      AppendMenuW(menu, MF_STRING | grey, commands.size(), w32::Wide(item->Caption()).c_str());
    }
  }
  return menu;
}

void FocusFirst(TForm& form) {
  TControl* target = form.ActiveControl();
  if (!target || !target->CanFocus()) {
    const auto stops = form.TabStops();
    target = stops.empty() ? nullptr : stops.front();
  }
  if (target) target->SetFocus();
}

}  // namespace

Win32Backend& Backend() {
  return *g_backend;
}

COLORREF ColorRefOf(Color color) {
  return (color & kSystemColor) ? GetSysColor(static_cast<int>(color & 0xFF)) : static_cast<COLORREF>(color);
}

void AnyPainterList::Add(Painter& painter) {
  painters_.push_back(&painter);
}

void AnyPainterList::Remove(Painter& painter) {
  std::erase(painters_, &painter);
}

Painter* AnyPainterList::For(const TControl& control) const {
  for (auto it = painters_.rbegin(); it != painters_.rend(); ++it)
    if ((*it)->Accepts(control)) return *it;
  return nullptr;
}

COLORREF TextColorOf(const Font& font) {
  return Backend().HighContrast() ? GetSysColor(COLOR_BTNTEXT) : ColorRefOf(font.color);
}

Win32Backend::Win32Backend(HINSTANCE instance)
    : instance_(instance),
      standardSpeedButtons_(StandardSpeedButtonPainter()),
      standardBevels_(StandardBevelPainter()) {
  g_backend = this;
  painters_.windowless.Add(*standardSpeedButtons_);
  painters_.windowless.Add(*standardBevels_);
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  RegisterClasses();
}

Win32Backend::~Win32Backend() {
  g_backend = nullptr;
}

void Win32Backend::RegisterClasses() {
  WNDCLASSEXW form{};
  form.cbSize = sizeof(form);
  form.lpfnWndProc = FormProc;
  form.hInstance = instance_;
  form.hIcon = LoadIconW(instance_, L"MAINICON");
  form.hCursor = LoadCursor(nullptr, IDC_ARROW);
  form.hbrBackground = nullptr;  // the form erases its own surface, around its opaque controls
  form.lpszClassName = kFormClass;
  // No CS_DBLCLKS: a quick second click on a speed button is a second click, as on any button.
  if (!RegisterClassExW(&form) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    throw base::EError("Die Fensterklasse konnte nicht angemeldet werden");
}

HFONT Win32Backend::FontFor(const Font& font) {
  for (auto& [known, handle] : fonts_)
    if (known == font) return static_cast<HFONT>(handle.get());
  HFONT created = CreateFontW(font.height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, font.underline,
                              FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                              DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, w32::Wide(font.name).c_str());
  fonts_.emplace_back(font, w32::UniqueGdi(created));
  return created;
}

HDC Win32Backend::MeasuringDc() {
  if (!measuring_) measuring_.reset(CreateCompatibleDC(nullptr));
  return measuring_.get();
}

bool Win32Backend::HighContrast() {
  if (!highContrast_) {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof(contrast);
    highContrast_ = SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
                    (contrast.dwFlags & HCF_HIGHCONTRASTON);
  }
  return *highContrast_;
}

namespace {

BOOL CALLBACK RedrawForm(HWND window, LPARAM) noexcept {
  if (FormOf(window))
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  return TRUE;
}

}  // namespace

void Win32Backend::SystemChanged() {
  highContrast_.reset();
  painters_.windowless.Each([](WindowlessPainter& painter) { painter.SystemChanged(); });
  EnumThreadWindows(GetCurrentThreadId(), RedrawForm, 0);
}

HWND Win32Backend::MainWindow() const {
  return main_ ? reinterpret_cast<HWND>(main_->Handle()) : nullptr;
}

void Win32Backend::CreateWindows(TForm& form) {
  // The main window is made at once; a dialog's windows are made when it is first shown, as most
  // runs never open most dialogs. Until then the dialog keeps its state in its controls.
  if (main_) return;
  main_ = &form;
  CreateFormWindows(*this, form, nullptr);
}

bool Win32Backend::PreTranslate(const MSG& message) {
  if (message.message != WM_KEYDOWN) return false;
  if (message.wParam != VK_TAB && message.wParam != VK_RETURN && message.wParam != VK_ESCAPE) return false;
  if (GetKeyState(VK_MENU) < 0 || GetKeyState(VK_CONTROL) < 0) return false;
  HWND root = GetAncestor(message.hwnd, GA_ROOT);
  FormWindow* form = FormOf(root);
  if (!form) return false;
  if (message.wParam == VK_TAB) {
    // The toolkit knows the stops, also those of the controls without a window; and from now on the
    // window shows where the focus is, as a dialog does once the keyboard is used.
    SendMessageW(root, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    form->Form().SelectNext(GetKeyState(VK_SHIFT) >= 0);
    return true;
  }
  return form->Form().DialogKey(message.wParam == VK_RETURN ? Key::kReturn : Key::kEscape);
}

void Win32Backend::WaitFor(platform::Handle process) {
  HANDLE object = reinterpret_cast<HANDLE>(process);
  std::optional<WPARAM> quit;
  while (MsgWaitForMultipleObjects(1, &object, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      // The program's end waits for the process: the message loop gets it back afterwards.
      if (message.message == WM_QUIT) {
        quit = message.wParam;
        continue;
      }
      if (!PreTranslate(message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
    }
  }
  if (quit) PostQuitMessage(static_cast<int>(*quit));
}

void Win32Backend::PumpUntil(const TForm& form) {
  MSG message;
  while (form.ModalResult() == mrNone) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      PostQuitMessage(static_cast<int>(message.wParam));  // let the outer loop end the program
      const_cast<TForm&>(form).SetModalResult(mrCancel);
      break;
    }
    if (!PreTranslate(message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

int Win32Backend::ShowModal(TForm& form) {
  if (!WindowOf(form)) CreateFormWindows(*this, form, MainWindow());
  FormWindow* peer = WindowOf(form);
  HWND window = peer->Window();
  HWND owner = GetActiveWindow();
  std::vector<HWND> disabled;
  EnumThreadWindows(GetCurrentThreadId(), CollectEnabled, reinterpret_cast<LPARAM>(&disabled));
  std::erase(disabled, window);
  for (HWND other : disabled) EnableWindow(other, FALSE);
  if (form.Position() == FormPosition::kScreenCenter) {
    const Rect r = peer->GetBounds();
    peer->SetPosition((GetSystemMetrics(SM_CXSCREEN) - r.width) / 2,
                      (GetSystemMetrics(SM_CYSCREEN) - r.height) / 2);
  }
  peer->modal = true;
  peer->shown = true;
  form.SetVisible(true);
  ShowWindow(window, SW_SHOW);
  SetActiveWindow(window);
  FocusFirst(form);
  form.DoActivate();
  PumpUntil(form);
  peer->modal = false;
  if (TControl* focused = form.ActiveControl()) form.SetActiveControl(focused);
  // The owner is enabled again before the dialog hides, so the activation returns to it.
  for (HWND other : disabled) EnableWindow(other, TRUE);
  ShowWindow(window, SW_HIDE);
  form.SetVisible(false);
  if (owner && IsWindow(owner)) SetActiveWindow(owner);
  return form.ModalResult();
}

void Win32Backend::Run(TForm& mainForm) {
  FormWindow* peer = WindowOf(mainForm);
  const WindowState state = peer->pendingState;
  peer->shown = true;
  mainForm.SetVisible(true);
  ShowWindow(peer->Window(), state == WindowState::kMinimized   ? SW_SHOWMINIMIZED
                             : state == WindowState::kMaximized ? SW_SHOWMAXIMIZED
                                                                : SW_SHOWNORMAL);
  UpdateWindow(peer->Window());
  if (state != WindowState::kMinimized) FocusFirst(mainForm);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (!PreTranslate(message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

int Win32Backend::ShowMessageBox(const MessageBoxRequest& request) {
  w32::UniqueHook hook(SetWindowsHookExW(WH_CBT, PlaceMessageBox, nullptr, GetCurrentThreadId()));
  g_placing = &request;
  const int answer = MessageBoxW(reinterpret_cast<HWND>(ActiveWindow()), w32::Wide(request.text).c_str(),
                                 w32::Wide(request.caption).c_str(), request.flags);
  g_placing = nullptr;
  return answer;
}

void Win32Backend::Popup(TPopupMenu& menu, Point screen) {
  std::vector<TMenuItem*> commands;
  w32::UniqueMenu handle(BuildMenu(menu.Items(), commands));
  HWND owner = reinterpret_cast<HWND>(ActiveWindow());
  const UINT chosen = static_cast<UINT>(
      TrackPopupMenu(handle.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x,
                     screen.y, 0, owner, nullptr));
  handle.reset();
  if (chosen >= 1 && chosen <= commands.size()) commands[chosen - 1]->Click();
}

platform::WindowHandle Win32Backend::ActiveWindow() const {
  HWND active = GetActiveWindow();
  if (!FormOf(active)) active = MainWindow();
  return reinterpret_cast<platform::WindowHandle>(active);
}

}  // namespace ui::win32
