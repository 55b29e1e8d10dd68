// The programs menu, the printer chooser and the information dialog under Wine.
#include <gtest/gtest.h>

#include "e2e/driver.h"
#include "e2e/stand_in.h"

namespace {

using e2e::Program;

HWND ProgramsButton(const Program& program) {
  return program.ControlAt(program.Main(), 92, 100);
}
HWND PrinterButton(const Program& program) {
  return program.ControlAt(program.Main(), 50, 100);
}

// The printers come from the stand-in, which answers the system's printer list from a file.
TEST(ToolsE2E, TheChooserListsThePrintersSortedAndADoubleClickChoosesOne) {
  const std::string folder = e2e::RunFolder("printers");
  e2e::WriteFile(folder + "printers.txt",
                 "Laser 2\r\n\\\\druckserver\\Farbe\r\nbuero\r\nÄrger\r\nLaser 1\r\n");
  e2e::standin::Session session("", folder + "printers.txt");
  Program program(folder);
  ASSERT_TRUE(e2e::standin::Ready(program, session));
  Program::ClickAt(PrinterButton(program), 20, 30);  // the lower part opens the printer menu
  ASSERT_TRUE(program.ChooseFromMenu(1));            // "Drucker löschen"
  HWND chooser = program.WaitForWindow("Drucker zum Löschen auswählen");
  ASSERT_NE(chooser, nullptr);
  // First the size, then the records: the local printers and the connections, level 4.
  const std::vector<e2e::standin::Record> calls = session.Calls(e2e::standin::kEnumPrinters);
  ASSERT_EQ(calls.size(), 2u);
  for (const e2e::standin::Record& call : calls) {
    EXPECT_EQ(call.flags, 6u);
    EXPECT_EQ(call.level, 4u);
    EXPECT_FALSE(call.namePresent);
  }
  EXPECT_FALSE(calls[0].bufferPresent);
  EXPECT_EQ(calls[0].bufferSize, 0u);
  EXPECT_TRUE(calls[1].bufferPresent);
  EXPECT_EQ(calls[1].bufferSize, calls[0].needed);
  EXPECT_TRUE(calls[1].answer);
  EXPECT_EQ(calls[1].returned, 5u);
  HWND list = program.ControlAt(chooser, 8, 8);
  // Sorted by the system's list, by the user's locale: "Ärger" among the A's.
  EXPECT_EQ(Program::ListItems(list),
            (std::vector<std::string>{"\\\\druckserver\\Farbe", "Ärger", "buero", "Laser 1", "Laser 2"}));
  EXPECT_EQ(program.Focus(), program.ControlAt(chooser, 300, 142));  // "Abbrechen"
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR);
  e2e::SaveScreenshot(chooser, "printer_chooser");
  const int row = 3;  // "Laser 1"
  const LPARAM at = MAKELPARAM(20, row * 13 + 4);
  PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(list, WM_LBUTTONUP, 0, at);
  PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  PostMessageA(list, WM_LBUTTONUP, 0, at);
  EXPECT_TRUE(e2e::WaitFor([&] { return !IsWindowVisible(chooser); }));
  EXPECT_EQ(Program::Text(program.PathBox()), "rundll32 printui.dll,PrintUIEntry /dl /n \"Laser 1\"");
  EXPECT_NE(program.ControlWithText(program.Main(), "Drucker löschen"), nullptr);
}

TEST(ToolsE2E, TheProgramsMenuOpensFromTheLowerPartOfItsButton) {
  Program program(e2e::RunFolder("programs-menu"));
  ASSERT_TRUE(program.Started());
  Program::SetText(program.PathBox(), "C:\\getippt.exe");
  Program::ClickAt(ProgramsButton(program), 20, 28);
  // From the bottom: "Windows-Firewall", then up to "Verwaltung", into it, and up to its last: "Dienste".
  ASSERT_TRUE(program.MenuKeys({VK_UP, VK_UP, VK_RIGHT, VK_UP, VK_RETURN}, "programs_menu"));
  ASSERT_TRUE(e2e::WaitFor([&] { return Program::Text(program.PathBox()) != "C:\\getippt.exe"; }));
  EXPECT_EQ(lstrcmpiA(Program::Text(program.PathBox()).c_str(), "C:\\windows\\system32\\services.msc"), 0)
      << Program::Text(program.PathBox());
  EXPECT_NE(program.ControlWithText(program.Main(), "Dienste "), nullptr);

  Program::ClickAt(ProgramsButton(program), 20, 10);  // the upper part is an ordinary press
  EXPECT_TRUE(e2e::WaitFor([&] {
    return Program::Text(program.PathBox()) == "rundll32.exe shell32.dll Control_RunDLL appwiz.cpl";
  }));
  EXPECT_NE(program.ControlWithText(program.Main(), "Programme"), nullptr);
}

TEST(ToolsE2E, WithoutPrintersTheChooserIsEmptyAndAbbrechenGivesEmptyQuotes) {
  Program program(e2e::RunFolder("no-printers"));
  ASSERT_TRUE(program.Started());
  Program::ClickAt(PrinterButton(program), 20, 30);
  ASSERT_TRUE(program.ChooseFromMenu(1));
  HWND chooser = program.WaitForWindow("Drucker zum Löschen auswählen");
  ASSERT_NE(chooser, nullptr);
  EXPECT_TRUE(Program::ListItems(program.ControlAt(chooser, 8, 8)).empty());
  Program::Click(program.ControlAt(chooser, 300, 142));
  EXPECT_TRUE(e2e::WaitFor([&] { return !IsWindowVisible(chooser); }));
  EXPECT_EQ(Program::Text(program.PathBox()), "rundll32 printui.dll,PrintUIEntry /dl /n \"\"");
}

TEST(ToolsE2E, TheInfoDialogOpensCentredAndClosesOnEnterButNotEscape) {
  Program program(e2e::RunFolder("info"));
  ASSERT_TRUE(program.Started());
  Program::ClickAt(program.Main(), 384 + 10, 108 + 10);  // "Info"
  HWND info = program.WaitForWindow("Programm-Info");
  ASSERT_NE(info, nullptr);
  EXPECT_NE(program.ControlWithText(info, "Programmname: Morvela Ver. 1.2"), nullptr);
  EXPECT_NE(program.ControlWithText(info, "Datum: 21.04.2011"), nullptr);
  HWND link = program.ControlAt(info, 24, 64);
  ASSERT_NE(link, nullptr);
  EXPECT_TRUE(IsWindowVisible(link));
  // Every text, the address too, is shown whole inside the dialog.
  RECT client;
  GetClientRect(info, &client);
  for (HWND child = GetWindow(info, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT area;
    GetWindowRect(child, &area);
    MapWindowPoints(nullptr, info, reinterpret_cast<POINT*>(&area), 2);
    EXPECT_LE(area.right, client.right) << Program::Text(child) << " is cut off at the dialog's edge";
    EXPECT_LE(area.bottom, client.bottom) << Program::Text(child) << " is cut off at the dialog's edge";
  }
  RECT r;
  GetWindowRect(info, &r);
  EXPECT_NEAR((r.left + r.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
  e2e::SaveScreenshot(info, "info_dialog");
  HWND close = program.ControlWithText(info, "Schließen");
  ASSERT_TRUE(e2e::WaitFor([&] { return program.Focus() == close; }));
  Program::PressKey(close, VK_ESCAPE);
  ASSERT_TRUE(Program::Handled(close));
  EXPECT_TRUE(IsWindowVisible(info));
  Program::PressKey(close, VK_RETURN);
  EXPECT_TRUE(e2e::WaitFor([&] { return !IsWindowVisible(info); }));
}

}  // namespace
