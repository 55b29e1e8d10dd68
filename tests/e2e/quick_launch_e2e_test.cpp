// The quick-launch buttons, the gate, the editor and the window position with the real executable and
// with the test-only one under the name Werkzeug.exe.
#include <gtest/gtest.h>

#include "e2e/driver.h"
// After windows.h, which the driver brings:
#include <commctrl.h>

namespace {

using e2e::Program;

const char kSettings[] =
    "[SpeedButton1]\r\nText=Editor\r\nPfad=notepad\r\nHint=Texteditor\r\n"
    "[SpeedButton2]\r\nText=Dienste\r\nPfad=C:\\WINDOWS\\system32\\services.msc\r\nHint=\r\n";

HWND QuickButton(const Program& program, int n) {
  static const POINT corners[] = {{144, 100}, {227, 100}, {306, 100}, {144, 117}, {227, 117}, {306, 117}};
  return program.ControlAt(program.Main(), corners[n - 1].x, corners[n - 1].y);
}

HWND PasswordBox(const Program& program) {
  return program.ControlAt(program.Main(), 104, 56);
}

// The tooltip window that belongs to the main window.
HWND MainTooltips(const Program& program) {
  HWND tip = nullptr;
  while ((tip = FindWindowExA(nullptr, tip, "tooltips_class32", nullptr)) != nullptr)
    if (GetWindow(tip, GW_OWNER) == program.Main()) return tip;
  return nullptr;
}

TEST(QuickLaunchE2E, AFailedQuickLaunchAsksForThePassword) {
  const std::string folder = e2e::RunFolder("quick-launch-fails");
  e2e::WriteFile(folder + "Morvela.INI", kSettings);
  Program program("Morvela.exe", folder);
  ASSERT_TRUE(program.Started());
  HWND first = QuickButton(program, 1);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(Program::Text(first), "Editor");
  EXPECT_EQ(Program::Text(QuickButton(program, 2)), "Dienste");
  HWND tips = MainTooltips(program);
  ASSERT_NE(tips, nullptr);
  EXPECT_EQ(SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0), 1);  // only entry 1 has a tooltip
  e2e::SaveScreenshot(program.Main(), "main_window_entries");

  Program::SetText(PasswordBox(program), "Geheim-123");
  Program::ClickAt(first, 10, 8);
  HWND dialog = program.WaitForWindow("Passwort");
  ASSERT_NE(dialog, nullptr);
  HWND password = program.ControlAt(dialog, 72, 32);
  EXPECT_EQ(Program::Text(password), "Geheim-123");  // prefilled from the main window
  EXPECT_NE(program.ControlWithText(dialog, "Administrator"), nullptr);
  EXPECT_TRUE(e2e::WaitFor([&] { return program.Focus() == password; }));
  e2e::SaveScreenshot(dialog, "password_dialog");
  Program::PressKey(password, VK_ESCAPE);  // cancel: no message
  EXPECT_TRUE(e2e::WaitFor([&] { return !IsWindowVisible(dialog); }));
  EXPECT_EQ(program.WaitForWindow("Fehler", 500), nullptr);
}

TEST(QuickLaunchE2E, TheGateRefusesWhenTheLogonFails) {
  Program program("Morvela.exe", e2e::RunFolder("gate-refuses"));
  ASSERT_TRUE(program.Started());
  Program::SetText(PasswordBox(program), "Geheim-123");  // under Wine the real logon check always refuses
  Program::ClickAt(QuickButton(program, 3), 5, 5, true);
  ASSERT_TRUE(program.ChooseFromMenu(0));
  HWND box = program.WaitForWindow("Fehler");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(Program::BoxText(box),
            "Diese Einträge kann nur der Administrator mit gültigen Passwort bearbeiten!\rBitte das Passwort "
            "eintragen.");
  e2e::SaveScreenshot(box, "gate_refusal");
  Program::CloseBox(box);
  EXPECT_TRUE(e2e::WaitFor([&] { return program.Focus() == PasswordBox(program); }));
  EXPECT_EQ(program.WaitForWindow("Belegung der Schnelltasten", 300), nullptr);
}

class WerkzeugE2E : public ::testing::Test {
 protected:
  std::string folder = e2e::RunFolder("werkzeug");
  Program* program = nullptr;
  void SetUp() override {
    e2e::WriteFile(folder + "Werkzeug.INI", kSettings);
    program = new Program("Morvela-e2e.exe", folder, "Werkzeug.exe");
    ASSERT_TRUE(program->Started());
    Program::SetText(PasswordBox(*program), "Geheim-123");
  }
  void TearDown() override { delete program; }
};

TEST_F(WerkzeugE2E, AQuickLaunchReachesTheSystem) {
  Program::ClickAt(QuickButton(*program, 2), 10, 8);
  EXPECT_TRUE(e2e::WaitFor([&] {
    return e2e::ReadFile(folder + "launches.log") == "mmc.exe \"C:\\WINDOWS\\system32\\services.msc\"\t\r\n";
  })) << e2e::ReadFile(folder + "launches.log");
  EXPECT_EQ(program->WaitForWindow("Passwort", 300), nullptr);
}

TEST_F(WerkzeugE2E, TheEditorSavesAnEntryBesideTheExecutable) {
  RECT main;
  GetWindowRect(program->Main(), &main);
  Program::ClickAt(QuickButton(*program, 1), 5, 5, true);
  ASSERT_TRUE(program->ChooseFromMenu(0));
  HWND editor = program->WaitForWindow("Belegung der Schnelltasten");
  ASSERT_NE(editor, nullptr);
  RECT placed;
  GetWindowRect(editor, &placed);
  EXPECT_EQ(placed.left, main.left + 150);
  EXPECT_EQ(placed.top, main.top + 35);
  EXPECT_EQ(Program::Text(program->ControlAt(editor, 16, 36)), "Editor");

  Program::ClickAt(program->ControlAt(editor, 99, 36), 10, 8);  // entry 2
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

  EXPECT_EQ(
      e2e::ReadFile(folder + "Werkzeug.INI"),
      "[SpeedButton1]\r\nText=Editor\r\nPfad=notepad\r\nHint=Texteditor\r\n"
      "[SpeedButton2]\r\nText=Geräte\r\nPfad=C:\\WINDOWS\\system32\\devmgmt.msc\r\nHint=Gerätemanager\r\n");
  EXPECT_EQ(Program::Text(QuickButton(*program, 2)), "Geräte");
  EXPECT_EQ(Program::Text(program->ControlAt(editor, 99, 36)), "Geräte");
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
    Program program("Morvela.exe", folder);
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
  char caption[128] = {};
  DWORD captionSize = sizeof caption;
  RegGetValueA(HKEY_LOCAL_MACHINE, key, "Form1.Caption", RRF_RT_REG_SZ, nullptr, caption, &captionSize);
  EXPECT_STREQ(caption, "Morvela - Programm als Administrator ausführen");

  Program again("Morvela.exe", folder);
  ASSERT_TRUE(again.Started());
  RECT r;
  GetWindowRect(again.Main(), &r);
  EXPECT_EQ(r.left, 111);
  EXPECT_EQ(r.top, 222);
}

}  // namespace
