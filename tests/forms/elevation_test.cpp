// Launches on Windows with User Account Control: the account is logged on first, a split token goes
// through the helper (the program itself as the account), the helper's exit code becomes what the
// operator sees, and where the helper cannot be started the operator decides whether anything starts.
#include <gtest/gtest.h>

#include "forms/form_fixture.h"

namespace {

const std::string kHelper =
    "\"C:\\Programme\\Morvela\\Morvela.exe\" /Morvela-Helfer:Start 0 \"C:\\Tools\\app.exe\" "
    "\"C:\\Tools\\\\\" \"\"";
const std::string kDirect = "\"C:\\Tools\\app.exe\"";
const std::string kQuestion =
    "Das Programm kann nicht mit den vollen Administratorrechten gestartet werden (Zugriff verweigert, "
    "Fehler "
    "5).\n\nMit eingeschränkten Rechten starten?";

struct Row {
  std::string name;
  std::vector<std::string> launched = {};  // the command lines handed to CreateProcessWithLogonW
  std::string box = {};                    // the message shown last; empty: none
  platform::ElevationType token = platform::ElevationType::kLimited;
  std::uint32_t exitCode = 0, startError = 0, major = 6;
  std::string password = "Geheim-123";
  int answer = ui::kIdYes;  // to the question whether to start without the full rights
};

// clang-format off
const Row kRows[] = {
    {.name = "SplitToken", .launched = {kHelper}},
    {.name = "Declined", .launched = {kHelper}, .exitCode = 1223},
    {.name = "HelperFails", .launched = {kHelper}, .box = "Falsche Zugangsdaten oder Pfad nicht gefunden.\n\nDas System kann die angegebene Datei nicht finden. (Fehler 2)", .exitCode = 2},
    {.name = "HelperCannotStartAndTheOperatorAgrees", .launched = {kHelper, kDirect}, .box = kQuestion, .startError = 5},
    {.name = "HelperCannotStartAndTheOperatorRefuses", .launched = {kHelper}, .box = kQuestion, .startError = 5, .answer = 7},
    {.name = "FullToken", .launched = {kDirect}, .token = platform::ElevationType::kFull},
    {.name = "UnknownToken", .launched = {kDirect}, .token = platform::ElevationType::kUnknown},
    {.name = "BeforeVista", .launched = {kDirect}, .major = 5},
    {.name = "WrongPassword", .box = "Falsche Zugangsdaten oder Pfad nicht gefunden.\n\nDer Benutzername oder das Kennwort ist falsch. (Fehler 1326)", .password = "falsch"},
};
// clang-format on

class Elevation : public ProgramTest, public ::testing::WithParamInterface<Row> {};

TEST_P(Elevation, LaunchesAsTheAccountsTokenAllows) {
  const Row& row = GetParam();
  system.files.insert("C:\\Tools\\app.exe");
  system.elevationType = row.token;
  system.helperExitCode = row.exitCode;
  system.helperStartError = row.startError;
  system.version.major = row.major;
  screen.onMessageBox = [&](const ui::MessageBoxRequest& box) {
    return box.flags & ui::kMbYesNo ? row.answer : 1;
  };
  Start();
  Main().EditPfad.SetText("C:\\Tools\\app.exe");
  Main().EditPasswort.SetText(row.password);
  Main().ButtonEXE.Click();
  std::vector<std::string> launched;
  for (const fake::LaunchRecord& launch : system.launches) launched.push_back(launch.commandLine);
  EXPECT_EQ(launched, row.launched);
  EXPECT_EQ(system.logons.size(), row.major < 6 ? 0u : 1u);  // one logon, whatever the password
  if (!launched.empty() && launched[0] == kHelper) {
    EXPECT_EQ(system.launches[0].applicationName, "C:\\Programme\\Morvela\\Morvela.exe");
    EXPECT_TRUE(system.launches[0].passwordAccepted);
    EXPECT_EQ(screen.waitedFor.size(), row.startError ? 0u : 1u);  // answering while the helper runs
  }
  if (launched.size() > 1 || launched == std::vector{kDirect}) {  // the logon launch names the file found
    EXPECT_EQ(system.launches.back().applicationName, "C:\\Tools\\app.exe");
    EXPECT_EQ(system.launches.back().currentDirectory, "C:\\Tools\\");
  }
  EXPECT_EQ(screen.messageBoxes.empty() ? "" : LastBox().text, row.box);
  if (row.box == kQuestion) {
    EXPECT_EQ(LastBox().flags, ui::kMbYesNo | ui::kMbIconWarning | ui::kMbDefButton2);
  }
  EXPECT_EQ(Main().EditPasswort.Text(), row.password);
  EXPECT_EQ(system.openTokens, 0);
  EXPECT_EQ(system.openProcesses, 0);
}

INSTANTIATE_TEST_SUITE_P(Rows, Elevation, ::testing::ValuesIn(kRows), NameOf<Row>);

// Declined at the consent prompt, or no to a start without the full rights, a quick launch ends: no
// dialog asks for the password. Any other failure of the helper asks, as a failed launch does.
TEST_F(ProgramTest, AQuickLaunchDeclinedAsksNothing) {
  WriteEntries({{1, "Dienste", "C:\\WINDOWS\\system32\\services.msc", ""}});
  system.files = {"C:\\WINDOWS\\system32\\mmc.exe", "C:\\WINDOWS\\system32\\services.msc"};
  system.elevationType = platform::ElevationType::kLimited;
  screen.onMessageBox = [](const ui::MessageBoxRequest&) { return 7; };  // no
  Start();
  Main().EditPasswort.SetText("Geheim-123");
  // The helper's start error and exit code: no at the prompt, no to the question, a failure.
  for (const auto& [startError, exitCode] : {std::pair{0u, 1223u}, {5u, 0u}, {0u, 740u}}) {
    system.helperStartError = startError;
    system.helperExitCode = exitCode;
    screen.onModal = [](ui::TForm&) {};  // cancelled
    ClickOn(Quick(1));
  }
  EXPECT_EQ(screen.modalForms, std::vector<std::string>{"FormPass"});
  ASSERT_EQ(screen.messageBoxes.size(), 1u);  // the question
  ASSERT_FALSE(system.launches.empty());
  EXPECT_EQ(
      system.launches[0].commandLine,
      "\"C:\\Programme\\Morvela\\Morvela.exe\" /Morvela-Helfer:Start 0 \"C:\\WINDOWS\\system32\\mmc.exe\" "
      "\"C:\\WINDOWS\\system32\\\\\" \"\\\"C:\\WINDOWS\\system32\\services.msc\\\"\"");
}

// The account's logon does not see this user's drive mappings: the helper is named by its universal name.
TEST_F(ProgramTest, NamesTheHelperOnAMappedDriveByItsUniversalName) {
  system.modulePath = "N:\\Morvela\\Morvela.exe";
  system.driveTypes['N'] = platform::kDriveRemote;
  system.shares["N:"] = "\\\\srv\\tools";
  system.elevationType = platform::ElevationType::kLimited;
  system.MakeFolder("N:\\Morvela\\");
  Start();
  Main().EditPfad.SetText("notepad");
  Main().EditPasswort.SetText("Geheim-123");
  Main().ButtonEXE.Click();
  ASSERT_EQ(system.launches.size(), 1u);
  EXPECT_EQ(system.launches[0].applicationName, "\\\\srv\\tools\\Morvela\\Morvela.exe");
  EXPECT_EQ(system.launches[0].currentDirectory, "C:\\WINDOWS\\system32\\");  // not a folder a user may write
}

}  // namespace
