// The administrator's full rights with User Account Control: which way a launch takes, the helper's
// command line there and back, what the helper does with it, and what its exit code means.
#include <gtest/gtest.h>

#include "Morvela/helper.h"
#include "fakes/fake_platform.h"
#include "z_global/command_line.h"
#include "z_global/elevation.h"

namespace {

using platform::ElevationType;
using z_global::HelperRequest;
using z_global::LaunchWay;

TEST(ChooseLaunchWay, TakesTheHelperOnlyForASplitTokenFromVistaOn) {
  const struct {
    bool beforeVista, loggedOn;
    ElevationType type;
    LaunchWay way;
  } rows[] = {
      {true, false, ElevationType::kUnknown, LaunchWay::kLogonLaunch},  // nobody asked before Vista
      {true, true, ElevationType::kLimited, LaunchWay::kLogonLaunch},
      {false, false, ElevationType::kLimited, LaunchWay::kFailed},
      {false, true, ElevationType::kLimited, LaunchWay::kHelper},
      {false, true, ElevationType::kFull, LaunchWay::kLogonLaunch},
      {false, true, ElevationType::kDefault, LaunchWay::kLogonLaunch},
      {false, true, ElevationType::kUnknown, LaunchWay::kLogonLaunch},  // the question failed
  };
  for (const auto& row : rows)
    EXPECT_EQ(z_global::ChooseLaunchWay(row.beforeVista, row.loggedOn, row.type), row.way)
        << row.beforeVista << row.loggedOn << static_cast<int>(row.type);
}

TEST(OutcomeOf, ReadsTheHelpersExitCode) {
  EXPECT_EQ(z_global::OutcomeOf(0), z_global::HelperOutcome::kDone);
  EXPECT_EQ(z_global::OutcomeOf(1223), z_global::HelperOutcome::kDeclined);
  for (std::uint32_t code : {2u, 5u, 740u, 1326u})
    EXPECT_EQ(z_global::OutcomeOf(code), z_global::HelperOutcome::kFailed);
}

const char kProgram[] = "\\\\srv\\tools\\Morvela\\Morvela.exe";

// The launch's command line comes back exactly; the helper splits it as CreateProcess reads one.
TEST(HelperCommandLine, CarriesTheLaunchsCommandLineUnchanged) {
  const struct {
    const char* commandLine;
    const char* program;
    const char* arguments;
  } rows[] = {
      {"\"C:\\Program Files\\App\\app.exe\" /S", "C:\\Program Files\\App\\app.exe", "/S"},
      {"msiexec.exe /i \"C:\\A B\\setup.msi\"", "msiexec.exe", "/i \"C:\\A B\\setup.msi\""},
      {"mmc.exe \"C:\\WINDOWS\\system32\\compmgmt.msc\"", "mmc.exe",
       "\"C:\\WINDOWS\\system32\\compmgmt.msc\""},
      {"rundll32.exe shell32.dll,Control_RunDLL appwiz.cpl", "rundll32.exe",
       "shell32.dll,Control_RunDLL appwiz.cpl"},
      {"\"cmd.exe\"", "cmd.exe", ""},
      {"notepad  a\tb ", "notepad", "a\tb "},
      {"", "", ""},
  };
  for (const auto& row : rows) {
    for (const auto kind : {HelperRequest::Kind::kStart, HelperRequest::Kind::kStartAndWait}) {
      const std::optional<std::string> line =
          z_global::HelperCommandLine(kProgram, z_global::StartRequest(kind, row.commandLine));
      ASSERT_TRUE(line);
      EXPECT_EQ(z_global::SplitProgram(*line).program, kProgram);
      const std::optional<HelperRequest> back = z_global::HelperRequestOf(*line);
      ASSERT_TRUE(back) << *line;
      EXPECT_EQ(back->kind, kind);
      EXPECT_EQ(back->commandLine, row.commandLine);
    }
    const z_global::ProgramAndArguments parts = z_global::SplitProgram(row.commandLine);
    EXPECT_EQ(parts.program, row.program);
    EXPECT_EQ(parts.arguments, row.arguments);
  }
}

TEST(HelperCommandLine, CarriesAnEntryToSaveWhateverItHolds) {
  HelperRequest save;
  save.kind = HelperRequest::Kind::kSave;
  save.entry = 6;
  save.text = "Ger\xE4te \"neu\"";
  save.path = "\"C:\\Program Files\\App\\\" /x C:\\Ende\\";
  save.hint = "";
  const std::optional<std::string> line = z_global::HelperCommandLine(kProgram, save);
  ASSERT_TRUE(line);
  const std::optional<HelperRequest> back = z_global::HelperRequestOf(*line);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->kind, HelperRequest::Kind::kSave);
  EXPECT_EQ(back->entry, 6);
  EXPECT_EQ(back->text, save.text);
  EXPECT_EQ(back->path, save.path);
  EXPECT_EQ(back->hint, "");
  save.path = std::string(1000, 'p');  // more than CreateProcessWithLogonW takes
  EXPECT_FALSE(z_global::HelperCommandLine(kProgram, save));
}

TEST(HelperRequestOf, KnowsTheProgramsOwnStartsFromAHelpersAndABrokenOne) {
  for (const char* own :
       {"\"C:\\M\\Morvela.exe\"", "\"C:\\M\\Morvela.exe\" notepad",
        "\"C:\\M\\Morvela.exe\" /Morvela-Helfer:Startnotepad", "Morvela.exe x /Morvela-Helfer:Start y"})
    EXPECT_FALSE(z_global::HelperRequestOf(own)) << own;
  for (const char* broken :
       {"M.exe /Morvela-Helfer:Speichern 7 a b c", "M.exe /Morvela-Helfer:Speichern 1 a b"})
    EXPECT_EQ(z_global::HelperRequestOf(broken)->kind, HelperRequest::Kind::kInvalid) << broken;
}

// The helper itself: the shell's "runas" with the program and its arguments, waited for only when
// asked; a save into the settings file beside it; its exit code the system's.
TEST(RunAsHelper, DoesWhatItIsAskedAndEndsWithTheSystemsCode) {
  const struct {
    std::string arguments;
    std::uint32_t runAsError, exitCode;
    std::optional<int> result;
    const char* shellRunAs;  // what the shell was asked; empty: nothing
  } rows[] = {
      {"", 0, 0, std::nullopt, ""},
      {"/Morvela-Helfer:Start \"C:\\A B\\app.exe\" /S", 0, 0, 0, "C:\\A B\\app.exe|/S|1|"},
      {"/Morvela-Helfer:Start mmc.exe \"C:\\x.msc\"", 1223, 0, 1223, "mmc.exe|\"C:\\x.msc\"|1|"},
      {"/Morvela-Helfer:Warten \"C:\\M\\Morvela.exe\" /Morvela-Helfer:Speichern 1 a b c", 0, 5, 5,
       "C:\\M\\Morvela.exe|/Morvela-Helfer:Speichern 1 a b c|1|keep"},
      {"/Morvela-Helfer:Speichern 2 \"Neu\" \"C:\\A B\\x.exe\" \"\"", 0, 0, 0, ""},
      {"/Morvela-Helfer:Speichern x", 0, 0, 87, ""},
  };
  for (const auto& row : rows) {
    fake::FakePlatform system;
    system.MakeFolder("C:\\Programme\\Morvela\\");
    system.commandLine = "\"C:\\Programme\\Morvela\\Morvela.exe\" " + row.arguments;
    system.runAsError = row.runAsError;
    system.helperExitCode = row.exitCode;
    EXPECT_EQ(RunAsHelper(system), row.result) << row.arguments;
    EXPECT_EQ(system.shellRunAs, std::string(row.shellRunAs).empty()
                                     ? std::vector<std::string>{}
                                     : std::vector<std::string>{row.shellRunAs});
    EXPECT_EQ(system.openProcesses, 0);
  }
  fake::FakePlatform system;
  system.MakeFolder("C:\\Programme\\Morvela\\");
  system.commandLine = "\"C:\\Programme\\Morvela\\Morvela.exe\" " + rows[4].arguments;
  RunAsHelper(system);
  EXPECT_EQ(system.ReadFile("C:\\Programme\\Morvela\\Morvela.INI"),
            "[SpeedButton2]\r\nText=Neu\r\nPfad=C:\\A B\\x.exe\r\nHint=\r\n");
}

}  // namespace
