#pragma once
// The printer chooser: a sorted list of the printers, "Auswählen" and "Abbrechen". Its result is kept
// from one use to the next.
#include <string>

#include "ui/control.h"
#include "ui/form.h"

class TFormDruckerList : public ui::TForm {
 public:
  explicit TFormDruckerList(ui::TComponent* owner);
  using TObject = ui::TObject;

  ui::TListBox ListBox1{this, "ListBox1", {8, 8, 281, 161}};
  ui::TButton ButtonAuswaehlen{this, "ButtonAuswaehlen", {300, 112, 75, 25}, "Auswählen"};
  ui::TButton CancelBtn{this, "CancelBtn", {300, 142, 75, 25}, "Abbrechen"};

  // The chooser's result; empty until something is chosen.
  std::string SelectedPrinter;

  // Shows the chooser modally and returns the chosen name (the previous one when it was closed
  // through its title bar).
  std::string ChoosePrinter();
  void ButtonAuswaehlenClick(TObject* sender);
  void CancelBtnClick(TObject* sender);
  void FormCloseQuery(TObject* sender, bool& canClose);
};

extern TFormDruckerList* FormDruckerList;
