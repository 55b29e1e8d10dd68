#include "ui/windowless_host.h"

#include <algorithm>

#include "ui/control.h"
#include "ui/form.h"
#include "ui/menu.h"

namespace ui {
namespace {

bool Contains(const TControl& control, Point at) {
  const Rect r = control.Bounds();
  return at.x >= r.left && at.x < r.left + r.width && at.y >= r.top && at.y < r.top + r.height;
}

// Can take the keyboard focus now, as a window that is shown and enabled can.
bool Focusable(const TWindowlessControl& control) {
  return control.TakesFocus() && control.Visible() && control.Enabled();
}

}  // namespace

WindowlessHost::WindowlessHost() : surface_(&none_) {}

void WindowlessHost::SetSurface(WindowlessSurface* surface) {
  surface_ = surface ? surface : &none_;
}

void WindowlessHost::Add(TWindowlessControl& control) {
  controls_.push_back(&control);
}

void WindowlessHost::Remove(TWindowlessControl& control) {
  if (held_ == &control) Release();
  if (keyHeld_ == &control) keyHeld_ = nullptr;
  if (hot_ == &control) hot_ = nullptr;
  if (focused_ == &control) focused_ = nullptr;
  if (tools_.erase(&control)) surface_->PutTool(control, false);
  std::erase(controls_, &control);
}

TWindowlessControl* WindowlessHost::At(Point at, bool forScreenReaders) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it)
    if ((*it)->Visible() && (forScreenReaders || ((*it)->Enabled() && (*it)->HitTestable())) &&
        Contains(**it, at))
      return *it;
  return nullptr;
}

bool WindowlessHost::Hot(const TControl& control) const {
  return hot_ == &control;
}

bool WindowlessHost::Pressed(const TControl& control) const {
  return (held_ == &control && hot_ == &control) || keyHeld_ == &control;
}

// The hot control follows the mouse, also while one is held: dragged off the held control its face
// turns normal, dragged back it shows pressed again.
void WindowlessHost::SetHot(TWindowlessControl* control) {
  if (control == hot_) return;
  TWindowlessControl* old = std::exchange(hot_, control);
  if (old) StateChanged(*old);
  if (hot_) {
    surface_->WatchMouseLeave();
    StateChanged(*hot_);
  }
}

void WindowlessHost::StateChanged(const TWindowlessControl& control) {
  surface_->Redraw(control, true);
  surface_->Notify(AccessibleEvent::kStateChange, control);
}

void WindowlessHost::MouseMove(Point at) {
  if (!tipsWanted_) {
    tipsWanted_ = true;
    for (TWindowlessControl* control : controls_) UpdateTool(*control);
  }
  SetHot(At(at));
}

void WindowlessHost::MouseLeave() {
  SetHot(nullptr);
}

// The mouse acts by the same rule as the keyboard and screen readers: a control under a modal dialog
// takes no press (the system keeps the mouse from a disabled window; this keeps it from the rest).
bool WindowlessHost::ButtonDown(MouseButton button, Point at) {
  TWindowlessControl* under = At(at);
  if (!under || !under->CanAct()) return false;
  SetHot(under);
  if (button == MouseButton::kLeft) {
    held_ = under;
    surface_->CaptureMouse(true);
    StateChanged(*under);
  }
  const Rect bounds = under->Bounds();
  under->MouseDown(button, at.x - bounds.left, at.y - bounds.top);
  return true;
}

void WindowlessHost::ButtonUp(MouseButton button, Point at) {
  if (button != MouseButton::kLeft || !held_) return;
  TWindowlessControl* released = held_;
  SetHot(At(at));
  const bool inside = hot_ == released;
  Release();
  if (inside && released->CanAct()) released->Click();
}

void WindowlessHost::Release() {
  TWindowlessControl* released = std::exchange(held_, nullptr);
  surface_->CaptureMouse(false);
  StateChanged(*released);
}

void WindowlessHost::CaptureLost() {
  if (held_) Release();
}

bool WindowlessHost::ContextMenu(Point at, Point screen) {
  TWindowlessControl* under = At(at);
  return under && OpenMenu(*under, screen);
}

bool WindowlessHost::OpenMenu(TWindowlessControl& control, Point screen) {
  TPopupMenu* menu = control.PopupMenu();
  if (!menu || !control.CanAct()) return false;
  menu->Popup(screen.x, screen.y);
  return true;
}

std::vector<TWindowlessControl*> WindowlessHost::Group(int tabOrder) const {
  std::vector<TWindowlessControl*> group;
  for (TWindowlessControl* control : controls_)
    if (control->TabOrder() == tabOrder && Focusable(*control)) group.push_back(control);
  return group;
}

TWindowlessControl* WindowlessHost::StopOf(int tabOrder) const {
  if (focused_ && focused_->TabOrder() == tabOrder && Focusable(*focused_)) return focused_;
  const std::vector<TWindowlessControl*> group = Group(tabOrder);
  return group.empty() ? nullptr : group.front();
}

void WindowlessHost::Focus(TWindowlessControl* control) {
  if (control == focused_) return;
  TWindowlessControl* old = std::exchange(focused_, control);
  if (keyHeld_ == old && old) {
    keyHeld_ = nullptr;
    surface_->Notify(AccessibleEvent::kStateChange, *old);
  }
  if (old) surface_->Redraw(*old, false);
  if (focused_) {
    surface_->Redraw(*focused_, false);
    if (focused_->Focused()) surface_->Notify(AccessibleEvent::kFocus, *focused_);
  }
}

void WindowlessHost::FocusChanged() {
  if (!focused_) return;
  if (keyHeld_ && !focused_->Focused()) {
    TWindowlessControl* released = std::exchange(keyHeld_, nullptr);
    StateChanged(*released);
  }
  surface_->Redraw(*focused_, false);
  if (focused_->Focused()) surface_->Notify(AccessibleEvent::kFocus, *focused_);
}

// The keys a toolbar takes. A key that acts does so by the rule of every way in (CanAct); it is
// taken all the same, so that it does not act on another control instead.
bool WindowlessHost::KeyDown(Key key) {
  TWindowlessControl* focused = focused_ && focused_->Focused() ? focused_ : nullptr;
  if (!focused) return false;
  const std::vector<TWindowlessControl*> group = Group(focused->TabOrder());
  const auto at = std::find(group.begin(), group.end(), focused);
  const std::size_t index = at == group.end() ? 0 : static_cast<std::size_t>(at - group.begin());
  const auto moveTo = [&](std::size_t to) {
    if (!group.empty()) group[to]->SetFocus();
    return true;
  };
  switch (key) {
    case Key::kLeft:
    case Key::kUp:
      return moveTo(group.empty() ? 0 : (index + group.size() - 1) % group.size());
    case Key::kRight:
    case Key::kDown:
      return moveTo(group.empty() ? 0 : (index + 1) % group.size());
    case Key::kHome:
      return moveTo(0);
    case Key::kEnd:
      return moveTo(group.empty() ? 0 : group.size() - 1);
    case Key::kSpace:
      if (focused->CanAct() && keyHeld_ != focused) {
        keyHeld_ = focused;
        StateChanged(*focused);
      }
      return true;
    case Key::kReturn:
      if (focused->CanAct()) focused->Click();
      return true;
    case Key::kContextMenu: {
      if (!focused->PopupMenu()) return false;
      const Rect r = focused->Bounds();
      const TForm* form = focused->Form();
      OpenMenu(*focused,
               form ? form->ClientToScreen({r.left, r.top + r.height}) : Point{r.left, r.top + r.height});
      return true;
    }
    default:
      return false;
  }
}

bool WindowlessHost::KeyUp(Key key) {
  if (key != Key::kSpace || !keyHeld_) return false;
  TWindowlessControl* released = std::exchange(keyHeld_, nullptr);
  StateChanged(*released);
  if (released->CanAct()) released->Click();
  return true;
}

void WindowlessHost::Changed(TWindowlessControl& control, bool state) {
  if (!control.Visible() || !control.Enabled()) {
    if (held_ == &control) Release();
    if (keyHeld_ == &control) keyHeld_ = nullptr;
    if (hot_ == &control) hot_ = nullptr;
  }
  if (state) surface_->Notify(AccessibleEvent::kStateChange, control);
  UpdateTool(control);
}

void WindowlessHost::NameChanged(const TWindowlessControl& control) {
  surface_->Notify(AccessibleEvent::kNameChange, control);
}

void WindowlessHost::UpdateTool(TWindowlessControl& control) {
  const bool wanted = tipsWanted_ && control.Visible() && control.ShowHint() && !control.Hint().empty();
  const bool present = tools_.count(&control) > 0;
  if (!wanted && !present) return;  // most controls never have one: nothing to tell the surface
  surface_->PutTool(control, wanted);
  if (wanted)
    tools_.insert(&control);
  else
    tools_.erase(&control);
}

}  // namespace ui
