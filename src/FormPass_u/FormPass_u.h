#pragma once
#include "ui/form.h"

class TFormPass : public ui::TForm {
 public:
  explicit TFormPass(ui::TComponent* owner);
};

extern TFormPass* FormPass;
