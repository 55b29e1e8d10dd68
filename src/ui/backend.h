#pragma once
// The toolkit's two backends implement this: Win32 (real windows and message loops) and headless
// (plain state, for tests). Windows and controls are written once against the toolkit and never know
// which backend they run on.
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/secret.h"
#include "ui/types.h"

namespace ui {

class TControl;
class TForm;
class TPopupMenu;

// A control's window. Once a control has one, the window holds the state the user can change
// (texts, selection, focus) and the control forwards every change it makes to it.
class ControlPeer {
 public:
  virtual ~ControlPeer() = default;
  virtual std::string GetText() const = 0;
  virtual void SetText(const std::string& text) = 0;
  virtual void ReadSecret(secret::Text& out) const = 0;
  virtual void SetSecret(const secret::Text& text) = 0;
  virtual void SetBounds(Rect bounds) = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual void SetFocus() = 0;
  virtual bool HasFocus() const = 0;
  virtual void AppearanceChanged() = 0;  // font, colour, hint or content to be drawn anew
  // A list's content replaced; the entries come back in the order the list shows them.
  virtual std::vector<std::string> ShowItems(const std::vector<std::string>& items) = 0;
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
  virtual platform::WindowHandle Handle() const = 0;
};

class Backend {
 public:
  virtual ~Backend() = default;
  // Makes the form's window and its controls' windows, hidden. The headless backend makes none.
  virtual void CreateWindows(TForm& form) = 0;
  // Shows the form modally and returns its modal result.
  virtual int ShowModal(TForm& form) = 0;
  // Shows the main window and runs the message loop until it closes.
  virtual void Run(TForm& mainForm) = 0;
  virtual int ShowMessageBox(const MessageBoxRequest& request) = 0;
  // Shows the menu with its top-left corner at a screen point and runs the chosen item.
  virtual void Popup(TPopupMenu& menu, Point screen) = 0;
  // The window to own a system dialog: the active one of the program's windows.
  virtual platform::WindowHandle ActiveWindow() const = 0;
};

}  // namespace ui
