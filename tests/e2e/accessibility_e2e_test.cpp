// The main window of the real executable as a screen reader sees it from another process: the
// quick-launch buttons and "Info" among its children, with their names, roles and states, and the
// default action of a quick-launch button launching its entry through the stand-in.
#include <gtest/gtest.h>

#include "e2e/driver.h"
#include "e2e/stand_in.h"
// After windows.h, which the driver brings:
#include <oleacc.h>

#include <string>
#include <vector>

namespace {

namespace standin = e2e::standin;

TEST(AccessibilityE2E, ListsTheQuickLaunchButtonsWithTheirStatesAndLaunchesAnEntryByItsDefaultAction) {
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const std::string folder = e2e::RunFolder("accessibility");
  e2e::WriteFile(folder + "Morvela.INI", e2e::ReadFile(e2e::BinFolder() + "example-settings.INI"));
  standin::Session session{e2e::kPassword};
  e2e::Program program(folder);
  ASSERT_TRUE(e2e::standin::Ready(program, session));
  IAccessible* access = nullptr;
  ASSERT_EQ(AccessibleObjectFromWindow(program.Main(), OBJID_CLIENT, IID_IAccessible,
                                       reinterpret_cast<void**>(&access)),
            S_OK);

  // The children the form answers for itself come as ids, those with a window as the system's objects.
  LONG count = 0, obtained = 0;
  access->get_accChildCount(&count);
  std::vector<VARIANT> children(static_cast<std::size_t>(count));
  AccessibleChildren(access, 0, count, children.data(), &obtained);
  std::vector<std::wstring> buttons;
  std::vector<VARIANT> ids;
  int separators = 0;
  for (VARIANT& child : children) {
    BSTR name = nullptr;
    VARIANT role{};
    if (child.vt == VT_I4 && access->get_accRole(child, &role) == S_OK &&
        access->get_accName(child, &name) >= 0) {
      if (role.lVal == ROLE_SYSTEM_PUSHBUTTON) buttons.push_back(name ? name : L"");
      separators += role.lVal == ROLE_SYSTEM_SEPARATOR;
      ids.push_back(child);
    }
    SysFreeString(name);
    VariantClear(&child);
  }
  EXPECT_EQ(count - static_cast<LONG>(ids.size()), 17);  // the main window's child windows
  EXPECT_EQ(buttons, (std::vector<std::wstring>{L"Editor", L"Dienste", L"Konsole", L"Computer", L"Geräte",
                                                L"Regedit", L"Info"}));
  EXPECT_EQ(separators, 1);
  ASSERT_EQ(ids.size(), 8u);
  const VARIANT editor = ids[0];  // the first stop of the Tab order without a window of its own

  // The pointer over button 1 makes it hot, as its face shows.
  // Every quick-launch button can take the keyboard focus.
  const auto state = [&] {
    VARIANT v{};
    return access->get_accState(editor, &v) == S_OK ? v.lVal & ~STATE_SYSTEM_FOCUSABLE : -1;
  };
  EXPECT_EQ(state(), 0);
  POINT over{154, 108};
  ClientToScreen(program.Main(), &over);
  SetCursorPos(over.x, over.y);
  PostMessageA(program.Main(), WM_MOUSEMOVE, 0, MAKELPARAM(154, 108));
  EXPECT_TRUE(e2e::WaitFor([&] { return state() == STATE_SYSTEM_HOTTRACKED; })) << state();
  SetCursorPos(0, 0);

  e2e::Program::SetText(program.ControlAt(program.Main(), 104, 56), e2e::kPassword);
  BSTR action = nullptr;
  EXPECT_EQ(access->get_accDefaultAction(editor, &action), S_OK);
  EXPECT_STREQ(action, L"Drücken");
  SysFreeString(action);
  EXPECT_EQ(access->accDoDefaultAction(editor), S_OK);
  ASSERT_TRUE(e2e::WaitFor([&] { return !session.Calls(standin::kLaunch).empty(); }));
  EXPECT_EQ(standin::Narrow(session.Calls(standin::kLaunch)[0].commandLine), "\"notepad.exe\"");
  access->Release();
  if (SUCCEEDED(com)) CoUninitialize();
}

}  // namespace
