#pragma once
// The host of a form's controls without a window of their own (speed buttons, bevels). A window's
// system does for its child windows what this does for them: it finds the control under the mouse,
// keeps which one the mouse is over (hot) and which one is held down with the left button, makes the
// click of a release inside the held control, opens a control's context menu, and keeps a tooltip tool
// for each control that shows a hint. Both backends hand it the mouse as the form receives it; what it
// decides reaches the screen through the form's surface.
#include <set>
#include <vector>

#include "ui/types.h"

namespace ui {

class TControl;

// What the host asks of the form's window.
class WindowlessSurface {
 public:
  virtual ~WindowlessSurface() = default;
  // The control's face changed: drawn again at once (the mouse's feedback) or with the next paint.
  virtual void Redraw(const TControl& control, bool now) = 0;
  // All of the mouse to the form while a control is held, also outside the form.
  virtual void CaptureMouse(bool capture) = 0;
  // The form is to hear when the mouse leaves its client area (MouseLeave).
  virtual void WatchMouseLeave() = 0;
  // The control's tooltip tool: put in anew with its hint and area, or taken out.
  virtual void PutTool(const TControl& control, bool present) = 0;
};

// A surface that shows nothing, for a form without a window.
class NoSurface : public WindowlessSurface {
 public:
  void Redraw(const TControl&, bool) override {}
  void CaptureMouse(bool) override {}
  void WatchMouseLeave() override {}
  void PutTool(const TControl&, bool) override {}
};

class WindowlessHost {
 public:
  WindowlessHost();
  void SetSurface(WindowlessSurface* surface);

  // The controls, in the order they are painted: a later one lies over an earlier one.
  void Add(TControl& control);
  void Remove(TControl& control);
  const std::vector<TControl*>& Controls() const { return controls_; }
  // The enabled, visible control at a client point, the topmost; nullptr where there is none.
  TControl* At(Point at) const;

  // The mouse over the form's client area, in client pixels. A press returns whether a control took it.
  void MouseMove(Point at);
  void MouseLeave();
  bool ButtonDown(MouseButton button, Point at);
  void ButtonUp(MouseButton button, Point at);
  void CaptureLost();  // the system took the mouse away (another window captured it)
  // Opens the menu of the control at the client point, at the screen point; false when it has none.
  bool ContextMenu(Point at, Point screen);

  // What the painting shows. Hot: the mouse is over the control. Pressed: it is held down with the
  // left button and the mouse is over it.
  bool Hot(const TControl& control) const { return hot_ == &control; }
  bool Pressed(const TControl& control) const { return held_ == &control && hot_ == &control; }

  // A control's bounds, visibility, enabled state, hint or caption changed.
  void Changed(TControl& control);

 private:
  void SetHot(TControl* control);
  void Release();
  void UpdateTool(TControl& control);

  NoSurface none_;
  WindowlessSurface* surface_;
  std::vector<TControl*> controls_;
  TControl* hot_ = nullptr;
  TControl* held_ = nullptr;
  // The tooltip tools are made when the mouse first comes over the form: until then nobody can see
  // one, and most starts need none.
  bool tipsWanted_ = false;
  std::set<const TControl*> tools_;
};

}  // namespace ui
