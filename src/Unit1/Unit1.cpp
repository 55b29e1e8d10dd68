#include "Unit1/Unit1.h"
#include "base/short_text.h"

#include "Unit1/logon_settings.h"
#include "Unit1/outcome_messages.h"
#include "base/error.h"
#include "base/text.h"
#include "ui/application.h"
#include "z_global/paths.h"
#include "z_global/system_info.h"

TForm1* Form1 = nullptr;
std::string ExeDir;
std::string IniName;

namespace {
constexpr char kCredits[] = "Morvela Ver. 1.2  (c) 2009-2011";
}  // namespace

TForm1::TForm1(ui::TComponent* owner)
    : TForm(owner, "Form1", "Morvela - Programm als Administrator ausführen", 543, 156) {
  SetBorderStyle(ui::BorderStyle::kSingle);
  SetLeft(329);
  SetTop(208);

  ui::Font bold;
  bold.bold = true;
  Label1.SetFont(bold);
  Label1.SetAlignment(ui::Alignment::kRight);
  Label2.SetAlignment(ui::Alignment::kRight);
  Label5.SetAlignment(ui::Alignment::kRight);
  Label3.SetAlignment(ui::Alignment::kRight);
  ui::Font boldBlue = bold;
  boldBlue.color = ui::clBlue;
  LabelInfo.SetFont(boldBlue);
  LabelInfo.SetAlignment(ui::Alignment::kRight);
  LabelGetWin.SetFont(bold);
  LabelGetWin.AutoSize = false;

  // The labels that name the boxes, and the names of the buttons with a picture only, for screen readers.
  Label1.FocusControl = &EditPfad;
  Label3.FocusControl = &EditPasswort;
  XPBitBtnOeffnen.SetHint("Programm auswählen");
  XPBitBtnCMD.SetHint("Eingabeaufforderung");
  XPBitBtnDruckerInstallieren.SetHint("Drucker");
  XPBitBtnSoftware.SetHint("Software");

  EditPfad.SetTabOrder(0);
  EditPasswort.SetTabOrder(1);
  EditPasswort.SetPasswordChar('*');
  ButtonEXE.SetTabOrder(2);
  XPBitBtnOeffnen.SetTabOrder(3);
  XPBitBtnCMD.SetTabOrder(4);
  XPBitBtnDruckerInstallieren.SetTabOrder(5);
  XPBitBtnSoftware.SetTabOrder(6);
  // The seven speed buttons are one stop after the picture buttons, as a toolbar is: the arrows move
  // among them.
  for (TXPSpeedButton* button : {&XPSpeedButton1, &XPSpeedButton2, &XPSpeedButton3, &XPSpeedButton4,
                                 &XPSpeedButton5, &XPSpeedButton6, &XPSpeedButton7})
    button->SetTabOrder(7);

  ui::Font arial;
  arial.name = "Arial";
  int number = 0;
  for (TXPSpeedButton* button : QuickButtons()) {
    button->SetTag(++number);  // the entry's number, counted from 1
    button->SetFont(arial);
    button->SetPopupMenu(&PopupMenuSpeed);
    button->Pictures.glyph = {"GLYPH_ARROW", 8, 5};
  }

  FormSizeSave1.Company = "Belvark";
  FormSizeSave1.ProductName = "vesk-tor";
  FormSizeSave1.SubKey = "Position";
  FormSizeSave1.SaveMode = TSaveMode::smPositionOnly;

  IniCtrl1.SetAlphaCounter(true);
  IniCtrl1.SetIniFile(".INI");
  IniCtrl1.IniPrefix = TIniPathPrefix::ppFixed;
  IniCtrl1.SetTarget(TIniTarget::itIniFile);

  XPBitBtnOeffnen.Pictures.glyph = {"GLYPH_FOLDER", 16, 16};
  XPBitBtnCMD.Pictures.glyph = {"GLYPH_TERMINAL", 32, 27};
  XPBitBtnCMD.Pictures.spacing = 1;
  XPBitBtnDruckerInstallieren.Pictures.glyph = {"GLYPH_PRINTER", 32, 32};
  XPBitBtnSoftware.Pictures.glyph = {"GLYPH_PACKAGE", 30, 30};

  PanelStatusBar1.Color = ui::clScrollBar;
  PanelStatusBar1.AddPanel({kCredits, 300, 3});
  PanelStatusBar1.AddPanel({"", 200, 3});

  AgOpenDialog1.Filter = "Programme (*.exe; *.msi)|*.exe;*.msi|Alle Dateien (*.*)|*.*";
  AgOpenDialog1.Options = ui::OFN_OVERWRITEPROMPT | ui::OFN_HIDEREADONLY | ui::OFN_PATHMUSTEXIST |
                          ui::OFN_CREATEPROMPT | ui::OFN_SHAREAWARE | ui::OFN_NONETWORKBUTTON |
                          ui::OFN_ENABLESIZING | ui::OFN_EXPLORER;
  AgOpenDialog1.ShowPlacesBar = true;

  BuildMenus();
  WireHandlers();
}

void TForm1::WireHandlers() {
  OnCreate = ui::Bind(this, &TForm1::FormCreate);
  OnCloseQuery = [this](TObject* sender, bool& canClose) { FormCloseQuery(sender, canClose); };
  OnDropFiles = [this](TObject* sender, const std::vector<std::string>& files) {
    FormDropFiles(sender, files);
  };
  EditPfad.OnKeyPress = [this](TObject* sender, char& key) { EditPfadKeyPress(sender, key); };
  EditPasswort.OnKeyPress = [this](TObject* sender, char& key) { EditPasswortKeyPress(sender, key); };
  ButtonEXE.OnClick = ui::Bind(this, &TForm1::ButtonEXEClick);
  XPBitBtnOeffnen.OnClick = ui::Bind(this, &TForm1::XPBitBtnOeffnenClick);
  XPBitBtnCMD.OnClick = ui::Bind(this, &TForm1::XPBitBtnCMDClick);

  // All six quick-launch buttons share one handler; their tags tell them apart.
  for (TXPSpeedButton* button :
       {&XPSpeedButton1, &XPSpeedButton2, &XPSpeedButton3, &XPSpeedButton4, &XPSpeedButton5, &XPSpeedButton6})
    button->OnClick = ui::Bind(this, &TForm1::XPSpeedButton1Click);
  Bearbeiten11.OnClick = ui::Bind(this, &TForm1::Bearbeiten11Click);

  XPBitBtnSoftware.OnClick = ui::Bind(this, &TForm1::XPBitBtnSoftwareClick);
  XPBitBtnSoftware.OnDropDown = ui::Bind(this, &TForm1::XPBitBtnSoftwareDropDown);
  XPBitBtnSoftware.OnMouseDown = [this](TObject* sender, ui::MouseButton button, int x, int y) {
    XPBitBtnSoftwareMouseDown(sender, button, x, y);
  };
  Energieoptionen1.OnClick = ui::Bind(this, &TForm1::Energieoptionen1Click);
  InternetEigenschaften.OnClick = ui::Bind(this, &TForm1::InternetEigenschaftenClick);
  Java1.OnClick = ui::Bind(this, &TForm1::Java1Click);
  Netzwerk1.OnClick = ui::Bind(this, &TForm1::Netzwerk1Click);
  Software1.OnClick = ui::Bind(this, &TForm1::XPBitBtnSoftwareClick);
  System1.OnClick = ui::Bind(this, &TForm1::System1Click);
  Benutzerkonten1.OnClick = ui::Bind(this, &TForm1::Benutzerkonten1Click);
  Computerverwaltung1.OnClick = ui::Bind(this, &TForm1::Computerverwaltung1Click);
  ODBC1.OnClick = ui::Bind(this, &TForm1::ODBC1Click);
  DatenquellenODBC64Bit1.OnClick = ui::Bind(this, &TForm1::DatenquellenODBC64Bit1Click);
  Dienste1.OnClick = ui::Bind(this, &TForm1::Dienste1Click);
  Firewall1.OnClick = ui::Bind(this, &TForm1::Firewall1Click);

  XPBitBtnDruckerInstallieren.OnClick = ui::Bind(this, &TForm1::XPBitBtnDruckerInstallierenClick);
  XPBitBtnDruckerInstallieren.OnDropDown = ui::Bind(this, &TForm1::XPBitBtnDruckerInstallierenDropDown);
  XPBitBtnDruckerInstallieren.OnMouseDown = [this](TObject* sender, ui::MouseButton button, int x, int y) {
    XPBitBtnDruckerInstallierenMouseDown(sender, button, x, y);
  };
  Druckerinstallieren1.OnClick = ui::Bind(this, &TForm1::Druckerinstallieren1Click);
  Druckerentfernen1.OnClick = ui::Bind(this, &TForm1::Druckerentfernen1Click);
  DruckerEigeschaften1.OnClick = ui::Bind(this, &TForm1::DruckerEigeschaften1Click);

  XPSpeedButton7.OnClick = ui::Bind(this, &TForm1::XPSpeedButton7Click);
}

void TForm1::BuildMenus() {
  for (ui::TMenuItem* item : {&Energieoptionen1, &InternetEigenschaften, &Java1, &Netzwerk1, &Software1,
                              &System1, &N1, &Verwaltung1, &N2, &Firewall1})
    PopupMenuProg.Add(*item);
  for (ui::TMenuItem* item :
       {&Benutzerkonten1, &Computerverwaltung1, &ODBC1, &DatenquellenODBC64Bit1, &N3, &Dienste1})
    Verwaltung1.Add(*item);
  DatenquellenODBC64Bit1.SetEnabled(false);
  for (ui::TMenuItem* item : {&Druckerinstallieren1, &Druckerentfernen1, &N4, &DruckerEigeschaften1})
    PopupMenuDrucker.Add(*item);
  PopupMenuSpeed.Add(Bearbeiten11);
}

platform::Platform& TForm1::System() const {
  return ui::Application().GetPlatform();
}

// An error in any step ends the start-up here; the application shows it and the window still opens.
void TForm1::FormCreate(TObject*) {
  // Any user may write a value below their own key: one that cannot be read is shown and passed over,
  // and the account and the quick launches are read all the same.
  try {
    FormSizeSave1.LoadFromRegistry();
  } catch (const base::EError& unreadable) {
    ui::Application().ShowException(unreadable.what());
  }
  // A path handed to the program (a shortcut, "Senden an", a file dropped onto its icon) waits in the
  // path box for the password; nothing starts before the operator presses Enter.
  TakeIntoPathBox(z_global::LaunchSource::kCommandLine, {System().CommandLine()});
  EditPasswort.SetText("");
  LabelInfo.SetText("");
  LabelDom.SetText(z_global::GetUserDomain(System()));
  WindowsDir = z_global::GetWindowsDir(System());
  if (!System().FileExists(WindowsDir + "\\system32\\javacpl.cpl")) Java1.SetEnabled(false);

  const std::string module = System().ModuleFileName();
  const std::string exeDir = base::ShortText(z_global::DirectoryOf(module));
  const std::string iniName = base::ShortText(z_global::IniNameOf(module));
  IniCtrl1.SetIniFile(z_global::AppendBackslash(exeDir) + iniName);
  AdminUser = UsableSetting(IniCtrl1.ReadValue(kLogonSection, kLogonUserKey, "")).value_or(kDefaultAccount);
  std::optional<std::string> domain = UsableSetting(IniCtrl1.ReadValue(kLogonSection, kLogonDomainKey, ""));
  if (const std::optional<QualifiedAccount> qualified = DomainQualified(AdminUser)) {
    AdminUser = qualified->name;
    domain = qualified->domain;
  }
  LabelAdminUser.SetText(AdminUser);
  if (domain) LabelDom.SetText(*domain == kThisComputer ? z_global::GetComputerNameText(System()) : *domain);
  UserDomain = LabelDom.Text();

  Is64Bit = z_global::IsWow64(System());
  LabelGetWin.SetText(z_global::GetWindowsVersionName(System()) + " " + (Is64Bit ? "(64Bit)" : "(32Bit)"));
  PanelStatusBar1.SetPanelText(1, "Computername:  " + z_global::GetComputerNameText(System()));
  if (Is64Bit) DatenquellenODBC64Bit1.SetEnabled(true);

  ExeDir = exeDir;
  IniName = iniName;
  LoadQuickEntries();
}

void TForm1::FormDropFiles(TObject*, const std::vector<std::string>& files) {
  // As a path handed in at start; the label no longer names a tool.
  if (files.empty() || !TakeIntoPathBox(z_global::LaunchSource::kDrop, files)) return;
  LabelInfo.SetText("");
}

bool TForm1::TakeIntoPathBox(z_global::LaunchSource source, const std::vector<std::string>& given) {
  const z_global::LaunchRequest request = z_global::RequestLaunch(System(), {}, source, given);
  if (request.refusal != z_global::LaunchRefusal::kNone) {
    ShowErrorBox(RefusalText(request.refusal, RefusalOutcome::kNotTaken));
    return false;
  }
  if (request.text.empty()) return false;
  EditPfad.SetText(request.text);
  EditPasswort.SetFocus();
  return true;
}

void TForm1::FormCloseQuery(TObject*, bool& canClose) {
  // The position is saved on every close; the window closes whatever happens while saving, but not
  // while a launch waits for its helper.
  canClose = !Busy();
  if (canClose) FormSizeSave1.SaveToRegistry();
}

void TForm1::EditPfadKeyPress(TObject*, char& key) {
  if (key == '\r') NextDlgCtl();
}

void TForm1::EditPasswortKeyPress(TObject* sender, char& key) {
  if (key == '\r') ButtonEXEClick(sender);
}
