#pragma once
// The toolkit's two backends implement this: Win32 (real windows and message loops) and headless
// (plain state, for tests). Windows and controls are written once against the toolkit and never know
// which backend they run on.
#include "platform/platform.h"
#include "ui/peers.h"
#include "ui/types.h"

namespace ui {

class TControl;
class TForm;
class TPopupMenu;

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
  // Waits until the process has ended, and meanwhile runs the message loop, so that the windows keep
  // painting and answering.
  virtual void WaitFor(platform::Handle process) = 0;
};

}  // namespace ui
