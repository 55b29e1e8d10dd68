#pragma once
// A form's tooltip window and its tools: a control with a window has its window as its tool, a control
// without one an area of the form. The window is made when the first tool is put in, and goes with
// the form's window, which owns it.
#include <windows.h>

#include <string>

namespace ui::win32 {

class TooltipHost {
 public:
  TooltipHost() = default;
  TooltipHost(const TooltipHost&) = delete;
  TooltipHost& operator=(const TooltipHost&) = delete;
  void Attach(HWND form) { form_ = form; }

  // Takes the tool out when it is there, and puts it in anew with the hint when one is shown; true when
  // the tool is there now. The tool is the window, or without one the area of the form under the id.
  bool Put(HWND window, UINT_PTR id, const RECT& area, bool present, const std::string* hint);

 private:
  HWND Tips();
  HWND form_ = nullptr;
  HWND tips_ = nullptr;
};

}  // namespace ui::win32
