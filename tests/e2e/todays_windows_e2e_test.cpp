// The shipped executable on the Windows of today: the version's name on Windows 10, the account of
// the settings file, the system's reason of a failure, a path handed in or dropped from Explorer, and
// no library taken from the program's own folder.
#include <gtest/gtest.h>

#include "e2e/account_run.h"
#include "e2e/driver.h"
#include "e2e/stand_in.h"

namespace {

using e2e::Program;
namespace standin = e2e::standin;

using e2e::kPassword;
const std::string kLaunchFailed = "Falsche Zugangsdaten oder Pfad nicht gefunden.";
const std::string kGateRefused =
    "Diese Einträge kann nur der Administrator mit gültigen Passwort bearbeiten!\rBitte das Passwort "
    "eintragen.";

// A per-program setting of this Wine prefix (a value, or the DllOverrides subkey's), removed again.
class WineAppSetting {
 public:
  WineAppSetting(const std::string& program, const std::string& subkey, const char* name, const char* value)
      : key_("Software\\Wine\\AppDefaults\\" + program) {
    HKEY key = nullptr;
    const std::string path = subkey.empty() ? key_ : key_ + "\\" + subkey;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr))
      return;
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), lstrlenA(value) + 1);
    RegCloseKey(key);
  }
  ~WineAppSetting() { RegDeleteTreeA(HKEY_CURRENT_USER, key_.c_str()); }
  WineAppSetting(const WineAppSetting&) = delete;
  WineAppSetting& operator=(const WineAppSetting&) = delete;

 private:
  std::string key_;
};

TEST(TodaysWindowsE2E, NamesWindows10WhereWineReportsItToTheProgram) {
  WineAppSetting windows10("MorvelaZehn.exe", "", "Version", "win10");
  Program program(e2e::RunFolder("windows-10"), "MorvelaZehn.exe");
  ASSERT_TRUE(program.Started());
  const std::string label = Program::Text(program.ControlAt(program.Main(), 208, 60));
  EXPECT_EQ(label.rfind("Windows 10", 0), 0u) << label;
  EXPECT_TRUE(label.ends_with(" (32Bit)") || label.ends_with(" (64Bit)")) << label;
  e2e::SaveScreenshot(program.Main(), "main_window_windows10");
}

// The account and domain of [Anmeldung]: what the labels show and what reaches the launch and the gate.
TEST(TodaysWindowsE2E, LogsOnTheAccountOfTheSettingsFile) {
  struct Row {
    const char* section;
    std::string user, domain;
  };
  char computer[MAX_COMPUTERNAME_LENGTH + 1] = "";
  DWORD size = sizeof computer;
  GetComputerNameA(computer, &size);
  const Row rows[] = {
      {"Benutzer=LAPS-Admin\r\nDomaene=.\r\n", "LAPS-Admin", computer},
      {"Benutzer=adm.meier\r\nDomaene=ZENTRALE\r\n", "adm.meier", "ZENTRALE"},
      {"Benutzer=\r\nDomaene=\r\n", "Administrator", e2e::AccountDomain()},
  };
  for (const Row& row : rows) {
    e2e::AccountRun run("account", row.section, row.user, kPassword);
    ASSERT_TRUE(run.Ready());
    Program& program = run.program;
    standin::Session& session = run.session;
    EXPECT_NE(program.ControlWithText(program.Main(), row.user), nullptr) << row.user;
    EXPECT_NE(program.ControlWithText(program.Main(), row.domain), nullptr) << row.domain;
    program.Run("notepad");
    ASSERT_TRUE(e2e::WaitFor([&] { return !session.Calls(standin::kLaunch).empty(); }));
    HWND editor = program.OpenEditor();
    ASSERT_NE(editor, nullptr) << row.user;
    PostMessageA(editor, WM_CLOSE, 0, 0);
    const standin::Record launch = session.Calls(standin::kLaunch)[0];
    const standin::Record logon = session.Calls(standin::kLogon)[0];
    EXPECT_TRUE(launch.answer);
    for (const standin::Record& call : {launch, logon}) {
      EXPECT_EQ(standin::Narrow(call.user), row.user);
      EXPECT_EQ(standin::Narrow(call.domain), row.domain);
    }
  }
}

// The system's own description of each error, with its number, after the message's unchanged text.
TEST(TodaysWindowsE2E, GivesTheSystemsReasonAfterTheMessage) {
  standin::Session session{kPassword};
  Program program(e2e::RunFolder("reasons"));
  ASSERT_TRUE(e2e::standin::Ready(program, session));
  Program::SetText(program.PathBox(), "C:\\Tools\\setup.msi");
  Program::SetText(program.PasswordBox(), kPassword);
  for (const DWORD code : {1326u, 1331u, 2u, 1058u, 1385u, 193u}) {
    session.FailWith(code);
    const std::string number = "(Fehler " + std::to_string(code) + ")";
    Program::PressKey(program.PasswordBox(), VK_RETURN);
    const std::string launch = program.NextError();
    EXPECT_EQ(launch.rfind(kLaunchFailed + "\n\n", 0), 0u) << launch;
    EXPECT_TRUE(launch.ends_with(number)) << launch;
    EXPECT_EQ(launch.find('%'), std::string::npos) << launch;  // no insert left open
    program.Gate();
    const std::string gate = program.NextError();
    EXPECT_EQ(gate.rfind(kGateRefused + "\n\n", 0), 0u) << gate;
    EXPECT_TRUE(gate.ends_with(number)) << gate;
  }
}

TEST(TodaysWindowsE2E, TakesAPathHandedInAndOneDroppedFromExplorer) {
  standin::Session session{kPassword};
  Program program(e2e::RunFolder("handed-in"), "Morvela.exe", {}, "\"C:\\Program Files\\App\\setup.msi\"");
  ASSERT_TRUE(program.Started());
  EXPECT_EQ(Program::Text(program.PathBox()), "\"C:\\Program Files\\App\\setup.msi\"");  // no such file
  EXPECT_TRUE(e2e::WaitFor([&] { return program.Focus() == program.PasswordBox(); }));

  ASSERT_TRUE(session.InstallInto(program.Process()));
  Program::Click(program.ControlAt(program.Main(), 8, 100));  // the command window names itself
  ASSERT_TRUE(e2e::WaitFor([&] { return program.ControlWithText(program.Main(), "DOS - Fenster"); }));
  ASSERT_TRUE(session.Drop(program.Process(), program.Main(),
                           {L"C:\\Users\\Public\\Downloads\\Größe.msi", L"C:\\Users\\Public\\andere.exe"}));
  EXPECT_TRUE(e2e::WaitFor(
      [&] { return Program::Text(program.PathBox()) == "C:\\Users\\Public\\Downloads\\Größe.msi"; }));
  EXPECT_EQ(program.ControlWithText(program.Main(), "DOS - Fenster"), nullptr);
  ASSERT_TRUE(Program::Handled(program.ControlAt(program.Main(), 464, 108)));
  EXPECT_TRUE(session.Calls(standin::kLaunch).empty());  // nothing starts without the password and Enter
}

// A library beside the program under the name of the file dialog's, which Wine is told to prefer to
// its own: the dialog's library still comes from the system folder, and the planted one leaves no mark.
TEST(TodaysWindowsE2E, LoadsNoLibraryFromItsOwnFolder) {
  const std::string folder = e2e::RunFolder("planted-library");
  ASSERT_TRUE(CopyFileA((e2e::BinFolder() + "planted_library.dll").c_str(), (folder + "comdlg32.dll").c_str(),
                        FALSE));
  WineAppSetting preferred("MorvelaGepflanzt.exe", "DllOverrides", "comdlg32", "native,builtin");
  Program program(folder, "MorvelaGepflanzt.exe");
  ASSERT_TRUE(program.Started());
  Program::Click(program.ControlAt(program.Main(), 504, 10));  // the file dialog: its library is loaded now
  HWND dialog = program.WaitForWindow("Open");                 // the title Wine gives it
  EXPECT_NE(dialog, nullptr) << "the system's file dialog did not open";
  if (dialog) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ(GetFileAttributesA((folder + "planted-library-was-loaded").c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
