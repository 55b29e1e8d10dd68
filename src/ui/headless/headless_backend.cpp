#include "ui/headless/headless_backend.h"

namespace ui::headless {

void HeadlessBackend::CreateWindows(TForm& form) {
  createdForms.push_back(form.Name());
}

int HeadlessBackend::ShowModal(TForm& form) {
  modalForms.push_back(form.Name());
  form.SetVisible(true);
  if (!form.ActiveControl()) {
    const auto stops = form.TabStops();
    if (!stops.empty()) stops.front()->SetFocus();
  }
  form.DoActivate();
  if (onModal) onModal(form);
  if (form.ModalResult() == mrNone) form.Close();
  form.SetVisible(false);
  return form.ModalResult();
}

void HeadlessBackend::Run(TForm& mainForm) {
  mainForm.SetVisible(true);
  mainForm.Close();
}

int HeadlessBackend::ShowMessageBox(const MessageBoxRequest& request) {
  messageBoxes.push_back(request);
  return onMessageBox ? onMessageBox(request) : kIdOk;
}

void HeadlessBackend::Popup(TPopupMenu& menu, Point screen) {
  popups.push_back({&menu, screen});
  if (onPopup) onPopup(menu);
}

}  // namespace ui::headless
