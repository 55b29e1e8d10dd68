#include "Unit1/quick_entry_store.h"

#include "base/error.h"
#include "ui/application.h"
#include "z_global/system_info.h"

QuickEntry QuickEntryStore::Load(int index) {
  const std::string section = QuickSection(index);
  return {index, settings_.ReadValue(section, "Text", ""), settings_.ReadValue(section, "Pfad", ""),
          settings_.ReadValue(section, "Hint", "")};
}

bool QuickEntryStore::Save(const QuickEntry& entry) {
  const std::string section = QuickSection(entry.index);
  std::uint32_t error = 0;
  try {
    settings_.WriteValue(section, "Text", entry.text);
    settings_.WriteValue(section, "Pfad", entry.path);
    settings_.WriteValue(section, "Hint", entry.hint);
    return true;
  } catch (const EWriteError& refused) {
    error = refused.Code();
  }
  if (error == platform::kErrorAccessDenied) {
    const z_global::LaunchOutcome saved = helper_(entry);
    if (saved.kind == z_global::LaunchOutcome::Kind::kDone) return true;
    if (saved.kind == z_global::LaunchOutcome::Kind::kTooLong) return false;
    error = saved.error;
  }
  // The settings file's own error, as the application shows it, with the system's reason.
  throw base::EError(z_global::WithSystemReason(ui::Application().GetPlatform(),
                                                WriteErrorText(settings_.ResolvePath()), error));
}
