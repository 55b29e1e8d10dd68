// Launches on Windows with User Account Control: the account is logged on first, a split token goes
// through the helper (the program itself as the account), and the helper's exit code becomes what
// the operator sees.
#include <gtest/gtest.h>

#include "forms/form_fixture.h"

namespace {

const std::string kHelper =
    "\"C:\\Programme\\Morvela\\Morvela.exe\" /Morvela-Helfer:Start \"C:\\Tools\\app.exe\"";

struct Row {
  std::string name;
  platform::ElevationType token = platform::ElevationType::kLimited;
  std::uint32_t exitCode = 0;
  std::uint32_t startError = 0;
  std::uint32_t major = 6;
  std::string password = "Geheim-123";
  std::vector<std::string> launched;  // the command lines handed to CreateProcessWithLogonW
  std::string box;                    // the message shown; empty: none
};

const Row kRows[] = {
    {"SplitToken", platform::ElevationType::kLimited, 0, 0, 6, "Geheim-123", {kHelper}, ""},
    {"Declined", platform::ElevationType::kLimited, 1223, 0, 6, "Geheim-123", {kHelper}, ""},
    {"HelperFails",
     platform::ElevationType::kLimited,
     2,
     0,
     6,
     "Geheim-123",
     {kHelper},
     "Falsche Zugangsdaten oder Pfad nicht gefunden.\n\nDas System kann die angegebene Datei nicht finden. "
     "(Fehler 2)"},
    // The account may not read the program's folder: the launch as always.
    {"HelperCannotStart",
     platform::ElevationType::kLimited,
     0,
     5,
     6,
     "Geheim-123",
     {kHelper, "\"C:\\Tools\\app.exe\""},
     ""},
    {"FullToken", platform::ElevationType::kFull, 0, 0, 6, "Geheim-123", {"\"C:\\Tools\\app.exe\""}, ""},
    {"UnknownToken",
     platform::ElevationType::kUnknown,
     0,
     0,
     6,
     "Geheim-123",
     {"\"C:\\Tools\\app.exe\""},
     ""},
    {"BeforeVista", platform::ElevationType::kLimited, 0, 0, 5, "Geheim-123", {"\"C:\\Tools\\app.exe\""}, ""},
    {"WrongPassword",
     platform::ElevationType::kLimited,
     0,
     0,
     6,
     "falsch",
     {},
     "Falsche Zugangsdaten oder Pfad nicht gefunden.\n\nDer Benutzername oder das Kennwort ist falsch. "
     "(Fehler "
     "1326)"},
};

class Elevation : public ProgramTest, public ::testing::WithParamInterface<Row> {};

TEST_P(Elevation, LaunchesAsTheAccountsTokenAllows) {
  const Row& row = GetParam();
  system.elevationType = row.token;
  system.helperExitCode = row.exitCode;
  system.helperStartError = row.startError;
  system.version.major = row.major;
  Start();
  Main().EditPfad.SetText("C:\\Tools\\app.exe");
  Main().EditPasswort.SetText(row.password);
  Main().ButtonEXE.Click();
  std::vector<std::string> launched;
  for (const fake::LaunchRecord& launch : system.launches) launched.push_back(launch.commandLine);
  EXPECT_EQ(launched, row.launched);
  EXPECT_EQ(system.logons.size(), row.major < 6 ? 0u : 1u);  // one logon, whatever the password
  const bool helper = !launched.empty() && launched[0] == kHelper;
  if (helper) {
    EXPECT_EQ(system.launches[0].applicationName, "C:\\Programme\\Morvela\\Morvela.exe");
    EXPECT_TRUE(system.launches[0].passwordAccepted);
    EXPECT_EQ(screen.waitedFor.size(), row.startError ? 0u : 1u);  // answering while the helper runs
  }
  EXPECT_EQ(screen.messageBoxes.empty() ? "" : LastBox().text, row.box);
  EXPECT_EQ(Main().EditPasswort.Text(), row.password);
  EXPECT_EQ(system.openTokens, 0);
  EXPECT_EQ(system.openProcesses, 0);
}

INSTANTIATE_TEST_SUITE_P(Rows, Elevation, ::testing::ValuesIn(kRows), NameOf<Row>);

// Declined at the consent prompt, a quick launch ends: the password was right, so no dialog asks for
// it. Any other failure of the helper asks, as a failed launch does.
TEST_F(ProgramTest, AQuickLaunchDeclinedAtTheConsentPromptAsksNothing) {
  WriteEntries({{1, "Dienste", "C:\\WINDOWS\\system32\\services.msc", ""}});
  system.elevationType = platform::ElevationType::kLimited;
  Start();
  Main().EditPasswort.SetText("Geheim-123");
  for (const std::uint32_t exitCode : {1223u, 740u}) {
    system.helperExitCode = exitCode;
    screen.onModal = [](ui::TForm&) {};  // cancelled
    ClickOn(Quick(1));
  }
  EXPECT_EQ(screen.modalForms, std::vector<std::string>{"FormPass"});
  EXPECT_TRUE(screen.messageBoxes.empty());
  ASSERT_FALSE(system.launches.empty());
  EXPECT_EQ(system.launches[0].commandLine,
            "\"C:\\Programme\\Morvela\\Morvela.exe\" /Morvela-Helfer:Start mmc.exe "
            "\"C:\\WINDOWS\\system32\\services.msc\"");
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
  EXPECT_EQ(system.launches[0].commandLine,
            "\"\\\\srv\\tools\\Morvela\\Morvela.exe\" /Morvela-Helfer:Start notepad");
}

}  // namespace
