// The shipped executable on Windows with User Account Control, through the stand-in: an account whose
// token is split is served by the program's own helper, started for real as the account with the
// stand-in in it, which asks the shell for "runas"; a standard user's position goes below
// HKEY_CURRENT_USER; a settings file only administrators may write is written by the helper.
#include <gtest/gtest.h>

#include "e2e/driver.h"
#include "e2e/stand_in.h"

namespace {

using e2e::Program;
namespace standin = e2e::standin;

using e2e::kPassword;
constexpr DWORD kFull = 2, kLimited = 3;

class ElevationE2E : public ::testing::Test {
 protected:
  standin::Session session{kPassword};
  std::unique_ptr<Program> program;

  // A standard user's position goes below HKEY_CURRENT_USER, where it would outlast the test: the
  // program is closed first, then that key is removed.
  void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Belvark"); }
  void TearDown() override {
    program.reset();
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Belvark");
  }

  void StartIn(const std::string& folder, DWORD elevation, DWORD helperStartError = 0, DWORD runAsError = 0) {
    session.Elevation(elevation, helperStartError, runAsError);
    program = std::make_unique<Program>(folder);
    ASSERT_TRUE(e2e::standin::Ready(*program, session));
  }
  // The helper's "runas" that comes next: its verb, file, parameters, directory and show command.
  std::string NextRunAs(std::size_t before = 0) const {
    if (!e2e::WaitFor([&] { return session.Calls(standin::kRunAs).size() > before; })) return "(no runas)";
    const standin::Record r = session.Calls(standin::kRunAs).back();
    return standin::Narrow(r.verb) + "|" + standin::Narrow(r.application) + "|" +
           standin::Narrow(r.commandLine) + "|" + (r.directory.present ? "directory" : "") + "|" +
           std::to_string(r.show);
  }
  std::string Exe() const { return program->Folder() + "Morvela.exe"; }
  static std::string SystemFile(const char* name) {
    char folder[MAX_PATH] = "";
    GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\" + name;
  }
};

// A program, a package, a console and an applet: each through the helper, the file the system found
// apart from its parameters, with the folder it starts in and the main window as the prompt's owner.
TEST_F(ElevationE2E, StartsThroughTheHelperWhenTheAccountsTokenIsSplit) {
  StartIn(e2e::RunFolder("elevated"), kLimited);
  const std::pair<std::string, std::string> rows[] = {
      {"C:\\Program Files\\App\\app.exe", "runas|C:\\Program Files\\App\\app.exe||directory|1"},
      {"C:\\Tools\\setup.msi",
       "runas|" + SystemFile("msiexec.exe") + "|/i \"C:\\Tools\\setup.msi\"|directory|1"},
      // Wine has no console host of its own: the host goes by its name, as the system would find it.
      {"C:\\WINDOWS\\system32\\compmgmt.msc",
       "runas|mmc.exe|\"C:\\WINDOWS\\system32\\compmgmt.msc\"|directory|1"},
      {"rundll32.exe shell32.dll Control_RunDLL appwiz.cpl",
       "runas|" + SystemFile("rundll32.exe") + "|shell32.dll Control_RunDLL appwiz.cpl|directory|1"},
  };
  for (const auto& [path, runAs] : rows) {
    const std::size_t before = session.Calls(standin::kRunAs).size();
    program->Run(path);
    EXPECT_EQ(NextRunAs(before), runAs) << path;
  }
  const std::vector<standin::Record> launches = session.Calls(standin::kLaunch);
  ASSERT_EQ(launches.size(), 4u);  // only the helpers: nothing was started without raised rights
  for (const standin::Record& helper : launches) {
    EXPECT_EQ(lstrcmpiA(standin::Narrow(helper.application).c_str(), Exe().c_str()), 0);
    EXPECT_EQ(standin::Narrow(helper.commandLine).rfind("\"" + Exe() + "\" /Morvela-Helfer:Start ", 0), 0u);
    EXPECT_EQ(helper.password, standin::SecretOf(kPassword));
  }
  EXPECT_EQ(session.Calls(standin::kRunAs).back().owner,
            static_cast<DWORD>(reinterpret_cast<UINT_PTR>(program->Main())));
  EXPECT_EQ(session.Calls(standin::kLogon).size(), 4u);
  EXPECT_EQ(session.Calls(standin::kElevation).size(), 4u);
  ASSERT_TRUE(Program::Handled(program->ControlAt(program->Main(), 464, 108)));
  EXPECT_EQ(program->WaitForWindow("Fehler", 0), nullptr);
}

TEST_F(ElevationE2E, StartsAQuickLaunchThroughTheHelper) {
  const std::string folder = e2e::RunFolder("elevated-quick");
  e2e::WriteFile(folder + "Morvela.INI",
                 "[SpeedButton1]\r\nText=Dienste\r\nPfad=C:\\WINDOWS\\system32\\services.msc\r\n");
  StartIn(folder, kLimited);
  Program::SetText(program->PasswordBox(), kPassword);
  Program::ClickAt(program->Main(), 154, 108);
  EXPECT_EQ(NextRunAs(), "runas|mmc.exe|\"C:\\WINDOWS\\system32\\services.msc\"|directory|1");
  ASSERT_TRUE(Program::Handled(program->ControlAt(program->Main(), 464, 108)));
  EXPECT_EQ(program->WaitForWindow("Passwort", 0), nullptr);
}

// The administrator says no: nothing is shown, the password stays, and no dialog asks for it.
TEST_F(ElevationE2E, ShowsNothingWhenTheConsentIsRefused) {
  const std::string folder = e2e::RunFolder("consent-refused");
  e2e::WriteFile(folder + "Morvela.INI", "[SpeedButton1]\r\nText=Editor\r\nPfad=notepad.exe\r\n");
  StartIn(folder, kLimited, 0, 1223);
  program->Run("notepad.exe");
  EXPECT_EQ(NextRunAs(), "runas|" + SystemFile("notepad.exe") + "||directory|1");
  Program::ClickAt(program->Main(), 154, 108);
  EXPECT_EQ(NextRunAs(1), "runas|" + SystemFile("notepad.exe") + "||directory|1");
  ASSERT_TRUE(Program::Handled(program->ControlAt(program->Main(), 464, 108)));
  EXPECT_EQ(program->WaitForWindow("Fehler", 500), nullptr);
  EXPECT_EQ(program->WaitForWindow("Passwort", 0), nullptr);
  EXPECT_EQ(Program::Text(program->PasswordBox()), kPassword);
}

// The helper's own failure is the launch's, with its reason; where the helper cannot be started the
// operator is asked, and "Ja" starts it without the full rights; a wrong password is one failed logon,
// and nothing is started.
TEST_F(ElevationE2E, ReportsAFailingHelperAndFallsBackWhenItCannotStart) {
  StartIn(e2e::RunFolder("helper-fails"), kLimited, 0, ERROR_FILE_NOT_FOUND);
  program->Run("C:\\Tools\\fehlt.exe");
  const std::string failed = program->NextError();
  EXPECT_EQ(failed.rfind("Falsche Zugangsdaten oder Pfad nicht gefunden.\n\n", 0), 0u) << failed;
  EXPECT_TRUE(failed.ends_with("(Fehler 2)")) << failed;

  session.Elevation(kLimited, ERROR_ACCESS_DENIED);
  const std::size_t before = session.Calls(standin::kLaunch).size();
  program->Run("C:\\Tools\\app.exe");
  HWND question = program->WaitForWindow("Warnung");
  ASSERT_NE(question, nullptr);
  EXPECT_EQ(
      Program::BoxText(question).rfind("Das Programm kann nicht mit den vollen Administratorrechten", 0), 0u);
  EXPECT_EQ(GetWindowLongA(GetDlgItem(question, IDNO), GWL_STYLE) & BS_DEFPUSHBUTTON, BS_DEFPUSHBUTTON);
  Program::Click(GetDlgItem(question, IDYES));
  ASSERT_TRUE(e2e::WaitFor([&] { return session.Calls(standin::kLaunch).size() == before + 2; }));
  const standin::Record direct = session.Calls(standin::kLaunch).back();
  EXPECT_FALSE(direct.application.present);
  EXPECT_EQ(standin::Narrow(direct.commandLine), "\"C:\\Tools\\app.exe\"");

  const std::size_t launches = session.Calls(standin::kLaunch).size();
  program->Run({}, "falsch");
  EXPECT_TRUE(program->NextError().ends_with("(Fehler 1326)"));
  EXPECT_EQ(session.Calls(standin::kLaunch).size(), launches);
  EXPECT_FALSE(session.Calls(standin::kLogon).back().answer);
}

// A standard user may not write below HKEY_LOCAL_MACHINE: the position goes below HKEY_CURRENT_USER,
// and the next start takes it from there.
TEST_F(ElevationE2E, KeepsAStandardUsersPositionBelowTheUsersKey) {
  const char kKey[] = "Software\\Belvark\\vesk-tor\\Position";
  session.StandardUser(true);
  StartIn(e2e::RunFolder("position"), kFull);
  SetWindowPos(program->Main(), nullptr, 137, 91, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ASSERT_TRUE(program->Close());
  DWORD left = 0, size = sizeof left;
  EXPECT_EQ(RegGetValueA(HKEY_CURRENT_USER, kKey, "Form1.Left", RRF_RT_REG_DWORD, nullptr, &left, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(left, 137u);
  Program again(e2e::RunFolder("position"));
  ASSERT_TRUE(again.Started());
  RECT where{};
  GetWindowRect(again.Main(), &where);
  EXPECT_EQ(where.left, 137);
  EXPECT_EQ(where.top, 91);
  EXPECT_TRUE(again.Close());
}

// A settings file that only administrators may write: the editor's save goes through the helper,
// raised once more for the split token, and the entry is in the file and on the buttons.
TEST_F(ElevationE2E, SavesAnEntryThroughTheHelperWhereOnlyAdministratorsMayWrite) {
  const std::string folder = e2e::RunFolder("save-through-helper");
  e2e::WriteFile(folder + "Morvela.INI", "[SpeedButton1]\r\nText=Editor\r\nPfad=notepad.exe\r\nHint=\r\n");
  session.StandardUser(true);
  StartIn(folder, kLimited);
  Program::SetText(program->PasswordBox(), kPassword);
  HWND editor = program->OpenEditor();
  ASSERT_NE(editor, nullptr);
  Program::ClickAt(editor, 16 + 10, 36 + 8);  // the first selector
  ASSERT_TRUE(e2e::WaitFor([&] { return Program::Text(program->ControlAt(editor, 44, 120)) == "Editor"; }));
  Program::SetText(program->ControlAt(editor, 44, 120), "Neu \"erhöht\"");
  Program::Click(program->ControlAt(editor, 112, 200));  // save
  HWND saved = program->WaitForWindow("Information");
  ASSERT_NE(saved, nullptr) << program->NextError();
  EXPECT_EQ(Program::BoxText(saved), "Eintrag wurde gespeichert.");
  Program::CloseBox(saved);
  // The file is in the code page, which holds every letter of the entry.
  EXPECT_NE(e2e::ReadFile(folder + "Morvela.INI").find("Text=Neu \"erh\xF6ht\"\r\n"), std::string::npos);
  EXPECT_EQ(NextRunAs(),
            "runas|" + Exe() +
                "|/Morvela-Helfer:Speichern 1 \"Neu \\\"erhöht\\\"\" \"notepad.exe\" \"\"|directory|1");
  ASSERT_EQ(session.Calls(standin::kLaunch).size(), 1u);
  EXPECT_EQ(standin::Narrow(session.Calls(standin::kLaunch)[0].commandLine)
                .rfind("\"" + Exe() + "\" /Morvela-Helfer:Warten ", 0),
            0u);
  PostMessageA(editor, WM_CLOSE, 0, 0);
}

}  // namespace
