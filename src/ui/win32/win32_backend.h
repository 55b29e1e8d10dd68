#pragma once
// The Win32 backend: real windows for forms and controls, the message loop, modal loops, message
// boxes and popup menus.
#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "platform/win32/handles.h"
#include "ui/backend.h"
#include "ui/form.h"
#include "ui/menu.h"

namespace ui::win32 {

// Custom drawing of the controls, supplied by the controls' own painting code. A kind without a painter
// is drawn the standard way.

// A painter of a control's window, which also erases its background.
class WindowPainter {
 public:
  virtual ~WindowPainter() = default;
  // Background erase of the control's window; true when it was handled.
  virtual bool EraseBackground(HWND window, HDC dc) = 0;
};

// An owner-drawn button, drawn on its draw request; hot and focused describe the mouse and the keyboard.
class ItemPainter : public WindowPainter {
 public:
  virtual void DrawItem(const TControl& control, const DRAWITEMSTRUCT& item, bool hot, bool focused) = 0;
};

// A control that paints all of its window itself (the status bar).
class SurfacePainter : public WindowPainter {
 public:
  virtual void Paint(const TControl& control, HWND window, HDC dc) = 0;
  // The control's text, font or panels changed: invalidate what must be drawn again.
  virtual void ContentChanged(const TControl& control, HWND window) = 0;
};

// A control without a window, painted onto its form's surface: into dc, whose origin is the control's
// corner. under paints what the form shows beneath the control into such a device context. hot and
// pressed describe the mouse.
class WindowlessPainter {
 public:
  virtual ~WindowlessPainter() = default;
  virtual void Paint(TControl& control, HDC dc, bool hot, bool pressed,
                     const std::function<void(HDC)>& under) = 0;
  // The control is gone: whatever was kept for it goes too.
  virtual void Forget(const TControl& control) = 0;
};

struct PainterSet {
  WindowlessPainter* speedButton = nullptr;
  ItemPainter* bitBtn = nullptr;
  SurfacePainter* statusBar = nullptr;
};

class Win32Backend : public Backend {
 public:
  explicit Win32Backend(HINSTANCE instance);
  ~Win32Backend() override;

  void CreateWindows(TForm& form) override;
  int ShowModal(TForm& form) override;
  void Run(TForm& mainForm) override;
  int ShowMessageBox(const MessageBoxRequest& request) override;
  void Popup(TPopupMenu& menu, Point screen) override;
  platform::WindowHandle ActiveWindow() const override;
  void WaitFor(platform::Handle process) override;

  void SetPainters(const PainterSet& painters) { painters_ = painters; }
  const PainterSet& Painters() const { return painters_; }

  HINSTANCE Instance() const { return instance_; }
  HFONT FontFor(const Font& font);
  // A device context for measuring texts, kept for the backend's life.
  HDC MeasuringDc();
  HWND MainWindow() const;
  // Tab, Enter and Escape as a form's keyboard interface handles them; true when consumed.
  bool PreTranslate(const MSG& message);

 private:
  void RegisterClasses();
  void PumpUntil(const TForm& form);

  HINSTANCE instance_;
  TForm* main_ = nullptr;
  std::vector<std::pair<Font, w32::UniqueGdi>> fonts_;
  w32::UniqueDc measuring_;
  PainterSet painters_;
};

// The backend the windows of this process were made by.
Win32Backend& Backend();

// A colour of the toolkit as the system's: a system colour by its index, any other as it is.
COLORREF ColorRefOf(Color color);

}  // namespace ui::win32
