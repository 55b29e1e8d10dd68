#pragma once
#include "ui/form.h"

class TFormSpeed : public ui::TForm {
 public:
  explicit TFormSpeed(ui::TComponent* owner);
};

extern TFormSpeed* FormSpeed;
