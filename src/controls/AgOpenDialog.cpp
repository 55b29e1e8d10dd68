#include "controls/AgOpenDialog.h"

#include "ui/application.h"

using ui::Application;

namespace {
constexpr std::uint32_t kVersionInfoSize = 148;
constexpr std::uint32_t kPlatformNt = 2;
}  // namespace

bool TAgOpenDialog::Execute() {
  platform::VersionRecord version;
  version.size = kVersionInfoSize;
  const bool newer = Application().GetPlatform().VersionInfo(version) && version.platformId == kPlatformNt &&
                     version.major >= 5;
  if (!newer) return TOpenDialog::Execute();
  return Run(ui::kOpenFileNameFullSize, ShowPlacesBar ? 0 : ui::OFN_EX_NOPLACESBAR);
}
