// The quick-launch buttons, the gate, the editor and the window position with the real executable,
// also under another name (Werkzeug.exe, with Werkzeug.INI), and with the stand-in for the logon check.
#include <gtest/gtest.h>

#include "e2e/driver.h"
#include "e2e/stand_in.h"
// After windows.h, which the driver brings:
#include <commctrl.h>

#include <memory>

namespace {

using e2e::Program;
namespace standin = e2e::standin;

using e2e::kPassword;
const char kEditor[] = "Belegung der Schnelltasten";

const char kSettings[] =
    "[SpeedButton1]\r\nText=Editor\r\nPfad=notepad\r\nHint=Texteditor\r\n"
    "[SpeedButton2]\r\nText=Dienste\r\nPfad=C:\\WINDOWS\\system32\\services.msc\r\nHint=\r\n";

// A click on a quick-launch button of the main window: the button has no window, its form takes the
// mouse at the button's place.
void ClickQuick(const Program& program, int n, bool right = false) {
  static const POINT corners[] = {{144, 100}, {227, 100}, {306, 100}, {144, 117}, {227, 117}, {306, 117}};
  Program::ClickAt(program.Main(), corners[n - 1].x + 10, corners[n - 1].y + 8, right);
}

// The tooltip window of the main window. The program makes it when the mouse first comes over the
// window, so the mouse is moved there first.
HWND MainTooltips(const Program& program) {
  PostMessageA(program.Main(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  HWND found = nullptr;
  e2e::WaitFor([&] {
    for (HWND tip = nullptr; (tip = FindWindowExA(nullptr, tip, "tooltips_class32", nullptr)) != nullptr;)
      if (GetWindow(tip, GW_OWNER) == program.Main()) found = tip;
    return found != nullptr;
  });
  return found;
}

TEST(QuickLaunchE2E, AFailedQuickLaunchAsksForThePassword) {
  const std::string folder = e2e::RunFolder("quick-launch-fails");
  e2e::WriteFile(folder + "Morvela.INI", kSettings);
  Program program(folder);
  ASSERT_TRUE(program.Started());
  HWND tips = MainTooltips(program);
  ASSERT_NE(tips, nullptr);
  EXPECT_EQ(SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0), 1);  // only entry 1 has a tooltip
  e2e::SaveScreenshot(program.Main(), "main_window_entries");

  Program::SetText(program.PasswordBox(), kPassword);  // under Wine every real launch fails
  ClickQuick(program, 1);
  HWND dialog = program.WaitForWindow("Passwort");
  ASSERT_NE(dialog, nullptr);
  HWND password = program.ControlAt(dialog, 72, 32);
  EXPECT_EQ(Program::Text(password), kPassword);  // prefilled from the main window
  EXPECT_EQ(Program::Text(GetWindow(password, GW_HWNDPREV)), "Passwort:");
  EXPECT_NE(program.ControlWithText(dialog, "Administrator"), nullptr);
  EXPECT_TRUE(e2e::WaitFor([&] { return program.Focus() == password; }));
  e2e::SaveScreenshot(dialog, "password_dialog");
  Program::PressKey(password, VK_ESCAPE);  // cancel: no message
  EXPECT_TRUE(e2e::WaitFor([&] { return !IsWindowVisible(dialog); }));
  ASSERT_TRUE(Program::Handled(program.ControlAt(program.Main(), 464, 108)));
  EXPECT_EQ(program.WaitForWindow("Fehler", 0), nullptr);
}

// The example settings file of the package: six captions, six tooltips. The real pointer resting on
// button 1 turns it hot and shows its tooltip.
TEST(QuickLaunchE2E, ShowsTheExampleEntriesWithTheirTooltips) {
  const std::string folder = e2e::RunFolder("example-settings");
  e2e::WriteFile(folder + "Morvela.INI", e2e::ReadFile(e2e::BinFolder() + "example-settings.INI"));
  Program program(folder);
  ASSERT_TRUE(program.Started());
  HWND tips = MainTooltips(program);
  ASSERT_NE(tips, nullptr);
  EXPECT_EQ(SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0), 6);
  POINT over{144 + 40, 100 + 8};
  ClientToScreen(program.Main(), &over);
  SetCursorPos(over.x, over.y);
  EXPECT_TRUE(e2e::WaitFor([&] { return IsWindowVisible(tips); })) << "no tooltip over button 1";
  e2e::SaveScreenshot(program.Main(), "main_window_hot_tooltip");
  SetCursorPos(0, 0);  // away from every window the later tests open
}

// The shipped executable under another name, with the stand-in in place of the launch and the logon.
class WerkzeugE2E : public ::testing::Test {
 protected:
  std::string folder = e2e::RunFolder("werkzeug");
  standin::Session session{kPassword};
  std::unique_ptr<Program> program;
  void SetUp() override {
    e2e::WriteFile(folder + "Werkzeug.INI", kSettings);
    program = std::make_unique<Program>(folder, "Werkzeug.exe");
    ASSERT_TRUE(e2e::standin::Ready(*program, session));
    Program::SetText(program->PasswordBox(), kPassword);
  }
};

TEST_F(WerkzeugE2E, AQuickLaunchReachesTheSystem) {
  ClickQuick(*program, 2);
  ASSERT_TRUE(e2e::WaitFor([&] { return !session.Calls(standin::kLaunch).empty(); }));
  const standin::Record launch = session.Calls(standin::kLaunch)[0];
  EXPECT_EQ(standin::Narrow(launch.commandLine), "mmc.exe \"C:\\WINDOWS\\system32\\services.msc\"");
  EXPECT_EQ(launch.password, standin::SecretOf(kPassword));
  EXPECT_TRUE(launch.answer);
  ASSERT_TRUE(Program::Handled(program->ControlAt(program->Main(), 464, 108)));
  EXPECT_EQ(program->WaitForWindow("Passwort", 0), nullptr);
}

// A refused check: the error box, the focus back in the password box, and no impersonation to end.
// The empty password box reaches the logon as an empty text.
TEST_F(WerkzeugE2E, TheGateRefusesAWrongPassword) {
  Program::SetText(program->PasswordBox(), "");
  ClickQuick(*program, 3, true);
  ASSERT_TRUE(program->ChooseFromMenu(0));
  HWND box = program->WaitForWindow("Fehler");
  ASSERT_NE(box, nullptr);
  const std::string text = Program::BoxText(box);
  EXPECT_EQ(
      text.rfind("Diese Einträge kann nur der Administrator mit gültigen Passwort bearbeiten!\rBitte das "
                 "Passwort eintragen.\n\n",
                 0),
      0u)
      << text;
  EXPECT_TRUE(text.ends_with("(Fehler 1326)")) << text;
  e2e::SaveScreenshot(box, "gate_refusal");
  Program::CloseBox(box);
  EXPECT_TRUE(e2e::WaitFor([&] { return program->Focus() == program->PasswordBox(); }));
  EXPECT_EQ(program->WaitForWindow(kEditor, 0), nullptr);
  ASSERT_EQ(session.Sequence(), std::vector<standin::Call>{standin::kLogon});
  const standin::Record logon = session.Calls(standin::kLogon)[0];
  EXPECT_TRUE(logon.passwordPresent);
  EXPECT_EQ(logon.password.length, 0u);
  EXPECT_FALSE(logon.answer);
}

TEST_F(WerkzeugE2E, TheEditorSavesAnEntryBesideTheExecutable) {
  RECT main;
  GetWindowRect(program->Main(), &main);
  ClickQuick(*program, 1, true);
  ASSERT_TRUE(program->ChooseFromMenu(0));
  HWND editor = program->WaitForWindow(kEditor);
  ASSERT_NE(editor, nullptr);

  // The gate: the logon, the impersonation with its token, the token closed and one revert, all before
  // the editor showed.
  ASSERT_EQ(session.Sequence(),
            (std::vector<standin::Call>{standin::kLogon, standin::kImpersonate, standin::kRevert}));
  const standin::Record logon = session.Calls(standin::kLogon)[0];
  EXPECT_EQ(standin::Narrow(logon.user), "Administrator");
  EXPECT_TRUE(logon.domain.present);
  EXPECT_EQ(standin::Narrow(logon.domain), e2e::AccountDomain());
  EXPECT_EQ(logon.password, standin::SecretOf(kPassword));
  EXPECT_EQ(logon.logonType, 2u);
  EXPECT_EQ(logon.provider, 0u);
  ASSERT_TRUE(logon.answer);
  const standin::Record impersonation = session.Calls(standin::kImpersonate)[0];
  EXPECT_EQ(impersonation.token, logon.token);
  EXPECT_TRUE(impersonation.answer);
  const standin::Record revert = session.Calls(standin::kRevert)[0];
  EXPECT_FALSE(revert.tokenOpen) << "the token is closed before the revert";
  EXPECT_FALSE(revert.editorShown) << "the revert comes before the editor";

  RECT placed;
  GetWindowRect(editor, &placed);
  EXPECT_EQ(placed.left, main.left + 150);
  EXPECT_EQ(placed.top, main.top + 35);
  // The selectors, the browse button and the bevel have no windows: 3 boxes, 2 buttons and 5 labels.
  int children = 0;
  for (HWND child = GetWindow(editor, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) ++children;
  EXPECT_EQ(children, 10);

  Program::ClickAt(editor, 99 + 10, 36 + 8);  // the selector of entry 2
  HWND text = program->ControlAt(editor, 44, 120);
  HWND path = program->ControlAt(editor, 44, 144);
  HWND hint = program->ControlAt(editor, 44, 168);
  ASSERT_TRUE(e2e::WaitFor([&] { return Program::Text(text) == "Dienste"; }));
  EXPECT_EQ(Program::Text(path), "C:\\WINDOWS\\system32\\services.msc");
  EXPECT_NE(program->ControlWithText(editor, "SpeedButton2"), nullptr);
  Program::SetText(text, "Geräte");
  Program::SetText(path, "C:\\WINDOWS\\system32\\devmgmt.msc");
  Program::SetText(hint, "Gerätemanager");
  e2e::SaveScreenshot(editor, "editor");
  Program::Click(program->ControlAt(editor, 112, 200));
  HWND saved = program->WaitForWindow("Information");
  ASSERT_NE(saved, nullptr);
  EXPECT_EQ(Program::BoxText(saved), "Eintrag wurde gespeichert.");
  RECT box;
  GetWindowRect(saved, &box);
  EXPECT_EQ(box.left, placed.left + 22);
  EXPECT_EQ(box.top, placed.top + 80);
  Program::CloseBox(saved);
  ASSERT_TRUE(e2e::WaitFor([&] { return !IsWindow(saved); }));

  // The file was in the code page, which holds every letter of the entry: it stays so.
  EXPECT_EQ(e2e::ReadFile(folder + "Werkzeug.INI"),
            "[SpeedButton1]\r\nText=Editor\r\nPfad=notepad\r\nHint=Texteditor\r\n"
            "[SpeedButton2]\r\nText=Ger\xE4te\r\nPfad=C:\\WINDOWS\\system32\\devmgmt.msc\r\nHint="
            "Ger\xE4temanager\r\n");
  // A tooltip added to an entry that had none shows only after the next start.
  EXPECT_EQ(SendMessageA(MainTooltips(*program), TTM_GETTOOLCOUNT, 0, 0), 1);
  Program::FocusBox(text);
  ASSERT_TRUE(e2e::WaitFor([&] { return program->Focus() == text; }));
  Program::PressKey(text, VK_RETURN);  // Enter in a box presses "Schließen"
  EXPECT_TRUE(e2e::WaitFor([&] { return !IsWindowVisible(editor); }));
}

// The window position lives below HKEY_LOCAL_MACHINE; a 32-bit program sees it through WOW6432Node, as
// this 32-bit driver does.
TEST(PositionE2E, TheWindowReopensWhereItWasClosed) {
  const char* key = "SOFTWARE\\Belvark\\vesk-tor\\Position";
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, key);
  const std::string folder = e2e::RunFolder("position");
  {
    Program program(folder);
    ASSERT_TRUE(program.Started());
    RECT r;
    GetWindowRect(program.Main(), &r);
    EXPECT_EQ(r.left, 329);  // the designed place at the first start
    EXPECT_EQ(r.top, 208);
    SetWindowPos(program.Main(), nullptr, 111, 222, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ASSERT_TRUE(program.Close());
  }
  DWORD value = 0, size = sizeof value;
  ASSERT_EQ(RegGetValueA(HKEY_LOCAL_MACHINE, key, "Form1.Left", RRF_RT_REG_DWORD, nullptr, &value, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(value, 111u);
  RegGetValueA(HKEY_LOCAL_MACHINE, key, "Form1.Top", RRF_RT_REG_DWORD, nullptr, &value, &size);
  EXPECT_EQ(value, 222u);
  RegGetValueA(HKEY_LOCAL_MACHINE, key, "Form1.State", RRF_RT_REG_DWORD, nullptr, &value, &size);
  EXPECT_EQ(value, 0u);
  wchar_t caption[128] = {};
  DWORD captionSize = sizeof caption;
  RegGetValueW(HKEY_LOCAL_MACHINE, e2e::Wide(key).c_str(), L"Form1.Caption", RRF_RT_REG_SZ, nullptr, caption,
               &captionSize);
  EXPECT_STREQ(caption, L"Morvela - Programm als Administrator ausf\u00FChren");

  Program again(folder);
  ASSERT_TRUE(again.Started());
  RECT r;
  GetWindowRect(again.Main(), &r);
  EXPECT_EQ(r.left, 111);
  EXPECT_EQ(r.top, 222);
}

}  // namespace
