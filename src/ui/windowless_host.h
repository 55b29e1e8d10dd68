#pragma once
// The host of a form's controls without a window of their own (speed buttons, bevels). A window's
// system does for its child windows what this does for them: it keeps their order (the order they are
// painted in: a later one lies over an earlier one), finds the control at a point (for the mouse and
// for screen readers alike), keeps which one the mouse is over (hot), which one is held down with the
// left button or the space bar, and which one has the keyboard focus among them; it makes the click of
// a release inside the held control, moves the focus with the arrow keys, opens a control's context
// menu, keeps a tooltip tool for each control that shows a hint, and tells screen readers of each
// change. Both backends hand it the mouse and the keys as the form receives them; what it decides
// reaches the screen through the form's surface.
#include <set>
#include <vector>

#include "ui/types.h"

namespace ui {

class TControl;
class TWindowlessControl;

// What screen readers are told of a control without a window (NotifyWinEvent on Win32).
enum class AccessibleEvent {
  kFocus,        // it took the keyboard focus
  kStateChange,  // pressed or released, hot or cold, enabled or disabled, shown or hidden
  kNameChange,   // its caption changed
};

// What the host asks of the form's window.
class WindowlessSurface {
 public:
  virtual ~WindowlessSurface() = default;
  // The control's face changed: drawn again at once (the feedback of the mouse or a key) or with the
  // next paint.
  virtual void Redraw(const TControl& control, bool now) = 0;
  // All of the mouse to the form while a control is held, also outside the form.
  virtual void CaptureMouse(bool capture) = 0;
  // The form is to hear when the mouse leaves its client area (MouseLeave).
  virtual void WatchMouseLeave() = 0;
  // The control's tooltip tool: put in anew with its hint and area, or taken out.
  virtual void PutTool(const TControl& control, bool present) = 0;
  virtual void Notify(AccessibleEvent event, const TControl& control) = 0;
};

// A surface that shows nothing, for a form without a window.
class NoSurface : public WindowlessSurface {
 public:
  void Redraw(const TControl&, bool) override {}
  void CaptureMouse(bool) override {}
  void WatchMouseLeave() override {}
  void PutTool(const TControl&, bool) override {}
  void Notify(AccessibleEvent, const TControl&) override {}
};

class WindowlessHost {
 public:
  WindowlessHost();
  void SetSurface(WindowlessSurface* surface);

  // The controls, in the order they are painted.
  void Add(TWindowlessControl& control);
  void Remove(TWindowlessControl& control);
  const std::vector<TWindowlessControl*>& Controls() const { return controls_; }
  // The visible control at a client point, the topmost; for the mouse only an enabled one that takes
  // it, for screen readers any. nullptr where there is none.
  TWindowlessControl* At(Point at, bool forScreenReaders = false) const;

  // The mouse over the form's client area, in client pixels. A press returns whether a control took it.
  void MouseMove(Point at);
  void MouseLeave();
  bool ButtonDown(MouseButton button, Point at);
  void ButtonUp(MouseButton button, Point at);
  void CaptureLost();  // the system took the mouse away (another window captured it)
  // Opens the menu of the control at the client point, at the screen point; false when it has none.
  bool ContextMenu(Point at, Point screen);

  // The keyboard, while a control of the host has the focus: the arrow keys move it within its
  // group, Home and End to the group's ends; Space presses (the click comes with its release) and Enter
  // clicks; the context key (Shift+F10) opens the control's context menu at its bottom-left corner.
  // Each returns whether the key was taken.
  bool KeyDown(Key key);
  bool KeyUp(Key key);

  // What the painting shows. Hot: the mouse is over the control. Pressed: it is held down with the
  // left button and the mouse is over it, or with the space bar.
  bool Hot(const TControl& control) const;
  bool Pressed(const TControl& control) const;

  // The control with the focus among these, or the one that had it last; and the stop of a tab order:
  // that one when it belongs to it and can take the focus, else the first that can.
  TWindowlessControl* Focused() const { return focused_; }
  TWindowlessControl* StopOf(int tabOrder) const;
  void Focus(TWindowlessControl* control);
  // The form's window took or lost the system's focus.
  void FocusChanged();

  // A control's bounds, visibility, enabled state, hint or caption changed.
  void Changed(TWindowlessControl& control, bool state);
  void NameChanged(const TWindowlessControl& control);
  void Redraw(const TControl& control, bool now) { surface_->Redraw(control, now); }

 private:
  void SetHot(TWindowlessControl* control);
  // Drawn at once and told to screen readers: pressed or released, hot or cold.
  void StateChanged(const TWindowlessControl& control);
  void Release();
  bool OpenMenu(TWindowlessControl& control, Point screen);
  void UpdateTool(TWindowlessControl& control);
  // The focusable controls of the focused one's group, in order.
  std::vector<TWindowlessControl*> Group(int tabOrder) const;

  NoSurface none_;
  WindowlessSurface* surface_;
  std::vector<TWindowlessControl*> controls_;
  TWindowlessControl* hot_ = nullptr;
  TWindowlessControl* held_ = nullptr;
  TWindowlessControl* keyHeld_ = nullptr;
  TWindowlessControl* focused_ = nullptr;
  // The tooltip tools are made when the mouse first comes over the form: until then nobody can see
  // one, and most starts need none.
  bool tipsWanted_ = false;
  std::set<const TControl*> tools_;
};

}  // namespace ui
