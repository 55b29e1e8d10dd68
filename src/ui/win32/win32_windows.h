#pragma once
// The windows behind forms, their window procedure, and the controls without a window that a form
// paints itself. The windows of the other controls are in control_windows.h.
#include <windows.h>
// After windows.h:
#include <commctrl.h>

#include <memory>
#include <string>

#include "platform/win32/handles.h"
#include "ui/backend.h"
#include "ui/control.h"
#include "ui/form.h"
#include "ui/win32/control_windows.h"

namespace ui::win32 {

class Win32Backend;

inline constexpr char kFormClass[] = "MorvelaForm";

// Text in the system's code page as UTF-16, for the functions that take only that.
std::wstring Wide(const std::string& ansi);

LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

class WindowlessControl;

class FormWindow : public FormPeer, public WindowlessSurface {
 public:
  explicit FormWindow(TForm& form) : form_(form) { form_.Windowless().SetSurface(this); }
  ~FormWindow() override { form_.Windowless().SetSurface(nullptr); }
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
  platform::WindowHandle Handle() const override {
    return reinterpret_cast<platform::WindowHandle>(window_.get());
  }

  TForm& Form() { return form_; }
  HWND Window() const { return window_.get(); }
  void Adopt(HWND window);
  void Release();  // the system destroyed the window
  bool modal = false;
  bool shown = false;
  WindowState pendingState = WindowState::kNormal;  // applied when the window is first shown
  // The form's tooltip window, made on first use; owned by the form window and destroyed with it.
  HWND Tooltips();
  // Takes a control's tool (its id and flags set) out of the tooltip when it is there, and puts it in
  // anew with the control's hint when one is wanted; true when the tool is there now.
  bool ReplaceTool(TTTOOLINFOA tool, bool present, const TControl& control, bool wanted);

  // The form's own surface: its colour where no opaque control without a window lies, then those
  // controls that the area reaches.
  void EraseBackground(HDC dc);
  void PaintWindowless(HDC dc, const RECT& area);

  // What the host of the controls without a window asks of the window.
  void Redraw(const TControl& control, bool now) override;
  void CaptureMouse(bool capture) override;
  void WatchMouseLeave() override;
  void PutTool(const TControl& control, bool present) override;

 private:
  TForm& form_;
  w32::UniqueWindow window_;
  HWND tooltip_ = nullptr;
};

// A control without a window of its own (a speed button, a bevel): its form paints it on the form's
// surface, only where the update region reaches it, and hands it the mouse. It never takes the focus.
class WindowlessControl : public ControlPeer {
 public:
  WindowlessControl(TControl& control, FormWindow& form, std::string text);
  WindowlessControl(const WindowlessControl&) = delete;
  WindowlessControl& operator=(const WindowlessControl&) = delete;
  std::string GetText() const override { return text_; }
  void SetText(const std::string& text) override;
  void ReadSecret(secret::Text& out) const override { out = secret::Text(std::string_view(text_)); }
  void SetSecret(const secret::Text& text) override { SetText(std::string(text.view())); }
  void SetBounds(Rect bounds) override;
  void SetVisible(bool visible) override;
  void SetEnabled(bool enabled) override;
  void SetFocus() override {}
  bool HasFocus() const override { return false; }
  void AppearanceChanged() override;
  std::vector<std::string> ShowItems(const std::vector<std::string>& items) override { return items; }
  int GetItemIndex() const override { return -1; }
  void SetItemIndex(int) override {}

  TControl& Control() { return control_; }
  RECT Area() const;
  bool Contains(POINT at) const;
  // Paints the control onto the form's surface; the device context is the form's.
  void Paint(HDC dc);

 private:
  void Invalidate(bool erase);
  TControl& control_;
  FormWindow& form_;
  std::string text_;
  Rect shown_;  // the bounds it was last given
};

FormWindow* FormOf(HWND window);
ControlWindow* ControlOf(HWND window);

// Makes the form's window and the windows of all its controls.
void CreateFormWindows(Win32Backend& backend, TForm& form, HWND owner);

}  // namespace ui::win32
