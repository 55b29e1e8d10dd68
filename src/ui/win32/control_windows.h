#pragma once
// The windows of the controls that have one: one small class per kind (edit box, push button, bit
// button, label, list box, status bar), each taking the peer roles of its kind and named handlers for
// the messages it takes. The subclass procedure only unpacks a message and calls the handler; what a
// handler leaves goes on to the window's own class.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "platform/win32/handles.h"
#include "ui/control.h"
#include "ui/peer_factory.h"
#include "ui/peers.h"
#include "ui/win32/windowless_adapter.h"

namespace ui::win32 {

class WindowPainter;

// How a control's window is made: its window class and its styles.
struct WindowKind {
  const wchar_t* windowClass;
  DWORD style;
  DWORD exStyle;
};

class ControlWindow : public ControlPeer {
 public:
  explicit ControlWindow(TControl& control) : control_(control) {}

  void SetBounds(Rect bounds) override;
  void SetVisible(bool visible) override;
  void SetEnabled(bool enabled) override;
  void AppearanceChanged() override;

  TControl& Control() { return control_; }
  HWND Window() const { return window_.get(); }
  void Release() { window_.release(); }  // the system destroyed the window

  // The window's messages, unpacked into the handlers below; a result when the message was handled.
  std::optional<LRESULT> Handle(UINT message, WPARAM& wParam, LPARAM lParam);
  // What the form is told about its child: a command (click, double-click) and a draw request.
  virtual void OnCommand(UINT) {}
  virtual bool OnDrawItem(const DRAWITEMSTRUCT&) { return false; }

 protected:
  virtual WindowKind Kind() const = 0;
  virtual Rect Placed() const { return control_.Bounds(); }  // where the window goes
  virtual std::string CreationText() const { return {}; }
  virtual void Created() {}  // once the window exists, before it holds the control
  // The kind's painter, or none: the system draws it.
  virtual WindowPainter* Painter() const { return nullptr; }
  virtual std::optional<LRESULT> OnChar(WPARAM&) { return {}; }
  virtual std::optional<LRESULT> OnKeyDown(WPARAM) { return {}; }
  virtual std::optional<LRESULT> OnSysKeyDown(WPARAM) { return {}; }
  virtual std::optional<LRESULT> OnEditCommand(UINT) { return {}; }  // paste, clear, cut
  virtual std::optional<LRESULT> OnButtonDown(UINT, WPARAM, LPARAM) { return {}; }
  virtual std::optional<LRESULT> OnMouseMove() { return {}; }
  virtual std::optional<LRESULT> OnMouseLeave() { return {}; }
  virtual std::optional<LRESULT> OnFocus(bool) { return {}; }
  virtual std::optional<LRESULT> OnPaint(HDC) { return {}; }  // the printing dc, or none for WM_PAINT
  virtual std::optional<LRESULT> OnHitTest() { return {}; }
  std::optional<LRESULT> OnEraseBackground(HDC dc);
  std::optional<LRESULT> OnSetCursor();
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
  std::string ReadWindowText() const;
  void UpdateTooltip();
  TControl& control_;

 private:
  friend class WindowFactory;
  void Create(HWND parent, int id);
  w32::UniqueWindow window_;
  bool hasTooltip_ = false;
};

// Makes the peers of a form's controls on this backend: for a control that has one, its window, as a
// child of the form's window with the next control id; for a control without one, a peer that paints
// on the form's surface.
class WindowFactory final : public PeerFactory {
 public:
  WindowFactory(HWND parent, WindowlessAdapter& windowless);
  PeerFor<TLabel> Make(TLabel& label) override;
  PeerFor<TEdit> Make(TEdit& edit) override;
  PeerFor<TButton> Make(TButton& button) override;
  PeerFor<TBitBtn> Make(TBitBtn& button) override;
  PeerFor<TWindowlessControl> Make(TWindowlessControl& control) override;
  PeerFor<TListBox> Make(TListBox& list) override;
  PeerFor<TStatusBar> Make(TStatusBar& bar) override;

 private:
  template <class Window, class Control>
  std::unique_ptr<Window> Made(Control& control);
  HWND parent_;
  WindowlessAdapter& windowless_;
  int nextId_ = 100;
};

// The size a label takes for its text, keeping the edge it is aligned to.
Rect LabelBounds(const TLabel& label, const std::string& text);

}  // namespace ui::win32
