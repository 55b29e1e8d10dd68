#include "ui/win32/windowless_adapter.h"

#include <string>

#include "platform/win32/handles.h"
#include "platform/win32/wide.h"
#include "ui/accessibility.h"
#include "ui/form.h"
#include "ui/win32/convert.h"
#include "ui/win32/win32_backend.h"

namespace ui::win32 {
namespace {

class SpeedButtonFace final : public PainterOf<TSpeedButton, WindowlessPainter> {
 public:
  void Paint(const TControl& control, HDC dc, const WindowlessFace& face,
             const std::function<void(HDC)>&) override {
    const TSpeedButton& button = Typed(control);
    RECT rect{0, 0, button.Width(), button.Height()};
    const UINT state =
        DFCS_BUTTONPUSH | (face.pressed ? DFCS_PUSHED : 0u) | (button.Enabled() ? 0u : DFCS_INACTIVE);
    DrawFrameControl(dc, &rect, DFC_BUTTON, state);
    const std::string caption = button.Text();
    if (!caption.empty()) {
      w32::SelectGuard font(dc, Backend().FontFor(button.GetFont()));
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, GetSysColor(button.Enabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
      RECT text = rect;
      if (face.pressed) OffsetRect(&text, 1, 1);
      DrawTextW(dc, w32::Wide(caption).c_str(), -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    if (face.focusShown) {
      InflateRect(&rect, -3, -3);
      DrawFocusRect(dc, &rect);
    }
  }
};

// An etched line along the top edge of its rectangle, in the system's colours.
class BevelFace final : public PainterOf<TBevel, WindowlessPainter> {
 public:
  void Paint(const TControl& control, HDC dc, const WindowlessFace&,
             const std::function<void(HDC)>&) override {
    RECT line{0, 0, control.Width(), 2};
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
  }
};

// Whether the window shows focus rectangles now: after the keyboard was used in it, or always where
// the user chose so.
bool FocusCuesShown(HWND window) {
  return (SendMessageW(window, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0;
}

}  // namespace

std::unique_ptr<WindowlessPainter> StandardSpeedButtonPainter() {
  return std::make_unique<SpeedButtonFace>();
}

std::unique_ptr<WindowlessPainter> StandardBevelPainter() {
  return std::make_unique<BevelFace>();
}

void WindowlessPeer::SetBounds(Rect bounds) {
  adapter_.Invalidate(shown_, true);
  shown_ = bounds;
  adapter_.Invalidate(bounds, true);
}

// It takes over the text of the peer it replaces, when that one had any.
WindowlessPeer::WindowlessPeer(TWindowlessControl& control, WindowlessAdapter& adapter)
    : control_(control), adapter_(adapter), shown_(control.Bounds()) {
  if (const auto* text = dynamic_cast<const TextPeer*>(&control.Peer())) text_ = text->GetText();
}

WindowlessPeer::~WindowlessPeer() {
  Backend().Painters().windowless.Each([this](WindowlessPainter& painter) { painter.Forget(control_); });
}

void WindowlessPeer::SetText(std::string_view text) {
  if (text == text_) return;
  text_ = text;
  adapter_.Invalidate(control_.Bounds(), false);
}

WindowlessAdapter::WindowlessAdapter(TForm& form, TooltipHost& tooltips) : form_(form), tooltips_(tooltips) {}

WindowlessAdapter::~WindowlessAdapter() {
  form_.Windowless().SetSurface(nullptr);
}

void WindowlessAdapter::Attach(HWND window) {
  window_ = window;
  form_.Windowless().SetSurface(this);
}

void WindowlessAdapter::Redraw(const TControl& control, bool now) {
  const RECT area = ToRECT(control.Bounds());
  RedrawWindow(window_, &area, nullptr, RDW_INVALIDATE | (now ? RDW_UPDATENOW : 0u));
}

void WindowlessAdapter::CaptureMouse(bool capture) {
  if (capture)
    SetCapture(window_);
  else if (GetCapture() == window_)
    ReleaseCapture();
}

void WindowlessAdapter::WatchMouseLeave() {
  win32::WatchMouseLeave(window_);
}

void WindowlessAdapter::PutTool(const TControl& control, bool present) {
  tooltips_.Put(nullptr, reinterpret_cast<UINT_PTR>(&control), ToRECT(control.Bounds()), true,
                present ? &control.Hint() : nullptr);
}

// Screen readers hear of the control by its child id of the form's client object, and ask that object
// for the rest.
void WindowlessAdapter::Notify(AccessibleEvent event, const TControl& control) {
  const long id = FormAccessibility(form_).IdOf(control);
  if (!window_ || id == 0) return;
  const DWORD what = event == AccessibleEvent::kFocus        ? EVENT_OBJECT_FOCUS
                     : event == AccessibleEvent::kNameChange ? EVENT_OBJECT_NAMECHANGE
                                                             : EVENT_OBJECT_STATECHANGE;
  NotifyWinEvent(what, window_, OBJID_CLIENT, id);
}

void WindowlessAdapter::Invalidate(const Rect& area, bool erase) const {
  const RECT r = ToRECT(area);
  RedrawWindow(window_, &r, nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0u));
}

void WindowlessAdapter::EraseBackground(HDC dc) const {
  RECT client;
  GetClientRect(window_, &client);
  w32::SavedDc saved(dc);
  // An opaque control paints every pixel of its rectangle itself; erasing under it would only flicker.
  for (const TWindowlessControl* control : form_.Windowless().Controls()) {
    if (control->Visible() && control->Opaque()) {
      const RECT area = ToRECT(control->Bounds());
      ExcludeClipRect(dc, area.left, area.top, area.right, area.bottom);
    }
  }
  FillRect(dc, &client, FormBrush());
}

void WindowlessAdapter::PaintUnder(const TControl& control, HDC dc) const {
  const RECT area{0, 0, control.Width(), control.Height()};
  FillRect(dc, &area, FormBrush());
}

// Made again only when the form's colour (or the system colour it names) has changed.
HBRUSH WindowlessAdapter::FormBrush() const {
  const COLORREF color = ColorRefOf(form_.GetColor());
  if (!brush_ || color != brushColor_) {
    brush_.reset(CreateSolidBrush(color));
    brushColor_ = color;
  }
  return static_cast<HBRUSH>(brush_.get());
}

void WindowlessAdapter::Paint(HDC dc, const RECT& area) {
  const bool focusShown = FocusCuesShown(window_);
  for (TWindowlessControl* control : form_.Windowless().Controls()) {
    RECT common;
    const RECT where = ToRECT(control->Bounds());
    if (control->Visible() && IntersectRect(&common, &where, &area) && RectVisible(dc, &where))
      PaintOne(*control, dc, focusShown);
  }
}

void WindowlessAdapter::PaintOne(TWindowlessControl& control, HDC dc, bool focusShown) {
  WindowlessPainter* painter = Backend().Painters().windowless.For(control);
  if (!painter) return;
  const WindowlessHost& host = form_.Windowless();
  const WindowlessFace face{host.Hot(control), host.Pressed(control), focusShown && control.Focused()};
  w32::SavedDc saved(dc);
  OffsetViewportOrgEx(dc, control.Left(), control.Top(), nullptr);
  IntersectClipRect(dc, 0, 0, control.Width(), control.Height());
  painter->Paint(control, dc, face, [&](HDC under) { PaintUnder(control, under); });
}

}  // namespace ui::win32
