// What the program does for the Windows of today: the account and domain named in the settings file,
// the system's reason of a failure, and a path handed in on the command line or dropped onto the window.
#include <gtest/gtest.h>

#include "forms/form_fixture.h"

namespace {

const std::string kLaunchFailed = "Falsche Zugangsdaten oder Pfad nicht gefunden.";
const std::string kQuickFailed = "Falsche Zugangsdaten oder Dateiname nicht gefunden!";
const std::string kGateRefused =
    "Diese Einträge kann nur der Administrator mit gültigen Passwort bearbeiten!\rBitte das Passwort "
    "eintragen.";

// --- the account and domain of [Anmeldung] ----------------------------------------------------------

struct AccountRow {
  std::string name;
  std::optional<std::string> section;  // the lines of [Anmeldung]; none: no settings file at all
  std::string user;                    // shown, launched and admitted by the gate
  std::string domain;
  bool noDomain = false;  // the launch and the logon get none (a UPN)
};

std::string Cyrillic(std::size_t letters) {
  std::string out;
  while (letters--) out += "д";
  return out;
}

const AccountRow kAccountRows[] = {
    {"NoFile", std::nullopt, "Administrator", "WERKSTATT"},
    {"NoKeys", "", "Administrator", "WERKSTATT"},
    {"OtherKeys", "benutzer2=x\r\n;Benutzer=y\r\n", "Administrator", "WERKSTATT"},
    {"EmptyValues", "Benutzer=\r\nDomaene=\r\n", "Administrator", "WERKSTATT"},
    {"LocalLapsAccount", "Benutzer=LAPS-Admin\r\nDomaene=.\r\n", "LAPS-Admin", "PC01"},
    {"DomainAdministrator", "Benutzer=adm.meier\r\nDomaene=ZENTRALE\r\n", "adm.meier", "ZENTRALE"},
    {"OnlyTheDomain", "Domaene=ZENTRALE\r\n", "Administrator", "ZENTRALE"},
    {"Longest", "Benutzer=" + std::string(255, 'b') + "\r\n", std::string(255, 'b'), "WERKSTATT"},
    {"TooLong", "Benutzer=" + std::string(256, 'b') + "\r\nDomaene=" + std::string(300, 'd') + "\r\n",
     "Administrator", "WERKSTATT"},
    {"SavedAsUtf8", "Benutzer=Verwalter-\xC3\x84\r\n", "Verwalter-Ä", "WERKSTATT"},
    {"AnyScript", "Benutzer=Łukasz-Admin\r\nDomaene=Ωμέγα\r\n", "Łukasz-Admin", "Ωμέγα"},
    {"LongestInCyrillic", "Benutzer=" + Cyrillic(255) + "\r\n", Cyrillic(255), "WERKSTATT"},
    {"TooLongInCyrillic", "Benutzer=" + Cyrillic(256) + "\r\n", "Administrator", "WERKSTATT"},
    {"DomainAndName", "Benutzer=ZENTRALE\\adm\r\nDomaene=ANDERE\r\n", "adm", "ZENTRALE"},
    {"ThisComputerAndName", "Benutzer=.\\LAPS-Admin\r\n", "LAPS-Admin", "PC01"},
    {"Upn", "Benutzer=adm@zentrale.example\r\n", "adm@zentrale.example", "WERKSTATT", true},
};

class Account : public ProgramTest, public ::testing::WithParamInterface<AccountRow> {};

TEST_P(Account, IsShownLaunchedAndAdmittedByTheGate) {
  const AccountRow& row = GetParam();
  if (row.section)
    system.WriteFile(kSettings, "[SpeedButton1]\r\nText=Editor\r\nPfad=notepad.exe\r\n[Anmeldung]\r\n" +
                                    *row.section + "[SpeedButton2]\r\nText=Dienste\r\n");
  system.acceptedUser = row.user;
  Start();
  EXPECT_EQ(Main().LabelAdminUser.Text(), row.user);
  EXPECT_EQ(Main().LabelDom.Text(), row.domain);
  EXPECT_EQ(Quick(2).Text(), row.section ? "Dienste" : "");  // the section stands between entries

  // A quick launch without the password fails and asks for it, showing the account and the domain.
  std::string shownUser, shownDomain;
  screen.onModal = [&](ui::TForm& form) {
    if (&form != FormPass) return FormSpeed->OKBtn.Click();
    shownUser = FormPass->LabelAdmin.Text();
    shownDomain = FormPass->LabelDomaene.Text();
    FormPass->EditPasswd.SetText("Geheim-123");
    FormPass->OKBtn.Click();
  };
  ClickOn(Quick(1));
  EXPECT_EQ(shownUser, row.user);
  EXPECT_EQ(shownDomain, row.domain);
  // The wrong password failed at the logon before the launch; the right one logged on and launched.
  ASSERT_EQ(system.launches.size(), 1u);
  EXPECT_EQ(system.launches[0].user, row.user);
  EXPECT_EQ(system.launches[0].domain, row.noDomain ? "" : row.domain);
  EXPECT_EQ(system.launches[0].domainNull, row.noDomain);
  EXPECT_TRUE(system.launches[0].passwordAccepted);

  Main().Bearbeiten11.Click();
  ASSERT_EQ(system.logons.size(), 3u);  // two before the launches, one of the gate
  for (const fake::LogonRecord& logon : system.logons) {
    EXPECT_EQ(logon.user, row.user);
    EXPECT_EQ(logon.domain, row.noDomain ? "" : row.domain);
    EXPECT_EQ(logon.domainNull, row.noDomain);
  }
  EXPECT_EQ(screen.modalForms.back(), "FormSpeed");
  // Without a settings file the entry has no path, and only its second launch is reported.
  EXPECT_EQ(screen.messageBoxes.size(), row.section ? 0u : 1u);
}

INSTANTIATE_TEST_SUITE_P(Rows, Account, ::testing::ValuesIn(kAccountRows), NameOf<AccountRow>);

// --- the reason of a failure --------------------------------------------------------------------------

struct ReasonRow {
  std::uint32_t code;
  std::string description;  // what the system says of the code, as it says it; empty: nothing
  std::string reason;       // what follows the message's first lines and an empty line
};

const ReasonRow kReasonRows[] = {
    {1326, "Der Benutzername oder das Kennwort ist falsch.\r\n",
     "Der Benutzername oder das Kennwort ist falsch. (Fehler 1326)"},
    {1331, "Das Konto ist deaktiviert.\r\n", "Das Konto ist deaktiviert. (Fehler 1331)"},
    {2, "Das System kann die angegebene Datei nicht finden.\r\n",
     "Das System kann die angegebene Datei nicht finden. (Fehler 2)"},
    {1058, " Der Dienst kann nicht gestartet werden. \r\n",
     "Der Dienst kann nicht gestartet werden. (Fehler 1058)"},
    {1385, "", "(Fehler 1385)"},
};

class Reason : public ProgramTest, public ::testing::WithParamInterface<ReasonRow> {
 protected:
  void SetUp() override {
    system.systemMessages[GetParam().code] = GetParam().description;
    WriteEntries({{1, "Editor", "notepad.exe", ""}});
    Start();
    Main().EditPasswort.SetText("Geheim-123");
  }
  std::string Expected(const std::string& first) { return first + "\n\n" + GetParam().reason; }
};

TEST_P(Reason, FollowsTheLaunchMessagesAndTheGatesRefusal) {
  system.launchError = GetParam().code;
  Main().EditPfad.SetText("C:\\Tools\\app.exe");
  Main().ButtonEXE.Click();
  EXPECT_EQ(LastBox().text, Expected(kLaunchFailed));

  // The quick launch's first failure asks for the password without a message; the second reports.
  std::size_t boxesBeforeDialog = 99;
  screen.onModal = [&](ui::TForm&) {
    boxesBeforeDialog = screen.messageBoxes.size();
    FormPass->OKBtn.Click();
  };
  ClickOn(Quick(1));
  EXPECT_EQ(boxesBeforeDialog, 1u);
  EXPECT_EQ(LastBox().text, Expected(kQuickFailed));

  system.logonError = GetParam().code;
  Main().Bearbeiten11.Click();
  EXPECT_EQ(LastBox().text, Expected(kGateRefused));
  system.logonError = 0;
  system.impersonateError = GetParam().code;
  Main().Bearbeiten11.Click();
  EXPECT_EQ(LastBox().text, Expected(kGateRefused));
  EXPECT_EQ(system.openTokens, 0);
  EXPECT_EQ(system.reverts, 0);
}

INSTANTIATE_TEST_SUITE_P(Codes, Reason, ::testing::ValuesIn(kReasonRows),
                         [](const auto& row) { return "Code" + std::to_string(row.param.code); });

// --- a path handed in -----------------------------------------------------------------------------

TEST_F(ProgramTest, APathHandedInWaitsInThePathBoxForThePassword) {
  const std::pair<std::string, std::string> rows[] = {
      {"", ""},
      {" \"C:\\Program Files\\App\\app.exe\" /S", "\"C:\\Program Files\\App\\app.exe\" /S"},
      {" rundll32.exe shell32.dll,Control_RunDLL appwiz.cpl",
       "rundll32.exe shell32.dll,Control_RunDLL appwiz.cpl"},
  };
  for (const auto& [tail, shown] : rows) {
    system.commandLine = "\"C:\\Programme\\Morvela\\Morvela.exe\"" + tail;
    Start();
    EXPECT_EQ(Main().EditPfad.Text(), shown);
    EXPECT_EQ(Main().EditPasswort.Focused(), !shown.empty()) << shown;
    EXPECT_TRUE(system.launches.empty());
    app.reset();
  }
}

TEST_F(ProgramTest, ADroppedFileTakesThePlaceOfThePathAndOfTheToolsName) {
  Start();
  Main().XPBitBtnCMD.Click();
  Main().EditPfad.SetFocus();
  Main().DropFiles(
      {"C:\\Users\\bediener\\Downloads\\setup.msi", "C:\\Users\\bediener\\Downloads\\andere.exe"});
  EXPECT_EQ(Main().EditPfad.Text(), "C:\\Users\\bediener\\Downloads\\setup.msi");
  EXPECT_EQ(Main().LabelInfo.Text(), "");
  EXPECT_TRUE(Main().EditPasswort.Focused());
  EXPECT_TRUE(system.launches.empty());
  Main().DropFiles({});  // nothing to take
  EXPECT_EQ(Main().EditPfad.Text(), "C:\\Users\\bediener\\Downloads\\setup.msi");
}

}  // namespace
