#pragma once
// What screen readers and automation tools learn about a form through the system's accessibility
// interface (MSAA). The system knows a form's child windows by itself, but not the controls that its
// form paints (speed buttons, bevels): for those, everything is decided here, from the toolkit's own
// state, and the Win32 adapter (ui/win32/form_accessible.h) only translates into COM.
//
// The children of a form are all of its controls, in the order of TForm::Controls(); a child's id is
// its position there, counted from 1, and 0 stands for the form itself. A hidden control stays a child
// and carries the invisible state, as the system reports a hidden child window; it is left out where
// only what the user can see counts: the hit test and the steps from one child to the next.
#include <optional>
#include <string>

#include "ui/types.h"

namespace ui {

class TControl;
class TForm;

// The system's numbers, so that the adapter hands them on as they are.
namespace msaa {
inline constexpr long kSelf = 0;  // CHILDID_SELF
inline constexpr long kRoleSeparator = 0x15;
inline constexpr long kRolePushButton = 0x2B;
inline constexpr long kStateUnavailable = 0x1;
inline constexpr long kStateFocused = 0x4;
inline constexpr long kStatePressed = 0x8;
inline constexpr long kStateHotTracked = 0x80;
inline constexpr long kStateInvisible = 0x8000;
inline constexpr long kStateFocusable = 0x100000;
inline constexpr long kNavigateUp = 1;
inline constexpr long kNavigateDown = 2;
inline constexpr long kNavigateLeft = 3;
inline constexpr long kNavigateRight = 4;
inline constexpr long kNavigateNext = 5;
inline constexpr long kNavigatePrevious = 6;
inline constexpr long kNavigateFirstChild = 7;
inline constexpr long kNavigateLastChild = 8;
}  // namespace msaa

// Where a hit test or a step of navigation ends.
struct AccessibleTarget {
  enum class Kind {
    kNothing,       // no element: outside the client area, or no further child that way
    kSelf,          // the form's client area itself
    kChild,         // the child with the id in `child`
    kSystem,        // the form among its own neighbours: the system's object for the window knows them
    kNotSupported,  // a direction this object does not go
    kInvalid,       // the start or the direction names nothing
  };
  Kind kind = Kind::kNothing;
  long child = 0;
  bool operator==(const AccessibleTarget&) const = default;
};

class FormAccessibility {
 public:
  explicit FormAccessibility(TForm& form) : form_(form) {}

  long ChildCount() const;
  // The control of a child id; nullptr for an id that names none (also for 0, the form itself).
  TControl* Child(long id) const;

  // The answers for a control without a window. A control with a window is answered for by the
  // system's object for that window; asked about one anyway, these give no role and no name.
  long Role(const TControl& control) const;
  std::optional<std::string> Name(const TControl& control) const;
  std::optional<std::string> Description(const TControl& control) const;
  long State(const TControl& control) const;
  Rect Location(const TControl& control) const;  // client pixels
  // What the default action is called, as long as it can be done now.
  std::optional<std::string> DefaultAction(const TControl& control) const;
  // Does it at once, when it can be done; false otherwise.
  bool DoDefaultAction(TControl& control) const;

  // The element at a client point.
  AccessibleTarget HitTest(Point at) const;
  // One step from the form (msaa::kSelf) or from a child in a direction (msaa::kNavigate...).
  AccessibleTarget Navigate(long direction, long from) const;

  // The child id of a control: stable for the form's life, as its controls are its members.
  long IdOf(const TControl& control) const;

 private:
  // The next visible child after (or before) a position in the list; 0 when there is none.
  long Step(long from, int by) const;

  TForm& form_;
};

}  // namespace ui
