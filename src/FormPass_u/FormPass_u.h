#pragma once
// The password dialog: shown when a quick launch fails, with the account, the domain and the password
// prefilled, so the operator can correct the password and try once more.
#include <optional>

#include "platform/secret.h"
#include "ui/control.h"
#include "ui/form.h"

class TFormPass : public ui::TForm {
 public:
  explicit TFormPass(ui::TComponent* owner);

  ui::TLabel Label2{this, "Label2", {16, 16, 45, 13}, "Benutzer:"};
  ui::TLabel LabelAdmin{this, "LabelAdmin", {72, 16, 74, 13}, "Administrator"};
  ui::TLabel Label1{this, "Label1", {15, 36, 46, 13}, "Passwort:"};
  ui::TEdit EditPasswd{this, "EditPasswd", {72, 32, 177, 21}};
  ui::TLabel Label4{this, "Label4", {18, 60, 43, 13}, "Domäne:"};
  ui::TLabel LabelDomaene{this, "LabelDomaene", {72, 60, 61, 13}, "LabelDomaene"};
  ui::TButton OKBtn{this, "OKBtn", {95, 84, 75, 25}, "OK"};
  ui::TButton CancelBtn{this, "CancelBtn", {175, 84, 75, 25}, "Abbrechen"};

  void FormActivate(ui::TObject* sender);
  // Shows the dialog with the password to correct; the password after OK, nothing after Cancel. The
  // box is emptied either way: the dialog lives on, hidden, and would keep a copy otherwise. The
  // password handed in is wiped once it is in the box, so that no third copy waits out the dialog.
  std::optional<secret::Wide> AskPassword(secret::Wide current);
};

extern TFormPass* FormPass;
