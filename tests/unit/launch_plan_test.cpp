// The launch plan: what the operator types and the files on disk decide which file runs, with which
// command line, from which folder, and which way it goes. The current folder is C:\Tools and the
// program lies in C:\Programme\Morvela; a file planted in either is never the one that runs.
#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>

#include "fakes/fake_platform.h"
#include "z_global/launch_plan.h"

namespace {

using platform::ElevationType;
using z_global::LaunchRefusal;
using z_global::LaunchWay;

const std::string kSys = "C:\\WINDOWS\\system32\\";
const std::string kApp = "C:\\Temp\\My Tools\\app.exe";

struct Row {
  const char* name;
  std::string text = {};
  std::set<std::string> files = {};
  std::string file = {};  // the file that runs, as the shell gets it
  std::string commandLine = {};
  std::string folder = kSys;
  bool named =
      true;  // the file is CreateProcessWithLogonW's application name (not for a script, nor one not found)
  bool wow64 = false;
  std::optional<std::string> path = {};  // the PATH variable
  std::string current = "C:\\Tools";     // the folder the program was started from
  ElevationType token = ElevationType::kFull;
  LaunchWay way = LaunchWay::kLogonLaunch;
  std::optional<std::string> parameters = {};  // what the helper hands the shell after the file
  LaunchRefusal refusal = LaunchRefusal::kNone;
};

// clang-format off
const Row kRows[] = {
    {.name = "CommandWindowNotFromTheCurrentFolder", .text = "cmd.exe", .files = {kSys + "cmd.exe", "C:\\Tools\\cmd.exe"}, .file = kSys + "cmd.exe", .commandLine = "\"cmd.exe\""},
    {.name = "BareNameNotFromTheProgramsFolder", .text = "notepad", .files = {"C:\\WINDOWS\\notepad.exe", "C:\\Programme\\Morvela\\notepad.exe"}, .file = "C:\\WINDOWS\\notepad.exe", .commandLine = "notepad", .folder = "C:\\WINDOWS\\"},
    {.name = "PathInOrderWithoutTheCurrentFolder", .text = "tool /x", .files = {"C:\\Tools\\tool.exe", "D:\\Bin\\tool.exe", "E:\\Bin\\tool.exe"}, .file = "D:\\Bin\\tool.exe", .commandLine = "tool /x", .folder = "D:\\Bin\\", .path = "C:\\Tools;bin;\"D:\\Bin\";E:\\Bin"},
    {.name = "StartedFromTheSystemFolder", .text = "cmd.exe", .files = {kSys + "cmd.exe"}, .file = kSys + "cmd.exe", .commandLine = "\"cmd.exe\"", .current = "C:\\WINDOWS\\system32"},
    {.name = "PathOnAMappedDrive", .text = "tool", .files = {"N:\\Bin\\tool.exe"}, .file = "\\\\srv\\share\\Bin\\tool.exe", .commandLine = "tool", .folder = "\\\\srv\\share\\Bin\\", .path = "N:\\Bin"},
    {.name = "ConsoleHostWithItsConsole", .text = "mmc.exe " + kSys + "compmgmt.msc", .files = {kSys + "mmc.exe", kSys + "compmgmt.msc"}, .file = kSys + "mmc.exe", .commandLine = "mmc.exe " + kSys + "compmgmt.msc"},
    {.name = "PackageHostNotWrappedAgain", .text = "msiexec /i C:\\x\\pkg.msi", .files = {kSys + "msiexec.exe", "C:\\x\\pkg.msi"}, .file = kSys + "msiexec.exe", .commandLine = "msiexec /i C:\\x\\pkg.msi"},
    {.name = "PackageThroughTheHelper", .text = "\"C:\\A B\\pkg.msi\" /qn", .files = {kSys + "msiexec.exe"}, .file = kSys + "msiexec.exe", .commandLine = "msiexec.exe /i \"C:\\A B\\pkg.msi\" /qn", .token = ElevationType::kLimited, .way = LaunchWay::kHelper, .parameters = "/i \"C:\\A B\\pkg.msi\" /qn"},
    {.name = "QuotedProgramKeepsItsArgument", .text = "\"" + kApp + "\" C:\\Temp\\in.exe", .files = {kApp, "C:\\Temp\\in.exe"}, .file = kApp, .commandLine = "\"" + kApp + "\" C:\\Temp\\in.exe", .folder = "C:\\Temp\\My Tools\\"},
    {.name = "UnquotedProgramKeepsItsArgument", .text = kApp + " C:\\Temp\\in.exe", .files = {kApp, "C:\\Temp\\in.exe", "C:\\Temp\\My.exe"}, .file = kApp, .commandLine = "\"" + kApp + "\" C:\\Temp\\in.exe", .folder = "C:\\Temp\\My Tools\\", .token = ElevationType::kLimited, .way = LaunchWay::kHelper, .parameters = "C:\\Temp\\in.exe"},
    {.name = "FoundWithItsExtension", .text = "C:\\Tools\\tool /x", .files = {"C:\\Tools\\tool.exe", "C:\\Tools\\tool.com"}, .file = "C:\\Tools\\tool.exe", .commandLine = "\"C:\\Tools\\tool.exe\" /x", .folder = "C:\\Tools\\"},
    {.name = "ShorterNamePlantedBeforeAFolder", .text = "C:\\Program Files\\App\\app.exe", .files = {"C:\\Program.exe"}, .file = "C:\\Program Files\\App\\app.exe", .commandLine = "\"C:\\Program Files\\App\\app.exe\"", .named = false},
    {.name = "ShorterNamePlantedBeforeAProgram", .text = "C:\\Temp\\My Tool.exe", .files = {"C:\\Temp\\My.exe"}, .file = "C:\\Temp\\My Tool.exe", .commandLine = "\"C:\\Temp\\My Tool.exe\"", .named = false},
    {.name = "ScriptByItsInterpreter", .text = "install.cmd /q", .files = {"C:\\WINDOWS\\install.cmd"}, .file = "C:\\WINDOWS\\install.cmd", .commandLine = "\"C:\\WINDOWS\\install.cmd\" /q", .folder = "C:\\WINDOWS\\", .named = false},
    {.name = "AppletNotFound", .text = "rundll32.exe shell32.dll,Control_RunDLL appwiz.cpl", .file = "rundll32.exe", .commandLine = "rundll32.exe shell32.dll,Control_RunDLL appwiz.cpl", .named = false},
    {.name = "RelativeFolderNotLookedInto", .text = "tools\\app.exe", .files = {"C:\\Tools\\tools\\app.exe"}, .file = "tools\\app.exe", .commandLine = "\"tools\\app.exe\"", .named = false},
    {.name = "NativeSystemFolderOn64Bit", .text = "bcdedit /enum", .files = {"C:\\WINDOWS\\Sysnative\\bcdedit.exe"}, .file = kSys + "bcdedit.exe", .commandLine = "bcdedit /enum", .wow64 = true},
    {.name = "Only32BitSystemFolderOn64Bit", .text = "only32", .files = {kSys + "only32.exe"}, .file = "only32", .commandLine = "only32", .named = false, .wow64 = true},
    {.name = "QuoteInsideTheProgram", .text = "C:\\\"x\"\\setup.msi", .refusal = LaunchRefusal::kQuoteInProgram},
    {.name = "QuotedNameGoesOn", .text = "\"C:\\Pro gramme\"\\app.exe", .refusal = LaunchRefusal::kQuoteInProgram},
};
// clang-format on

class LaunchPlan : public ::testing::TestWithParam<Row> {};

TEST_P(LaunchPlan, NamesTheFileItsCommandLineFolderAndWay) {
  const Row& row = GetParam();
  fake::FakePlatform system;
  system.files = row.files;
  system.wow64 = row.wow64 ? platform::Wow64Query::kYes : platform::Wow64Query::kNo;
  system.pathVariable = row.path;
  system.currentDirectory = row.current;
  system.driveTypes['N'] = platform::kDriveRemote;
  system.shares["N:"] = "\\\\srv\\share";
  const z_global::LaunchRequest request = z_global::RequestLaunch(
      system, {"Administrator", "WERKSTATT"}, z_global::LaunchSource::kPathBox, {row.text});
  ASSERT_EQ(request.refusal, row.refusal);
  if (row.refusal != LaunchRefusal::kNone) return;
  const z_global::LaunchPlan plan = z_global::PlanLaunch(request, row.token, "C:\\WINDOWS\\system32");
  EXPECT_EQ(plan.shellFile, row.file);
  EXPECT_EQ(plan.applicationName, row.named ? row.file : "");
  EXPECT_EQ(plan.commandLine, row.commandLine);
  EXPECT_EQ(plan.directory, row.folder);
  EXPECT_EQ(plan.way, row.way);
  if (row.parameters) {
    EXPECT_EQ(plan.parameters, *row.parameters);
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, LaunchPlan, ::testing::ValuesIn(kRows),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
