#include "Morvela/program.h"

#include "FormDruckerList_u/FormDruckerList_u.h"
#include "FormInfo_u/FormInfo_u.h"
#include "FormPass_u/FormPass_u.h"
#include "FormSpeed_u/FormSpeed_u.h"
#include "Unit1/Unit1.h"

void CreateForms(ui::TApplication& application) {
  // The main window comes first: its start-up handler runs before the dialogs exist.
  application.CreateForm(Form1);
  application.CreateForm(FormPass);
  application.CreateForm(FormSpeed);
  application.CreateForm(FormInfo);
  application.CreateForm(FormDruckerList);
}
