#pragma once
// The windows behind forms: the form's window, its window procedure, and the making of a form's
// windows with those of its controls.
#include <windows.h>

#include <memory>

#include "platform/win32/handles.h"
#include "ui/form.h"
#include "ui/peers.h"
#include "ui/win32/control_windows.h"
#include "ui/win32/form_accessible.h"
#include "ui/win32/tooltip_host.h"
#include "ui/win32/windowless_adapter.h"

namespace ui::win32 {

class Win32Backend;

inline constexpr wchar_t kFormClass[] = L"MorvelaForm";

LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

class FormWindow : public FormPeer {
 public:
  explicit FormWindow(TForm& form);
  ~FormWindow() override;
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  void SetCaption(const std::string& caption) override;
  Rect GetBounds() const override;
  void SetPosition(int left, int top) override;
  void SetSize(int width, int height) override;
  WindowState GetWindowState() const override;
  void SetWindowState(WindowState state) override;
  Point ClientToScreen(Point client) const override;
  void NextDlgCtl() override;
  void TakeFocus() override;
  bool HoldsFocus() const override;
  platform::WindowHandle Handle() const override {
    return reinterpret_cast<platform::WindowHandle>(window_.get());
  }

  TForm& Form() { return form_; }
  HWND Window() const { return window_.get(); }
  TooltipHost& Tooltips() { return tooltips_; }
  WindowlessAdapter& Windowless() { return windowless_; }
  AccessibleOwner& Accessible() { return accessible_; }
  void Adopt(HWND window);
  void Release();  // the system destroyed the window
  bool modal = false;
  bool shown = false;
  WindowState pendingState = WindowState::kNormal;  // applied when the window is first shown

 private:
  TForm& form_;
  w32::UniqueWindow window_;
  TooltipHost tooltips_;
  WindowlessAdapter windowless_;
  AccessibleOwner accessible_;
};

// The form behind a window of the program, and the control behind a child window of one of its forms.
FormWindow* FormOf(HWND window);
ControlWindow* ControlOf(HWND window);
// The form's window, or none while the form has not got its windows yet.
FormWindow* WindowOf(TForm& form);

// Makes the form's window and the windows of all its controls.
void CreateFormWindows(Win32Backend& backend, TForm& form, HWND owner);

}  // namespace ui::win32
