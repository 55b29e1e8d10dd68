// The custom drawing of the real executable, with the visual style Wine has active and with visual
// styles switched off in the prefix: screenshots of both, and the standard drawing when they are off.
#include <gtest/gtest.h>

#include "e2e/driver.h"
#include "e2e/stand_in.h"

namespace {

using e2e::Program;

constexpr char kThemeManager[] = "Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager";

// Switches the prefix's visual styles off for the scenario and on again afterwards; the programs
// started meanwhile read the setting when they start.
class StylesOff {
 public:
  StylesOff() { Set("0"); }
  ~StylesOff() { Set("1"); }
  StylesOff(const StylesOff&) = delete;
  StylesOff& operator=(const StylesOff&) = delete;

 private:
  static void Set(const char* value) {
    RegSetKeyValueA(HKEY_CURRENT_USER, kThemeManager, "ThemeActive", REG_SZ, value,
                    static_cast<DWORD>(lstrlenA(value) + 1));
  }
};

// The quick-launch buttons, the editor and the bar's grip as the operator sees them.
struct Look {
  std::vector<COLORREF> quickButton;
  COLORREF buttonCorner = 0;
  COLORREF gripWhite = 0;
  bool editorShown = false;
};

Look OpenAndLook(const std::string& run, const std::string& suffix) {
  const std::string folder = e2e::RunFolder(run);
  e2e::WriteFile(folder + "Morvela.INI", "[SpeedButton1]\r\nText=Editor\r\nPfad=notepad\r\n");
  e2e::standin::Session session(e2e::kPassword);
  Program program(folder);
  Look look;
  if (!program.Started() || !session.InstallInto(program.Process()) || !e2e::Settled(program.Main()))
    return look;
  POINT origin{0, 0};
  ClientToScreen(program.Main(), &origin);
  for (int y = 0; y < 17; ++y)
    for (int x = 0; x < 81; ++x)
      look.quickButton.push_back(e2e::ScreenPixel(origin.x + 144 + x, origin.y + 100 + y));
  look.buttonCorner = e2e::ScreenPixel(origin.x + 144 + 80, origin.y + 100 + 16);
  look.gripWhite = e2e::ScreenPixel(origin.x + 541, origin.y + 140 + 11);
  e2e::SaveScreenshot(program.Main(), "main_window_" + suffix);

  Program::SetText(program.ControlAt(program.Main(), 104, 56), e2e::kPassword);
  Program::ClickAt(program.Main(), 144 + 5, 100 + 5, true);
  HWND editor = program.ChooseFromMenu(0) ? program.WaitForWindow("Belegung der Schnelltasten") : nullptr;
  if (!editor) return look;
  Program::ClickAt(editor, 16 + 10, 36 + 8);
  look.editorShown =
      e2e::WaitFor([&] { return Program::Text(program.ControlAt(editor, 44, 120)) == "Editor"; }) &&
      e2e::SaveScreenshot(editor, "editor_" + suffix);
  Program::Click(program.ControlAt(editor, 164, 200));
  return look;
}

TEST(DrawingE2E, DrawsStyledWithTheActiveStyleAndStandardWithStylesOff) {
  const Look styled = OpenAndLook("drawing-styled", "styled");
  Look standard;
  {
    StylesOff off;
    standard = OpenAndLook("drawing-unstyled", "unstyled");
  }
  EXPECT_TRUE(styled.editorShown);
  EXPECT_TRUE(standard.editorShown);
  ASSERT_EQ(styled.quickButton.size(), 81u * 17u);
  ASSERT_EQ(standard.quickButton.size(), 81u * 17u);
  EXPECT_NE(styled.quickButton, standard.quickButton);
  // The standard push-button frame ends in the dark shadow; the classic grip has its white diagonals.
  EXPECT_EQ(standard.buttonCorner, GetSysColor(COLOR_3DDKSHADOW));
  EXPECT_EQ(standard.gripWhite, RGB(255, 255, 255));
}

}  // namespace
