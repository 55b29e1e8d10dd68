// The administrator's full rights with User Account Control: the helper's command line there and back,
// what the helper does with it and what it refuses, and what its exit code means.
#include <gtest/gtest.h>

#include "Morvela/helper.h"
#include "fakes/fake_platform.h"
#include "z_global/elevation.h"
#include "z_global/launcher.h"

namespace {

using z_global::HelperRequest;
using Kind = z_global::LaunchOutcome::Kind;

TEST(OutcomeOfHelper, ReadsTheHelpersExitCode) {
  EXPECT_EQ(z_global::OutcomeOfHelper(0u).kind, Kind::kDone);
  EXPECT_EQ(z_global::OutcomeOfHelper(1223u).kind, Kind::kDeclined);
  EXPECT_EQ(z_global::OutcomeOfHelper(740u).error, 740u);
  EXPECT_EQ(z_global::OutcomeOfHelper(std::nullopt).error, 87u);  // still running, or not to be asked
}

const char kProgram[] = "\\\\srv\\tools\\Morvela\\Morvela.exe";

// Whatever the file, its folder, its parameters and an entry hold comes back exactly.
TEST(HelperCommandLine, CarriesEveryWordThereAndBack) {
  HelperRequest start;
  start.kind = HelperRequest::Kind::kStart;
  start.owner = 0x1A2B3C;
  start.file = "C:\\A B\\app.exe";
  start.directory = "C:\\A B\\";
  start.parameters = "/i \"C:\\x y\\\" \\\\srv\\ \\";
  HelperRequest save;
  save.kind = HelperRequest::Kind::kRaiseAndSave;
  save.owner = 7;
  save.entry = {kQuickEntries - 1, "Geräte \"neu\"", "\"C:\\Program Files\\App\\\" /x C:\\Ende\\", ""};
  for (const HelperRequest& request : {start, save}) {
    const std::optional<std::string> line = z_global::HelperCommandLine(kProgram, request);
    ASSERT_TRUE(line);
    const std::optional<HelperRequest> back = z_global::HelperRequestOf(*line);
    ASSERT_TRUE(back) << *line;
    EXPECT_EQ(std::tie(back->kind, back->owner, back->file, back->directory, back->parameters),
              std::tie(request.kind, request.owner, request.file, request.directory, request.parameters));
    EXPECT_EQ(std::tie(back->entry.index, back->entry.text, back->entry.path, back->entry.hint),
              std::tie(request.entry.index, request.entry.text, request.entry.path, request.entry.hint));
  }
  save.entry.path = std::string(1000, 'p');  // more than CreateProcessWithLogonW takes
  EXPECT_FALSE(z_global::HelperCommandLine(kProgram, save));
}

TEST(HelperRequestOf, KnowsTheProgramsOwnStartsFromAHelpersAndABrokenOne) {
  for (const char* own :
       {"\"C:\\M\\Morvela.exe\"", "\"C:\\M\\Morvela.exe\" notepad",
        "\"C:\\M\\Morvela.exe\" /Morvela-Helfer:Startnotepad", "M.exe x /Morvela-Helfer:Start y"})
    EXPECT_FALSE(z_global::HelperRequestOf(own)) << own;
  for (const char* broken :
       {"M.exe /Morvela-Helfer:Start", "M.exe /Morvela-Helfer:Start 0 \"\" \"C:\\\" \"\"",
        "M.exe /Morvela-Helfer:Start x a b c", "M.exe /Morvela-Helfer:Speichern 7 a b c",
        "M.exe /Morvela-Helfer:Speichern 1 a b", "M.exe /Morvela-Helfer:Warten 1 a b c"})
    EXPECT_EQ(z_global::HelperRequestOf(broken)->kind, HelperRequest::Kind::kInvalid) << broken;
}

// The helper itself: the shell's "runas" with the file, its parameters and folder apart and the
// operator's window as the prompt's owner; never a start of the program itself, nothing but the save
// once raised, and a save that the editor would refuse is refused here too.
TEST(RunAsHelper, DoesWhatItIsAskedRefusesTheRestAndEndsWithTheSystemsCode) {
  const std::string save = " 1 \"a\" \"C:\\x.exe\" \"c\"";
  const struct {
    std::string arguments = {};
    std::optional<int> result = {};
    std::string shellRunAs = {};  // what the shell was asked; empty: nothing
    platform::ElevationType token = platform::ElevationType::kLimited;
    std::uint32_t runAsError = 0;
  } rows[] = {
      {.arguments = "", .result = std::nullopt},
      {.arguments = "/Morvela-Helfer:Start 42 \"C:\\A B\\app.exe\" \"C:\\A B\\\\\" \"/S\"",
       .result = 0,
       .shellRunAs = "C:\\A B\\app.exe|/S|C:\\A B\\||42"},
      {.arguments = "/Morvela-Helfer:Start 0 C:\\x.exe C:\\ \"\"",
       .result = 1223,
       .shellRunAs = "C:\\x.exe||C:\\||0",
       .runAsError = 1223},
      {.arguments = "/Morvela-Helfer:Start 0 c:\\programme\\morvela\\MORVELA.EXE C:\\ \"\"", .result = 5},
      {.arguments = "/Morvela-Helfer:Start 0 C:\\x.exe C:\\ \"\"",
       .result = 5,
       .token = platform::ElevationType::kFull},
      {.arguments = "/Morvela-Helfer:Start", .result = 87},
      {.arguments = "/Morvela-Helfer:Warten 42" + save,
       .result = 0,
       .shellRunAs = "C:\\Programme\\Morvela\\Morvela.exe|/Morvela-Helfer:Speichern" + save +
                     "|C:\\Programme\\Morvela\\|keep|42"},
      {.arguments = "/Morvela-Helfer:Warten 42" + save, .result = 5, .token = platform::ElevationType::kFull},
      {.arguments = "/Morvela-Helfer:Speichern" + save, .result = 0, .token = platform::ElevationType::kFull},
      {.arguments = "/Morvela-Helfer:Speichern 1 \"h\r\n[Anmeldung]\r\nBenutzer=x\" \"\" \"\"", .result = 87},
  };
  for (const auto& row : rows) {
    fake::FakePlatform system;
    system.MakeFolder("C:\\Programme\\Morvela\\");
    system.commandLine = "\"C:\\Programme\\Morvela\\Morvela.exe\" " + row.arguments;
    system.elevationType = row.token;
    system.runAsError = row.runAsError;
    EXPECT_EQ(RunAsHelper(system), row.result) << row.arguments;
    EXPECT_EQ(system.shellRunAs,
              row.shellRunAs.empty() ? std::vector<std::string>{} : std::vector<std::string>{row.shellRunAs});
    EXPECT_EQ(system.openProcesses + system.openTokens, 0);
    EXPECT_EQ(system.ReadFile("C:\\Programme\\Morvela\\Morvela.INI"),
              row.arguments.rfind("/Morvela-Helfer:Speichern 1 \"a\"", 0) == 0
                  ? "[SpeedButton1]\r\nText=a\r\nPfad=C:\\x.exe\r\nHint=c\r\n"
                  : "");
  }
}

}  // namespace
