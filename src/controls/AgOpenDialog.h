#pragma once
// The file-open dialog with a places bar that can be switched on or off: on the NT family from
// version 5 it hands the system the full 88-byte record, whose FlagsEx field controls the bar.
#include "ui/open_dialog.h"

class TAgOpenDialog : public ui::TOpenDialog {
 public:
  using TOpenDialog::TOpenDialog;
  bool ShowPlacesBar = true;
  bool Execute() override;
};
