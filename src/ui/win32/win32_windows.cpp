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
      peer->OnMouseMove({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_MOUSELEAVE:
      peer->OnMouseLeave();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (peer->OnButtonDown(ButtonOf(message), {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) &&
          message == WM_LBUTTONDOWN)
        return 0;
      break;
    case WM_LBUTTONUP:
      peer->OnLeftButtonUp({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_CAPTURECHANGED:
      peer->OnCaptureChanged();
      return 0;
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wParam) == window && lParam != -1 &&
          peer->OnContextMenu({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}))
        return 0;
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

bool FormWindow::ReplaceTool(TTTOOLINFOA tool, bool present, const TControl& control) {
  HWND tips = Tooltips();
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.hwnd = Window();
  if (present) SendMessageA(tips, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  if (!control.ShowHint() || control.Hint().empty()) return false;
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
  for (WindowlessControl* control : windowless_) {
    const TControl& c = control->Control();
    if (c.Visible() && c.Kind() == ControlKind::kSpeedButton &&
        !static_cast<const TSpeedButton&>(c).Transparent) {
      const RECT area = control->Area();
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
  RECT renew{0, 0, 0, 0};
  for (WindowlessControl* control : windowless_) {
    RECT common;
    const RECT where = control->Area();
    ControlPainter* painter = Backend().PainterFor(control->Control().Kind());
    if (painter && control->Control().Visible() && IntersectRect(&common, &where, &area) &&
        painter->PrepareBackground(control->Control()))
      UnionRect(&renew, &renew, &where);
  }
  if (!IsRectEmpty(&renew))
    RedrawWindow(Window(), &renew, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  for (WindowlessControl* control : windowless_) {
    RECT common;
    const RECT where = control->Area();
    if (control->Control().Visible() && IntersectRect(&common, &where, &area) && RectVisible(dc, &where))
      control->Paint(dc);
  }
}

void FormWindow::RemoveWindowless(WindowlessControl& control) {
  std::erase(windowless_, &control);
  if (hot_ == &control) hot_ = nullptr;
  if (captured_ == &control) captured_ = nullptr;
}

WindowlessControl* FormWindow::At(POINT at) const {
  for (auto it = windowless_.rbegin(); it != windowless_.rend(); ++it)
    if ((*it)->Contains(at)) return *it;
  return nullptr;
}

void FormWindow::OnMouseMove(POINT at) {
  if (!tipsWanted_) {
    tipsWanted_ = true;
    for (WindowlessControl* control : windowless_) control->UpdateTooltip();
  }
  if (captured_) {
    captured_->SetPressed(captured_->Contains(at));
    return;
  }
  WindowlessControl* under = At(at);
  if (under && !under->Control().Enabled()) under = nullptr;
  if (under == hot_) return;
  if (hot_) hot_->SetHot(false);
  hot_ = under;
  if (!hot_) return;
  // The form is told when the mouse leaves it, also into one of its child windows.
  TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, Window(), 0};
  TrackMouseEvent(&track);
  hot_->SetHot(true);
}

void FormWindow::OnMouseLeave() {
  if (hot_ && !captured_) hot_->SetHot(false);
  if (!captured_) hot_ = nullptr;
}

bool FormWindow::OnButtonDown(MouseButton button, POINT at) {
  WindowlessControl* under = At(at);
  if (!under || !under->Control().Enabled()) return false;
  if (button == MouseButton::kLeft) {
    SetCapture(Window());
    captured_ = under;
    under->SetPressed(true);
  }
  const RECT area = under->Area();
  under->Control().MouseDown(button, at.x - area.left, at.y - area.top);
  return true;
}

void FormWindow::OnLeftButtonUp(POINT at) {
  if (!captured_) return;
  WindowlessControl* released = captured_;
  const bool inside = released->Contains(at);
  ReleaseCapture();  // WM_CAPTURECHANGED shows the face released
  if (inside) released->Control().Click();
}

void FormWindow::OnCaptureChanged() {
  if (!captured_) return;
  captured_->SetPressed(false);
  captured_ = nullptr;
}

bool FormWindow::OnContextMenu(POINT screen) {
  POINT at = screen;
  ScreenToClient(Window(), &at);
  WindowlessControl* under = At(at);
  TPopupMenu* menu = under ? under->Control().PopupMenu() : nullptr;
  if (!menu) return false;
  menu->Popup(screen.x, screen.y);
  return true;
}

WindowlessControl::WindowlessControl(TControl& control, FormWindow& form, std::string text)
    : control_(control), form_(form), text_(std::move(text)), shown_(control.Bounds()) {}

RECT WindowlessControl::Area() const {
  return ToRECT(control_.Bounds());
}

bool WindowlessControl::Contains(POINT at) const {
  const RECT area = Area();
  return control_.Visible() && PtInRect(&area, at);
}

void WindowlessControl::Invalidate(bool erase, bool now) {
  const RECT area = Area();
  RedrawWindow(form_.Window(), &area, nullptr,
               RDW_INVALIDATE | (erase ? RDW_ERASE : 0u) | (now ? RDW_UPDATENOW : 0u));
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
  UpdateTooltip();
}

void WindowlessControl::SetVisible(bool) {
  Invalidate(true);
}

void WindowlessControl::SetEnabled(bool enabled) {
  if (!enabled) hot_ = pressed_ = false;
  Invalidate(true);
}

void WindowlessControl::AppearanceChanged() {
  UpdateTooltip();
  Invalidate(false);
}

void WindowlessControl::SetHot(bool hot) {
  if (hot == hot_) return;
  hot_ = hot;
  Invalidate(false, true);
}

void WindowlessControl::SetPressed(bool pressed) {
  if (pressed == pressed_) return;
  pressed_ = pressed;
  Invalidate(false, true);
}

void WindowlessControl::Paint(HDC dc) {
  const Rect bounds = control_.Bounds();
  const int saved = SaveDC(dc);
  OffsetViewportOrgEx(dc, bounds.left, bounds.top, nullptr);
  IntersectClipRect(dc, 0, 0, bounds.width, bounds.height);
  if (control_.Kind() == ControlKind::kBevel)
    PaintBevel(control_, dc);
  else if (ControlPainter* painter = Backend().PainterFor(control_.Kind()))
    painter->Paint(control_, form_.Window(), dc, hot_, pressed_);
  else
    PaintStandardSpeedButton(control_, dc, pressed_);
  RestoreDC(dc, saved);
}

void WindowlessControl::UpdateTooltip() {
  const bool wanted = control_.ShowHint() && !control_.Hint().empty();
  if ((!wanted && !hasTooltip_) || !form_.TipsWanted()) return;
  TTTOOLINFOA tool{};
  tool.uFlags = TTF_SUBCLASS;
  tool.uId = reinterpret_cast<UINT_PTR>(this);
  tool.rect = Area();
  hasTooltip_ = form_.ReplaceTool(tool, hasTooltip_, control_);
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
  auto peer = std::make_unique<WindowlessControl>(control, form, control.Text());
  WindowlessControl& attached = *peer;
  form.AddWindowless(attached);
  control.AttachPeer(std::move(peer));
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
