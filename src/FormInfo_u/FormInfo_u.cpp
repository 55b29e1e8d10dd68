#include "FormInfo_u/FormInfo_u.h"

TFormInfo* FormInfo = nullptr;

TFormInfo::TFormInfo(ui::TComponent* owner) : TForm(owner, "FormInfo", "Programm-Info", 223, 121) {
  SetBorderStyle(ui::BorderStyle::kDialog);
}
