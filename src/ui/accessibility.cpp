#include "ui/accessibility.h"

#include <algorithm>

#include "ui/form.h"

namespace ui {
namespace {

bool Contains(const Rect& r, Point at) {
  return at.x >= r.left && at.x < r.left + r.width && at.y >= r.top && at.y < r.top + r.height;
}

}  // namespace

// The children in the order the form's windows are made, which is the order of the Tab key: a screen
// reader's next element is the one Tab goes to.
long FormAccessibility::ChildCount() const {
  return static_cast<long>(form_.Controls().size());
}

TControl* FormAccessibility::Child(long id) const {
  if (id < 1 || id > ChildCount()) return nullptr;
  return CreationOrder(form_)[static_cast<std::size_t>(id - 1)];
}

long FormAccessibility::IdOf(const TControl& control) const {
  const std::vector<TControl*> controls = CreationOrder(form_);
  const auto it = std::find(controls.begin(), controls.end(), &control);
  return it == controls.end() ? 0 : static_cast<long>(it - controls.begin()) + 1;
}

long FormAccessibility::Role(const TControl& control) const {
  const TWindowlessControl* windowless = control.AsWindowless();
  return windowless ? windowless->AccessibleRole() : 0;
}

std::optional<std::string> FormAccessibility::Name(const TControl& control) const {
  const TWindowlessControl* windowless = control.AsWindowless();
  return windowless ? windowless->AccessibleName() : std::nullopt;
}

std::optional<std::string> FormAccessibility::Description(const TControl& control) const {
  const TWindowlessControl* windowless = control.AsWindowless();
  return windowless ? windowless->AccessibleDescription() : std::nullopt;
}

// A control that cannot act now, disabled or under a modal dialog, is unavailable, as the system
// reports the controls of a disabled window.
long FormAccessibility::State(const TControl& control) const {
  long state = 0;
  if (!control.Visible()) state |= msaa::kStateInvisible;
  const TWindowlessControl* windowless = control.AsWindowless();
  if (!windowless) return control.Enabled() ? state : state | msaa::kStateUnavailable;
  if (!control.Enabled() || (control.Form() && !control.Form()->TakesInput()))
    state |= msaa::kStateUnavailable;
  if (!control.Form()) return state;
  const WindowlessHost& host = control.Form()->Windowless();
  if (host.Hot(control)) state |= msaa::kStateHotTracked;
  if (host.Pressed(control)) state |= msaa::kStatePressed;
  if (windowless->TakesFocus()) state |= msaa::kStateFocusable;
  if (windowless->Focused()) state |= msaa::kStateFocused;
  return state;
}

Rect FormAccessibility::Location(const TControl& control) const {
  return control.Bounds();
}

// What cannot act now offers nothing to do until it can.
std::optional<std::string> FormAccessibility::DefaultAction(const TControl& control) const {
  const TWindowlessControl* windowless = control.AsWindowless();
  if (!windowless || !windowless->CanAct()) return std::nullopt;
  return windowless->DefaultActionName();
}

bool FormAccessibility::DoDefaultAction(TControl& control) const {
  if (!DefaultAction(control) || IdOf(control) == 0) return false;
  control.Click();
  return true;
}

// The form paints its controls without a window on its own surface, under every child window: a
// control with a window lies over them all. Which of those without a window is at the point, the
// form's host says, by the test it gives the mouse; a disabled one is still there to be found.
AccessibleTarget FormAccessibility::HitTest(Point at) const {
  if (at.x < 0 || at.y < 0 || at.x >= form_.ClientWidth() || at.y >= form_.ClientHeight()) return {};
  for (long id = ChildCount(); id >= 1; --id) {
    const TControl& control = *Child(id);
    if (!control.Windowless() && control.Visible() && Contains(control.Bounds(), at))
      return {AccessibleTarget::Kind::kChild, id};
  }
  if (const TWindowlessControl* under = form_.Windowless().At(at, true))
    return {AccessibleTarget::Kind::kChild, IdOf(*under)};
  return {AccessibleTarget::Kind::kSelf};
}

long FormAccessibility::Step(long from, int by) const {
  for (long id = from + by; id >= 1 && id <= ChildCount(); id += by)
    if (Child(id)->Visible()) return id;
  return 0;
}

AccessibleTarget FormAccessibility::Navigate(long direction, long from) const {
  using Kind = AccessibleTarget::Kind;
  if (direction < msaa::kNavigateUp || direction > msaa::kNavigateLastChild) return {Kind::kInvalid};
  if (from != msaa::kSelf && !Child(from)) return {Kind::kInvalid};
  const auto child = [](long id) { return id ? AccessibleTarget{Kind::kChild, id} : AccessibleTarget{}; };
  if (from == msaa::kSelf) {
    if (direction == msaa::kNavigateFirstChild) return child(Step(0, 1));
    if (direction == msaa::kNavigateLastChild) return child(Step(ChildCount() + 1, -1));
    return {Kind::kSystem};
  }
  switch (direction) {
    case msaa::kNavigateNext:
      return child(Step(from, 1));
    case msaa::kNavigatePrevious:
      return child(Step(from, -1));
    case msaa::kNavigateFirstChild:
    case msaa::kNavigateLastChild:
      return {};  // the controls have no children of their own here
    default:
      return {Kind::kNotSupported};
  }
}

}  // namespace ui
