#pragma once
// The headless backend: no windows, only the state kept in forms and controls. Modal dialogs, message
// boxes and popup menus are answered by scripts that a test sets, and each is recorded.
#include <functional>
#include <string>
#include <vector>

#include "ui/backend.h"
#include "ui/form.h"
#include "ui/menu.h"

namespace ui::headless {

struct PopupRecord {
  TPopupMenu* menu = nullptr;
  Point screen;
};

class HeadlessBackend : public Backend {
 public:
  // Plays the user's part while a form is shown modally: clicks, types, closes. When it leaves the
  // modal result at none, the form is taken as closed through its close box.
  std::function<void(TForm& form)> onModal;
  // Answers a message box; by default "OK".
  std::function<int(const MessageBoxRequest& request)> onMessageBox;
  // Chooses from a popup menu; by default nothing is chosen.
  std::function<void(TPopupMenu& menu)> onPopup;

  std::vector<MessageBoxRequest> messageBoxes;
  std::vector<PopupRecord> popups;
  std::vector<std::string> modalForms;    // names of the forms shown modally, in order
  std::vector<std::string> createdForms;  // names of the forms whose windows were made, in order

  void CreateWindows(TForm& form) override;
  int ShowModal(TForm& form) override;
  void Run(TForm& mainForm) override;
  int ShowMessageBox(const MessageBoxRequest& request) override;
  void Popup(TPopupMenu& menu, Point screen) override;
  platform::WindowHandle ActiveWindow() const override { return 0; }
  // A process of the fake platform has ended when it is handed out; what is waited for is recorded.
  void WaitFor(platform::Handle process) override { waitedFor.push_back(process); }
  std::vector<platform::Handle> waitedFor;
};

}  // namespace ui::headless
