#include "Morvela/helper.h"

#include "controls/IniCtrl.h"
#include "z_global/command_line.h"
#include "z_global/elevation.h"
#include "z_global/paths.h"
#include "z_global/quick_launch_table.h"

namespace {

constexpr int kErrorInvalidParameter = 87;

int StartWithRaisedRights(platform::Platform& system, const std::string& commandLine, bool wait) {
  // Split as CreateProcess reads a command line; the shell gets no directory, so the program starts in
  // the helper's own, which is the launch's.
  const z_global::ProgramAndArguments parts = z_global::SplitProgram(commandLine);
  platform::Handle process = 0;
  const platform::CallResult started =
      system.ShellRunAs(parts.program, parts.arguments, platform::kSwShowNormal, wait, process);
  if (!started.ok) return static_cast<int>(started.error);
  if (!process) return 0;
  system.WaitForExit(process);
  const std::optional<std::uint32_t> code = system.ExitCodeOf(process);
  system.CloseHandle(process);
  return static_cast<int>(code.value_or(kErrorInvalidParameter));
}

int Save(platform::Platform& system, const z_global::HelperRequest& request) {
  const std::string module = system.ModuleFileName();
  const std::string settings =
      z_global::AppendBackslash(z_global::DirectoryOf(module)) + z_global::IniNameOf(module);
  const std::string section = QuickSection(request.entry);
  for (const auto& [key, value] : {std::pair{"Text", &request.text}, std::pair{"Pfad", &request.path},
                                   std::pair{"Hint", &request.hint}}) {
    const platform::CallResult written = WriteSetting(system, settings, section, key, *value);
    if (!written.ok) return static_cast<int>(written.error ? written.error : kErrorInvalidParameter);
  }
  return 0;
}

}  // namespace

std::optional<int> RunAsHelper(platform::Platform& system) {
  const std::optional<z_global::HelperRequest> request = z_global::HelperRequestOf(system.CommandLine());
  if (!request) return std::nullopt;
  switch (request->kind) {
    case z_global::HelperRequest::Kind::kStart:
      return StartWithRaisedRights(system, request->commandLine, false);
    case z_global::HelperRequest::Kind::kStartAndWait:
      return StartWithRaisedRights(system, request->commandLine, true);
    case z_global::HelperRequest::Kind::kSave:
      return Save(system, *request);
    case z_global::HelperRequest::Kind::kInvalid:
      break;
  }
  return kErrorInvalidParameter;
}
