// The accessible object of a form's client area with real windows under Wine, asked in this process the
// way a screen reader asks it: the controls without a window answered by the form, the others by the
// system's objects for their windows, and a default action that clicks only once the form's messages run.
#include <windows.h>
// After windows.h:
#include <oleacc.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/win32_platform.h"
#include "test_thread.h"
#include "ui/application.h"
#include "ui/win32/control_windows.h"
#include "ui/win32/win32_backend.h"

namespace {

class Board : public ui::TForm {
 public:
  explicit Board(ui::TComponent* owner) : TForm(owner, "Board", "Zugang", 300, 120) { Off.SetEnabled(false); }
  ui::TSpeedButton Editor{this, "Editor", {10, 10, 60, 20}, "Editor"};  // child 1
  ui::TBevel Line{this, "Line", {10, 40, 200, 9}};                      // child 2
  ui::TButton Run{this, "Run", {100, 60, 75, 25}, "Ausführen"};         // child 3
  ui::TSpeedButton Off{this, "Off", {200, 10, 60, 20}, "Aus"};          // child 4
};

VARIANT Id(long id) {
  VARIANT v{};
  v.vt = VT_I4;
  v.lVal = id;
  return v;
}

class AccessibleFormTest : public ::testing::Test {
 protected:
  HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  ui::win32::Win32Backend backend{GetModuleHandleA(nullptr)};
  platform::Win32Platform system;
  ui::TApplication app{backend, system, "Morvela"};
  Board* board = nullptr;
  HWND form = nullptr;
  IAccessible* access = nullptr;

  void SetUp() override {
    app.CreateForm(board);
    form = reinterpret_cast<HWND>(board->Handle());
    ShowWindow(form, SW_SHOW);
    ASSERT_EQ(
        AccessibleObjectFromWindow(form, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&access)),
        S_OK);
  }
  void TearDown() override {
    if (access) access->Release();
    if (SUCCEEDED(com)) CoUninitialize();
  }
  // Where a question ended: "id N", "Run" (the system's object for its window) or "none".
  std::wstring Target(HRESULT result, VARIANT v) {
    if (result != S_OK || v.vt == VT_EMPTY) return L"none";
    if (v.vt == VT_I4) return L"id " + std::to_wstring(v.lVal);
    HWND window = nullptr;
    IAccessible* object = nullptr;
    if (SUCCEEDED(v.pdispVal->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(&object)))) {
      WindowFromAccessibleObject(object, &window);
      object->Release();
    }
    v.pdispVal->Release();
    return window == dynamic_cast<ui::win32::ControlWindow&>(board->Run.Peer()).Window() ? L"Run" : L"?";
  }
};

TEST_F(AccessibleFormTest, AnswersFindsAndStepsAsTheFormOrTheSystemsObjectsForItsChildWindows) {
  LONG count = 0;
  EXPECT_EQ(access->get_accChildCount(&count), S_OK);
  EXPECT_EQ(count, 4);
  for (const auto& [id, expected] : {std::pair{1, L"Editor"}, {2, L"(none)"}, {3, L"Ausführen"}}) {
    BSTR name = nullptr;
    access->get_accName(Id(id), &name);
    EXPECT_STREQ(name ? name : L"(none)", expected) << id;
    SysFreeString(name);
  }
  VARIANT role{}, state{}, v{};
  access->get_accRole(Id(2), &role);
  access->get_accState(Id(4), &state);
  EXPECT_EQ((std::vector<LONG>{role.lVal, state.lVal}), (std::vector<LONG>{ROLE_SYSTEM_SEPARATOR, 1}));
  LONG x = 0, y = 0, w = 0, h = 0;
  access->accLocation(&x, &y, &w, &h, Id(1));
  POINT corner{10, 10};
  ClientToScreen(form, &corner);
  EXPECT_EQ((std::vector<LONG>{x, y, w, h}), (std::vector<LONG>{corner.x, corner.y, 60, 20}));

  EXPECT_EQ(access->get_accChild(Id(1), &v.pdispVal), S_FALSE);
  v.vt = VT_DISPATCH;
  EXPECT_EQ(Target(access->get_accChild(Id(3), &v.pdispVal), v), L"Run");
  const auto hit = [&](POINT at) {
    ClientToScreen(form, &at);
    return Target(access->accHitTest(at.x, at.y, &v), v);
  };
  EXPECT_EQ(hit({20, 15}), L"id 1");
  EXPECT_EQ(hit({110, 70}), L"Run");
  EXPECT_EQ(hit({250, 100}), L"id 0");
  EXPECT_EQ(hit({310, 50}), L"none");
  EXPECT_EQ(Target(access->accNavigate(NAVDIR_FIRSTCHILD, Id(CHILDID_SELF), &v), v), L"id 1");
  EXPECT_EQ(Target(access->accNavigate(NAVDIR_NEXT, Id(2), &v), v), L"Run");
  EXPECT_EQ(Target(access->accNavigate(NAVDIR_NEXT, Id(4), &v), v), L"none");
}

TEST_F(AccessibleFormTest, TheDefaultActionClicksWhenTheFormsMessagesRunAndNotAfterTheWindowIsGone) {
  int clicks = 0;
  board->Editor.OnClick = [&](ui::TObject*) { ++clicks; };
  EXPECT_EQ(access->accDoDefaultAction(Id(4)), DISP_E_MEMBERNOTFOUND);  // disabled
  EXPECT_EQ(access->accDoDefaultAction(Id(1)), S_OK);
  EXPECT_EQ(clicks, 0);  // not inside the client's call
  MSG message;
  for (DWORD start = GetTickCount(); clicks == 0 && GetTickCount() - start < 5000;)
    if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  EXPECT_EQ(clicks, 1);

  DestroyWindow(form);
  PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);  // the main window's end posted it
  LONG count = 0;
  EXPECT_EQ(access->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(access->accDoDefaultAction(Id(1)), CO_E_OBJNOTCONNECTED);
}

// The window keeps one object for every client, which serves calls only on the window's thread.
TEST_F(AccessibleFormTest, IsOneObjectForTheWindowsLifeAndServesOnlyItsThread) {
  IAccessible* again = nullptr;
  ASSERT_EQ(AccessibleObjectFromWindow(form, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&again)),
            S_OK);
  EXPECT_EQ(again, access);
  again->Release();
  HRESULT elsewhere = S_OK;
  TestThread([&] {
    LONG count = 0;
    elsewhere = access->get_accChildCount(&count);
  }).Join();
  EXPECT_EQ(elsewhere, RPC_E_WRONG_THREAD);
}

std::vector<std::pair<DWORD, LONG>> g_events;  // the WinEvents seen for the form's client area

void CALLBACK Seen(HWINEVENTHOOK, DWORD event, HWND, LONG object, LONG child, DWORD, DWORD) {
  if (object == OBJID_CLIENT && child != CHILDID_SELF) g_events.push_back({event, child});
}

// The keys that the form's window receives reach the host of its controls without a window, and a
// screen reader hears of the focus and the press and finds the focused one.
TEST_F(AccessibleFormTest, TheKeysReachTheControlsWithoutAWindowAndScreenReadersHearOfThem) {
  board->Editor.SetTabOrder(1);
  board->Off.SetTabOrder(1);
  board->Off.SetEnabled(true);
  int clicks = 0;
  board->Off.OnClick = [&](ui::TObject*) { ++clicks; };
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_STATECHANGE, nullptr, Seen,
                                       GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  g_events.clear();
  board->Editor.SetFocus();
  ASSERT_EQ(GetFocus(), form);
  SendMessageA(form, WM_KEYDOWN, VK_RIGHT, 0);
  EXPECT_TRUE(board->Off.Focused());
  SendMessageA(form, WM_KEYDOWN, VK_SPACE, 0);
  SendMessageA(form, WM_KEYUP, VK_SPACE, 0);
  EXPECT_EQ(clicks, 1);
  VARIANT focus{}, state{};
  EXPECT_EQ(access->get_accFocus(&focus), S_OK);
  EXPECT_EQ(focus.vt == VT_I4 ? focus.lVal : -1, 2);  // the second of the Tab order now
  access->get_accState(Id(2), &state);
  EXPECT_EQ(state.lVal & (STATE_SYSTEM_FOCUSED | STATE_SYSTEM_FOCUSABLE),
            STATE_SYSTEM_FOCUSED | STATE_SYSTEM_FOCUSABLE);
  MSG message;
  for (DWORD start = GetTickCount(); g_events.size() < 4 && GetTickCount() - start < 3000;)
    if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  UnhookWinEvent(hook);
  const std::vector<std::pair<DWORD, LONG>> expected{{EVENT_OBJECT_FOCUS, 1},
                                                     {EVENT_OBJECT_FOCUS, 2},
                                                     {EVENT_OBJECT_STATECHANGE, 2},
                                                     {EVENT_OBJECT_STATECHANGE, 2}};
  EXPECT_EQ(g_events, expected);
}

}  // namespace
