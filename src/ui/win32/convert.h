#pragma once
// Between the toolkit's types and the system's: rectangles, points, mouse buttons and wide text.
#include <windows.h>
// After windows.h:
#include <windowsx.h>

#include <string>

#include "platform/win32/wide.h"
#include "ui/types.h"

namespace ui::win32 {

inline RECT ToRECT(const Rect& r) {
  return {r.left, r.top, r.left + r.width, r.top + r.height};
}

inline Rect RectOf(const RECT& r) {
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// The point of a mouse message.
inline Point PointOf(LPARAM lParam) {
  return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

// The button of a WM_xBUTTONDOWN message.
inline MouseButton MouseButtonOf(UINT message) {
  switch (message) {
    case WM_RBUTTONDOWN:
      return MouseButton::kRight;
    case WM_MBUTTONDOWN:
      return MouseButton::kMiddle;
    default:
      return MouseButton::kLeft;
  }
}

using w32::Utf8;
using w32::Wide;

// The window is told with WM_MOUSELEAVE when the mouse leaves its client area, also into a child.
inline void WatchMouseLeave(HWND window) {
  TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window, 0};
  TrackMouseEvent(&track);
}

}  // namespace ui::win32
