#pragma once
#include "ui/form.h"

class TFormInfo : public ui::TForm {
 public:
  explicit TFormInfo(ui::TComponent* owner);
};

extern TFormInfo* FormInfo;
