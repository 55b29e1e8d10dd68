#include "FormSpeed_u/FormSpeed_u.h"
#include "base/short_text.h"

#include "Unit1/Unit1.h"
#include "Unit1/outcome_messages.h"
#include "base/text.h"
#include "ui/application.h"
#include "z_global/paths.h"
#include "z_global/quick_launch_table.h"
#include "z_global/system_info.h"

TFormSpeed* FormSpeed = nullptr;

namespace {
constexpr char kNoEntry[] = "Auf Schaltfläche klicken";
constexpr char kSaved[] = "Eintrag wurde gespeichert.";
}  // namespace

TFormSpeed::TFormSpeed(ui::TComponent* owner)
    : TForm(owner, "FormSpeed", "Belegung der Schnelltasten", 260, 240) {
  SetBorderStyle(ui::BorderStyle::kDialog);
  SetLeft(431);
  SetTop(463);

  ui::Font arial;
  arial.name = "Arial";
  TXPSpeedButton* selectors[] = {&XPSpeedButton11, &XPSpeedButton12, &XPSpeedButton13,
                                 &XPSpeedButton14, &XPSpeedButton15, &XPSpeedButton16};
  void (TFormSpeed::*handlers[])(TObject*) = {
      &TFormSpeed::XPSpeedButton11Click, &TFormSpeed::XPSpeedButton12Click,
      &TFormSpeed::XPSpeedButton13Click, &TFormSpeed::XPSpeedButton14Click,
      &TFormSpeed::XPSpeedButton15Click, &TFormSpeed::XPSpeedButton16Click};
  for (int k = 0; k < 6; ++k) {
    selectors[k]->SetTag(k + 1);
    selectors[k]->SetFont(arial);
    selectors[k]->OnClick = ui::Bind(this, handlers[k]);
    selectors[k]->Pictures.glyph = {"GLYPH_ARROW", 8, 5};
  }
  XPSpeedButtonOeffen.Pictures.glyph = {"GLYPH_FOLDER", 16, 16};
  XPBitBtn1.Pictures.glyph = {"GLYPH_DISK", 16, 16};

  ui::Font bold;
  bold.bold = true;
  LabelSpeedName.SetFont(bold);
  LabelSpeedName.SetAlignment(ui::Alignment::kCenter);
  LabelSpeedName.AutoSize = false;
  Label4.SetAlignment(ui::Alignment::kRight);
  Label2.SetAlignment(ui::Alignment::kRight);
  Label3.SetAlignment(ui::Alignment::kRight);

  // The labels that name the boxes, and the names of the buttons with a picture only, for screen readers.
  Label4.FocusControl = &EditText;
  Label2.FocusControl = &EditPfad;
  Label3.FocusControl = &EditHint;
  XPSpeedButtonOeffen.SetHint("Programm auswählen");
  XPBitBtn1.SetHint("Eintrag speichern");

  OKBtn.SetTabOrder(0);
  OKBtn.SetDefault(true);
  OKBtn.SetModalResult(ui::mrOk);
  EditText.SetTabOrder(1);
  EditPfad.SetTabOrder(2);
  EditHint.SetTabOrder(3);
  XPBitBtn1.SetTabOrder(4);
  // The six selectors are one stop, the arrows move among them; the folder button is the next.
  for (TXPSpeedButton* selector : selectors) selector->SetTabOrder(5);
  XPSpeedButtonOeffen.SetTabOrder(6);

  IniCtrl1.SetAlphaCounter(true);
  IniCtrl1.SetIniFile(".INI");
  IniCtrl1.IniPrefix = TIniPathPrefix::ppFixed;
  IniCtrl1.SetTarget(TIniTarget::itIniFile);

  AgOpenDialog1.Filter = "Ausführbare Dateien|*.exe;*msi|Alle Dateien|*.*";
  AgOpenDialog1.Options = ui::OFN_HIDEREADONLY | ui::OFN_ENABLESIZING | ui::OFN_EXPLORER;
  AgOpenDialog1.ShowPlacesBar = true;

  OnActivate = ui::Bind(this, &TFormSpeed::FormActivate);
  XPSpeedButtonOeffen.OnClick = ui::Bind(this, &TFormSpeed::XPSpeedButtonOeffenClick);
  XPBitBtn1.OnClick = ui::Bind(this, &TFormSpeed::XPBitBtn1Click);
}

void TFormSpeed::OpenEditor() {
  for (int n = 1; n <= 6; ++n) {
    auto* source = dynamic_cast<ui::TSpeedButton*>(Form1->FindComponent("XPSpeedButton" + std::to_string(n)));
    auto* target = dynamic_cast<ui::TSpeedButton*>(FindComponent("XPSpeedButton1" + std::to_string(n)));
    if (source && target) target->SetText(source->Text());
  }
  ShowModal();
}

void TFormSpeed::FormActivate(TObject*) {
  // The boxes start empty at every opening; the chosen entry stays as it was.
  EditText.SetText("");
  EditPfad.SetText("");
  EditHint.SetText("");
}

void TFormSpeed::XPSpeedButton11Click(TObject*) {
  Choose(1);
}
void TFormSpeed::XPSpeedButton12Click(TObject*) {
  Choose(2);
}
void TFormSpeed::XPSpeedButton13Click(TObject*) {
  Choose(3);
}
void TFormSpeed::XPSpeedButton14Click(TObject*) {
  Choose(4);
}
void TFormSpeed::XPSpeedButton15Click(TObject*) {
  Choose(5);
}
void TFormSpeed::XPSpeedButton16Click(TObject*) {
  Choose(6);
}

void TFormSpeed::Choose(int entry) {
  LabelSpeedName.SetText(QuickSection(entry));
  LoadEntry(LabelSpeedName.Text());
}

void TFormSpeed::AttachSettingsFile() {
  IniCtrl1.SetIniFile(z_global::AppendBackslash(ExeDir) + IniName);
}

void TFormSpeed::LoadEntry(const std::string& section) {
  AttachSettingsFile();
  EditText.SetText(IniCtrl1.ReadValue(section, "Text", ""));
  EditPfad.SetText(IniCtrl1.ReadValue(section, "Pfad", ""));
  EditHint.SetText(IniCtrl1.ReadValue(section, "Hint", ""));
}

void TFormSpeed::XPSpeedButtonOeffenClick(TObject*) {
  AgOpenDialog1.FileName = EditPfad.Text();
  if (AgOpenDialog1.Execute()) EditPfad.SetText(AgOpenDialog1.FileName);
}

void TFormSpeed::XPBitBtn1Click(TObject*) {
  const std::string current = LabelSpeedName.Text();
  for (int n = 1; n <= 6; ++n) {
    if (current == QuickSection(n)) {
      SaveEntry(base::ShortText(current));
      return;
    }
  }
}

bool TFormSpeed::Written(const std::string& section, const std::string& text, const std::string& path,
                         const std::string& hint) {
  std::uint32_t error = 0;
  try {
    IniCtrl1.WriteValue(section, "Text", text);
    IniCtrl1.WriteValue(section, "Pfad", path);
    IniCtrl1.WriteValue(section, "Hint", hint);
    return true;
  } catch (const EWriteError& refused) {
    error = refused.Code();
  }
  // In a folder that only administrators may write (as it should be: the entries start programs as
  // the administrator), the helper writes the entry as the gate's account.
  if (error == platform::kErrorAccessDenied) {
    const z_global::LaunchOutcome saved =
        Form1->SaveAsAdministrator({section.back() - '0', text, path, hint});
    if (saved.kind == z_global::LaunchOutcome::Kind::kDone) return true;
    if (saved.kind == z_global::LaunchOutcome::Kind::kTooLong) {
      ShowErrorBox(kEntryTooLongForTheHelper);
      return false;
    }
    error = saved.error;
  }
  // The settings file's own error, as the application shows it, with the system's reason.
  throw base::EError(z_global::WithSystemReason(ui::Application().GetPlatform(),
                                                WriteErrorText(IniCtrl1.ResolvePath()), error));
}

void TFormSpeed::SaveEntry(const std::string& section) {
  const std::string text = EditText.Text();
  const std::string path = EditPfad.Text();
  const std::string hint = EditHint.Text();
  // What cannot be stored is refused before anything is written, and the editor keeps what was typed.
  switch (FaultOf(text, path, hint)) {
    case EntryFault::kNone:
      break;
    case EntryFault::kTooLong:
      return ShowErrorBox(kEntryTooLong);
    case EntryFault::kLineBreak:
      return ShowErrorBox(kEntryHasLineBreak);
  }
  AttachSettingsFile();
  if (!Written(section, text, path, hint)) return;

  const char digit = section.back();
  const std::size_t row = static_cast<std::size_t>(digit - '1');
  TColumnListBox& table = Form1->ColumnListBox1;
  table.SetItemColumn(row, 0, TableValue(text));
  table.SetItemColumn(row, 1, TableValue(path));
  table.SetItemColumn(row, 2, TableValue(hint));

  for (ui::TComponent* button : {FindComponent(std::string("XPSpeedButton1") + digit),
                                 Form1->FindComponent(std::string("XPSpeedButton") + digit)}) {
    if (auto* speed = dynamic_cast<TXPSpeedButton*>(button)) {
      speed->SetText(table.GetItemColumn(row, 0));
      speed->SetHint(table.GetItemColumn(row, 2));
    }
  }

  ui::MessageBoxRequest saved{kSaved, "Information", ui::kMbOk | ui::kMbIconInformation, {}, {}};
  if (Left() + 22 >= 0) saved.x = Left() + 22;
  if (Top() + 80 >= 0) saved.y = Top() + 80;
  ui::Application().ShowMessageBox(saved);
}
