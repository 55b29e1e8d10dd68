#include "FormPass_u/FormPass_u.h"

TFormPass* FormPass = nullptr;

TFormPass::TFormPass(ui::TComponent* owner) : TForm(owner, "FormPass", "Passwort", 263, 119) {
  SetBorderStyle(ui::BorderStyle::kDialog);
  SetPosition(ui::FormPosition::kScreenCenter);
  Label2.SetAlignment(ui::Alignment::kRight);
  Label1.SetAlignment(ui::Alignment::kRight);
  Label4.SetAlignment(ui::Alignment::kRight);
  ui::Font bold;
  bold.bold = true;
  LabelAdmin.SetFont(bold);
  Label1.FocusControl = &EditPasswd;  // its name for screen readers
  EditPasswd.SetTabOrder(0);
  EditPasswd.SetPasswordChar('*');
  OKBtn.SetTabOrder(1);
  OKBtn.SetDefault(true);
  OKBtn.SetModalResult(ui::mrOk);
  CancelBtn.SetTabOrder(2);
  CancelBtn.SetCancel(true);
  CancelBtn.SetModalResult(ui::mrCancel);
  OnActivate = ui::Bind(this, &TFormPass::FormActivate);
}

void TFormPass::FormActivate(ui::TObject*) {
  EditPasswd.SetFocus();
}

std::optional<secret::Wide> TFormPass::AskPassword(secret::Wide current) {
  EditPasswd.SetSecret(current);
  current.Cut(0);
  std::optional<secret::Wide> typed;
  if (ShowModal() == ui::mrOk) typed = EditPasswd.ReadSecret();
  EditPasswd.WipeSecret();
  return typed;
}
