#include "ui/win32/win32_windows.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/application.h"
#include "ui/win32/win32_backend.h"

namespace ui::win32 {
namespace {

COLORREF ToColorRef(Color color) {
  return (color & kSystemColor) ? GetSysColor(static_cast<int>(color & 0xFF)) : static_cast<COLORREF>(color);
}

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

struct WindowKind {
  const char* windowClass;
  DWORD style;
  DWORD exStyle;
};

WindowKind KindOf(const TControl& control, bool customDrawn) {
  const DWORD tab = control.TabOrder() >= 0 ? WS_TABSTOP : 0;
  switch (control.Kind()) {
    case ControlKind::kLabel:
      // Labels are drawn here, with the same call that measures them for their size, so that a label
      // sized to its text always shows all of it.
      return {"STATIC", SS_OWNERDRAW | SS_NOTIFY, 0};
    case ControlKind::kEdit: {
      const auto& edit = static_cast<const TEdit&>(control);
      return {"EDIT", ES_AUTOHSCROLL | (edit.PasswordChar() ? ES_PASSWORD : 0u) | tab, WS_EX_CLIENTEDGE};
    }
    case ControlKind::kButton: {
      const auto& button = static_cast<const TButton&>(control);
      return {"BUTTON", (button.Default() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | tab, 0};
    }
    case ControlKind::kBitBtn:
      return {"BUTTON", (customDrawn ? BS_OWNERDRAW : BS_PUSHBUTTON) | tab, 0};
    case ControlKind::kSpeedButton:
    case ControlKind::kBevel:
      break;  // no window: painted by their form
    case ControlKind::kListBox:
      // Sorted by the system, which compares by the user's locale.
      return {"LISTBOX", LBS_NOTIFY | LBS_SORT | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | tab, WS_EX_CLIENTEDGE};
    case ControlKind::kStatusBar:
      return {STATUSCLASSNAMEA, SBARS_SIZEGRIP | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER, 0};
  }
  return {"STATIC", 0, 0};
}

Rect LabelBounds(const TControl& label, const std::string& text);

bool IsPasswordBox(const TControl& control) {
  return control.Kind() == ControlKind::kEdit && static_cast<const TEdit&>(control).PasswordChar();
}

// Removes characters of an edit box without keeping them for its undo.
void RemoveWithoutUndo(HWND edit, DWORD start, DWORD end) {
  SendMessageW(edit, EM_SETSEL, start, end);
  SendMessageW(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
}

// An edit box keeps what typing, deleting or pasting removes, for its undo: in a password box that is
// the password typed over or deleted, and emptying the undo later may leave most of it in memory. So a
// password box removes such text itself, without undo, before the key or the paste goes on; a key that
// only deletes is done with that. True when the message has been handled.
bool RemovedBeforeInput(HWND edit, UINT message, WPARAM key) {
  DWORD start = 0, end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const bool backspace = message == WM_CHAR && key == VK_BACK;
  const bool del = message == WM_KEYDOWN && key == VK_DELETE;
  if (start == end) {
    const auto length = static_cast<DWORD>(GetWindowTextLengthW(edit));
    if (backspace && start > 0) RemoveWithoutUndo(edit, start - 1, start);
    if (del && start < length) RemoveWithoutUndo(edit, start, start + 1);
  } else if (backspace || del || message == WM_CLEAR || message == WM_PASTE ||
             (message == WM_CHAR && key >= ' ')) {
    RemoveWithoutUndo(edit, start, end);
  }
  return backspace || del || message == WM_CLEAR || message == WM_CUT;
}

LRESULT CALLBACK ControlSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR reference) noexcept {
  auto* peer = reinterpret_cast<ControlWindow*>(reference);
  TControl& control = peer->Control();
  ControlPainter* painter = Backend().PainterFor(control.Kind());
  switch (message) {
    case WM_CHAR:
      if (control.Kind() == ControlKind::kEdit) {
        char key = static_cast<char>(wParam);
        control.KeyPress(key);
        if (key == 0) return 0;
        wParam = static_cast<unsigned char>(key);
        if (IsPasswordBox(control) && RemovedBeforeInput(window, message, wParam)) return 0;
      }
      break;
    case WM_KEYDOWN:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_CUT:
      if (IsPasswordBox(control) && RemovedBeforeInput(window, message, wParam)) return 0;
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (control.Kind() == ControlKind::kBitBtn || control.Kind() == ControlKind::kButton) {
        // The button takes the press first, as a button does; then the handler may open a menu.
        const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
        control.MouseDown(ButtonOf(message), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return result;
      }
      break;
    case WM_MOUSEMOVE:
      if (control.Kind() == ControlKind::kBitBtn && !peer->hot) {
        peer->hot = true;
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window, 0};
        TrackMouseEvent(&track);
        if (painter) RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
      }
      break;
    case WM_MOUSELEAVE:
      if (control.Kind() == ControlKind::kBitBtn) {
        peer->hot = false;
        if (painter) RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
      }
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      peer->focused = message == WM_SETFOCUS;
      break;
    case WM_ERASEBKGND:
      if (painter && painter->EraseBackground(control, window, reinterpret_cast<HDC>(wParam))) return 1;
      break;
    case WM_PAINT:
      if (painter && control.Kind() == ControlKind::kStatusBar) {
        w32::PaintScope paint(window);
        painter->Paint(control, window, paint.dc(), false, false);
        return 0;
      }
      break;
    case WM_PRINTCLIENT:
      if (painter && control.Kind() == ControlKind::kStatusBar) {
        painter->Paint(control, window, reinterpret_cast<HDC>(wParam), false, false);
        return 0;
      }
      break;
    case WM_NCHITTEST:
      // The grip is drawn, but the windows here have a fixed size: it must not start a resize.
      if (control.Kind() == ControlKind::kStatusBar) return HTCLIENT;
      break;
    case WM_SETCURSOR:
      if (control.GetCursor() == Cursor::kHandPoint) {
        SetCursor(LoadCursor(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(window, ControlSubclassProc, 1);
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      peer->Release();
      break;
    default:
      break;
  }
  return DefSubclassProc(window, message, wParam, lParam);
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
  return ToColorRef(form.GetColor());
}

RECT ToRECT(const Rect& r) {
  return {r.left, r.top, r.left + r.width, r.top + r.height};
}

UINT LabelFormat(const TControl& label) {
  const UINT align = label.GetAlignment() == Alignment::kRight    ? DT_RIGHT
                     : label.GetAlignment() == Alignment::kCenter ? DT_CENTER
                                                                  : DT_LEFT;
  return align | DT_EXPANDTABS | DT_SINGLELINE;
}

// How far the ink of the text's last letter reaches past its advance (a negative C width), in pixels:
// a label sized to its text makes room for it, or a letter such as a slanted "r" loses its tip. Fonts
// without such widths (the bitmap fonts) have none.
int Overhang(HDC dc, const std::string& text) {
  const std::wstring wide = Wide(text);
  ABC widths{};
  if (wide.empty() || !GetCharABCWidthsW(dc, wide.back(), wide.back(), &widths)) return 0;
  return widths.abcC < 0 ? -widths.abcC : 0;
}

// Draws text without "&" or tabs letter by letter at the widths that measuring gives. Some font engines
// (Wine's among them) set letters such as "w" further apart than they measure them, which cut off the
// end of a label sized to its text. Text with "&" or tabs is left to DrawText, for the prefix and the
// tab stops; false then. The text ends where its last letter's overhang still fits.
bool DrawAtMeasuredWidths(HDC dc, const std::string& text, const RECT& area, int overhang,
                          Alignment alignment) {
  if (text.find_first_of("&\t") != std::string::npos) return false;
  if (text.empty()) return true;
  const std::wstring wide = Wide(text);
  const int length = static_cast<int>(wide.size());
  std::vector<int> ends(wide.size());
  SIZE total{};
  if (wide.empty() || !GetTextExtentExPointW(dc, wide.c_str(), length, 0, nullptr, ends.data(), &total))
    return false;
  std::vector<int> widths(ends.size());
  for (std::size_t i = 0; i < ends.size(); ++i) widths[i] = ends[i] - (i ? ends[i - 1] : 0);
  const int room = area.right - area.left - overhang;
  const int x = alignment == Alignment::kRight    ? area.left + room - total.cx
                : alignment == Alignment::kCenter ? area.left + (room - total.cx) / 2
                                                  : area.left;
  ExtTextOutW(dc, x, area.top, ETO_CLIPPED, &area, wide.c_str(), static_cast<UINT>(length), widths.data());
  return true;
}

// A label: its text in its font and colour on the button face, greyed when disabled; "&&" shows as "&".
void DrawLabel(ControlWindow& peer, const DRAWITEMSTRUCT& item) {
  TControl& label = peer.Control();
  RECT area = item.rcItem;
  FillRect(item.hDC, &area, GetSysColorBrush(COLOR_BTNFACE));
  const std::string text = peer.GetText();
  w32::SelectGuard font(item.hDC, Backend().FontFor(label.GetFont()));
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, label.Enabled() ? ToColorRef(label.GetFont().color) : GetSysColor(COLOR_GRAYTEXT));
  const int overhang = Overhang(item.hDC, text);
  if (DrawAtMeasuredWidths(item.hDC, text, area, overhang, label.GetAlignment())) return;
  area.right -= overhang;  // the overhang is drawn into the room kept for it, so no clipping
  DrawTextA(item.hDC, text.c_str(), -1, &area, LabelFormat(label) | DT_NOCLIP);
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
        const UINT code = HIWORD(wParam);
        const ControlKind kind = source->Control().Kind();
        if (kind == ControlKind::kListBox) {
          if (code == LBN_DBLCLK) source->Control().DblClick();
        } else if (code == BN_CLICKED) {  // also STN_CLICKED of a label: both are 0
          source->Control().Click();
        }
        return 0;
      }
      break;
    case WM_CTLCOLORSTATIC:
      if (ControlWindow* source = ControlOf(reinterpret_cast<HWND>(lParam))) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, ToColorRef(source->Control().GetFont().color));
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
      }
      break;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (ControlWindow* source = ControlOf(item->hwndItem)) {
        if (source->Control().Kind() == ControlKind::kLabel) {
          DrawLabel(*source, *item);
          return TRUE;
        }
        if (ControlPainter* painter = Backend().PainterFor(source->Control().Kind())) {
          painter->DrawItem(source->Control(), *item, source->hot, source->focused);
          return TRUE;
        }
      }
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

// --- Controls ------------------------------------------------------------------------------------

std::string ControlWindow::GetText() const {
  const int length = GetWindowTextLengthA(Window());
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(Window(), text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(copied, 0)));
  return text;
}

void ControlWindow::SetText(const std::string& text) {
  SetWindowTextA(Window(), text.c_str());
  if (control_.Kind() == ControlKind::kLabel) {
    FitLabel();
    InvalidateRect(Window(), nullptr, FALSE);
  }
}

// A password box is read and written in UTF-16, the form its window keeps the text in: with the ANSI
// calls the system would convert the text through buffers of its own, which nobody wipes. The
// conversion to the program's ANSI text happens here, between buffers that wipe themselves.
void ControlWindow::ReadSecret(secret::Text& out) const {
  secret::Wide wide;
  wide.Reserve(static_cast<std::size_t>(GetWindowTextLengthW(Window())));
  GetWindowTextW(Window(), reinterpret_cast<wchar_t*>(wide.data()), static_cast<int>(wide.size() + 1));
  wide.TrimAtZero();
  const auto* text = reinterpret_cast<const wchar_t*>(wide.c_str());
  const int length = static_cast<int>(wide.size());
  const int bytes = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
  out.Reserve(static_cast<std::size_t>(std::max(bytes, 0)));
  WideCharToMultiByte(CP_ACP, 0, text, length, out.data(), bytes, nullptr, nullptr);
}

void ControlWindow::SetSecret(const secret::Text& text) {
  secret::Wide wide;
  const int length = static_cast<int>(text.size());
  const int units = MultiByteToWideChar(CP_ACP, 0, text.c_str(), length, nullptr, 0);
  wide.Reserve(static_cast<std::size_t>(std::max(units, 0)));
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), length, reinterpret_cast<wchar_t*>(wide.data()), units);
  SetWindowTextW(Window(), reinterpret_cast<const wchar_t*>(wide.c_str()));
}

void ControlWindow::SetBounds(Rect) {
  const Rect bounds = control_.Bounds();
  SetWindowPos(Window(), nullptr, bounds.left, bounds.top, bounds.width, bounds.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  if (control_.Kind() == ControlKind::kLabel) FitLabel();
}

void ControlWindow::SetVisible(bool visible) {
  ShowWindow(Window(), visible ? SW_SHOWNA : SW_HIDE);
}

void ControlWindow::SetEnabled(bool enabled) {
  EnableWindow(Window(), enabled ? TRUE : FALSE);
  InvalidateRect(Window(), nullptr, TRUE);
}

void ControlWindow::SetFocus() {
  ::SetFocus(Window());
}

bool ControlWindow::HasFocus() const {
  return GetFocus() == Window();
}

void ControlWindow::AppearanceChanged() {
  if (ControlPainter* painter = Backend().PainterFor(control_.Kind())) {
    UpdateTooltip();
    painter->ContentChanged(control_, Window());
    return;
  }
  SendMessageA(Window(), WM_SETFONT, reinterpret_cast<WPARAM>(Backend().FontFor(control_.GetFont())), TRUE);
  if (control_.Kind() == ControlKind::kLabel) FitLabel();
  if (control_.Kind() == ControlKind::kStatusBar) UpdateStatusBar();
  UpdateTooltip();
  InvalidateRect(Window(), nullptr, TRUE);
}

std::vector<std::string> ControlWindow::ShowItems(const std::vector<std::string>& items) {
  SendMessageA(Window(), WM_SETREDRAW, FALSE, 0);
  SendMessageA(Window(), LB_RESETCONTENT, 0, 0);
  for (const std::string& item : items)
    SendMessageA(Window(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  SendMessageA(Window(), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  SendMessageA(Window(), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(Window(), nullptr, TRUE);
  std::vector<std::string> shown;
  const LRESULT count = SendMessageA(Window(), LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::string item(static_cast<std::size_t>(SendMessageA(Window(), LB_GETTEXTLEN, i, 0)), '\0');
    SendMessageA(Window(), LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data()));
    shown.push_back(std::move(item));
  }
  return shown;
}

int ControlWindow::GetItemIndex() const {
  const LRESULT index = SendMessageA(Window(), LB_GETCURSEL, 0, 0);
  return index == LB_ERR ? -1 : static_cast<int>(index);
}

void ControlWindow::SetItemIndex(int index) {
  SendMessageA(Window(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

namespace {

// Where a label sized by its text stands: its design rectangle, narrowed to the text and kept at the
// edge it is aligned to.
Rect LabelBounds(const TControl& label, const std::string& text) {
  Rect bounds = label.Bounds();
  if (!static_cast<const TLabel&>(label).AutoSize) return bounds;
  RECT measured{0, 0, 0, 0};
  int overhang = 0;
  {
    HDC dc = Backend().MeasuringDc();
    w32::SelectGuard font(dc, Backend().FontFor(label.GetFont()));
    DrawTextA(dc, text.empty() ? " " : text.c_str(), -1, &measured, DT_CALCRECT | LabelFormat(label));
    overhang = Overhang(dc, text);
  }
  const int width = text.empty() ? 0 : measured.right + overhang;
  if (label.GetAlignment() == Alignment::kRight) bounds.left += bounds.width - width;
  bounds.width = width;
  bounds.height = measured.bottom;
  return bounds;
}

}  // namespace

void ControlWindow::FitLabel() {
  const Rect bounds = LabelBounds(control_, GetText());
  SetWindowPos(Window(), nullptr, bounds.left, bounds.top, bounds.width, bounds.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void ControlWindow::UpdateTooltip() {
  const bool wanted = control_.ShowHint() && !control_.Hint().empty();
  if (!wanted && !hasTooltip_) return;  // most controls never have one: no messages for them
  FormWindow* form = FormOf(GetParent(Window()));
  if (!form) return;
  HWND tips = form->Tooltips();
  TTTOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = form->Window();
  tool.uId = reinterpret_cast<UINT_PTR>(Window());
  if (hasTooltip_) SendMessageA(tips, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  hasTooltip_ = false;
  if (!wanted) return;
  std::string hint = control_.Hint();
  tool.lpszText = hint.data();
  hasTooltip_ = SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)) != FALSE;
}

HWND FormWindow::Tooltips() {
  // Made when the first control of the form shows a tooltip; destroyed with the form's window.
  if (!tooltip_)
    tooltip_ = CreateWindowExA(
        WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Window(), nullptr, Backend().Instance(), nullptr);
  return tooltip_;
}

void ControlWindow::UpdateStatusBar() {
  const auto& bar = static_cast<const TStatusBar&>(control_);
  std::vector<int> rights;
  int x = 0;
  for (std::size_t i = 0; i < bar.PanelCount(); ++i) {
    x += bar.Panel(i).left + bar.Panel(i).size;
    rights.push_back(i + 1 == bar.PanelCount() ? -1 : x);
  }
  SendMessageA(Window(), SB_SETPARTS, rights.size(), reinterpret_cast<LPARAM>(rights.data()));
  for (std::size_t i = 0; i < bar.PanelCount(); ++i)
    SendMessageA(Window(), SB_SETTEXTA, i, reinterpret_cast<LPARAM>(bar.Panel(i).text.c_str()));
}

void FormWindow::Adopt(HWND window) {
  window_.reset(window);
}
void FormWindow::Release() {
  window_.release();
}
void ControlWindow::Adopt(HWND window) {
  window_.reset(window);
}
void ControlWindow::Release() {
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
  for (WindowlessControl* control : windowless_) {
    RECT common;
    const RECT where = control->Area();
    if (control->Control().Visible() && IntersectRect(&common, &where, &area) && RectVisible(dc, &where))
      control->Paint(dc);
  }
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
  HWND tips = form_.Tooltips();
  TTTOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.uFlags = TTF_SUBCLASS;
  tool.hwnd = form_.Window();
  tool.uId = reinterpret_cast<UINT_PTR>(this);
  tool.rect = Area();
  if (hasTooltip_) SendMessageA(tips, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  hasTooltip_ = false;
  if (!wanted) return;
  std::string hint = control_.Hint();
  tool.lpszText = hint.data();
  hasTooltip_ = SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)) != FALSE;
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

void CreateControlWindow(Win32Backend& backend, TControl& control, HWND parent, int id) {
  ControlPainter* painter = backend.PainterFor(control.Kind());
  const WindowKind kind = KindOf(control, painter != nullptr);
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | kind.style;
  if (control.Visible()) style |= WS_VISIBLE;
  if (!control.Enabled()) style |= WS_DISABLED;
  auto peer = std::make_unique<ControlWindow>(control);
  // An edit box's text may be a password: it goes into the window through a wiping buffer, after the
  // window exists, never as a plain creation text.
  const bool edit = control.Kind() == ControlKind::kEdit;
  secret::Text typed;
  if (edit) typed = static_cast<TEdit&>(control).ReadSecret();
  const std::string text = edit ? std::string() : control.Text();
  const Rect bounds = control.Kind() == ControlKind::kLabel ? LabelBounds(control, text) : control.Bounds();
  HWND window =
      CreateWindowExA(kind.exStyle, kind.windowClass, text.c_str(), style, bounds.left, bounds.top,
                      bounds.width, bounds.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                      backend.Instance(), peer.get());
  if (!window) throw std::runtime_error("Das Fenster " + control.Name() + " konnte nicht erzeugt werden");
  peer->Adopt(window);
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(peer.get()));
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(backend.FontFor(control.GetFont())), FALSE);
  SetWindowSubclass(window, ControlSubclassProc, 1, reinterpret_cast<DWORD_PTR>(peer.get()));
  if (control.Kind() == ControlKind::kEdit) {
    if (const char c = static_cast<TEdit&>(control).PasswordChar())
      SendMessageA(window, EM_SETPASSWORDCHAR, static_cast<unsigned char>(c), 0);
  }
  ControlWindow& attached = *peer;
  control.AttachPeer(std::move(peer));
  if (edit && !typed.empty()) attached.SetSecret(typed);
  if (control.Kind() == ControlKind::kListBox) {
    auto& list = static_cast<TListBox&>(control);
    SendMessageA(window, LB_SETITEMHEIGHT, 0, list.ItemHeight);
    list.ReplaceItems(list.Items());
  }
  if (control.Kind() == ControlKind::kStatusBar && !painter) attached.UpdateStatusBar();
  attached.UpdateTooltip();
}

}  // namespace

void CreateFormWindows(Win32Backend& backend, TForm& form, HWND owner) {
  DWORD exStyle = 0;
  const DWORD style = FormStyle(form, exStyle);
  RECT outer{0, 0, form.ClientWidth(), form.ClientHeight()};
  AdjustWindowRectEx(&outer, style, FALSE, exStyle);
  auto peer = std::make_unique<FormWindow>(form);
  peer->pendingState = form.GetWindowState();
  const std::string caption = form.Caption();
  HWND window = CreateWindowExA(exStyle, kFormClass, caption.c_str(), style, form.Left(), form.Top(),
                                outer.right - outer.left, outer.bottom - outer.top, owner, nullptr,
                                backend.Instance(), peer.get());
  if (!window) throw std::runtime_error("Das Fenster " + form.Name() + " konnte nicht erzeugt werden");
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(backend.FontFor(form.GetFont())), FALSE);
  int id = 100;
  for (TControl* control : CreationOrder(form)) {
    if (!control->Windowless()) CreateControlWindow(backend, *control, window, id++);
  }
  // In the order of the form's controls, so that a later one is painted over an earlier one.
  for (TControl* control : form.Controls())
    if (control->Windowless()) CreateWindowless(*control, *peer);
  form.AttachPeer(std::move(peer));
}

}  // namespace ui::win32
