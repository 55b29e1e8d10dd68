// The printer button and its menu: the command lines for installing, deleting and inspecting a
// printer, with the chooser for the printer.
#include "FormDruckerList_u/FormDruckerList_u.h"
#include "FormInfo_u/FormInfo_u.h"
#include "Unit1/Unit1.h"
#include "base/short_text.h"
#include "base/text.h"
#include "z_global/system_info.h"

namespace {

// The names of the local printers and the user's printer connections, as the system lists them now.
std::vector<std::string> PrinterNameList(platform::Platform& system) {
  const platform::PrinterEnumeration printers =
      system.PrinterNames(platform::kPrinterEnumLocal | platform::kPrinterEnumConnections);
  if (printers.neededBytes == 0 || !printers.filled) return {};
  return printers.names;
}

}  // namespace

void TForm1::XPBitBtnDruckerInstallierenClick(TObject*) {
  const std::string computer = z_global::GetComputerNameText(System());
  Prepare(base::ShortText("rundll32 printui.dll,PrintUIEntry /il /c\\\\" + computer), "Drucker-Installation");
}

void TForm1::Druckerinstallieren1Click(TObject* sender) {
  XPBitBtnDruckerInstallierenClick(sender);
}

void TForm1::XPBitBtnDruckerInstallierenMouseDown(TObject*, ui::MouseButton, int, int y) {
  ShowDropDownMenu(*this, XPBitBtnDruckerInstallieren, y, &PopupMenuDrucker);
}

void TForm1::XPBitBtnDruckerInstallierenDropDown(TObject*) {
  ShowMenuBelow(*this, XPBitBtnDruckerInstallieren, &PopupMenuDrucker);
}

void TForm1::PlacePrinterChooser() {
  FormDruckerList->SetTop(Top() < 0 ? 0 : Top() + 60);
  FormDruckerList->SetLeft(Left() < 0 ? 0 : Left() + 85);
}

std::string TForm1::ChoosePrinterFor(const std::string& caption) {
  FormDruckerList->SetCaption(caption);
  // Enumerated anew each time, so printers added or removed since the last use show up.
  FormDruckerList->ListBox1.ReplaceItems(PrinterNameList(System()));
  PlacePrinterChooser();
  return FormDruckerList->ChoosePrinter();
}

void TForm1::Druckerentfernen1Click(TObject*) {
  const std::string printer = ChoosePrinterFor("Drucker zum Löschen auswählen");
  Prepare(base::ShortText("rundll32 printui.dll,PrintUIEntry /dl /n \"" + printer + "\""), "Drucker löschen");
}

void TForm1::DruckerEigeschaften1Click(TObject*) {
  const std::string computer = z_global::GetComputerNameText(System());
  const std::string printer = ChoosePrinterFor("Drucker. Eigeschaften des ausgewählten Druckers");
  Prepare(base::ShortText("rundll32 printui.dll,PrintUIEntry /p /n\"\\\\" + computer + "\\" + printer + "\""),
          "Druckereigeschaften");
}

void TForm1::XPSpeedButton7Click(TObject*) {
  // In the maker's own domain the link to the maker's address is not needed.
  FormInfo->Label3.SetVisible(base::UpperCaseAscii(LabelDom.Text()) != kMakerDomain);
  FormInfo->ShowModal();
}
