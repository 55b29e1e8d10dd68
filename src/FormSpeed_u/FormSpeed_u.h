#pragma once
// The quick-launch editor: choose one of the entries, edit its caption, path and tooltip, and save it
// to the settings file, the table and the buttons of both windows at once.
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "Unit1/quick_entry_store.h"
#include "controls/AgOpenDialog.h"
#include "controls/IniCtrl.h"
#include "controls/mdBUTTONS.h"
#include "ui/control.h"
#include "ui/form.h"

class TFormSpeed : public ui::TForm {
 public:
  explicit TFormSpeed(ui::TComponent* owner);
  using TObject = ui::TObject;

  ui::TLabel Label1{this, "Label1", {16, 16, 108, 13}, "Schnelltastenbelegung"};
  TXPSpeedButton XPSpeedButton11{this, "XPSpeedButton11", {16, 36, 81, 17}};
  TXPSpeedButton XPSpeedButton12{this, "XPSpeedButton12", {99, 36, 78, 17}};
  TXPSpeedButton XPSpeedButton13{this, "XPSpeedButton13", {178, 36, 63, 17}};
  TXPSpeedButton XPSpeedButton14{this, "XPSpeedButton14", {16, 53, 81, 17}};
  TXPSpeedButton XPSpeedButton15{this, "XPSpeedButton15", {99, 53, 78, 17}};
  TXPSpeedButton XPSpeedButton16{this, "XPSpeedButton16", {178, 53, 63, 17}};
  ui::TBevel Bevel1{this, "Bevel1", {16, 80, 225, 9}};
  ui::TLabel LabelSpeedName{this, "LabelSpeedName", {56, 96, 153, 13}, "Auf Schaltfläche klicken"};
  ui::TLabel Label4{this, "Label4", {16, 124, 24, 13}, "Text:"};
  ui::TEdit EditText{this, "EditText", {44, 120, 73, 21}};
  ui::TLabel Label2{this, "Label2", {15, 148, 25, 13}, "Pfad:"};
  ui::TEdit EditPfad{this, "EditPfad", {44, 144, 169, 21}};
  TXPSpeedButton XPSpeedButtonOeffen{this, "XPSpeedButtonOeffen", {216, 144, 26, 21}};
  ui::TLabel Label3{this, "Label3", {18, 172, 22, 13}, "Hint:"};
  ui::TEdit EditHint{this, "EditHint", {44, 168, 197, 21}};
  TXPBitBtn XPBitBtn1{this, "XPBitBtn1", {112, 200, 33, 25}};
  ui::TButton OKBtn{this, "OKBtn", {164, 200, 75, 25}, "Schließen"};

  TAgOpenDialog AgOpenDialog1{this, "AgOpenDialog1"};

  using Saved = std::function<void(const QuickEntry&)>;
  // Shows the editor modally on the entries of the store, with the main window's captions on the
  // selector buttons; told of every entry saved.
  void OpenEditor(QuickEntryStore& store, const std::array<std::string, kQuickEntries>& captions,
                  Saved saved);
  void FormActivate(TObject* sender);
  // Any selector button: the entry of its number (its tag).
  void XPSpeedButton11Click(TObject* sender);
  void LoadEntry(int index);
  void SaveEntry(int index);
  void XPSpeedButtonOeffenClick(TObject* sender);
  void XPBitBtn1Click(TObject* sender);

 private:
  std::array<TXPSpeedButton*, kQuickEntries> Selectors();
  void Choose(int index);

  QuickEntryStore* store_ = nullptr;
  Saved saved_;
  std::optional<int> chosen_;
};

extern TFormSpeed* FormSpeed;

inline constexpr char kEntryTooLong[] =
    "Eintrag zu lang: Text, Pfad und Hint dürfen zusammen höchstens 4093 Zeichen haben.";
inline constexpr char kEntryHasLineBreak[] =
    "Eintrag nicht gespeichert: Text, Pfad und Hint dürfen keinen Zeilenumbruch enthalten.";
inline constexpr char kEntryTooLongForTheHelper[] =
    "Eintrag nicht gespeichert: Die Einstellungsdatei darf nur ein Administrator schreiben, und Text, Pfad "
    "und "
    "Hint sind zusammen zu lang, um sie dafür weiterzugeben.";
