#include "ui/open_dialog.h"

#include "ui/application.h"

namespace ui {

std::string SystemFilter(const std::string& filter) {
  std::string out = filter;
  for (char& c : out)
    if (c == '|') c = '\0';
  out.push_back('\0');
  out.push_back('\0');
  return out;
}

bool TOpenDialog::Execute() {
  return Run(kOpenFileNameOlderSize, 0);
}

bool TOpenDialog::Run(std::uint32_t structSize, std::uint32_t flagsEx) {
  platform::OpenFileRequest request;
  request.owner = Application().GetBackend().ActiveWindow();
  request.structSize = structSize;
  request.filter = SystemFilter(Filter);
  request.filterIndex = FilterIndex;
  request.fileName = FileName;
  request.initialDir = InitialDir;
  request.title = Title;
  request.defaultExt = DefaultExt;
  request.flags = Options;
  request.flagsEx = flagsEx;
  const TApplication::SystemDialog shown(Application());
  if (!Application().GetPlatform().OpenFileDialog(request)) return false;
  FileName = request.fileName;
  FilterIndex = request.filterIndex;
  return true;
}

}  // namespace ui
