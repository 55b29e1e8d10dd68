#pragma once
// The windows behind forms and controls, and their window procedures.
#include <windows.h>

#include <memory>
#include <string>

#include "platform/win32/handles.h"
#include "ui/backend.h"
#include "ui/control.h"
#include "ui/form.h"

namespace ui::win32 {

class Win32Backend;

inline constexpr char kFormClass[] = "MorvelaForm";
inline constexpr char kSpeedButtonClass[] = "MorvelaSpeedButton";

// Text in the system's code page as UTF-16, for the functions that take only that.
std::wstring Wide(const std::string& ansi);

LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
LRESULT CALLBACK SpeedButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

class FormWindow : public FormPeer {
 public:
  explicit FormWindow(TForm& form) : form_(form) {}
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

 private:
  TForm& form_;
  w32::UniqueWindow window_;
  HWND tooltip_ = nullptr;
};

class ControlWindow : public ControlPeer {
 public:
  explicit ControlWindow(TControl& control) : control_(control) {}
  std::string GetText() const override;
  void SetText(const std::string& text) override;
  void ReadSecret(secret::Text& out) const override;
  void SetSecret(const secret::Text& text) override;
  void SetBounds(Rect bounds) override;
  void SetVisible(bool visible) override;
  void SetEnabled(bool enabled) override;
  void SetFocus() override;
  bool HasFocus() const override;
  void AppearanceChanged() override;
  std::vector<std::string> ShowItems(const std::vector<std::string>& items) override;
  int GetItemIndex() const override;
  void SetItemIndex(int index) override;

  TControl& Control() { return control_; }
  HWND Window() const { return window_.get(); }
  void Adopt(HWND window);
  void Release();  // the system destroyed the window
  // Mouse state of buttons that draw themselves.
  bool hot = false;
  bool pressed = false;
  bool focused = false;

  // Labels without a fixed size take the size of their text, keeping the edge they are aligned to.
  void FitLabel();
  void UpdateTooltip();
  void UpdateStatusBar();

 private:
  TControl& control_;
  w32::UniqueWindow window_;
  bool hasTooltip_ = false;
};

FormWindow* FormOf(HWND window);
ControlWindow* ControlOf(HWND window);

// Makes the form's window and the windows of all its controls.
void CreateFormWindows(Win32Backend& backend, TForm& form, HWND owner);

}  // namespace ui::win32
