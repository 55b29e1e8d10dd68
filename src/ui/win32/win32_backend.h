#pragma once
// The Win32 backend: real windows for forms and controls, the message loop, modal loops, message
// boxes and popup menus.
#include <windows.h>

#include <map>
#include <memory>
#include <vector>

#include "platform/win32/handles.h"
#include "ui/backend.h"
#include "ui/form.h"
#include "ui/menu.h"

namespace ui::win32 {

// Custom drawing for a kind of control, supplied by that control's own painting code. A control kind
// without one is drawn the standard way.
class ControlPainter {
 public:
  virtual ~ControlPainter() = default;
  // The whole control, into dc with the control's top-left corner as its origin. window is the
  // control's own, or its form's for a control without one. hot and pressed describe the mouse.
  virtual void Paint(TControl& control, HWND window, HDC dc, bool hot, bool pressed) = 0;
  // An owner-drawn button's draw request.
  virtual void DrawItem(TControl& control, const DRAWITEMSTRUCT& item, bool hot, bool focused) = 0;
  // Background erase of a windowed control; true when it was handled.
  virtual bool EraseBackground(TControl& control, HWND window, HDC dc) = 0;
  // The control's text, font or panels changed: invalidate what must be drawn again.
  virtual void ContentChanged(TControl& control, HWND window) = 0;
  // Before a control without a window is painted: true when its form is to paint the area under it
  // first, at once.
  virtual bool PrepareBackground(TControl&) { return false; }
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

  void SetPainter(ControlKind kind, ControlPainter* painter) { painters_[kind] = painter; }
  ControlPainter* PainterFor(ControlKind kind) const;

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
  std::map<ControlKind, ControlPainter*> painters_;
};

// The backend the windows of this process were made by.
Win32Backend& Backend();

// A colour of the toolkit as the system's: a system colour by its index, any other as it is.
COLORREF ColorRefOf(Color color);

}  // namespace ui::win32
