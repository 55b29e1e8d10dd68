#pragma once
#include "ui/form.h"

class TFormDruckerList : public ui::TForm {
 public:
  explicit TFormDruckerList(ui::TComponent* owner);
};

extern TFormDruckerList* FormDruckerList;
