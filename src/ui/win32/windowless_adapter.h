#pragma once
// The controls without a window on the Win32 backend: their peers, and what the form's window does for
// the host of them (ui/windowless_host.h): it paints them on its surface, holds the mouse for them,
// watches for the mouse leaving, keeps their tooltip tools and tells screen readers of their changes.
#include <windows.h>

#include <memory>
#include <string>

#include "platform/win32/handles.h"
#include "ui/control.h"
#include "ui/peers.h"
#include "ui/win32/tooltip_host.h"
#include "ui/windowless_host.h"

namespace ui::win32 {

class WindowlessPainter;

class WindowlessAdapter : public WindowlessSurface {
 public:
  WindowlessAdapter(TForm& form, TooltipHost& tooltips);
  ~WindowlessAdapter() override;
  WindowlessAdapter(const WindowlessAdapter&) = delete;
  WindowlessAdapter& operator=(const WindowlessAdapter&) = delete;
  // The form's window: from now on the host's surface.
  void Attach(HWND window);
  HWND Window() const { return window_; }

  void Redraw(const TControl& control, bool now) override;
  void CaptureMouse(bool capture) override;
  void WatchMouseLeave() override;
  void PutTool(const TControl& control, bool present) override;
  void Notify(AccessibleEvent event, const TControl& control) override;

  // The form's own surface: its colour where no opaque control without a window lies.
  void EraseBackground(HDC dc) const;
  // The controls without a window that the area reaches, the last on top.
  void Paint(HDC dc, const RECT& area);
  // Draws the area again: after the control moved, changed its text or its state.
  void Invalidate(const Rect& area, bool erase) const;

 private:
  // What the form shows under the control, into a device context whose origin is the control's corner.
  void PaintUnder(const TControl& control, HDC dc) const;
  void PaintOne(TWindowlessControl& control, HDC dc, bool focusShown);
  // A brush of the form's colour, kept while the colour stays.
  HBRUSH FormBrush() const;
  TForm& form_;
  TooltipHost& tooltips_;
  HWND window_ = nullptr;
  mutable w32::UniqueGdi brush_;
  mutable COLORREF brushColor_ = 0;
};

// The peer of a control without a window: it draws the control anew where it changed.
class WindowlessPeer : public ControlPeer, public TextPeer {
 public:
  WindowlessPeer(TWindowlessControl& control, WindowlessAdapter& adapter);
  ~WindowlessPeer() override;
  void SetBounds(Rect bounds) override;
  void SetVisible(bool) override { adapter_.Invalidate(control_.Bounds(), true); }
  void SetEnabled(bool) override { adapter_.Invalidate(control_.Bounds(), true); }
  void AppearanceChanged() override { adapter_.Invalidate(control_.Bounds(), false); }
  std::string GetText() const override { return text_; }
  void SetText(std::string_view text) override;

 private:
  TControl& control_;
  WindowlessAdapter& adapter_;
  Rect shown_;  // the bounds it was last given
  std::string text_;
};

// The standard faces of the controls without a window: a speed button as the system draws a push
// button, a bevel as an etched line. The backend registers them first, so any other painter wins.
std::unique_ptr<WindowlessPainter> StandardSpeedButtonPainter();
std::unique_ptr<WindowlessPainter> StandardBevelPainter();

}  // namespace ui::win32
