#include "ui/win32/form_accessible.h"

#include <oleacc.h>

#include <algorithm>
#include <new>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ui/accessibility.h"
#include "ui/win32/convert.h"
#include "ui/win32/form_window.h"

namespace ui::win32 {
namespace {

// COM on the program's one thread: begun when the first client asks, so that a run without one never
// loads it, and ended when the program ends, after the backend and every window are gone. A client may
// hold our objects until then; ending COM lets go of what it still holds. A thread that already runs
// COM in another way keeps it as it is.
class Apartment {
 public:
  Apartment() = default;
  Apartment(const Apartment&) = delete;
  Apartment& operator=(const Apartment&) = delete;
  ~Apartment() {
    if (entered_) CoUninitialize();
  }
  bool Usable() {
    if (!tried_) {
      tried_ = true;
      const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
      entered_ = SUCCEEDED(result);
      usable_ = entered_ || result == RPC_E_CHANGED_MODE;
    }
    return usable_;
  }

 private:
  bool tried_ = false;
  bool entered_ = false;
  bool usable_ = false;
};

Apartment& ThreadApartment() {
  static Apartment apartment;
  return apartment;
}

VARIANT Self() {
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  return self;
}

void SetEmpty(VARIANT* v) {
  v->vt = VT_EMPTY;
}

void SetNumber(VARIANT* v, long value) {
  v->vt = VT_I4;
  v->lVal = value;
}

// A text of the program as the string COM hands over; nothing for no text.
HRESULT AnswerText(const std::optional<std::string>& text, BSTR* out) {
  if (!text) return S_FALSE;
  const std::wstring wide = Wide(*text);
  *out = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

HWND WindowOf(const TControl& control) {
  const auto* window = dynamic_cast<const ControlWindow*>(&control.Peer());
  return window ? window->Window() : nullptr;
}

// The system's object for a control's window (OBJID_WINDOW), as a client is handed it for the child,
// or for its client area (OBJID_CLIENT).
template <class T>
HRESULT SystemObject(const TControl& control, LONG part, ComRef<T>& object) {
  HWND window = WindowOf(control);
  if (!window) return E_FAIL;
  return AccessibleObjectFromWindow(window, static_cast<DWORD>(part), __uuidof(T), object.out());
}

template <class T>
HRESULT WindowObject(const TControl& control, ComRef<T>& object) {
  return SystemObject(control, OBJID_WINDOW, object);
}

// A COM object is destroyed by its own Release, never through a pointer to its interface, and COM
// interfaces have no virtual destructor.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class FormAccessible final : public WindowAccessible {
 public:
  FormAccessible(HWND window, TForm& form, IAccessible* system)
      : window_(window), form_(&form), thread_(GetCurrentThreadId()), system_(system) {}
  FormAccessible(const FormAccessible&) = delete;
  FormAccessible& operator=(const FormAccessible&) = delete;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
      *object = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // IDispatch: clients of this object call its methods directly.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    if (!parent) return E_POINTER;
    *parent = nullptr;
    return Guarded([&](TForm&) { return system_->get_accParent(parent); });
  }

  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return Guarded([&](TForm& form) {
      *count = FormAccessibility(form).ChildCount();
      return S_OK;
    });
  }

  // A control without a window has no object of its own: its child id stands for it.
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    return Guarded([&](TForm& form) -> HRESULT {
      const TControl* control = child.vt == VT_I4 ? FormAccessibility(form).Child(child.lVal) : nullptr;
      if (!control) return E_INVALIDARG;
      if (control->Windowless()) return S_FALSE;
      ComRef<IDispatch> window;
      const HRESULT result = WindowObject(*control, window);
      *object = window.release();
      return result;
    });
  }

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (!name) return E_POINTER;
    *name = nullptr;
    return Ask(
        child, [&](IAccessible& system) { return system.get_accName(child, name); },
        [&](IAccessible& client) { return client.get_accName(Self(), name); },
        [&](const FormAccessibility& access, const TControl& control) {
          return AnswerText(access.Name(control), name);
        });
  }

  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    if (!value) return E_POINTER;
    *value = nullptr;
    return Ask(
        child, [&](IAccessible& system) { return system.get_accValue(child, value); },
        [&](IAccessible& client) { return client.get_accValue(Self(), value); }, NotSupported);
  }

  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
    if (!description) return E_POINTER;
    *description = nullptr;
    return Ask(
        child, [&](IAccessible& system) { return system.get_accDescription(child, description); },
        [&](IAccessible& client) { return client.get_accDescription(Self(), description); },
        [&](const FormAccessibility& access, const TControl& control) {
          return AnswerText(access.Description(control), description);
        });
  }

  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!role) return E_POINTER;
    SetEmpty(role);
    return Ask(
        child, [&](IAccessible& system) { return system.get_accRole(child, role); },
        [&](IAccessible& client) { return client.get_accRole(Self(), role); },
        [&](const FormAccessibility& access, const TControl& control) {
          SetNumber(role, access.Role(control));
          return S_OK;
        });
  }

  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    if (!state) return E_POINTER;
    SetEmpty(state);
    return Ask(
        child, [&](IAccessible& system) { return system.get_accState(child, state); },
        [&](IAccessible& client) { return client.get_accState(Self(), state); },
        [&](const FormAccessibility& access, const TControl& control) {
          SetNumber(state, access.State(control));
          return S_OK;
        });
  }

  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    if (!help) return E_POINTER;
    *help = nullptr;
    return Ask(
        child, [&](IAccessible& system) { return system.get_accHelp(child, help); },
        [&](IAccessible& client) { return client.get_accHelp(Self(), help); }, NotSupported);
  }

  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
    if (!file || !topic) return E_POINTER;
    *file = nullptr;
    *topic = -1;
    return Ask(
        child, [&](IAccessible& system) { return system.get_accHelpTopic(file, child, topic); },
        [&](IAccessible& client) { return client.get_accHelpTopic(file, Self(), topic); }, NotSupported);
  }

  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    if (!shortcut) return E_POINTER;
    *shortcut = nullptr;
    return Ask(
        child, [&](IAccessible& system) { return system.get_accKeyboardShortcut(child, shortcut); },
        [&](IAccessible& client) { return client.get_accKeyboardShortcut(Self(), shortcut); }, NotSupported);
  }

  // The system's object would name a focused child window by an id of its own counting; so the focus is
  // found here: the form itself, or the system's object for the child window that holds it.
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    if (!focus) return E_POINTER;
    SetEmpty(focus);
    return Guarded([&](TForm& form) {
      HWND focused = GetFocus();
      if (focused == window_) {  // the form itself, or the control without a window that has the focus
        const TWindowlessControl* control = form.Windowless().Focused();
        SetNumber(focus,
                  control && control->Focused() ? FormAccessibility(form).IdOf(*control) : CHILDID_SELF);
        return S_OK;
      }
      for (TControl* control : form.Controls()) {
        HWND window = control->Windowless() ? nullptr : WindowOf(*control);
        if (window && (window == focused || IsChild(window, focused))) {
          ComRef<IDispatch> object;
          const HRESULT result = WindowObject(*control, object);
          if (FAILED(result)) return result;
          focus->vt = VT_DISPATCH;
          focus->pdispVal = object.release();
          return S_OK;
        }
      }
      return S_FALSE;
    });
  }

  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    if (!selection) return E_POINTER;
    SetEmpty(selection);
    return Guarded([](TForm&) { return S_FALSE; });  // a form selects none of its controls
  }

  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    if (!action) return E_POINTER;
    *action = nullptr;
    return Ask(
        child, [&](IAccessible& system) { return system.get_accDefaultAction(child, action); },
        [&](IAccessible& client) { return client.get_accDefaultAction(Self(), action); },
        [&](const FormAccessibility& access, const TControl& control) {
          return AnswerText(access.DefaultAction(control), action);
        });
  }

  // The controls without a window take neither the focus nor a selection.
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
    return Ask(
        child, [&](IAccessible& system) { return system.accSelect(flags, child); },
        [&](IAccessible& client) { return client.accSelect(flags, Self()); }, NotSupported);
  }

  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override {
    if (!left || !top || !width || !height) return E_POINTER;
    *left = *top = *width = *height = 0;
    return Ask(
        child, [&](IAccessible& system) { return system.accLocation(left, top, width, height, child); },
        [&](IAccessible& client) { return client.accLocation(left, top, width, height, Self()); },
        [&](const FormAccessibility& access, const TControl& control) {
          const Rect r = access.Location(control);
          POINT corner{r.left, r.top};
          ClientToScreen(window_, &corner);
          *left = corner.x;
          *top = corner.y;
          *width = r.width;
          *height = r.height;
          return S_OK;
        });
  }

  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    if (!end) return E_POINTER;
    SetEmpty(end);
    return Guarded([&](TForm& form) {
      if (start.vt != VT_I4) return E_INVALIDARG;
      const FormAccessibility access(form);
      const AccessibleTarget target = access.Navigate(direction, start.lVal);
      if (target.kind == AccessibleTarget::Kind::kSystem) return system_->accNavigate(direction, start, end);
      return Answer(access, target, end);
    });
  }

  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* found) override {
    if (!found) return E_POINTER;
    SetEmpty(found);
    return Guarded([&](TForm& form) {
      POINT at{x, y};
      ScreenToClient(window_, &at);
      const FormAccessibility access(form);
      return Answer(access, access.HitTest({at.x, at.y}), found);
    });
  }

  // The click comes later, through the form's messages: see kAccessibleClickMessage. Under a modal
  // dialog there is none to do (DefaultAction), by the rule of every way in.
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return Ask(
        child, [&](IAccessible& system) { return system.accDoDefaultAction(child); },
        [&](IAccessible& client) { return client.accDoDefaultAction(Self()); },
        [&](const FormAccessibility& access, const TControl& control) {
          if (!access.DefaultAction(control)) return DISP_E_MEMBERNOTFOUND;
          const bool posted =
              PostMessageW(window_, kAccessibleClickMessage, reinterpret_cast<WPARAM>(&control), 0) != FALSE;
          return posted ? S_OK : E_FAIL;
        });
  }

  // Names and values are the program's to set.
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

  // The window is going: from now on every call is told the object is disconnected.
  void Disconnect() override {
    form_ = nullptr;
    ComRef<IAccessible> system(system_.release());
  }

 private:
  ~FormAccessible() = default;

  static HRESULT NotSupported(const FormAccessibility&, const TControl&) { return DISP_E_MEMBERNOTFOUND; }

  // Runs an answer for a form whose window is still there, on the window's own thread, where the
  // toolkit lives; no C++ exception leaves a COM method.
  template <class Body>
  HRESULT Guarded(Body body) noexcept {
    try {
      if (GetCurrentThreadId() != thread_) return RPC_E_WRONG_THREAD;
      return form_ ? body(*form_) : CO_E_OBJNOTCONNECTED;
    } catch (...) {
      return E_FAIL;
    }
  }

  // A question about the element a child id names: about the form itself it goes to the system's
  // object, about a control without a window it is answered here. About a control with a window, the
  // system's object for that window's client area answers, which knows the control by its kind (push
  // button, edit box) and its text, where the object for the whole window is only a "window".
  template <class OfSelf, class OfWindowed, class OfWindowless>
  HRESULT Ask(const VARIANT& child, OfSelf ofSelf, OfWindowed ofWindowed,
              OfWindowless ofWindowless) noexcept {
    return Guarded([&](TForm& form) -> HRESULT {
      if (child.vt != VT_I4) return E_INVALIDARG;
      if (child.lVal == CHILDID_SELF) return ofSelf(*system_.get());
      const FormAccessibility access(form);
      const TControl* control = access.Child(child.lVal);
      if (!control) return E_INVALIDARG;
      if (control->Windowless()) return ofWindowless(access, *control);
      ComRef<IAccessible> client;
      const HRESULT result = SystemObject(*control, OBJID_CLIENT, client);
      return FAILED(result) ? result : ofWindowed(*client.get());
    });
  }

  // Where a hit test or a step ended, as a client expects it: a control with a window as the system's
  // object for it, any other child by its id.
  HRESULT Answer(const FormAccessibility& access, const AccessibleTarget& target, VARIANT* out) const {
    switch (target.kind) {
      case AccessibleTarget::Kind::kSelf:
        SetNumber(out, CHILDID_SELF);
        return S_OK;
      case AccessibleTarget::Kind::kChild: {
        const TControl& control = *access.Child(target.child);
        ComRef<IDispatch> object;
        if (!control.Windowless() && SUCCEEDED(WindowObject(control, object))) {
          out->vt = VT_DISPATCH;
          out->pdispVal = object.release();
        } else {
          SetNumber(out, target.child);
        }
        return S_OK;
      }
      case AccessibleTarget::Kind::kNotSupported:
        return DISP_E_MEMBERNOTFOUND;
      case AccessibleTarget::Kind::kInvalid:
        return E_INVALIDARG;
      default:
        return S_FALSE;
    }
  }

  LONG references_ = 1;
  HWND window_;
  TForm* form_;
  DWORD thread_;
  ComRef<IAccessible> system_;
};
#pragma GCC diagnostic pop

}  // namespace

AccessibleOwner::~AccessibleOwner() {
  Disconnect();
}

LRESULT AccessibleOwner::Answer(HWND window, TForm& form, WPARAM wParam, LPARAM lParam,
                                bool& handled) noexcept {
  handled = false;
  if (static_cast<LONG>(lParam) != OBJID_CLIENT) return 0;
  try {
    if (!object_) {
      if (!ThreadApartment().Usable()) return 0;
      ComRef<IAccessible> system;
      if (FAILED(CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible), system.out())))
        return 0;
      object_.Reset(new (std::nothrow) FormAccessible(window, form, system.get()));
      if (!object_) return 0;
      system.release();  // the object holds it now
    }
    const LRESULT answer = LresultFromObject(__uuidof(IAccessible), wParam, object_.get());
    handled = answer > 0;
    return handled ? answer : 0;
  } catch (...) {
    return 0;
  }
}

void AccessibleOwner::Disconnect() noexcept {
  if (!object_) return;
  object_->Disconnect();
  // The clients in other processes lose their proxies now; one in this process keeps its reference
  // to an object that answers CO_E_OBJNOTCONNECTED.
  CoDisconnectObject(object_.get(), 0);
  object_.Reset();
}

void AnswerAccessibleClick(TForm& form, WPARAM wParam) noexcept {
  try {
    const auto* named = reinterpret_cast<const TControl*>(wParam);
    const std::vector<TControl*>& controls = form.Controls();
    const auto it = std::find(controls.begin(), controls.end(), named);
    // Another program may post anything: only a control of this form is clicked.
    if (it != controls.end() && (*it)->Windowless()) FormAccessibility(form).DoDefaultAction(**it);
  } catch (...) {
  }
}

}  // namespace ui::win32
