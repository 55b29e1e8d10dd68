#pragma once
// Keeps the owning window's position (and, by mode, its size), caption and window state in the
// machine-wide branch of the registry, or in the user's own where the machine's may not be written,
// and puts the window back there at the next start. Each operation opens the key, does its work and
// closes the key again.
#include <cstdint>
#include <string>

#include "platform/platform.h"
#include "ui/component.h"
#include "ui/form.h"

enum class TSaveMode { smPositionOnly, smSizeOnly, smAll };

class TFormSizeSave : public ui::TComponent {
 public:
  // The owner is the window whose position is kept; its name is part of the value names.
  TFormSizeSave(ui::TForm* owner, std::string_view name);

  std::string Company;
  std::string ProductName;
  std::string SubKey;
  TSaveMode SaveMode = TSaveMode::smPositionOnly;

  // "\SOFTWARE\" with the company, product and sub-key levels that are not blank.
  std::string KeyPath() const;
  // Apply the stored values to the window; a missing value leaves the window as it is.
  void LoadFromRegistry();
  // Store the window's values. A minimised or maximised window keeps its last normal geometry stored.
  void SaveToRegistry();

 private:
  ui::TForm& form_;
};
