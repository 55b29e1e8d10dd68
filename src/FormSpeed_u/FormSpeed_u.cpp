#include "FormSpeed_u/FormSpeed_u.h"

#include "Unit1/outcome_messages.h"
#include "ui/application.h"
#include "z_global/quick_launch_table.h"

TFormSpeed* FormSpeed = nullptr;

namespace {
constexpr char kSaved[] = "Eintrag wurde gespeichert.";
}  // namespace

TFormSpeed::TFormSpeed(ui::TComponent* owner)
    : TForm(owner, "FormSpeed", "Belegung der Schnelltasten", 260, 240) {
  SetBorderStyle(ui::BorderStyle::kDialog);
  SetLeft(431);
  SetTop(463);

  ui::Font arial;
  arial.name = "Arial";
  int number = 0;
  for (TXPSpeedButton* selector : Selectors()) {
    selector->SetTag(++number);  // the entry's number, counted from 1
    selector->SetFont(arial);
    selector->OnClick = ui::Bind(this, &TFormSpeed::XPSpeedButton11Click);
    selector->Pictures.glyph = {"GLYPH_ARROW", 8, 5};
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
  for (TXPSpeedButton* selector : Selectors()) selector->SetTabOrder(5);
  XPSpeedButtonOeffen.SetTabOrder(6);

  AgOpenDialog1.Filter = "Ausführbare Dateien|*.exe;*msi|Alle Dateien|*.*";
  AgOpenDialog1.Options = ui::OFN_HIDEREADONLY | ui::OFN_ENABLESIZING | ui::OFN_EXPLORER;
  AgOpenDialog1.ShowPlacesBar = true;

  OnActivate = ui::Bind(this, &TFormSpeed::FormActivate);
  XPSpeedButtonOeffen.OnClick = ui::Bind(this, &TFormSpeed::XPSpeedButtonOeffenClick);
  XPBitBtn1.OnClick = ui::Bind(this, &TFormSpeed::XPBitBtn1Click);
}

std::array<TXPSpeedButton*, kQuickEntries> TFormSpeed::Selectors() {
  return {&XPSpeedButton11, &XPSpeedButton12, &XPSpeedButton13,
          &XPSpeedButton14, &XPSpeedButton15, &XPSpeedButton16};
}

void TFormSpeed::OpenEditor(QuickEntryStore& store, const std::array<std::string, kQuickEntries>& captions,
                            Saved saved) {
  store_ = &store;
  saved_ = std::move(saved);
  for (std::size_t i = 0; i < captions.size(); ++i) Selectors()[i]->SetText(captions[i]);
  ShowModal();
}

void TFormSpeed::FormActivate(TObject*) {
  // The boxes start empty at every opening; the chosen entry stays as it was.
  EditText.SetText("");
  EditPfad.SetText("");
  EditHint.SetText("");
}

void TFormSpeed::XPSpeedButton11Click(TObject* sender) {
  Choose(dynamic_cast<ui::TComponent&>(*sender).Tag() - 1);
}

void TFormSpeed::Choose(int index) {
  chosen_ = index;
  LabelSpeedName.SetText(QuickSection(index));
  LoadEntry(index);
}

void TFormSpeed::LoadEntry(int index) {
  const QuickEntry entry = store_->Load(index);
  EditText.SetText(entry.text);
  EditPfad.SetText(entry.path);
  EditHint.SetText(entry.hint);
}

void TFormSpeed::XPSpeedButtonOeffenClick(TObject*) {
  AgOpenDialog1.FileName = EditPfad.Text();
  if (AgOpenDialog1.Execute()) EditPfad.SetText(AgOpenDialog1.FileName);
}

void TFormSpeed::XPBitBtn1Click(TObject*) {
  if (chosen_) SaveEntry(*chosen_);
}

void TFormSpeed::SaveEntry(int index) {
  const QuickEntry entry{index, EditText.Text(), EditPfad.Text(), EditHint.Text()};
  // What cannot be stored is refused before anything is written, and the editor keeps what was typed.
  switch (FaultOf(entry.text, entry.path, entry.hint)) {
    case EntryFault::kNone:
      break;
    case EntryFault::kTooLong:
      return ShowErrorBox(kEntryTooLong);
    case EntryFault::kLineBreak:
      return ShowErrorBox(kEntryHasLineBreak);
  }
  if (!store_->Save(entry)) return ShowErrorBox(kEntryTooLongForTheHelper);

  TXPSpeedButton& selector = *Selectors()[static_cast<std::size_t>(index)];
  selector.SetText(TableValue(entry.text));
  selector.SetHint(TableValue(entry.hint));
  if (saved_) saved_(entry);

  ui::MessageBoxRequest saved{kSaved, "Information", ui::kMbOk | ui::kMbIconInformation, {}, {}};
  if (Left() + 22 >= 0) saved.x = Left() + 22;
  if (Top() + 80 >= 0) saved.y = Top() + 80;
  ui::Application().ShowMessageBox(saved);
}
