// The real executable from the keyboard alone, with real key strokes: Tab reaches the quick-launch
// buttons, whose keys are a toolbar's, the drop-down picture buttons open their menus, the editor's
// selectors choose; a screen reader in another process hears of the focus and cannot press a button
// under a modal dialog; and the faces in high contrast.
#include <gtest/gtest.h>

#include "e2e/driver.h"
#include "e2e/stand_in.h"
// After windows.h, which the driver brings:
#include <oleacc.h>

#include <string>
#include <utility>
#include <vector>

namespace {

namespace standin = e2e::standin;
using e2e::Program;
using Strokes = std::vector<std::pair<WORD, WORD>>;

// Child ids of the main window's client area (its controls in the order of the Tab key, as
// ui::CreationOrder gives it): quick-launch buttons 1 and 2, and "Info".
constexpr LONG kQuick1 = 10, kQuick2 = 11, kInfo = 16;

class KeyboardE2E : public ::testing::Test {
 protected:
  HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  std::string folder = e2e::RunFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
  standin::Session session{e2e::kPassword};
  std::unique_ptr<Program> program;

  void SetUp() override {
    e2e::WriteFile(folder + "Morvela.INI", e2e::ReadFile(e2e::BinFolder() + "example-settings.INI"));
    program = std::make_unique<Program>(folder);
    ASSERT_TRUE(e2e::standin::Ready(*program, session));
    // Keys go to the window in front: it must be there before the first one.
    ASSERT_TRUE(e2e::WaitFor([&] {
      SetForegroundWindow(program->Main());
      return GetForegroundWindow() == program->Main();
    }));
    Program::FocusBox(program->PathBox());
    ASSERT_TRUE(e2e::WaitFor([&] { return program->Focus() == program->PathBox(); }));
  }
  void TearDown() override {
    program.reset();
    if (SUCCEEDED(com)) CoUninitialize();
  }
  // From the path box to the quick-launch buttons: the password box, "Ausführen", the four picture
  // buttons, then the speed buttons' stop.
  static void TabToTheQuickLaunches() { Program::Keys(Strokes(7, {VK_TAB, 0})); }
  IAccessible* Accessible(HWND window) const {
    IAccessible* access = nullptr;
    AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&access));
    return access;
  }
};

std::vector<LONG> g_focused;  // the controls without a window that took the focus, by child id

// The system's own focus events for windows name the window itself (CHILDID_SELF); the form's name
// a child of its client area.
void CALLBACK FocusSeen(HWINEVENTHOOK, DWORD, HWND, LONG object, LONG child, DWORD, DWORD) {
  if (object == OBJID_CLIENT && child != CHILDID_SELF) g_focused.push_back(child);
}

// Waits while the hook's events come in: they reach this thread through its messages.
bool PumpUntil(const std::function<bool()>& condition) {
  return e2e::WaitFor([&] {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    return condition();
  });
}

TEST_F(KeyboardE2E, TabReachesTheQuickLaunchesWhereTheArrowsMoveAndSpaceLaunches) {
  Program::SetText(program->PasswordBox(), e2e::kPassword);
  g_focused.clear();
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, FocusSeen,
                                       program->Id(), 0, WINEVENT_OUTOFCONTEXT);
  TabToTheQuickLaunches();
  Program::Keys({{VK_RIGHT, 0}, {VK_END, 0}, {VK_HOME, 0}});
  const bool heard = PumpUntil([] { return g_focused.size() >= 4; });
  UnhookWinEvent(hook);
  EXPECT_TRUE(heard);
  EXPECT_EQ(g_focused, (std::vector<LONG>{kQuick1, kQuick2, kInfo, kQuick1}));
  EXPECT_EQ(program->Focus(), program->Main());
  IAccessible* access = Accessible(program->Main());
  ASSERT_NE(access, nullptr);
  VARIANT focus{};
  EXPECT_EQ(access->get_accFocus(&focus), S_OK);
  EXPECT_EQ(focus.vt == VT_I4 ? focus.lVal : 0, kQuick1);
  access->Release();
  EXPECT_TRUE(e2e::SaveScreenshot(program->Main(), "main_window_focused_quick_launch"));

  Program::Keys({{VK_SPACE, 0}});
  ASSERT_TRUE(e2e::WaitFor([&] { return !session.Calls(standin::kLaunch).empty(); }));
  EXPECT_EQ(standin::Narrow(session.Calls(standin::kLaunch)[0].commandLine), "\"notepad.exe\"");
}

// The gate's menu from the context key, the menus of the picture buttons from F4, Alt+Down and the
// context key, each where a mouse press would open it.
TEST_F(KeyboardE2E, TheMenusOpenFromTheKeyboard) {
  const auto opened = [&](const Strokes& keys, const std::string& screenshot = {}) {
    Program::Keys(keys);
    HWND menu = program->WaitForMenu();
    if (!menu) return POINT{-1, -1};
    RECT r{};
    GetWindowRect(menu, &r);
    if (!screenshot.empty()) e2e::SaveScreenshot(menu, screenshot);
    Program::PressKey(menu, VK_ESCAPE);
    e2e::WaitFor([&] { return !IsWindowVisible(menu); });
    return POINT{r.left, r.top};
  };
  const auto below = [&](int left, int bottom) {
    POINT at{left + 1, bottom + 1};
    ClientToScreen(program->Main(), &at);
    return std::pair{at.x, at.y};
  };
  TabToTheQuickLaunches();
  POINT gate = opened({{VK_APPS, 0}});
  const std::pair quick{gate.x, gate.y};
  EXPECT_EQ(quick, below(144 - 1, 100 + 17 - 1)) << "below quick-launch button 1";
  gate = opened({{VK_F10, VK_SHIFT}});
  EXPECT_EQ((std::pair{gate.x, gate.y}), quick);

  Program::Keys({{VK_TAB, VK_SHIFT}});  // back to the programs button
  const POINT software = opened({{VK_F4, 0}});
  EXPECT_EQ((std::pair{software.x, software.y}), below(92, 100 + 35));
  const POINT again = opened({{VK_DOWN, VK_MENU}});
  EXPECT_EQ((std::pair{again.x, again.y}), below(92, 100 + 35));
  Program::Keys({{VK_TAB, VK_SHIFT}});  // the printer button
  const POINT printers = opened({{VK_APPS, 0}});
  EXPECT_EQ((std::pair{printers.x, printers.y}), below(50, 100 + 35));
}

// With the password dialog in front, a screen reader's press on a quick-launch button does
// nothing and says so, and the button reads as unavailable until the dialog is closed.
TEST_F(KeyboardE2E, TheDefaultActionIsRefusedUnderThePasswordDialog) {
  Program::SetText(program->PasswordBox(), "falsch");
  IAccessible* access = Accessible(program->Main());
  ASSERT_NE(access, nullptr);
  VARIANT quick2{};
  quick2.vt = VT_I4;
  quick2.lVal = kQuick2;
  Program::ClickAt(program->Main(), 154, 108);  // quick launch 1 with a wrong password: the dialog asks
  HWND dialog = program->WaitForWindow("Passwort");
  ASSERT_NE(dialog, nullptr);
  VARIANT state{};
  EXPECT_EQ(access->get_accState(quick2, &state), S_OK);
  EXPECT_TRUE(state.lVal & STATE_SYSTEM_UNAVAILABLE);
  EXPECT_EQ(access->accDoDefaultAction(quick2), DISP_E_MEMBERNOTFOUND);
  ASSERT_TRUE(Program::Handled(program->ControlWithText(dialog, "Abbrechen")));  // all before it, too
  EXPECT_TRUE(session.Calls(standin::kLaunch).empty());
  EXPECT_EQ(program->WaitForWindow("Passwort", 0), dialog);

  Program::Click(program->ControlWithText(dialog, "Abbrechen"));
  Program::SetText(program->PasswordBox(), e2e::kPassword);
  ASSERT_TRUE(e2e::WaitFor([&] { return !IsWindowVisible(dialog); }));
  EXPECT_TRUE(e2e::WaitFor([&] {
    VARIANT now{};
    return access->get_accState(quick2, &now) == S_OK && !(now.lVal & STATE_SYSTEM_UNAVAILABLE);
  }));
  EXPECT_EQ(access->accDoDefaultAction(quick2), S_OK);
  EXPECT_TRUE(e2e::WaitFor([&] { return !session.Calls(standin::kLaunch).empty(); }));
  access->Release();
}

// In the editor the six selectors are the stop after the save button: the arrows move, Space chooses.
TEST_F(KeyboardE2E, TheEditorsSelectorsChooseFromTheKeyboard) {
  Program::SetText(program->PasswordBox(), e2e::kPassword);
  HWND editor = program->OpenEditor();
  ASSERT_NE(editor, nullptr);
  SetForegroundWindow(editor);
  ASSERT_TRUE(
      e2e::WaitFor([&] { return program->Focus() == program->ControlWithText(editor, "Schließen"); }));
  Program::Keys(Strokes(5, {VK_TAB, 0}));
  Program::Keys({{VK_RIGHT, 0}, {VK_SPACE, 0}});
  EXPECT_TRUE(e2e::WaitFor([&] { return Program::Text(program->ControlAt(editor, 44, 120)) == "Dienste"; }));
  EXPECT_NE(program->ControlWithText(editor, "SpeedButton2"), nullptr);
  Program::Keys({{VK_END, 0}, {VK_RETURN, 0}});
  EXPECT_TRUE(e2e::WaitFor([&] { return program->ControlWithText(editor, "SpeedButton6") != nullptr; }));
  EXPECT_NE(program->WaitForWindow("Belegung der Schnelltasten", 0), nullptr);  // Enter chose, not closed
  Program::Click(program->ControlWithText(editor, "Schließen"));
}

// Wine cannot switch high contrast on: the stand-in says it is on, and the test sets the system's
// colours, as switching it on does. The program's own faces then show those colours and no style.
TEST_F(KeyboardE2E, DrawsItsFacesInTheSystemsColoursInHighContrast) {
  std::vector<std::pair<int, COLORREF>> before;
  for (int element : {COLOR_BTNFACE, COLOR_BTNTEXT, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT})
    before.push_back({element, GetSysColor(element)});
  session.HighContrast(true);
  ASSERT_TRUE(session.SystemColors(program->Process(), {{COLOR_BTNFACE, RGB(0, 0, 0)},
                                                        {COLOR_BTNTEXT, RGB(255, 255, 255)},
                                                        {COLOR_HIGHLIGHT, RGB(0, 0, 255)},
                                                        {COLOR_HIGHLIGHTTEXT, RGB(255, 255, 0)}}));
  POINT origin{0, 0};
  ClientToScreen(program->Main(), &origin);
  const auto pixel = [&](int x, int y) { return e2e::ScreenPixel(origin.x + x, origin.y + y); };
  const bool repainted = e2e::WaitFor([&] { return pixel(146, 102) == RGB(0, 0, 0); });
  e2e::SaveScreenshot(program->Main(), "main_window_high_contrast");
  const COLORREF quick = pixel(146, 102), quickBorder = pixel(144, 100), bar = pixel(320, 148),
                 picture = pixel(10, 102), form = pixel(300, 5);
  session.SystemColors(program->Process(), before);
  session.HighContrast(false);
  EXPECT_TRUE(repainted);
  EXPECT_EQ(quick, RGB(0, 0, 0)) << "the quick-launch face";
  EXPECT_EQ(quickBorder, RGB(255, 255, 255)) << "its border in the text colour";
  EXPECT_EQ(bar, RGB(0, 0, 0)) << "the status bar";
  EXPECT_EQ(picture, RGB(0, 0, 0)) << "a picture button's face";
  EXPECT_EQ(form, RGB(0, 0, 0)) << "the form";
}

}  // namespace
