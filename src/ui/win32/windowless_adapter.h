#pragma once
// The controls without a window on the Win32 backend: their peers, and what the form's window does for
// the host of them (ui/windowless_host.h): it paints them on its surface, holds the mouse for them,
// watches for the mouse leaving and keeps their tooltip tools.
#include <windows.h>

#include <memory>

#include "ui/control.h"
#include "ui/peers.h"
#include "ui/win32/tooltip_host.h"
#include "ui/windowless_host.h"

namespace ui::win32 {

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

  // The form's own surface: its colour where no opaque control without a window lies.
  void EraseBackground(HDC dc) const;
  // The controls without a window that the area reaches, the last on top.
  void Paint(HDC dc, const RECT& area);
  // Draws the area again: after the control moved, changed its text or its state.
  void Invalidate(const Rect& area, bool erase) const;

 private:
  // What the form shows under the control, into a device context whose origin is the control's corner.
  void PaintUnder(const TControl& control, HDC dc) const;
  void PaintOne(TControl& control, HDC dc);
  TForm& form_;
  TooltipHost& tooltips_;
  HWND window_ = nullptr;
};

// The peer of a control without a window: a speed button's holds its caption.
std::unique_ptr<ControlPeer> MakeWindowlessPeer(TControl& control, WindowlessAdapter& adapter);

}  // namespace ui::win32
