#pragma once
// The program information dialog: name, version, date, author and the web address as a link.
#include "ui/control.h"
#include "ui/form.h"

class TFormInfo : public ui::TForm {
 public:
  explicit TFormInfo(ui::TComponent* owner);

  ui::TLabel Label1{this, "Label1", {24, 16, 0, 13}, "Programmierer: Morvela-Team"};
  ui::TLabel Label2{this, "Label2", {24, 30, 0, 13}, "Programmname: Morvela Ver. 1.2"};
  ui::TLabel Label4{this, "Label4", {24, 44, 0, 13}, "Datum: 21.04.2011"};
  ui::TLabel Label3{this, "Label3", {24, 64, 0, 13}, "http://www.morvela.example"};
  ui::TButton OKBtn{this, "OKBtn", {132, 88, 75, 25}, "Schließen"};

  // Opens the address the clicked label shows, for the current user, with the system's handler.
  void Label3Click(ui::TObject* sender);
};

extern TFormInfo* FormInfo;
