#include "ui/win32/win32_windows.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ui/application.h"
#include "ui/error.h"
#include "ui/win32/win32_backend.h"

namespace ui::win32 {
namespace {

MouseButton ButtonOf(UINT message) {
  switch (message) {
    case WM_RBUTTONDOWN:
      return MouseButton::kRight;
    case WM_MBUTTONDOWN:
      return MouseButton::kMiddle;
    default:
      return MouseButton::kLeft;
  }
}

// A speed button as the system draws a push button, when there is no painter of its own; the device
// context's origin is the button's corner.
void PaintStandardSpeedButton(const TControl& control, HDC dc, bool pressed) {
  RECT rect{0, 0, control.Width(), control.Height()};
  const UINT state =
      DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0u) | (control.Enabled() ? 0u : DFCS_INACTIVE);
  DrawFrameControl(dc, &rect, DFC_BUTTON, state);
  const std::string caption = control.Text();
  if (caption.empty()) return;
  w32::SelectGuard font(dc, Backend().FontFor(control.GetFont()));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(control.Enabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  if (pressed) OffsetRect(&rect, 1, 1);
  DrawTextA(dc, caption.c_str(), -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

// A bevel: an etched line along the top edge of its rectangle.
void PaintBevel(const TControl& bevel, HDC dc) {
  RECT line{0, 0, bevel.Width(), 2};
  DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
}

COLORREF FormColor(const TForm& form) {
  return ColorRefOf(form.GetColor());
}

// The full paths of what was dropped; the drop's memory is released here.
std::vector<std::string> DroppedFiles(HDROP drop) {
  std::vector<std::string> files;
  const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::string path(DragQueryFileA(drop, i, nullptr, 0), '\0');
    DragQueryFileA(drop, i, path.data(), static_cast<UINT>(path.size() + 1));
    files.push_back(std::move(path));
  }
  DragFinish(drop);
  return files;
}

Point PointOf(LPARAM lParam) {
  return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

RECT ToRECT(const Rect& r) {
  return {r.left, r.top, r.left + r.width, r.top + r.height};
}

}  // namespace

std::wstring Wide(const std::string& ansi) {
  if (ansi.empty()) return {};
  const int length = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(std::max(length, 0)), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), length);
  return wide;
}

FormWindow* FormOf(HWND window) {
  if (!window) return nullptr;
  char name[32] = {};
  if (!GetClassNameA(window, name, static_cast<int>(std::size(name))) || lstrcmpA(name, kFormClass) != 0)
    return nullptr;
  return reinterpret_cast<FormWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

ControlWindow* ControlOf(HWND window) {
  if (!window || !FormOf(GetParent(window))) return nullptr;
  return reinterpret_cast<ControlWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// --- Forms ---------------------------------------------------------------------------------------

void FormWindow::SetCaption(const std::string& caption) {
  SetWindowTextA(Window(), caption.c_str());
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
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
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
  SendMessageA(Window(), WM_NEXTDLGCTL, 0, 0);
}

LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (message == WM_NCCREATE) {
    auto* created = reinterpret_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    created->Adopt(window);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
  }
  FormWindow* peer = reinterpret_cast<FormWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!peer) return DefWindowProcA(window, message, wParam, lParam);
  TForm& form = peer->Form();
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
      peer->EraseBackground(reinterpret_cast<HDC>(wParam));
      return 1;
    case WM_PAINT: {
      w32::PaintScope paint(window);
      peer->PaintWindowless(paint.dc(), paint.area());
      return 0;
    }
    case WM_PRINTCLIENT: {
      RECT client;
      GetClientRect(window, &client);
      if (lParam & PRF_ERASEBKGND) peer->EraseBackground(reinterpret_cast<HDC>(wParam));
      peer->PaintWindowless(reinterpret_cast<HDC>(wParam), client);
      return 0;
    }
    case WM_MOUSEMOVE:
      form.Windowless().MouseMove(PointOf(lParam));
      return 0;
    case WM_MOUSELEAVE:
      form.Windowless().MouseLeave();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (form.Windowless().ButtonDown(ButtonOf(message), PointOf(lParam)) && message == WM_LBUTTONDOWN)
        return 0;
      break;
    case WM_LBUTTONUP:
      form.Windowless().ButtonUp(MouseButton::kLeft, PointOf(lParam));
      return 0;
    case WM_CAPTURECHANGED:
      form.Windowless().CaptureLost();
      return 0;
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wParam) == window && lParam != -1) {
        POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ScreenToClient(window, &at);
        if (form.Windowless().ContextMenu({at.x, at.y}, PointOf(lParam))) return 0;
      }
      if (ControlWindow* source = ControlOf(reinterpret_cast<HWND>(wParam))) {
        if (TPopupMenu* menu = source->Control().PopupMenu()) {
          POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
          if (lParam == -1) {  // from the keyboard: at the control's corner
            at = {0, 0};
            ::ClientToScreen(source->Window(), &at);
          }
          menu->Popup(at.x, at.y);
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
        if (active && active->CanFocus() && active->Peer()) active->SetFocus();
      }
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
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      peer->Release();
      break;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

bool FormWindow::ReplaceTool(TTTOOLINFOA tool, bool present, const TControl& control, bool wanted) {
  HWND tips = Tooltips();
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.hwnd = Window();
  if (present) SendMessageA(tips, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  if (!wanted) return false;
  std::string hint = control.Hint();
  tool.lpszText = hint.data();
  return SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)) != FALSE;
}

HWND FormWindow::Tooltips() {
  // Made when the first control of the form shows a tooltip; destroyed with the form's window.
  if (!tooltip_)
    tooltip_ = CreateWindowExA(
        WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Window(), nullptr, Backend().Instance(), nullptr);
  return tooltip_;
}

void FormWindow::Adopt(HWND window) {
  window_.reset(window);
}
void FormWindow::Release() {
  window_.release();
}

// --- Controls without a window --------------------------------------------------------------------

void FormWindow::EraseBackground(HDC dc) {
  RECT client;
  GetClientRect(Window(), &client);
  const int saved = SaveDC(dc);
  // An opaque control paints every pixel of its rectangle itself; erasing under it would only flicker.
  for (const TControl* c : form_.Windowless().Controls()) {
    if (c->Visible() && c->Kind() == ControlKind::kSpeedButton &&
        !static_cast<const TSpeedButton&>(*c).Transparent) {
      const RECT area = ToRECT(c->Bounds());
      ExcludeClipRect(dc, area.left, area.top, area.right, area.bottom);
    }
  }
  w32::UniqueGdi brush(CreateSolidBrush(FormColor(form_)));
  FillRect(dc, &client, static_cast<HBRUSH>(brush.get()));
  RestoreDC(dc, saved);
}

void FormWindow::PaintWindowless(HDC dc, const RECT& area) {
  // The controls that want the form's surface painted under them again get it in one repaint, at once,
  // before any of them is painted.
  const std::vector<TControl*>& controls = form_.Windowless().Controls();
  RECT renew{0, 0, 0, 0};
  for (TControl* control : controls) {
    RECT common;
    const RECT where = ToRECT(control->Bounds());
    ControlPainter* painter = Backend().PainterFor(control->Kind());
    if (painter && control->Visible() && IntersectRect(&common, &where, &area) &&
        painter->PrepareBackground(*control))
      UnionRect(&renew, &renew, &where);
  }
  if (!IsRectEmpty(&renew))
    RedrawWindow(Window(), &renew, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  for (TControl* control : controls) {
    RECT common;
    const RECT where = ToRECT(control->Bounds());
    if (control->Visible() && IntersectRect(&common, &where, &area) && RectVisible(dc, &where))
      static_cast<WindowlessControl*>(control->Peer())->Paint(dc);
  }
}

void FormWindow::Redraw(const TControl& control, bool now) {
  const RECT area = ToRECT(control.Bounds());
  RedrawWindow(Window(), &area, nullptr, RDW_INVALIDATE | (now ? RDW_UPDATENOW : 0u));
}

void FormWindow::CaptureMouse(bool capture) {
  if (capture)
    SetCapture(Window());
  else if (GetCapture() == Window())
    ReleaseCapture();
}

void FormWindow::WatchMouseLeave() {
  // Told also when the mouse goes on into one of the form's child windows.
  TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, Window(), 0};
  TrackMouseEvent(&track);
}

void FormWindow::PutTool(const TControl& control, bool present) {
  TTTOOLINFOA tool{};
  tool.uFlags = TTF_SUBCLASS;
  tool.uId = reinterpret_cast<UINT_PTR>(&control);
  tool.rect = ToRECT(control.Bounds());
  ReplaceTool(tool, true, control, present);
}

WindowlessControl::WindowlessControl(TControl& control, FormWindow& form, std::string text)
    : control_(control), form_(form), text_(std::move(text)), shown_(control.Bounds()) {}

void WindowlessControl::Invalidate(bool erase) {
  const RECT area = ToRECT(control_.Bounds());
  RedrawWindow(form_.Window(), &area, nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0u));
}

void WindowlessControl::SetText(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  Invalidate(false);
}

void WindowlessControl::SetBounds(Rect bounds) {
  const RECT old = ToRECT(shown_);
  InvalidateRect(form_.Window(), &old, TRUE);
  shown_ = bounds;
  Invalidate(true);
}

void WindowlessControl::SetVisible(bool) {
  Invalidate(true);
}

void WindowlessControl::SetEnabled(bool) {
  Invalidate(true);
}

void WindowlessControl::AppearanceChanged() {
  Invalidate(false);
}

void WindowlessControl::Paint(HDC dc) {
  const Rect bounds = control_.Bounds();
  const WindowlessHost& host = control_.Form()->Windowless();
  const bool pressed = host.Pressed(control_);
  const int saved = SaveDC(dc);
  OffsetViewportOrgEx(dc, bounds.left, bounds.top, nullptr);
  IntersectClipRect(dc, 0, 0, bounds.width, bounds.height);
  if (control_.Kind() == ControlKind::kBevel)
    PaintBevel(control_, dc);
  else if (ControlPainter* painter = Backend().PainterFor(control_.Kind()))
    painter->Paint(control_, form_.Window(), dc, host.Hot(control_), pressed);
  else
    PaintStandardSpeedButton(control_, dc, pressed);
  RestoreDC(dc, saved);
}

// --- Creation ------------------------------------------------------------------------------------

namespace {

DWORD FormStyle(const TForm& form, DWORD& exStyle) {
  if (form.GetBorderStyle() == BorderStyle::kSingle) {
    exStyle = WS_EX_WINDOWEDGE;
    return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  }
  exStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
  return WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
}

// Tab stops first, in tab order, so that the window order is the tab order; then labels, so a label
// that lies on a line is drawn over it; then the rest.
std::vector<TControl*> CreationOrder(const TForm& form) {
  std::vector<TControl*> order = form.TabStops();
  for (TControl* control : form.Controls())
    if (control->Kind() == ControlKind::kLabel) order.push_back(control);
  for (TControl* control : form.Controls())
    if (std::find(order.begin(), order.end(), control) == order.end()) order.push_back(control);
  return order;
}

void CreateWindowless(TControl& control, FormWindow& form) {
  control.AttachPeer(std::make_unique<WindowlessControl>(control, form, control.Text()));
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
  HWND window = CreateWindowExA(exStyle, kFormClass, caption.c_str(), style, form.Left(), form.Top(),
                                outer.right - outer.left, outer.bottom - outer.top, owner, nullptr,
                                backend.Instance(), peer.get());
  if (!window) throw EError("Das Fenster " + form.Name() + " konnte nicht erzeugt werden");
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(backend.FontFor(form.GetFont())), FALSE);
  int id = 100;
  for (TControl* control : CreationOrder(form)) {
    if (!control->Windowless()) CreateControlWindow(*control, window, id++);
  }
  // In the order of the form's controls, so that a later one is painted over an earlier one.
  for (TControl* control : form.Controls())
    if (control->Windowless()) CreateWindowless(*control, *peer);
  form.AttachPeer(std::move(peer));
}

}  // namespace ui::win32
