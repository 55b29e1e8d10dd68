#pragma once
// The quick-launch entries in the settings file, one loaded or saved by its index. In a folder that only
// administrators may write (as it should be: the entries start programs as the administrator), a save
// goes through the helper as the gate's account.
#include <functional>

#include "controls/IniCtrl.h"
#include "z_global/launcher.h"
#include "z_global/quick_launch_table.h"

class QuickEntryStore {
 public:
  using Helper = std::function<z_global::LaunchOutcome(const QuickEntry&)>;
  QuickEntryStore(TIniCtrl& settings, Helper helper) : settings_(settings), helper_(std::move(helper)) {}

  QuickEntry Load(int index);
  // Writes the entry's three values, or has the helper write them where the file may not be written.
  // Raises the write error with its reason when neither could; false when the entry is too long for
  // the helper's command line.
  bool Save(const QuickEntry& entry);

 private:
  TIniCtrl& settings_;
  Helper helper_;
};
