#include "z_global/launch_plan.h"

#include "z_global/command_line.h"
#include "z_global/paths.h"

namespace z_global {

LaunchPlan PlanLaunch(const LaunchRequest& request, platform::ElevationType token,
                      std::string_view systemFolder) {
  LaunchPlan plan;
  const bool helper = token == platform::ElevationType::kLimited;
  plan.way = helper ? LaunchWay::kHelper : LaunchWay::kLogonLaunch;
  plan.fallback = helper ? Fallback::kAskForLimitedRights : Fallback::kReport;
  plan.commandLine = request.commandLine;
  if (TypeOf(request.file) != LaunchFileType::kScript) plan.applicationName = request.file;
  if (!request.file.empty())
    plan.directory = DirectoryOf(request.file);
  else if (!systemFolder.empty())
    plan.directory = AppendBackslash(systemFolder);
  const ProgramAndArguments parts = SplitProgram(request.commandLine);
  plan.shellFile = request.file.empty() ? parts.program : request.file;
  plan.parameters = parts.arguments;
  return plan;
}

}  // namespace z_global
