#include "FormDruckerList_u/FormDruckerList_u.h"
#include "base/short_text.h"

#include "base/text.h"

TFormDruckerList* FormDruckerList = nullptr;

TFormDruckerList::TFormDruckerList(ui::TComponent* owner)
    : TForm(owner, "FormDruckerList", "Drucker zum Löschen auswählen", 384, 179) {
  SetBorderStyle(ui::BorderStyle::kDialog);
  CancelBtn.SetTabOrder(0);
  ListBox1.SetTabOrder(1);
  ButtonAuswaehlen.SetTabOrder(2);
  ListBox1.ItemHeight = 13;
  CancelBtn.SetDefault(true);
  CancelBtn.SetCancel(true);
  CancelBtn.SetModalResult(ui::mrCancel);
  ListBox1.OnDblClick = ui::Bind(this, &TFormDruckerList::ButtonAuswaehlenClick);
  ButtonAuswaehlen.OnClick = ui::Bind(this, &TFormDruckerList::ButtonAuswaehlenClick);
  CancelBtn.OnClick = ui::Bind(this, &TFormDruckerList::CancelBtnClick);
  OnCloseQuery = [this](TObject* sender, bool& canClose) { FormCloseQuery(sender, canClose); };
}

std::string TFormDruckerList::ChoosePrinter() {
  // The first in tab order has the focus at every showing, not where the focus was when it closed.
  SetActiveControl(&CancelBtn);
  ShowModal();
  return SelectedPrinter;
}

void TFormDruckerList::ButtonAuswaehlenClick(TObject*) {
  const int index = ListBox1.ItemIndex();
  SelectedPrinter =
      index < 0 ? std::string() : base::ShortText(ListBox1.Items()[static_cast<std::size_t>(index)]);
  Close();
}

void TFormDruckerList::CancelBtnClick(TObject*) {
  SelectedPrinter.clear();
}

void TFormDruckerList::FormCloseQuery(TObject*, bool& canClose) {
  canClose = true;
}
