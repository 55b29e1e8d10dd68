#include "FormSpeed_u/FormSpeed_u.h"

TFormSpeed* FormSpeed = nullptr;

TFormSpeed::TFormSpeed(ui::TComponent* owner) : TForm(owner, "FormSpeed", "Belegung der Schnelltasten", 260, 240) {
  SetBorderStyle(ui::BorderStyle::kDialog);
}
