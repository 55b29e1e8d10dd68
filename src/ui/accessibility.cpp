#include "ui/accessibility.h"

#include <algorithm>

#include "ui/form.h"

namespace ui {
namespace {

bool IsButton(const TControl& control) {
  return control.Kind() == ControlKind::kSpeedButton;
}

bool Contains(const Rect& r, Point at) {
  return at.x >= r.left && at.x < r.left + r.width && at.y >= r.top && at.y < r.top + r.height;
}

}  // namespace

long FormAccessibility::ChildCount() const {
  return static_cast<long>(form_.Controls().size());
}

TControl* FormAccessibility::Child(long id) const {
  if (id < 1 || id > ChildCount()) return nullptr;
  return form_.Controls()[static_cast<std::size_t>(id - 1)];
}

long FormAccessibility::IdOf(const TControl& control) const {
  const std::vector<TControl*>& controls = form_.Controls();
  const auto it = std::find(controls.begin(), controls.end(), &control);
  return it == controls.end() ? 0 : static_cast<long>(it - controls.begin()) + 1;
}

long FormAccessibility::Role(const TControl& control) const {
  switch (control.Kind()) {
    case ControlKind::kSpeedButton:
      return msaa::kRolePushButton;
    case ControlKind::kBevel:
      return msaa::kRoleSeparator;
    default:
      return 0;
  }
}

// A button shows its caption; a button with only a picture is known by its tooltip, as a sighted user
// knows it.
std::optional<std::string> FormAccessibility::Name(const TControl& control) const {
  if (!IsButton(control)) return std::nullopt;
  std::string name = static_cast<const TSpeedButton&>(control).Text();
  if (name.empty()) name = control.Hint();
  if (name.empty()) return std::nullopt;
  return name;
}

std::optional<std::string> FormAccessibility::Description(const TControl& control) const {
  if (!IsButton(control) || control.Hint().empty()) return std::nullopt;
  return control.Hint();
}

long FormAccessibility::State(const TControl& control) const {
  long state = 0;
  if (!control.Enabled()) state |= msaa::kStateUnavailable;
  if (!control.Visible()) state |= msaa::kStateInvisible;
  if (IsButton(control) && control.Form()) {
    const WindowlessHost& host = control.Form()->Windowless();
    if (host.Hot(control)) state |= msaa::kStateHotTracked;
    if (host.Pressed(control)) state |= msaa::kStatePressed;
  }
  return state;
}

Rect FormAccessibility::Location(const TControl& control) const {
  return control.Bounds();
}

// A hidden or disabled button cannot be pressed, so it offers nothing to do until it can.
std::optional<std::string> FormAccessibility::DefaultAction(const TControl& control) const {
  if (!IsButton(control) || !control.Visible() || !control.Enabled()) return std::nullopt;
  return std::string("Drücken");
}

bool FormAccessibility::DoDefaultAction(TControl& control) const {
  if (!DefaultAction(control) || IdOf(control) == 0) return false;
  control.Click();
  return true;
}

// The form paints its controls without a window on its own surface, under every child window: a
// control with a window lies over them all. Among each kind, a later control lies over an earlier one.
// A disabled control is still there to be found; a hidden one is not.
AccessibleTarget FormAccessibility::HitTest(Point at) const {
  if (at.x < 0 || at.y < 0 || at.x >= form_.ClientWidth() || at.y >= form_.ClientHeight()) return {};
  for (const bool windowless : {false, true}) {
    for (long id = ChildCount(); id >= 1; --id) {
      const TControl& control = *Child(id);
      if (control.Windowless() == windowless && control.Visible() && Contains(control.Bounds(), at))
        return {AccessibleTarget::Kind::kChild, id};
    }
  }
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
