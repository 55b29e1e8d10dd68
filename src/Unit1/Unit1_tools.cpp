// The programs button and its menu: each shortcut puts the command line of an administration applet or
// console into the path box and names it; nothing starts until "Ausführen".
#include "Unit1/Unit1.h"
#include "base/short_text.h"
#include "base/text.h"

namespace {
constexpr char kControlPanel[] = "rundll32.exe shell32.dll Control_RunDLL ";
}  // namespace

void TForm1::Prepare(const std::string& command, const std::string& action) {
  EditPfad.SetText(command);
  LabelInfo.SetText(action);
}

void TForm1::PrepareFromWindowsDir(const std::string& tail, const std::string& action) {
  Prepare(base::ShortText(WindowsDir + tail), action);
}

void TForm1::XPBitBtnSoftwareClick(TObject*) {
  Prepare(std::string(kControlPanel) + "appwiz.cpl", "Programme");
}
void TForm1::Energieoptionen1Click(TObject*) {
  Prepare(std::string(kControlPanel) + "powercfg.cpl", "Energieoptionen");
}
void TForm1::InternetEigenschaftenClick(TObject*) {
  Prepare(std::string(kControlPanel) + "inetcpl.cpl", "Internet-Eigenschaften");
}
void TForm1::Java1Click(TObject*) {
  Prepare(std::string(kControlPanel) + "javacpl.cpl", "Java");
}
void TForm1::Netzwerk1Click(TObject*) {
  Prepare(std::string(kControlPanel) + "ncpa.cpl", "Netzwerk && etc.");
}
void TForm1::System1Click(TObject*) {
  Prepare(std::string(kControlPanel) + "sysdm.cpl", "System");
}
void TForm1::Benutzerkonten1Click(TObject*) {
  Prepare(std::string(kControlPanel) + "nusrmgr.cpl", "Benutzerkonten");
}
void TForm1::Firewall1Click(TObject*) {
  Prepare(std::string(kControlPanel) + "Firewall.cpl", "Firewall");
}
void TForm1::Computerverwaltung1Click(TObject*) {
  PrepareFromWindowsDir("\\system32\\compmgmt.msc", "Computerverwaltung");
}
void TForm1::Dienste1Click(TObject*) {
  PrepareFromWindowsDir("\\system32\\services.msc", "Dienste ");
}
void TForm1::ODBC1Click(TObject*) {
  // The 32-bit administrator lies in syswow64 on 64-bit Windows.
  PrepareFromWindowsDir(Is64Bit ? "\\syswow64\\odbcad32.exe" : "\\system32\\odbcad32.exe", "ODBC 32 Bit");
}
void TForm1::DatenquellenODBC64Bit1Click(TObject*) {
  PrepareFromWindowsDir("\\system32\\odbcad32.exe", "ODBC 64 Bit");
}

void TForm1::ShowDropDownMenu(ui::TForm& form, ui::TControl& button, int y, ui::TPopupMenu* menu) {
  // Only the lower part of the button opens its menu; a press higher up is an ordinary press.
  if (y > 23) ShowMenuBelow(form, button, menu);
}

void TForm1::ShowMenuBelow(ui::TForm& form, ui::TControl& button, ui::TPopupMenu* menu) {
  if (!menu) {
    System().MessageBeep(0);
    return;
  }
  const ui::Point at = form.ClientToScreen({button.Left() + 1, button.Top() + button.Height() + 1});
  menu->Popup(at.x, at.y);
}

void TForm1::XPBitBtnSoftwareMouseDown(TObject*, ui::MouseButton, int, int y) {
  ShowDropDownMenu(*this, XPBitBtnSoftware, y, &PopupMenuProg);
}

void TForm1::XPBitBtnSoftwareDropDown(TObject*) {
  ShowMenuBelow(*this, XPBitBtnSoftware, &PopupMenuProg);
}
