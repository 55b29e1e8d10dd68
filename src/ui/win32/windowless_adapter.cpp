#include "ui/win32/windowless_adapter.h"

#include <string>

#include "platform/win32/handles.h"
#include "ui/form.h"
#include "ui/win32/convert.h"
#include "ui/win32/win32_backend.h"

namespace ui::win32 {
namespace {

// A speed button as the system draws a push button, when there is no painter of its own; the device
// context's origin is the button's corner.
void PaintStandardSpeedButton(const TSpeedButton& button, HDC dc, bool pressed) {
  RECT rect{0, 0, button.Width(), button.Height()};
  const UINT state = DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0u) | (button.Enabled() ? 0u : DFCS_INACTIVE);
  DrawFrameControl(dc, &rect, DFC_BUTTON, state);
  const std::string caption = button.Text();
  if (caption.empty()) return;
  w32::SelectGuard font(dc, Backend().FontFor(button.GetFont()));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(button.Enabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  if (pressed) OffsetRect(&rect, 1, 1);
  DrawTextA(dc, caption.c_str(), -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

// A bevel: an etched line along the top edge of its rectangle.
void PaintBevel(const TControl& bevel, HDC dc) {
  RECT line{0, 0, bevel.Width(), 2};
  DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
}

class WindowlessPeer : public ControlPeer {
 public:
  WindowlessPeer(TControl& control, WindowlessAdapter& adapter)
      : control_(control), adapter_(adapter), shown_(control.Bounds()) {}
  void SetBounds(Rect bounds) override {
    adapter_.Invalidate(shown_, true);
    shown_ = bounds;
    adapter_.Invalidate(bounds, true);
  }
  void SetVisible(bool) override { adapter_.Invalidate(control_.Bounds(), true); }
  void SetEnabled(bool) override { adapter_.Invalidate(control_.Bounds(), true); }
  void AppearanceChanged() override { adapter_.Invalidate(control_.Bounds(), false); }

 protected:
  TControl& control_;
  WindowlessAdapter& adapter_;

 private:
  Rect shown_;  // the bounds it was last given
};

class WindowlessButtonPeer : public WindowlessPeer, public TextPeer {
 public:
  WindowlessButtonPeer(TControl& control, WindowlessAdapter& adapter)
      : WindowlessPeer(control, adapter), text_(static_cast<const TSpeedButton&>(control).Text()) {}
  // Whatever the painter keeps for the button goes with it.
  ~WindowlessButtonPeer() override {
    if (WindowlessPainter* painter = Backend().Painters().speedButton) painter->Forget(control_);
  }
  std::string GetText() const override { return text_; }
  void SetText(std::string_view text) override {
    if (text == text_) return;
    text_ = text;
    adapter_.Invalidate(control_.Bounds(), false);
  }

 private:
  std::string text_;
};

}  // namespace

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

void WindowlessAdapter::Invalidate(const Rect& area, bool erase) const {
  const RECT r = ToRECT(area);
  RedrawWindow(window_, &r, nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0u));
}

void WindowlessAdapter::EraseBackground(HDC dc) const {
  RECT client;
  GetClientRect(window_, &client);
  const int saved = SaveDC(dc);
  // An opaque control paints every pixel of its rectangle itself; erasing under it would only flicker.
  for (const TControl* control : form_.Windowless().Controls()) {
    const auto* button = dynamic_cast<const TSpeedButton*>(control);
    if (button && button->Visible() && !button->Transparent) {
      const RECT area = ToRECT(button->Bounds());
      ExcludeClipRect(dc, area.left, area.top, area.right, area.bottom);
    }
  }
  w32::UniqueGdi brush(CreateSolidBrush(ColorRefOf(form_.GetColor())));
  FillRect(dc, &client, static_cast<HBRUSH>(brush.get()));
  RestoreDC(dc, saved);
}

void WindowlessAdapter::PaintUnder(const TControl& control, HDC dc) const {
  const RECT area{0, 0, control.Width(), control.Height()};
  w32::UniqueGdi brush(CreateSolidBrush(ColorRefOf(form_.GetColor())));
  FillRect(dc, &area, static_cast<HBRUSH>(brush.get()));
}

void WindowlessAdapter::Paint(HDC dc, const RECT& area) {
  for (TControl* control : form_.Windowless().Controls()) {
    RECT common;
    const RECT where = ToRECT(control->Bounds());
    if (control->Visible() && IntersectRect(&common, &where, &area) && RectVisible(dc, &where))
      PaintOne(*control, dc);
  }
}

void WindowlessAdapter::PaintOne(TControl& control, HDC dc) {
  const WindowlessHost& host = form_.Windowless();
  const bool pressed = host.Pressed(control);
  const int saved = SaveDC(dc);
  OffsetViewportOrgEx(dc, control.Left(), control.Top(), nullptr);
  IntersectClipRect(dc, 0, 0, control.Width(), control.Height());
  if (auto* button = dynamic_cast<TSpeedButton*>(&control)) {
    if (WindowlessPainter* painter = Backend().Painters().speedButton)
      painter->Paint(control, dc, host.Hot(control), pressed, [&](HDC under) { PaintUnder(control, under); });
    else
      PaintStandardSpeedButton(*button, dc, pressed);
  } else {
    PaintBevel(control, dc);
  }
  RestoreDC(dc, saved);
}

std::unique_ptr<ControlPeer> MakeWindowlessPeer(TControl& control, WindowlessAdapter& adapter) {
  if (control.Kind() == ControlKind::kSpeedButton)
    return std::make_unique<WindowlessButtonPeer>(control, adapter);
  return std::make_unique<WindowlessPeer>(control, adapter);
}

}  // namespace ui::win32
