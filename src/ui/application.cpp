#include "ui/application.h"

#include <cassert>

namespace ui {
namespace {
TApplication* g_application = nullptr;
}

TApplication::TApplication(Backend& backend, platform::Platform& platform, std::string title)
    : backend_(backend), platform_(platform), title_(std::move(title)) {
  assert(g_application == nullptr);
  g_application = this;
}

TApplication::~TApplication() {
  while (!forms_.empty()) forms_.pop_back();  // the dialogs go first, the main window last
  g_application = nullptr;
}

TApplication& Application() {
  assert(g_application != nullptr);
  return *g_application;
}

void TApplication::Adopt(std::unique_ptr<TForm> form) {
  TForm& created = *form;
  forms_.push_back(std::move(form));
  created.DoCreate();
  backend_.CreateWindows(created);
}

void TApplication::Run() {
  if (TForm* main = MainForm()) backend_.Run(*main);
}

void TApplication::ShowException(const char* message) noexcept {
  try {
    ShowMessageBox({message, title_, kMbOk | kMbIconError, {}, {}});
  } catch (...) {
    // Nothing more can be reported when even the error box fails.
  }
}

int TApplication::ShowMessageBox(const MessageBoxRequest& request) {
  const SystemDialog shown(*this);
  return backend_.ShowMessageBox(request);
}

int TApplication::ShowModal(TForm& form) {
  struct Shown {
    const TForm*& modal;
    const TForm* before;
    ~Shown() { modal = before; }
  } shown{modal_, std::exchange(modal_, &form)};
  return backend_.ShowModal(form);
}

bool TApplication::TakesInput(const TForm& form) const {
  return boxes_ == 0 && (!modal_ || modal_ == &form);
}

}  // namespace ui
