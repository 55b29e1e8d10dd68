#include "FormPass_u/FormPass_u.h"

TFormPass* FormPass = nullptr;

TFormPass::TFormPass(ui::TComponent* owner) : TForm(owner, "FormPass", "Passwort", 263, 119) {
  SetBorderStyle(ui::BorderStyle::kDialog);
}
