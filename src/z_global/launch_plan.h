#pragma once
// What runs as the administrator, decided before anything starts: from the launch request and the
// account's token, which file runs with which command line, in which folder, and the way it goes.
#include <string>
#include <string_view>

#include "platform/platform.h"
#include "z_global/launch_request.h"

namespace z_global {

enum class LaunchWay {
  kLogonLaunch,  // CreateProcessWithLogonW as the account
  kHelper,       // the program's own helper as the account, which has the shell raise the rights
};

// What happens when the way cannot be taken.
enum class Fallback {
  kReport,               // the failure is the launch's
  kAskForLimitedRights,  // the operator is asked whether it may start without the full rights
};

struct LaunchPlan {
  LaunchWay way = LaunchWay::kLogonLaunch;
  Fallback fallback = Fallback::kReport;
  // CreateProcessWithLogonW's application name: the file found; none for a script, which the system
  // hands to its own command interpreter, nor for a program that could not be found.
  std::string applicationName;
  std::string commandLine;
  // Where the program starts: the folder of the file that runs, or the system folder when it could not
  // be found; never the folder this program happened to be started from. Ends in a backslash.
  std::string directory;
  // For the helper, the file and its parameters apart: the shell is told exactly which file, and
  // guesses no extension.
  std::string shellFile;
  std::string parameters;
};

// A split token (the filtered half of an administrator's logon) goes through the helper; every other,
// and one whose type could not be told, through the logon launch.
LaunchPlan PlanLaunch(const LaunchRequest& request, platform::ElevationType token,
                      std::string_view systemFolder);

}  // namespace z_global
