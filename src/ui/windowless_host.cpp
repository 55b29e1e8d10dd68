#include "ui/windowless_host.h"

#include <algorithm>

#include "ui/control.h"
#include "ui/menu.h"

namespace ui {
namespace {

bool Contains(const TControl& control, Point at) {
  const Rect r = control.Bounds();
  return at.x >= r.left && at.x < r.left + r.width && at.y >= r.top && at.y < r.top + r.height;
}

}  // namespace

WindowlessHost::WindowlessHost() : surface_(&none_) {}

void WindowlessHost::SetSurface(WindowlessSurface* surface) {
  surface_ = surface ? surface : &none_;
}

void WindowlessHost::Add(TControl& control) {
  controls_.push_back(&control);
}

void WindowlessHost::Remove(TControl& control) {
  if (held_ == &control) Release();
  if (hot_ == &control) hot_ = nullptr;
  if (tools_.erase(&control)) surface_->PutTool(control, false);
  std::erase(controls_, &control);
}

TControl* WindowlessHost::At(Point at) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it)
    if ((*it)->Visible() && (*it)->Enabled() && Contains(**it, at)) return *it;
  return nullptr;
}

// The hot control follows the mouse, also while one is held: dragged off the held control its face
// turns normal, dragged back it shows pressed again.
void WindowlessHost::SetHot(TControl* control) {
  if (control == hot_) return;
  TControl* old = std::exchange(hot_, control);
  if (old) surface_->Redraw(*old, true);
  if (hot_) {
    surface_->WatchMouseLeave();
    surface_->Redraw(*hot_, true);
  }
}

void WindowlessHost::MouseMove(Point at) {
  if (!tipsWanted_) {
    tipsWanted_ = true;
    for (TControl* control : controls_) UpdateTool(*control);
  }
  SetHot(At(at));
}

void WindowlessHost::MouseLeave() {
  SetHot(nullptr);
}

bool WindowlessHost::ButtonDown(MouseButton button, Point at) {
  TControl* under = At(at);
  if (!under) return false;
  SetHot(under);
  if (button == MouseButton::kLeft) {
    held_ = under;
    surface_->CaptureMouse(true);
    surface_->Redraw(*under, true);
  }
  const Rect bounds = under->Bounds();
  under->MouseDown(button, at.x - bounds.left, at.y - bounds.top);
  return true;
}

void WindowlessHost::ButtonUp(MouseButton button, Point at) {
  if (button != MouseButton::kLeft || !held_) return;
  TControl* released = held_;
  SetHot(At(at));
  const bool inside = hot_ == released;
  Release();
  if (inside) released->Click();
}

void WindowlessHost::Release() {
  TControl* released = std::exchange(held_, nullptr);
  surface_->CaptureMouse(false);
  surface_->Redraw(*released, true);
}

void WindowlessHost::CaptureLost() {
  if (held_) Release();
}

bool WindowlessHost::ContextMenu(Point at, Point screen) {
  TControl* under = At(at);
  TPopupMenu* menu = under ? under->PopupMenu() : nullptr;
  if (!menu) return false;
  menu->Popup(screen.x, screen.y);
  return true;
}

void WindowlessHost::Changed(TControl& control) {
  if (!control.Visible() || !control.Enabled()) {
    if (held_ == &control) Release();
    if (hot_ == &control) hot_ = nullptr;
  }
  UpdateTool(control);
}

void WindowlessHost::UpdateTool(TControl& control) {
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
