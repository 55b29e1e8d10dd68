#include "ui/win32/control_windows.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/error.h"
#include "ui/win32/convert.h"
#include "ui/win32/form_window.h"
#include "ui/win32/win32_backend.h"

namespace ui::win32 {
namespace {

DWORD TabStop(const TControl& control) {
  return control.TabOrder() >= 0 ? WS_TABSTOP : 0;
}

LRESULT CALLBACK ControlSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR reference) noexcept {
  auto* peer = reinterpret_cast<ControlWindow*>(reference);
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(window, ControlSubclassProc, 1);
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    peer->Release();
  } else if (std::optional<LRESULT> handled = peer->Handle(message, wParam, lParam)) {
    return *handled;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

// --- Edit boxes ----------------------------------------------------------------------------------

// Removes characters of an edit box without keeping them for its undo.
void RemoveWithoutUndo(HWND edit, DWORD start, DWORD end) {
  SendMessageW(edit, EM_SETSEL, start, end);
  SendMessageW(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
}

// A window that takes the keyboard focus.
class FocusWindow : public ControlWindow, public FocusPeer {
 public:
  using ControlWindow::ControlWindow;
  void SetFocus() override { ::SetFocus(Window()); }
  bool HasFocus() const override { return GetFocus() == Window(); }
};

class EditWindow : public FocusWindow, public TextPeer, public SecretPeer {
 public:
  explicit EditWindow(TEdit& edit) : FocusWindow(edit), edit_(edit) {}
  std::string GetText() const override { return ReadWindowText(); }
  void SetText(std::string_view text) override { SetWindowTextW(Window(), Wide(text).c_str()); }

  // A password box is read and written straight into and out of buffers that wipe themselves: a
  // conversion on the way would leave copies in buffers that nobody wipes.
  void ReadSecret(secret::Wide& out) const override {
    out.Reserve(static_cast<std::size_t>(GetWindowTextLengthW(Window())));
    GetWindowTextW(Window(), reinterpret_cast<wchar_t*>(out.data()), static_cast<int>(out.size() + 1));
    out.TrimAtZero();
  }
  void SetSecret(const secret::Wide& text) override {
    SetWindowTextW(Window(), reinterpret_cast<const wchar_t*>(text.c_str()));
  }
  // Typed over in place first, without undo, as a password typed over goes, and then removed: a removal
  // alone moves only the text's end and leaves the rest of the characters in the box's memory.
  void WipeSecret() override {
    const std::wstring filler(static_cast<std::size_t>(GetWindowTextLengthW(Window())), L'*');
    SendMessageW(Window(), EM_SETSEL, 0, -1);
    SendMessageW(Window(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(filler.c_str()));
    RemoveWithoutUndo(Window(), 0, static_cast<DWORD>(-1));
  }

 protected:
  WindowKind Kind() const override {
    return {L"EDIT", ES_AUTOHSCROLL | (PasswordChar() ? ES_PASSWORD : 0u) | TabStop(control_),
            WS_EX_CLIENTEDGE};
  }
  void Created() override {
    if (const char c = PasswordChar())
      SendMessageW(Window(), EM_SETPASSWORDCHAR, static_cast<unsigned char>(c), 0);
  }
  // The box's handler sees the ASCII keys (Return, Escape and the like); every other character goes
  // into the box as typed.
  std::optional<LRESULT> OnChar(WPARAM& key) override {
    if (key < 0x80) {
      char typed = static_cast<char>(key);
      control_.KeyPress(typed);
      if (typed == 0) return 0;
      key = static_cast<unsigned char>(typed);
    }
    return RemovedBeforeInput(WM_CHAR, key);
  }
  std::optional<LRESULT> OnKeyDown(WPARAM key) override { return RemovedBeforeInput(WM_KEYDOWN, key); }
  std::optional<LRESULT> OnEditCommand(UINT message) override { return RemovedBeforeInput(message, 0); }

 private:
  char PasswordChar() const { return edit_.PasswordChar(); }
  const TEdit& edit_;

  // An edit box keeps what typing, deleting or pasting removes, for its undo: in a password box that is
  // the password typed over or deleted, and emptying the undo later may leave most of it in memory. So
  // a password box removes such text itself, without undo, before the key or the paste goes on; a key
  // that only deletes is done with that.
  std::optional<LRESULT> RemovedBeforeInput(UINT message, WPARAM key) {
    if (!PasswordChar()) return {};
    DWORD start = 0, end = 0;
    SendMessageW(Window(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const bool backspace = message == WM_CHAR && key == VK_BACK;
    const bool del = message == WM_KEYDOWN && key == VK_DELETE;
    if (start == end) {
      const auto length = static_cast<DWORD>(GetWindowTextLengthW(Window()));
      if (backspace && start > 0) RemoveWithoutUndo(Window(), start - 1, start);
      if (del && start < length) RemoveWithoutUndo(Window(), start, start + 1);
    } else if (backspace || del || message == WM_CLEAR || message == WM_PASTE ||
               (message == WM_CHAR && key >= ' ')) {
      RemoveWithoutUndo(Window(), start, end);
    }
    if (backspace || del || message == WM_CLEAR || message == WM_CUT) return 0;
    return {};
  }
};

// --- Push buttons and bit buttons ----------------------------------------------------------------

class ButtonWindow : public FocusWindow, public TextPeer {
 public:
  explicit ButtonWindow(TButton& button) : FocusWindow(button), button_(button) {}
  std::string GetText() const override { return ReadWindowText(); }
  void SetText(std::string_view text) override { SetWindowTextW(Window(), Wide(text).c_str()); }
  void OnCommand(UINT code) override {
    if (code == BN_CLICKED) control_.Click();
  }

 protected:
  WindowKind Kind() const override {
    return {L"BUTTON", (button_.Default() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | TabStop(control_), 0};
  }
  std::string CreationText() const override { return button_.Text(); }
  // The button takes the press first, as a button does; then the handler may open a menu.
  std::optional<LRESULT> OnButtonDown(UINT message, WPARAM wParam, LPARAM lParam) override {
    const LRESULT result = Default(message, wParam, lParam);
    const Point at = PointOf(lParam);
    control_.MouseDown(MouseButtonOf(message), at.x, at.y);
    return result;
  }
  TButton& button_;
};

// A bit button is drawn by its painter when it has one: on the owner-draw request, with a hot face
// while the mouse is over it and a focus rectangle while it has the focus. The painter draws its
// caption; the window's own text, which screen readers read as its name, is the caption, or the hint
// of a button with a picture only.
class BitBtnWindow : public ButtonWindow {
 public:
  explicit BitBtnWindow(TBitBtn& button) : ButtonWindow(button), caption_(button.Text()) {}
  std::string GetText() const override { return caption_; }
  void SetText(std::string_view text) override {
    caption_ = text;
    ShowName();
  }
  void AppearanceChanged() override {
    if (!Painter()) return ButtonWindow::AppearanceChanged();
    ShowName();
    UpdateTooltip();
    InvalidateRect(Window(), nullptr, TRUE);
  }
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override {
    ItemPainter* painter = Items();
    if (painter) painter->DrawItem(control_, item, hot_, focused_);
    return painter != nullptr;
  }

 protected:
  WindowKind Kind() const override {
    return {L"BUTTON", (Painter() ? BS_OWNERDRAW : BS_PUSHBUTTON) | TabStop(control_), 0};
  }
  std::string CreationText() const override { return Name(); }
  WindowPainter* Painter() const override { return Items(); }
  // A drop-down button opens its menu from the keyboard too, with the keys of the system's split
  // buttons: F4 and Alt+Down.
  std::optional<LRESULT> OnKeyDown(WPARAM key) override {
    if (key != VK_F4 || !DropsDown()) return {};
    button_.DropDown();
    return 0;
  }
  std::optional<LRESULT> OnSysKeyDown(WPARAM key) override {
    if (key != VK_DOWN || !DropsDown()) return {};
    button_.DropDown();
    return 0;
  }
  std::optional<LRESULT> OnMouseMove() override {
    if (hot_) return {};
    hot_ = true;
    WatchMouseLeave(Window());
    Redraw();
    return {};
  }
  std::optional<LRESULT> OnMouseLeave() override {
    hot_ = false;
    Redraw();
    return {};
  }
  std::optional<LRESULT> OnFocus(bool focused) override {
    focused_ = focused;
    return {};
  }

 private:
  ItemPainter* Items() const { return Backend().Painters().items.For(control_); }
  bool DropsDown() const { return static_cast<bool>(button_.OnDropDown); }
  std::string Name() const { return caption_.empty() ? control_.Hint() : caption_; }
  void ShowName() {
    if (ReadWindowText() != Name()) SetWindowTextW(Window(), Wide(Name()).c_str());
  }
  void Redraw() {
    if (Painter()) RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }
  std::string caption_;
  bool hot_ = false;
  bool focused_ = false;
};

// --- Labels --------------------------------------------------------------------------------------

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

// Labels are drawn here, with the same calls that measure them for their size, so that a label sized
// to its text always shows all of it.
class LabelWindow : public ControlWindow, public TextPeer {
 public:
  explicit LabelWindow(TLabel& label) : ControlWindow(label), label_(label) {}
  std::string GetText() const override { return ReadWindowText(); }
  void SetText(std::string_view text) override {
    SetWindowTextW(Window(), Wide(text).c_str());
    Fit();
    InvalidateRect(Window(), nullptr, FALSE);
  }
  void SetBounds(Rect bounds) override {
    ControlWindow::SetBounds(bounds);
    Fit();
  }
  void AppearanceChanged() override {
    ControlWindow::AppearanceChanged();
    Fit();
  }
  void OnCommand(UINT code) override {
    if (code == STN_CLICKED) control_.Click();
  }
  // Its text in its font and colour on the button face, greyed when disabled; "&&" shows as "&".
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override {
    RECT area = item.rcItem;
    FillRect(item.hDC, &area, GetSysColorBrush(COLOR_BTNFACE));
    const std::string text = GetText();
    w32::SelectGuard font(item.hDC, Backend().FontFor(control_.GetFont()));
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC,
                 control_.Enabled() ? TextColorOf(control_.GetFont()) : GetSysColor(COLOR_GRAYTEXT));
    const int overhang = Overhang(item.hDC, text);
    if (DrawAtMeasuredWidths(item.hDC, text, area, overhang, control_.GetAlignment())) return true;
    area.right -= overhang;  // the overhang is drawn into the room kept for it, so no clipping
    DrawTextW(item.hDC, Wide(text).c_str(), -1, &area, LabelFormat(control_) | DT_NOCLIP);
    return true;
  }

 protected:
  WindowKind Kind() const override { return {L"STATIC", SS_OWNERDRAW | SS_NOTIFY, 0}; }
  Rect Placed() const override { return LabelBounds(label_, CreationText()); }
  std::string CreationText() const override { return label_.Text(); }

 private:
  const TLabel& label_;
  void Fit() {
    const Rect bounds = LabelBounds(label_, GetText());
    SetWindowPos(Window(), nullptr, bounds.left, bounds.top, bounds.width, bounds.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
};

// --- List boxes ----------------------------------------------------------------------------------

class ListBoxWindow : public FocusWindow, public ListPeer {
 public:
  explicit ListBoxWindow(TListBox& list) : FocusWindow(list), list_(list) {}
  // In the order given: the list is sorted before it comes here.
  void ShowItems(const std::vector<std::string>& items) override {
    SendMessageW(Window(), WM_SETREDRAW, FALSE, 0);
    SendMessageW(Window(), LB_RESETCONTENT, 0, 0);
    for (const std::string& item : items)
      SendMessageW(Window(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(item).c_str()));
    SendMessageW(Window(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(Window(), nullptr, TRUE);
  }
  int GetItemIndex() const override {
    const LRESULT index = SendMessageW(Window(), LB_GETCURSEL, 0, 0);
    return index == LB_ERR ? -1 : static_cast<int>(index);
  }
  void SetItemIndex(int index) override {
    SendMessageW(Window(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
  void OnCommand(UINT code) override {
    if (code == LBN_DBLCLK) control_.DblClick();
  }

 protected:
  WindowKind Kind() const override {
    return {L"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | TabStop(control_), WS_EX_CLIENTEDGE};
  }
  void Created() override { SendMessageW(Window(), LB_SETITEMHEIGHT, 0, list_.ItemHeight); }

 private:
  const TListBox& list_;
};

// --- Status bars ---------------------------------------------------------------------------------

// Drawn by its painter when it has one, else by the system with the panels as its parts.
class StatusBarWindow : public ControlWindow {
 public:
  explicit StatusBarWindow(TStatusBar& bar) : ControlWindow(bar), bar_(bar) {}
  void AppearanceChanged() override {
    if (SurfacePainter* painter = Surface()) {
      UpdateTooltip();
      painter->ContentChanged(control_, Window());
      return;
    }
    ControlWindow::AppearanceChanged();
    ShowParts();
  }

 protected:
  WindowKind Kind() const override {
    return {STATUSCLASSNAMEW, SBARS_SIZEGRIP | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER, 0};
  }
  void Created() override {
    if (!Painter()) ShowParts();
  }
  WindowPainter* Painter() const override { return Surface(); }
  std::optional<LRESULT> OnPaint(HDC printing) override {
    SurfacePainter* painter = Surface();
    if (!painter) return {};
    if (printing) {
      painter->Paint(control_, Window(), printing);
    } else {
      w32::PaintScope paint(Window());
      painter->Paint(control_, Window(), paint.dc());
    }
    return 0;
  }
  // The grip is drawn, but the windows here have a fixed size: it must not start a resize.
  std::optional<LRESULT> OnHitTest() override { return HTCLIENT; }

 private:
  SurfacePainter* Surface() const { return Backend().Painters().surfaces.For(control_); }
  const TStatusBar& bar_;
  void ShowParts() {
    const TStatusBar& bar = bar_;
    std::vector<int> rights;
    int x = 0;
    for (std::size_t i = 0; i < bar.PanelCount(); ++i) {
      x += bar.Panel(i).left + bar.Panel(i).size;
      rights.push_back(i + 1 == bar.PanelCount() ? -1 : x);
    }
    SendMessageW(Window(), SB_SETPARTS, rights.size(), reinterpret_cast<LPARAM>(rights.data()));
    for (std::size_t i = 0; i < bar.PanelCount(); ++i)
      SendMessageW(Window(), SB_SETTEXTW, i, reinterpret_cast<LPARAM>(Wide(bar.Panel(i).text).c_str()));
  }
};

}  // namespace

// --- What all of them share ----------------------------------------------------------------------

std::optional<LRESULT> ControlWindow::Handle(UINT message, WPARAM& wParam, LPARAM lParam) {
  switch (message) {
    case WM_CHAR:
      return OnChar(wParam);
    case WM_KEYDOWN:
      return OnKeyDown(wParam);
    case WM_SYSKEYDOWN:
      return OnSysKeyDown(wParam);
    case WM_PASTE:
    case WM_CLEAR:
    case WM_CUT:
      return OnEditCommand(message);
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      return OnButtonDown(message, wParam, lParam);
    case WM_MOUSEMOVE:
      return OnMouseMove();
    case WM_MOUSELEAVE:
      return OnMouseLeave();
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      return OnFocus(message == WM_SETFOCUS);
    case WM_ERASEBKGND:
      return OnEraseBackground(reinterpret_cast<HDC>(wParam));
    case WM_PAINT:
      return OnPaint(nullptr);
    case WM_PRINTCLIENT:
      return OnPaint(reinterpret_cast<HDC>(wParam));
    case WM_NCHITTEST:
      return OnHitTest();
    case WM_SETCURSOR:
      return OnSetCursor();
    default:
      return {};
  }
}

std::optional<LRESULT> ControlWindow::OnEraseBackground(HDC dc) {
  WindowPainter* painter = Painter();
  if (painter && painter->EraseBackground(Window(), dc)) return 1;
  return {};
}

LRESULT ControlWindow::Default(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefSubclassProc(Window(), message, wParam, lParam);
}

std::optional<LRESULT> ControlWindow::OnSetCursor() {
  if (control_.GetCursor() != Cursor::kHandPoint) return {};
  SetCursor(LoadCursor(nullptr, IDC_HAND));
  return TRUE;
}

void ControlWindow::Create(HWND parent, int id) {
  const WindowKind kind = Kind();
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | kind.style;
  if (control_.Visible()) style |= WS_VISIBLE;
  if (!control_.Enabled()) style |= WS_DISABLED;
  const std::string text = CreationText();
  const Rect bounds = Placed();
  HWND window =
      CreateWindowExW(kind.exStyle, kind.windowClass, Wide(text).c_str(), style, bounds.left, bounds.top,
                      bounds.width, bounds.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                      Backend().Instance(), nullptr);
  if (!window) throw base::EError("Das Fenster " + control_.Name() + " konnte nicht erzeugt werden");
  window_.reset(window);
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(Backend().FontFor(control_.GetFont())), FALSE);
  SetWindowSubclass(window, ControlSubclassProc, 1, reinterpret_cast<DWORD_PTR>(this));
}

std::string ControlWindow::ReadWindowText() const {
  const int length = GetWindowTextLengthW(Window());
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(Window(), text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(copied, 0)));
  return Utf8(text);
}

void ControlWindow::SetBounds(Rect bounds) {
  SetWindowPos(Window(), nullptr, bounds.left, bounds.top, bounds.width, bounds.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void ControlWindow::SetVisible(bool visible) {
  ShowWindow(Window(), visible ? SW_SHOWNA : SW_HIDE);
}

void ControlWindow::SetEnabled(bool enabled) {
  EnableWindow(Window(), enabled ? TRUE : FALSE);
  InvalidateRect(Window(), nullptr, TRUE);
}

void ControlWindow::AppearanceChanged() {
  SendMessageW(Window(), WM_SETFONT, reinterpret_cast<WPARAM>(Backend().FontFor(control_.GetFont())), TRUE);
  UpdateTooltip();
  InvalidateRect(Window(), nullptr, TRUE);
}

void ControlWindow::UpdateTooltip() {
  const bool wanted = control_.ShowHint() && !control_.Hint().empty();
  if (!wanted && !hasTooltip_) return;  // most controls never have one: no messages for them
  FormWindow* form = FormOf(GetParent(Window()));
  if (!form) return;
  hasTooltip_ = form->Tooltips().Put(Window(), 0, RECT{}, hasTooltip_, wanted ? &control_.Hint() : nullptr);
}

// Where a label sized by its text stands: its design rectangle, narrowed to the text and kept at the
// edge it is aligned to.
Rect LabelBounds(const TLabel& label, const std::string& text) {
  Rect bounds = label.Bounds();
  if (!label.AutoSize) return bounds;
  RECT measured{0, 0, 0, 0};
  int overhang = 0;
  {
    HDC dc = Backend().MeasuringDc();
    w32::SelectGuard font(dc, Backend().FontFor(label.GetFont()));
    DrawTextW(dc, text.empty() ? L" " : Wide(text).c_str(), -1, &measured, DT_CALCRECT | LabelFormat(label));
    overhang = Overhang(dc, text);
  }
  const int width = text.empty() ? 0 : measured.right + overhang;
  if (label.GetAlignment() == Alignment::kRight) bounds.left += bounds.width - width;
  bounds.width = width;
  bounds.height = measured.bottom;
  return bounds;
}

// --- The factory -----------------------------------------------------------------------------------

WindowFactory::WindowFactory(HWND parent, WindowlessAdapter& windowless)
    : parent_(parent), windowless_(windowless) {}

template <class Window, class Control>
std::unique_ptr<Window> WindowFactory::Made(Control& control) {
  auto window = std::make_unique<Window>(control);
  ControlWindow& made = *window;
  made.Create(parent_, nextId_++);
  made.Created();
  made.UpdateTooltip();
  return window;
}

PeerFor<TLabel> WindowFactory::Make(TLabel& label) {
  return Made<LabelWindow>(label);
}
PeerFor<TEdit> WindowFactory::Make(TEdit& edit) {
  return Made<EditWindow>(edit);
}
PeerFor<TButton> WindowFactory::Make(TButton& button) {
  return Made<ButtonWindow>(button);
}
PeerFor<TBitBtn> WindowFactory::Make(TBitBtn& button) {
  return Made<BitBtnWindow>(button);
}
PeerFor<TListBox> WindowFactory::Make(TListBox& list) {
  return Made<ListBoxWindow>(list);
}
PeerFor<TStatusBar> WindowFactory::Make(TStatusBar& bar) {
  return Made<StatusBarWindow>(bar);
}
PeerFor<TWindowlessControl> WindowFactory::Make(TWindowlessControl& control) {
  return std::make_unique<WindowlessPeer>(control, windowless_);
}

}  // namespace ui::win32
