#pragma once
// The main window: the path box, the password box and "Ausführen", the six quick-launch buttons, the
// tool and printer buttons with their menus, and the machine's domain, Windows version and name.
#include <array>
#include <string>
#include <vector>

#include "Unit1/quick_entry_store.h"
#include "controls/AgOpenDialog.h"
#include "controls/ColumnListBox.h"
#include "controls/FormSizeSave.h"
#include "controls/IniCtrl.h"
#include "controls/PanelStatusBar.h"
#include "controls/mdBUTTONS.h"
#include "platform/platform.h"
#include "ui/control.h"
#include "ui/form.h"
#include "ui/menu.h"
#include "z_global/launch_request.h"
#include "z_global/launcher.h"

class TForm1 : public ui::TForm {
 public:
  explicit TForm1(ui::TComponent* owner);

  using TObject = ui::TObject;
  using Rect = ui::Rect;

  ui::TLabel Label1{this, "Label1", {12, 16, 90, 13}, "Programmname:"};
  ui::TEdit EditPfad{this, "EditPfad", {104, 12, 401, 21}};
  TXPBitBtn XPBitBtnOeffnen{this, "XPBitBtnOeffnen", {504, 10, 30, 25}};
  ui::TLabel Label2{this, "Label2", {57, 40, 45, 13}, "Benutzer:"};
  ui::TLabel LabelAdminUser{this, "LabelAdminUser", {104, 40, 60, 13}, "Administrator"};
  ui::TLabel Label5{this, "Label5", {208, 40, 46, 13}, "Domäne: "};
  ui::TLabel LabelDom{this, "LabelDom", {256, 40, 48, 13}, ""};
  ui::TLabel LabelInfo{this, "LabelInfo", {449, 40, 54, 13}, ""};
  ui::TLabel Label3{this, "Label3", {56, 60, 46, 13}, "Passwort:"};
  ui::TEdit EditPasswort{this, "EditPasswort", {104, 56, 89, 21}};
  ui::TLabel LabelGetWin{this, "LabelGetWin", {208, 60, 289, 13}, ""};
  ui::TLabel Label4{this, "Label4", {226, 82, 76, 13}, "  Schnelltasten  "};
  ui::TBevel Bevel1{this, "Bevel1", {144, 91, 225, 9}};
  TXPSpeedButton XPSpeedButton1{this, "XPSpeedButton1", {144, 100, 81, 17}};
  TXPSpeedButton XPSpeedButton2{this, "XPSpeedButton2", {227, 100, 78, 17}};
  TXPSpeedButton XPSpeedButton3{this, "XPSpeedButton3", {306, 100, 63, 17}};
  TXPSpeedButton XPSpeedButton4{this, "XPSpeedButton4", {144, 117, 81, 17}};
  TXPSpeedButton XPSpeedButton5{this, "XPSpeedButton5", {227, 117, 78, 17}};
  TXPSpeedButton XPSpeedButton6{this, "XPSpeedButton6", {306, 117, 63, 17}};
  TXPBitBtn XPBitBtnCMD{this, "XPBitBtnCMD", {8, 100, 41, 35}};
  TXPBitBtn XPBitBtnDruckerInstallieren{this, "XPBitBtnDruckerInstallieren", {50, 100, 41, 35}};
  TXPBitBtn XPBitBtnSoftware{this, "XPBitBtnSoftware", {92, 100, 41, 35}};
  TXPSpeedButton XPSpeedButton7{this, "XPSpeedButton7", {384, 108, 34, 25}, "Info"};
  ui::TButton ButtonEXE{this, "ButtonEXE", {464, 108, 75, 25}, "Ausführen"};
  TPanelStatusBar PanelStatusBar1{this, "PanelStatusBar1", {0, 140, 543, 16}};
  TColumnListBox ColumnListBox1{this, "ColumnListBox1", '\x08'};

  TAgOpenDialog AgOpenDialog1{this, "AgOpenDialog1"};

  ui::TPopupMenu PopupMenuProg{this, "PopupMenuProg"};
  ui::TMenuItem Energieoptionen1{this, "Energieoptionen1", "Energieoptionen"};
  ui::TMenuItem InternetEigenschaften{this, "InternetEigenschaften", "Internet-Eigenschaften"};
  ui::TMenuItem Java1{this, "Java1", "Java"};
  ui::TMenuItem Netzwerk1{this, "Netzwerk1", "Netzwerk"};
  ui::TMenuItem Software1{this, "Software1", "Programme"};
  ui::TMenuItem System1{this, "System1", "System"};
  ui::TMenuItem N1{this, "N1", "-"};
  ui::TMenuItem Verwaltung1{this, "Verwaltung1", "Verwaltung"};
  ui::TMenuItem Benutzerkonten1{this, "Benutzerkonten1", "Benutzerkonten"};
  ui::TMenuItem Computerverwaltung1{this, "Computerverwaltung1", "Computerverwaltung"};
  ui::TMenuItem ODBC1{this, "ODBC1", "Datenquellen (ODBC 32 Bit)"};
  ui::TMenuItem DatenquellenODBC64Bit1{this, "DatenquellenODBC64Bit1", "Datenquellen (ODBC 64 Bit)"};
  ui::TMenuItem N3{this, "N3", "-"};
  ui::TMenuItem Dienste1{this, "Dienste1", "Dienste"};
  ui::TMenuItem N2{this, "N2", "-"};
  ui::TMenuItem Firewall1{this, "Firewall1", "Windows-Firewall"};

  ui::TPopupMenu PopupMenuDrucker{this, "PopupMenuDrucker"};
  ui::TMenuItem Druckerinstallieren1{this, "Druckerinstallieren1", "Drucker installieren"};
  ui::TMenuItem Druckerentfernen1{this, "Druckerentfernen1", "Drucker löschen"};
  ui::TMenuItem N4{this, "N4", "-"};
  ui::TMenuItem DruckerEigeschaften1{this, "DruckerEigeschaften1", "Druckereigeschaften"};

  ui::TPopupMenu PopupMenuSpeed{this, "PopupMenuSpeed"};
  ui::TMenuItem Bearbeiten11{this, "Bearbeiten11", "Bearbeiten"};

  TFormSizeSave FormSizeSave1{this, "FormSizeSave1"};
  TIniCtrl IniCtrl1{this, "IniCtrl1"};
  // The entries of the settings file; the editor's saves go through the helper where they must.
  QuickEntryStore QuickEntries{IniCtrl1,
                               [this](const QuickEntry& entry) { return SaveAsAdministrator(entry); }};

  // Launch credentials and what the tool shortcuts need, filled at start.
  std::string UserDomain;
  std::string AdminUser;
  bool Is64Bit = false;
  std::string WindowsDir;

  void FormCreate(TObject* sender);
  void FormCloseQuery(TObject* sender, bool& canClose);
  // A file or folder dropped from Explorer: its path into the path box.
  void FormDropFiles(TObject* sender, const std::vector<std::string>& files);
  void EditPfadKeyPress(TObject* sender, char& key);
  void EditPasswortKeyPress(TObject* sender, char& key);

  void ButtonEXEClick(TObject* sender);
  void XPBitBtnOeffnenClick(TObject* sender);
  void XPBitBtnCMDClick(TObject* sender);

  // The quick-launch buttons.
  void LoadQuickEntries();
  // The quick-launch buttons, in the order of their entries.
  std::array<TXPSpeedButton*, kQuickEntries> QuickButtons();
  // A saved entry into the table and onto its button.
  void ShowEntry(const QuickEntry& entry);
  static int QuickButtonNumber(TObject* sender);
  void XPSpeedButton1Click(TObject* sender);
  void LaunchQuickEntry(TObject* sender, int n);
  void Bearbeiten11Click(TObject* sender);

  // The programs button and its menu.
  void XPBitBtnSoftwareClick(TObject* sender);
  void XPBitBtnSoftwareMouseDown(TObject* sender, ui::MouseButton button, int x, int y);
  void XPBitBtnSoftwareDropDown(TObject* sender);
  void Energieoptionen1Click(TObject* sender);
  void InternetEigenschaftenClick(TObject* sender);
  void Java1Click(TObject* sender);
  void Netzwerk1Click(TObject* sender);
  void System1Click(TObject* sender);
  void Benutzerkonten1Click(TObject* sender);
  void Computerverwaltung1Click(TObject* sender);
  void ODBC1Click(TObject* sender);
  void DatenquellenODBC64Bit1Click(TObject* sender);
  void Dienste1Click(TObject* sender);
  void Firewall1Click(TObject* sender);
  // Opens the menu below the button when the press was in its lower part; from the keyboard (Alt+Down,
  // F4, the context key) at the same place.
  void ShowDropDownMenu(ui::TForm& form, ui::TControl& button, int y, ui::TPopupMenu* menu);
  void ShowMenuBelow(ui::TForm& form, ui::TControl& button, ui::TPopupMenu* menu);

  // The printer button and its menu.
  void XPBitBtnDruckerInstallierenClick(TObject* sender);
  void XPBitBtnDruckerInstallierenMouseDown(TObject* sender, ui::MouseButton button, int x, int y);
  void XPBitBtnDruckerInstallierenDropDown(TObject* sender);
  void Druckerinstallieren1Click(TObject* sender);
  void Druckerentfernen1Click(TObject* sender);
  void DruckerEigeschaften1Click(TObject* sender);
  void PlacePrinterChooser();

  // The Info button.
  void XPSpeedButton7Click(TObject* sender);

  // The editor's save through the helper, as the gate's account with the password in the password box.
  z_global::LaunchOutcome SaveAsAdministrator(const QuickEntry& entry);

 private:
  platform::Platform& System() const;
  // The request for a launch of the text as the account that the main window names.
  z_global::LaunchRequest Request(z_global::LaunchSource source, const std::string& text) const;
  // Tells the operator why, when the request is refused; a name no file can have fails as the launch.
  bool Refused(const z_global::LaunchRequest& request, const char* failed) const;
  // Starts the request as the administrator with the password in the password box (cut to 255). The
  // password's copy lives only for the call, never across a dialog. While the helper runs the window
  // keeps answering, and launches, the gate and closing wait their turn (Busy).
  z_global::LaunchOutcome RunWithTypedPassword(const z_global::LaunchRequest& request);
  secret::Wide TypedPassword() const;
  class Host;  // the window's part while a launch or a save goes through the helper
  // True, with the system's beep, while a launch waits for its helper.
  bool Busy() const;
  // The path handed in or dropped, into the path box with the focus on the password; false when there
  // is none or it is refused.
  bool TakeIntoPathBox(z_global::LaunchSource source, const std::vector<std::string>& given);
  void BuildMenus();
  void WireHandlers();
  // Puts a prepared command into the path box and names the action.
  void Prepare(const std::string& command, const std::string& action);
  void PrepareFromWindowsDir(const std::string& tail, const std::string& action);
  std::string ChoosePrinterFor(const std::string& caption);

  bool waitingForHelper_ = false;
};

extern TForm1* Form1;

// The maker's own domain, in capitals: there the information dialog shows no link.
inline constexpr char kMakerDomain[] = "MORVELA";

// The executable's folder (with its trailing backslash) and its settings file name.
extern std::string ExeDir;
extern std::string IniName;
