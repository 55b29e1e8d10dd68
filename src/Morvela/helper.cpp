#include "Morvela/helper.h"

#include "base/text.h"
#include "controls/IniCtrl.h"
#include "z_global/command_line.h"
#include "z_global/elevation.h"
#include "z_global/paths.h"
#include "z_global/quick_launch_table.h"

namespace {

int Code(std::uint32_t error) {
  return static_cast<int>(error);
}

// Raised by the consent prompt: the full token of a split logon.
bool Raised(platform::Platform& system) {
  platform::Handle token = 0;
  std::uint32_t error = 0;
  if (!system.OpenProcessTokenRead(token, error)) return false;
  const platform::OwnedHandle owned(system, token);
  return system.TokenElevationType(owned.get()) == platform::ElevationType::kFull;
}

// A start of the program itself would make the consent prompt name this program for whatever its copy
// is told to start next. Its path may hold letters of any script, in any case: compared as the user's
// language compares them, which takes more names for the same than the file system does, never fewer.
int Start(platform::Platform& system, const z_global::HelperRequest& request) {
  const platform::TextResult full = system.FullPathName(request.file);
  const std::string& file = full.ok ? full.text : request.file;
  const std::string self = system.ModuleFileName();
  if (base::SameTextAscii(file, self) || system.CompareText(file, self) == 0)
    return Code(platform::kErrorAccessDenied);
  platform::Handle none = 0;
  const platform::CallResult started = system.ShellRunAs(
      {request.owner, request.file, request.parameters, request.directory, platform::kSwShowNormal, false},
      none);
  return started.ok ? 0 : Code(started.error);
}

// The program itself, raised, with the save's switch; its exit code is the save's.
int RaiseAndSave(platform::Platform& system, const z_global::HelperRequest& request) {
  const std::string program = system.ModuleFileName();
  z_global::HelperRequest save;
  save.kind = z_global::HelperRequest::Kind::kSave;
  save.entry = request.entry;
  const std::optional<std::string> commandLine = z_global::HelperCommandLine(program, save);
  if (!commandLine) return Code(platform::kErrorFilenameExceedsRange);
  platform::Handle started = 0;
  const platform::CallResult run =
      system.ShellRunAs({request.owner, program, z_global::SplitProgram(*commandLine).arguments,
                         z_global::DirectoryOf(program), platform::kSwShowNormal, true},
                        started);
  const platform::OwnedHandle process(system, run.ok ? started : 0);
  if (!run.ok) return Code(run.error);
  if (!process) return 0;
  system.WaitForExit(process.get());
  return Code(system.ExitCodeOf(process.get()).value_or(platform::kErrorInvalidParameter));
}

// What the editor would refuse is refused here too: whoever starts the helper by hand gets no more.
int Save(platform::Platform& system, const QuickEntry& entry) {
  if (FaultOf(entry.text, entry.path, entry.hint) != EntryFault::kNone)
    return Code(platform::kErrorInvalidParameter);
  const std::string module = system.ModuleFileName();
  const std::string settings =
      z_global::AppendBackslash(z_global::DirectoryOf(module)) + z_global::IniNameOf(module);
  const std::string section = QuickSection(entry.index);
  for (const auto& [key, value] :
       {std::pair{"Text", &entry.text}, std::pair{"Pfad", &entry.path}, std::pair{"Hint", &entry.hint}}) {
    const platform::CallResult written = WriteSetting(system, settings, section, key, *value);
    if (!written.ok) return Code(written.error ? written.error : platform::kErrorInvalidParameter);
  }
  return 0;
}

}  // namespace

std::optional<int> RunAsHelper(platform::Platform& system) {
  const std::optional<z_global::HelperRequest> request = z_global::HelperRequestOf(system.CommandLine());
  if (!request) return std::nullopt;
  switch (request->kind) {
    case z_global::HelperRequest::Kind::kSave:
      return Save(system, request->entry);
    case z_global::HelperRequest::Kind::kStart:
      return Raised(system) ? Code(platform::kErrorAccessDenied) : Start(system, *request);
    case z_global::HelperRequest::Kind::kRaiseAndSave:
      return Raised(system) ? Code(platform::kErrorAccessDenied) : RaiseAndSave(system, *request);
    case z_global::HelperRequest::Kind::kInvalid:
      break;
  }
  return Code(platform::kErrorInvalidParameter);
}
