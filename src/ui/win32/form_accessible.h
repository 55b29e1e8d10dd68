#pragma once
// A form's client area for screen readers and automation tools (MSAA). The system's own object for a
// window knows its child windows but not the controls the form paints itself (speed buttons, bevels);
// so the form's window answers WM_GETOBJECT for its client area with an object of its own, which asks
// ui::FormAccessibility about those controls, hands out the system's objects for the child windows,
// and leaves what concerns the form itself (its name, place, parent, neighbours) to the system's object.
//
// The accessibility libraries (oleacc, ole32, oleaut32) are loaded when the first client asks, never
// at start: most runs have no such client.
#include <windows.h>
// After windows.h:
#include <oleacc.h>

#include <utility>

#include "ui/form.h"

namespace ui::win32 {

// Holds one COM reference and gives it back.
template <class T>
class ComRef {
 public:
  ComRef() = default;
  explicit ComRef(T* adopted) : object_(adopted) {}
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  ~ComRef() { Reset(); }
  T* get() const { return object_; }
  T* operator->() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }
  // Where a function that hands out a reference puts it; a reference held before is let go first.
  void** out() {
    Reset();
    return reinterpret_cast<void**>(&object_);
  }
  T* release() { return std::exchange(object_, nullptr); }
  void Reset(T* adopted = nullptr) {
    if (T* old = std::exchange(object_, adopted)) old->Release();
  }

 private:
  T* object_ = nullptr;
};

// Posted to a form's window when a client does a button's default action; the button is clicked when
// it arrives. A click may open a modal dialog, and the client's call must not wait for that to close.
inline constexpr UINT kAccessibleClickMessage = WM_APP + 0x0ACC;

// The accessible object of a form's window, which the window owns for its whole life: made when the
// first client asks, handed to every client after, and disconnected when the window goes
// (WM_NCDESTROY), so that a client still holding it gets CO_E_OBJNOTCONNECTED from then on.
// The object's own interface beside IAccessible: the window tells it when it goes. It is destroyed by
// its own Release, as every COM object is, never through this interface.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class WindowAccessible : public IAccessible {
 public:
  virtual void Disconnect() = 0;
};
#pragma GCC diagnostic pop

class AccessibleOwner {
 public:
  AccessibleOwner() = default;
  ~AccessibleOwner();
  AccessibleOwner(const AccessibleOwner&) = delete;
  AccessibleOwner& operator=(const AccessibleOwner&) = delete;

  // The answer to WM_GETOBJECT. It answers only for the client area (OBJID_CLIENT) and then sets
  // handled; every other object is left to DefWindowProc.
  LRESULT Answer(HWND window, TForm& form, WPARAM wParam, LPARAM lParam, bool& handled) noexcept;
  void Disconnect() noexcept;

 private:
  ComRef<WindowAccessible> object_;  // our reference to the object, once made
};

// The form's window procedure calls this for kAccessibleClickMessage: clicks the button the message
// names, when it is still one of the form's and can still be pressed.
void AnswerAccessibleClick(TForm& form, WPARAM wParam) noexcept;

}  // namespace ui::win32
