#pragma once
// What a control or a form is on a backend: its peer. Every control has one from its construction on:
// first an in-memory one, and on the Win32 backend a window (or the form's painting, for a control
// without a window) once the form's windows are made. A peer has a small base that every kind takes,
// and the role interfaces that only the kinds needing them implement: text, secret, focus, list.
// The control keeps what the program sets (bounds, visibility, fonts, hints); a peer keeps what the
// user can change (texts, the selection, the focus) and shows the rest.
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "platform/secret.h"
#include "ui/types.h"

namespace ui {

class ControlPeer {
 public:
  virtual ~ControlPeer() = default;
  virtual void SetBounds(Rect bounds) = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual void AppearanceChanged() = 0;  // font, colour, hint or content to be drawn anew
};

// The caption of a label or a button, the text of an edit box.
class TextPeer {
 public:
  virtual ~TextPeer() = default;
  virtual std::string GetText() const = 0;
  virtual void SetText(std::string_view text) = 0;
};

// A password box: its text travels only through wiping buffers, in UTF-16 as the box keeps it, so
// that the system gets every character as typed.
class SecretPeer {
 public:
  virtual ~SecretPeer() = default;
  virtual void ReadSecret(secret::Wide& out) const = 0;
  virtual void SetSecret(const secret::Wide& text) = 0;
  // Empties the box so that nothing of the text stays in the box's memory.
  virtual void WipeSecret() = 0;
};

// A control that takes the keyboard focus.
class FocusPeer {
 public:
  virtual ~FocusPeer() = default;
  virtual void SetFocus() = 0;
  virtual bool HasFocus() const = 0;
};

// A list box: it shows the entries in the order given, and keeps which one is chosen.
class ListPeer {
 public:
  virtual ~ListPeer() = default;
  virtual void ShowItems(const std::vector<std::string>& items) = 0;
  virtual int GetItemIndex() const = 0;
  virtual void SetItemIndex(int index) = 0;
};

class FormPeer {
 public:
  virtual ~FormPeer() = default;
  virtual void SetCaption(const std::string& caption) = 0;
  virtual Rect GetBounds() const = 0;  // outer, screen pixels
  virtual void SetPosition(int left, int top) = 0;
  virtual void SetSize(int width, int height) = 0;
  virtual WindowState GetWindowState() const = 0;
  virtual void SetWindowState(WindowState state) = 0;
  virtual Point ClientToScreen(Point client) const = 0;
  virtual void NextDlgCtl() = 0;  // focus to the next control in tab order
  // The keyboard focus on the form's window itself, where its controls without a window have it.
  virtual void TakeFocus() = 0;
  virtual bool HoldsFocus() const = 0;
  virtual platform::WindowHandle Handle() const = 0;
};

}  // namespace ui
