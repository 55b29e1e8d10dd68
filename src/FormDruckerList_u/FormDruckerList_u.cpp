#include "FormDruckerList_u/FormDruckerList_u.h"

TFormDruckerList* FormDruckerList = nullptr;

TFormDruckerList::TFormDruckerList(ui::TComponent* owner) : TForm(owner, "FormDruckerList", "Drucker zum Löschen auswählen", 384, 179) {
  SetBorderStyle(ui::BorderStyle::kDialog);
}
