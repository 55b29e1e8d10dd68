#include "ui/win32/form_window.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "base/error.h"
#include "platform/win32/wide.h"
#include "ui/application.h"
#include "ui/win32/convert.h"
#include "ui/win32/form_accessible.h"
#include "ui/win32/win32_backend.h"

namespace ui::win32 {
namespace {

// The full paths of what was dropped, read in UTF-16: the ANSI call would hand over a name the code
// page lacks with look-alikes, "ｓｅｔｕｐ.exe" as "setup.exe", another file. The drop's memory is
// released here.
std::vector<std::string> DroppedFiles(HDROP drop) {
  std::vector<std::string> files;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::wstring path(DragQueryFileW(drop, i, nullptr, 0), L'\0');
    DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size() + 1));
    files.push_back(w32::Utf8(path));
  }
  DragFinish(drop);
  return files;
}

// The keys the host of the controls without a window takes, while the form's window has the focus.
std::optional<Key> KeyOf(WPARAM key) {
  switch (key) {
    case VK_SPACE:
      return Key::kSpace;
    case VK_LEFT:
      return Key::kLeft;
    case VK_RIGHT:
      return Key::kRight;
    case VK_UP:
      return Key::kUp;
    case VK_DOWN:
      return Key::kDown;
    case VK_HOME:
      return Key::kHome;
    case VK_END:
      return Key::kEnd;
    default:
      return std::nullopt;
  }
}

}  // namespace

FormWindow* FormOf(HWND window) {
  if (!window) return nullptr;
  wchar_t name[32] = {};
  if (!GetClassNameW(window, name, static_cast<int>(std::size(name))) || lstrcmpW(name, kFormClass) != 0)
    return nullptr;
  return reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

ControlWindow* ControlOf(HWND window) {
  if (!window || !FormOf(GetParent(window))) return nullptr;
  return reinterpret_cast<ControlWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

FormWindow* WindowOf(TForm& form) {
  return dynamic_cast<FormWindow*>(&form.Peer());
}

// --- The form's window ------------------------------------------------------------------------------

FormWindow::FormWindow(TForm& form) : form_(form), windowless_(form, tooltips_) {}

FormWindow::~FormWindow() = default;

void FormWindow::SetCaption(const std::string& caption) {
  SetWindowTextW(Window(), w32::Wide(caption).c_str());
}

Rect FormWindow::GetBounds() const {
  RECT r{};
  if (IsIconic(Window())) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    GetWindowPlacement(Window(), &placement);
    r = placement.rcNormalPosition;
  } else {
    GetWindowRect(Window(), &r);
  }
  return RectOf(r);
}

void FormWindow::SetPosition(int left, int top) {
  SetWindowPos(Window(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::SetSize(int width, int height) {
  SetWindowPos(Window(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

WindowState FormWindow::GetWindowState() const {
  if (!shown) return pendingState;
  if (IsIconic(Window())) return WindowState::kMinimized;
  if (IsZoomed(Window())) return WindowState::kMaximized;
  return WindowState::kNormal;
}

void FormWindow::SetWindowState(WindowState state) {
  pendingState = state;
  if (!shown) return;
  ShowWindow(Window(), state == WindowState::kMinimized   ? SW_MINIMIZE
                       : state == WindowState::kMaximized ? SW_MAXIMIZE
                                                          : SW_RESTORE);
}

Point FormWindow::ClientToScreen(Point client) const {
  POINT p{client.x, client.y};
  ::ClientToScreen(Window(), &p);
  return {p.x, p.y};
}

void FormWindow::NextDlgCtl() {
  SendMessageW(Window(), WM_NEXTDLGCTL, 0, 0);
}

void FormWindow::TakeFocus() {
  if (GetFocus() != Window()) ::SetFocus(Window());
}

bool FormWindow::HoldsFocus() const {
  return Window() && GetFocus() == Window();
}

void FormWindow::Adopt(HWND window) {
  window_.reset(window);
  tooltips_.Attach(window);
  windowless_.Attach(window);
}

void FormWindow::Release() {
  window_.release();
}

// The message switch: each case unpacks its message and hands it on.
LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (message == WM_NCCREATE) {
    auto* created = reinterpret_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    created->Adopt(window);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
  }
  FormWindow* peer = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!peer) return DefWindowProcW(window, message, wParam, lParam);
  TForm& form = peer->Form();
  WindowlessHost& host = form.Windowless();
  switch (message) {
    case WM_COMMAND:
      if (ControlWindow* source = ControlOf(reinterpret_cast<HWND>(lParam))) {
        source->OnCommand(HIWORD(wParam));
        return 0;
      }
      break;
    case WM_CTLCOLORSTATIC:
      if (ControlWindow* source = ControlOf(reinterpret_cast<HWND>(lParam))) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, ColorRefOf(source->Control().GetFont().color));
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
      }
      break;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (ControlWindow* source = ControlOf(item->hwndItem); source && source->OnDrawItem(*item)) return TRUE;
      break;
    }
    case WM_ERASEBKGND:
      peer->Windowless().EraseBackground(reinterpret_cast<HDC>(wParam));
      return 1;
    case WM_PAINT: {
      w32::PaintScope paint(window);
      peer->Windowless().Paint(paint.dc(), paint.area());
      return 0;
    }
    case WM_PRINTCLIENT: {
      RECT client;
      GetClientRect(window, &client);
      if (lParam & PRF_ERASEBKGND) peer->Windowless().EraseBackground(reinterpret_cast<HDC>(wParam));
      peer->Windowless().Paint(reinterpret_cast<HDC>(wParam), client);
      return 0;
    }
    case WM_MOUSEMOVE:
      host.MouseMove(PointOf(lParam));
      return 0;
    case WM_MOUSELEAVE:
      host.MouseLeave();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (host.ButtonDown(MouseButtonOf(message), PointOf(lParam)) && message == WM_LBUTTONDOWN) return 0;
      break;
    case WM_LBUTTONUP:
      host.ButtonUp(MouseButton::kLeft, PointOf(lParam));
      return 0;
    case WM_CAPTURECHANGED:
      host.CaptureLost();
      return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (const std::optional<Key> key = KeyOf(wParam)) {
        const bool taken = message == WM_KEYDOWN ? host.KeyDown(*key) : host.KeyUp(*key);
        if (taken) return 0;
      }
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      host.FocusChanged();
      break;
    case WM_UPDATEUISTATE:
      // The focus rectangle follows the keyboard cues: shown once the keyboard is used.
      if (TWindowlessControl* focused = host.Focused()) focused->Redraw(false);
      break;
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
      Backend().SystemChanged();
      break;
    case WM_SETTINGCHANGE:
      if (wParam == SPI_SETHIGHCONTRAST) Backend().SystemChanged();
      break;
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wParam) == window) {
        if (lParam == -1) {  // from the keyboard: the focused control's menu, below it
          if (host.KeyDown(Key::kContextMenu)) return 0;
        } else {
          POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
          ScreenToClient(window, &at);
          if (host.ContextMenu({at.x, at.y}, PointOf(lParam))) return 0;
        }
      }
      if (ControlWindow* source = ControlOf(reinterpret_cast<HWND>(wParam))) {
        TControl& control = source->Control();
        if (lParam == -1) {  // from the keyboard: at the control's corner
          POINT corner{0, 0};
          ::ClientToScreen(source->Window(), &corner);
          if (control.ContextKey({corner.x, corner.y})) return 0;
        } else if (TPopupMenu* menu = control.PopupMenu()) {
          menu->Popup(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
          return 0;
        }
      }
      break;
    case WM_NEXTDLGCTL:
      if (wParam == 0 && LOWORD(lParam) == 0) {
        if (HWND next = GetNextDlgTabItem(window, GetFocus(), FALSE)) SetFocus(next);
        return 0;
      }
      break;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        if (ControlWindow* focused = ControlOf(GetFocus())) form.SetActiveControl(&focused->Control());
      } else if (!HIWORD(wParam)) {
        TControl* active = form.ActiveControl();
        if (active && active->CanFocus()) active->SetFocus();
      }
      return 0;
    case WM_GETOBJECT: {
      bool handled = false;
      const LRESULT answer = peer->Accessible().Answer(window, form, wParam, lParam, handled);
      if (handled) return answer;
      break;
    }
    case kAccessibleClickMessage:
      AnswerAccessibleClick(form, wParam);
      return 0;
    case WM_DROPFILES:
      form.DropFiles(DroppedFiles(reinterpret_cast<HDROP>(wParam)));
      return 0;
    case WM_CLOSE:
      if (peer->modal) {
        form.Close();
      } else if (form.CloseQuery()) {
        DestroyWindow(window);
      }
      return 0;
    case WM_DESTROY:
      if (window == Backend().MainWindow()) PostQuitMessage(0);
      break;
    case WM_NCDESTROY:
      peer->Accessible().Disconnect();
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      peer->Release();
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// --- Making the windows -----------------------------------------------------------------------------

namespace {

DWORD FormStyle(const TForm& form, DWORD& exStyle) {
  if (form.GetBorderStyle() == BorderStyle::kSingle) {
    exStyle = WS_EX_WINDOWEDGE;
    return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  }
  exStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
  return WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
}

}  // namespace

void CreateFormWindows(Win32Backend& backend, TForm& form, HWND owner) {
  DWORD exStyle = 0;
  const DWORD style = FormStyle(form, exStyle);
  if (form.OnDropFiles) exStyle |= WS_EX_ACCEPTFILES;  // as DragAcceptFiles, without the shell at start
  RECT outer{0, 0, form.ClientWidth(), form.ClientHeight()};
  AdjustWindowRectEx(&outer, style, FALSE, exStyle);
  auto peer = std::make_unique<FormWindow>(form);
  peer->pendingState = form.GetWindowState();
  const std::string caption = form.Caption();
  HWND window = CreateWindowExW(exStyle, kFormClass, w32::Wide(caption).c_str(), style, form.Left(),
                                form.Top(), outer.right - outer.left, outer.bottom - outer.top, owner,
                                nullptr, backend.Instance(), peer.get());
  if (!window) throw base::EError("Das Fenster " + form.Name() + " konnte nicht erzeugt werden");
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(backend.FontFor(form.GetFont())), FALSE);
  WindowFactory factory(window, peer->Windowless());
  for (TControl* control : CreationOrder(form)) control->AttachPeer(control->MakePeer(factory));
  form.AttachPeer(std::move(peer));
}

}  // namespace ui::win32
