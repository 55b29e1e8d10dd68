#pragma once
// The application object: the backend and platform in use, the title of error boxes, the forms it owns
// and the guard through which every handler runs.
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "ui/backend.h"
#include "ui/form.h"

namespace ui {

class TApplication {
 public:
  TApplication(Backend& backend, platform::Platform& platform, std::string title);
  ~TApplication();
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  Backend& GetBackend() { return backend_; }
  platform::Platform& GetPlatform() { return platform_; }
  const std::string& Title() const { return title_; }

  // Creates a form, runs its OnCreate and makes its windows (hidden). The first form created is the
  // main window. The application owns the forms until it ends.
  template <class F>
  F& CreateForm(F*& reference) {
    auto form = std::make_unique<F>(nullptr);
    F& result = *form;
    reference = form.get();
    Adopt(std::move(form));
    return result;
  }
  TForm* MainForm() const { return forms_.empty() ? nullptr : forms_.front().get(); }
  void Run();

  // Runs a handler; an error it raises is shown in an error box titled with the application's title.
  template <class Fn>
  void Guard(Fn&& fn) noexcept {
    try {
      fn();
    } catch (const std::exception& error) {
      ShowException(error.what());
    } catch (...) {
      ShowException("Unbekannter Fehler");
    }
  }
  void ShowException(const char* message) noexcept;
  int ShowMessageBox(const MessageBoxRequest& request);
  int ShowModal(TForm& form);
  // While a message box or a system dialog (such as the file chooser) is up, no form takes input.
  class SystemDialog {
   public:
    explicit SystemDialog(TApplication& application) : application_(application) { ++application_.boxes_; }
    ~SystemDialog() { --application_.boxes_; }
    SystemDialog(const SystemDialog&) = delete;
    SystemDialog& operator=(const SystemDialog&) = delete;

   private:
    TApplication& application_;
  };
  // A form takes input while no message box is up and it is the modal dialog shown last, or no modal
  // dialog is shown at all.
  bool TakesInput(const TForm& form) const;
  void WaitFor(platform::Handle process) { backend_.WaitFor(process); }

 private:
  void Adopt(std::unique_ptr<TForm> form);

  Backend& backend_;
  platform::Platform& platform_;
  std::string title_;
  std::vector<std::unique_ptr<TForm>> forms_;
  const TForm* modal_ = nullptr;  // the modal dialog in front; each showing keeps the one before
  int boxes_ = 0;                 // message boxes being shown
};

// The running application; there is exactly one at a time.
TApplication& Application();

}  // namespace ui
