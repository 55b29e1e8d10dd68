#pragma once
// The Win32 backend: real windows for forms and controls, the message loop, modal loops, message
// boxes and popup menus.
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/win32/handles.h"
#include "ui/backend.h"
#include "ui/form.h"
#include "ui/menu.h"

namespace ui::win32 {

// Custom drawing of the controls, supplied by the controls' own painting code. Each painter paints one
// class of control and its subclasses (PainterOf); the backend asks the painters registered last first,
// so a painter for a subclass wins over the standard one for its base.

class Painter {
 public:
  virtual ~Painter() = default;
  virtual bool Accepts(const TControl& control) const = 0;
};

// A painter of a control's window, which also erases its background.
class WindowPainter : public Painter {
 public:
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

// What a control without a window shows: the mouse over it, held down (mouse or space bar), and the
// focus rectangle, which follows the keyboard cues of its form's window.
struct WindowlessFace {
  bool hot = false;
  bool pressed = false;
  bool focusShown = false;
};

// A control without a window, painted onto its form's surface: into dc, whose origin is the control's
// corner. under paints what the form shows beneath the control into such a device context.
class WindowlessPainter : public Painter {
 public:
  virtual void Paint(const TControl& control, HDC dc, const WindowlessFace& face,
                     const std::function<void(HDC)>& under) = 0;
  // The control is gone: whatever was kept for it goes too.
  virtual void Forget(const TControl&) {}
  // The system's colours, theme or contrast changed: whatever was kept for the old ones goes.
  virtual void SystemChanged() {}
};

// A painter for one class of control: it accepts that class and its subclasses, and its Typed cast is
// checked, so a control of another class can never be painted as this one.
template <class Control, class Interface>
class PainterOf : public Interface {
 public:
  bool Accepts(const TControl& control) const final {
    return dynamic_cast<const Control*>(&control) != nullptr;
  }

 protected:
  static const Control& Typed(const TControl& control) { return dynamic_cast<const Control&>(control); }
};

// The painters in use of one interface: the one registered last that accepts a control paints it.
// The list's code is written once for all interfaces; only painters of the interface go in, so each
// comes out as one.
class AnyPainterList {
 public:
  void Add(Painter& painter);
  void Remove(Painter& painter);
  Painter* For(const TControl& control) const;
  const std::vector<Painter*>& All() const { return painters_; }

 private:
  std::vector<Painter*> painters_;
};

template <class Interface>
class PainterList {
 public:
  void Add(Interface& painter) { list_.Add(painter); }
  void Remove(Interface& painter) { list_.Remove(painter); }
  // None for a control the system draws.
  Interface* For(const TControl& control) const { return static_cast<Interface*>(list_.For(control)); }
  template <class Call>
  void Each(Call call) const {
    for (Painter* painter : list_.All()) call(*static_cast<Interface*>(painter));
  }

 private:
  AnyPainterList list_;
};

struct PainterRegistry {
  PainterList<WindowlessPainter> windowless;
  PainterList<ItemPainter> items;
  PainterList<SurfacePainter> surfaces;
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

  PainterRegistry& Painters() { return painters_; }
  // Drawn with the system's colours and no visual style (SPI_GETHIGHCONTRAST), as read when the
  // system last told of a change.
  bool HighContrast();
  // The system's colours, theme or contrast changed: the painters forget what they kept, and every
  // window of the program is drawn anew.
  void SystemChanged();

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
  PainterRegistry painters_;
  std::optional<bool> highContrast_;
  std::unique_ptr<WindowlessPainter> standardSpeedButtons_;
  std::unique_ptr<WindowlessPainter> standardBevels_;
};

// The backend the windows of this process were made by.
Win32Backend& Backend();

// A colour of the toolkit as the system's: a system colour by its index, any other as it is.
COLORREF ColorRefOf(Color color);
// The colour a text in the font is drawn in: in high contrast the system's text colour, else the font's.
COLORREF TextColorOf(const Font& font);

}  // namespace ui::win32
