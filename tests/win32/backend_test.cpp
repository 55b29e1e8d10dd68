// The Win32 backend of the toolkit with real windows: text round-trips, click dispatch, focus moves,
// the modal loop, the keyboard interface, label sizing and the placement of message boxes.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <vector>

#include "base/error.h"
#include "platform/win32/win32_platform.h"
#include "test_thread.h"
#include "ui/application.h"
#include "ui/win32/form_window.h"
#include "ui/win32/win32_backend.h"

namespace {

class Sample : public ui::TForm {
 public:
  explicit Sample(ui::TComponent* owner) : TForm(owner, "Sample", "Probe", 300, 120) {
    First.SetTabOrder(0);
    Secret.SetTabOrder(1);
    Secret.SetPasswordChar('*');
    Ok.SetTabOrder(2);
    Ok.SetDefault(true);
    Ok.SetModalResult(ui::mrOk);
    Cancel.SetTabOrder(3);
    Cancel.SetCancel(true);
    Cancel.SetModalResult(ui::mrCancel);
    Right.SetAlignment(ui::Alignment::kRight);
    SecretName.FocusControl = &Secret;
    SetLeft(100);
    SetTop(100);
  }
  ui::TEdit First{this, "First", {10, 10, 100, 21}};
  ui::TEdit Secret{this, "Secret", {10, 40, 100, 21}};
  ui::TButton Ok{this, "Ok", {120, 80, 75, 25}, "OK"};
  ui::TButton Cancel{this, "Cancel", {200, 80, 75, 25}, "Abbrechen"};
  ui::TLabel Right{this, "Right", {150, 10, 100, 13}, ""};
  ui::TLabel SecretName{this, "SecretName", {150, 40, 100, 13}, "Passwort:"};
};

// Two labels for the same text: one sized to it, at its right edge, and one with room to spare.
class Labels : public ui::TForm {
 public:
  explicit Labels(ui::TComponent* owner) : TForm(owner, "Labels", "Beschriftungen", 400, 130) {
    Sized.SetAlignment(ui::Alignment::kRight);
    Roomy.AutoSize = false;
    SetTop(300);
  }
  ui::TLabel Sized{this, "Sized", {190, 10, 200, 13}, ""};
  ui::TLabel Roomy{this, "Roomy", {10, 70, 300, 30}, ""};
};

HWND WindowOf(const ui::TControl& control) {
  return dynamic_cast<ui::win32::ControlWindow&>(control.Peer()).Window();
}
HWND WindowOf(const ui::TForm& form) {
  return reinterpret_cast<HWND>(form.Handle());
}

// Runs the messages that are waiting, as the message loop would.
void Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (!ui::win32::Backend().PreTranslate(message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
}

void PostKey(HWND window, WPARAM key) {
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(static_cast<UINT>(key), 0)) << 16;
  PostMessageA(window, WM_KEYDOWN, key, 1 | scan);
  PostMessageA(window, WM_KEYUP, key, 1 | scan | (3u << 30));
}

class BackendTest : public ::testing::Test {
 protected:
  ui::win32::Win32Backend backend{GetModuleHandleA(nullptr)};
  platform::Win32Platform system;
  ui::TApplication app{backend, system, "Morvela"};
  Sample* form = nullptr;

  void SetUp() override {
    app.CreateForm(form);
    ShowWindow(WindowOf(*form), SW_SHOW);
    SetForegroundWindow(WindowOf(*form));
  }
};

TEST_F(BackendTest, MakesWindowsOfTheDesignedClientSizeAtTheDesignedPlace) {
  RECT client;
  GetClientRect(WindowOf(*form), &client);
  EXPECT_EQ(client.right, 300);
  EXPECT_EQ(client.bottom, 120);
  EXPECT_EQ(form->Left(), 100);
  EXPECT_EQ(form->Top(), 100);
  RECT edit;
  GetWindowRect(WindowOf(form->Secret), &edit);
  MapWindowPoints(nullptr, WindowOf(*form), reinterpret_cast<POINT*>(&edit), 2);
  EXPECT_EQ(edit.left, 10);
  EXPECT_EQ(edit.top, 40);
  EXPECT_EQ(edit.right - edit.left, 100);
}

TEST_F(BackendTest, KeepsTextsInTheWindowsBothWays) {
  form->First.SetText("C:\\Tools\\app.exe");
  char buffer[64] = {};
  GetWindowTextA(WindowOf(form->First), buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "C:\\Tools\\app.exe");
  SetWindowTextW(WindowOf(form->Secret), L"Gehe\u00EFm\u0141");  // as typed by the user
  EXPECT_EQ(form->Secret.Text(), "GeheïmŁ");
  EXPECT_EQ(form->Secret.ReadSecret().view(), u"Gehe\u00EFm\u0141");        // the password has it
  SetWindowTextW(WindowOf(form->First), L"C:\\Temp\\\uFF53\uFF45tup.exe");  // no best fit: not "setup.exe"
  EXPECT_EQ(form->First.Text(), "C:\\Temp\\ｓｅtup.exe");
  form->Secret.SetSecret(secret::Wide(std::u16string_view(u"neu\u0141")));
  EXPECT_EQ(form->Secret.ReadSecret().view(), u"neu\u0141");
  EXPECT_EQ(SendMessageA(WindowOf(form->Secret), EM_GETPASSWORDCHAR, 0, 0), '*');
}

// A password box edits as any box does, but what typing over, Backspace, Delete or a paste removes
// is not kept for its undo: undoing never brings a removed password back.
TEST_F(BackendTest, EditsAPasswordBoxWithoutKeepingRemovedTextForUndo) {
  HWND box = WindowOf(form->Secret);
  form->Secret.SetText("geheim");
  const auto edit = [&](DWORD start, DWORD end, UINT message, WPARAM key) {
    SendMessageW(box, EM_SETSEL, start, end);
    SendMessageW(box, message, key, 0);
    return form->Secret.Text();
  };
  EXPECT_EQ(edit(6, 6, WM_CHAR, VK_BACK), "gehei");
  EXPECT_EQ(edit(0, 0, WM_KEYDOWN, VK_DELETE), "ehei");
  EXPECT_EQ(edit(0, 2, WM_CHAR, 'x'), "xei");
  EXPECT_EQ(edit(1, 3, WM_CHAR, VK_BACK), "x");
  EXPECT_EQ(edit(0, 1, WM_CLEAR, 0), "");
  SendMessageW(box, EM_UNDO, 0, 0);
  EXPECT_EQ(form->Secret.Text(), "");
  form->First.SetText("abc");  // an ordinary box keeps its undo, so the check above can fail
  HWND first = WindowOf(form->First);
  SendMessageW(first, EM_SETSEL, 0, 3);
  SendMessageW(first, WM_CHAR, 'x', 0);
  SendMessageW(first, EM_UNDO, 0, 0);
  EXPECT_EQ(form->First.Text(), "abc");
}

TEST_F(BackendTest, DispatchesAClickToItsHandler) {
  int clicks = 0;
  form->Cancel.OnClick = [&](ui::TObject* sender) {
    EXPECT_EQ(sender, &form->Cancel);
    ++clicks;
  };
  SendMessageA(WindowOf(form->Cancel), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(form->ModalResult(), ui::mrCancel);
}

// The windows stand in tab order, a label that names a box right before it (where screen readers look
// for the box's name), the other labels after them.
TEST_F(BackendTest, StacksTheControlsInTabOrderWithEachNamingLabelBeforeItsBox) {
  std::vector<HWND> order;
  for (HWND child = GetWindow(WindowOf(*form), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    order.push_back(child);
  const std::vector<HWND> expected{WindowOf(form->First), WindowOf(form->SecretName), WindowOf(form->Secret),
                                   WindowOf(form->Ok),    WindowOf(form->Cancel),     WindowOf(form->Right)};
  EXPECT_EQ(order, expected);
}

TEST_F(BackendTest, MovesTheFocusInTabOrder) {
  form->First.SetFocus();
  EXPECT_TRUE(form->First.Focused());
  form->NextDlgCtl();
  EXPECT_TRUE(form->Secret.Focused());
  EXPECT_EQ(form->ActiveControl(), &form->Secret);
  PostKey(WindowOf(form->Secret), VK_TAB);
  Pump();
  EXPECT_TRUE(form->Ok.Focused());
}

TEST_F(BackendTest, RunsAModalLoopUntilAResultIsSet) {
  PostMessageA(WindowOf(form->Ok), BM_CLICK, 0, 0);
  EXPECT_EQ(form->ShowModal(), ui::mrOk);
  EXPECT_FALSE(IsWindowVisible(WindowOf(*form)));
  PostMessageA(WindowOf(*form), WM_CLOSE, 0, 0);
  EXPECT_EQ(form->ShowModal(), ui::mrCancel);
}

// A dialog keeps its boxes' texts in memory until its windows are made at its first showing; then they
// go over as they were.
TEST_F(BackendTest, ADialogsBoxesKeepTheirTextsWhenItsWindowsAreMade) {
  Sample* dialog = nullptr;
  app.CreateForm(dialog);
  dialog->First.SetText("Größe € – Łódź");
  dialog->Secret.SetSecret(secret::Wide(std::u16string_view(u"\u0141\u20AC")));
  std::string first;
  std::u16string secret;
  dialog->OnActivate = [&](ui::TObject*) {
    first = dialog->First.Text();
    secret = dialog->Secret.ReadSecret().view();
    dialog->SetModalResult(ui::mrOk);
  };
  EXPECT_EQ(dialog->ShowModal(), ui::mrOk);
  EXPECT_EQ(first, "Größe € – Łódź");
  EXPECT_EQ(secret, u"\u0141\u20AC");
}

TEST_F(BackendTest, EnterPressesTheDefaultButtonAndEscapeTheCancelButton) {
  int activations = 0;
  form->OnActivate = [&](ui::TObject*) {
    ++activations;
    form->First.SetFocus();
    PostKey(WindowOf(form->First), VK_RETURN);
  };
  EXPECT_EQ(form->ShowModal(), ui::mrOk);
  form->OnActivate = [&](ui::TObject*) {
    ++activations;
    PostKey(WindowOf(form->First), VK_ESCAPE);
  };
  EXPECT_EQ(form->ShowModal(), ui::mrCancel);
  EXPECT_EQ(activations, 2);
}

TEST_F(BackendTest, HandsEnterToTheBoxWhenTheFormHasNoDefaultButton) {
  form->Ok.SetDefault(false);
  std::string keys;
  form->First.OnKeyPress = [&](ui::TObject*, char& key) { keys.push_back(key); };
  form->First.SetFocus();
  PostKey(WindowOf(form->First), VK_RETURN);
  Pump();
  EXPECT_EQ(keys, "\r");
}

TEST_F(BackendTest, SizesALabelByItsTextKeepingTheRightEdge) {
  form->Right.SetText("Internet-Eigenschaften");
  RECT r;
  GetWindowRect(WindowOf(form->Right), &r);
  MapWindowPoints(nullptr, WindowOf(*form), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.right, 250);
  EXPECT_GT(r.right - r.left, 60);
}

// How many columns of a window on the screen hold something other than the button face.
long InkedColumns(HWND window) {
  RECT r;
  GetClientRect(window, &r);
  HDC screen = GetDC(window);
  long inked = 0;
  for (int x = 0; x < r.right; ++x) {
    bool ink = false;
    for (int y = 0; y < r.bottom && !ink; ++y) ink = GetPixel(screen, x, y) != GetSysColor(COLOR_BTNFACE);
    inked += ink ? 1 : 0;
  }
  ReleaseDC(window, screen);
  return inked;
}

// A label sized to its text shows as much of it as a label with room to spare: no letter is cut at its
// edge, also where the font sets a letter wider than it measures it ("www" in Wine's substitutes) or
// lets the ink of the last letter reach past its advance (Tahoma's "f" at 18 points).
TEST_F(BackendTest, DrawsALabelsTextWholeInsideTheWidthItWasSizedTo) {
  Labels* labels = nullptr;
  app.CreateForm(labels);
  ui::win32::CreateFormWindows(backend, *labels, WindowOf(*form));  // a second form's windows come late
  ShowWindow(WindowOf(*labels), SW_SHOWNA);
  ui::Font large;
  large.name = "Tahoma";
  large.height = -24;
  const std::pair<ui::Font, const char*> cases[] = {
      {{}, "http://www.morvela.example"}, {{}, "Programmierer"}, {large, "Tarif"}, {large, "Druck"}};
  for (const auto& [font, text] : cases) {
    for (ui::TLabel* label : {&labels->Sized, &labels->Roomy}) {
      label->SetFont(font);
      label->SetText(text);
    }
    UpdateWindow(WindowOf(*labels));
    const long sized = InkedColumns(WindowOf(labels->Sized));
    EXPECT_GT(sized, 20) << text;
    EXPECT_EQ(sized, InkedColumns(WindowOf(labels->Roomy))) << font.name << ": " << text << " is cut";
  }
}

// Watches for a message box of this process, notes where it stands and what it says, then closes it.
struct BoxWatcher {
  std::atomic<bool> seen{false};
  RECT rect{};
  char text[256] = {};
  char title[64] = {};

  explicit BoxWatcher(DWORD process = GetCurrentProcessId()) : thread([this, process] { Watch(process); }) {}

  void Watch(DWORD process) {
    for (int i = 0; i < 500 && !seen; ++i) {
      HWND box = nullptr;
      while ((box = FindWindowExA(nullptr, box, "#32770", nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(box, &owner);
        if (owner != process || !IsWindowVisible(box)) continue;
        for (int tries = 0; tries < 250 && !GetDlgItemTextA(box, 0xFFFF, text, sizeof text); ++tries)
          Sleep(20);  // until the box shows its text
        GetWindowRect(box, &rect);
        GetWindowTextA(box, title, sizeof title);
        seen = true;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        break;
      }
      Sleep(20);
    }
  }
  TestThread thread;  // the last member: it starts watching once the others are made, ends first
};

TEST_F(BackendTest, PlacesAMessageBoxAtTheRequestedCornerOrCentresIt) {
  {
    BoxWatcher watcher;
    app.ShowMessageBox(
        {"Eintrag wurde gespeichert.", "Information", ui::kMbOk | ui::kMbIconInformation, 122, 180});
    watcher.thread.Join();
    ASSERT_TRUE(watcher.seen);
    EXPECT_EQ(watcher.rect.left, 122);
    EXPECT_EQ(watcher.rect.top, 180);
    EXPECT_STREQ(watcher.title, "Information");
  }
  {
    BoxWatcher watcher;
    app.ShowMessageBox({"Fehlertext", "Fehler", ui::kMbOk | ui::kMbIconError, {}, {}});
    watcher.thread.Join();
    ASSERT_TRUE(watcher.seen);
    const int width = watcher.rect.right - watcher.rect.left;
    const int height = watcher.rect.bottom - watcher.rect.top;
    EXPECT_NEAR(watcher.rect.left, (GetSystemMetrics(SM_CXSCREEN) - width) / 2, 1);
    EXPECT_NEAR(watcher.rect.top, (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 1);
    EXPECT_STREQ(watcher.text, "Fehlertext");
  }
}

TEST_F(BackendTest, ShowsAnErrorFromAHandlerInsteadOfLettingItThroughTheWindowProcedure) {
  form->Cancel.OnClick = [](ui::TObject*) { throw base::EError("IsWow64: bad process handle"); };
  BoxWatcher watcher;
  SendMessageA(WindowOf(form->Cancel), BM_CLICK, 0, 0);
  watcher.thread.Join();
  ASSERT_TRUE(watcher.seen);
  EXPECT_STREQ(watcher.title, "Morvela");
  EXPECT_STREQ(watcher.text, "IsWow64: bad process handle");
}

// A painter that runs out of memory, as drawing may when the system has none left.
struct FailingPainter : ui::win32::PainterOf<ui::TStatusBar, ui::win32::SurfacePainter> {
  void Paint(const ui::TControl&, HWND, HDC) override { throw std::bad_alloc(); }
  bool EraseBackground(HWND, HDC) override { return false; }
  void ContentChanged(const ui::TControl&, HWND) override {}
};

class Bar : public ui::TForm {
 public:
  explicit Bar(ui::TComponent* owner) : TForm(owner, "Bar", "Leiste", 300, 40) {}
  ui::TStatusBar Status{this, "Status", {0, 20, 300, 20}};
};

// An error inside a window procedure that no handler's guard can catch (memory running out while a
// control paints) ends the program with the program's own error box, not silently. The test runs
// itself again as the program that fails, and watches for that box.
TEST(FatalErrorTest, EndsTheProgramWithItsOwnErrorBox) {
  if (GetEnvironmentVariableA("MORVELA_FAILING_CHILD", nullptr, 0)) {
    ui::win32::Win32Backend backend{GetModuleHandleA(nullptr)};
    platform::Win32Platform system;
    ui::TApplication app{backend, system, "Morvela"};
    FailingPainter failing;
    backend.Painters().surfaces.Add(failing);
    Bar* bar = nullptr;
    app.CreateForm(bar);
    ShowWindow(WindowOf(*bar), SW_SHOW);
    UpdateWindow(WindowOf(*bar));
    ADD_FAILURE() << "the program went on after the error";
    return;
  }
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string command = std::string("\"") + self + "\" --gtest_filter=FatalErrorTest.*";
  SetEnvironmentVariableA("MORVELA_FAILING_CHILD", "1");
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION child{};
  const BOOL started =
      CreateProcessA(self, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child);
  SetEnvironmentVariableA("MORVELA_FAILING_CHILD", nullptr);
  ASSERT_TRUE(started);
  {
    BoxWatcher watcher(child.dwProcessId);
    watcher.thread.Join();
    EXPECT_TRUE(watcher.seen) << "the program ended without a word";
    EXPECT_STREQ(watcher.title, "Morvela");
    EXPECT_NE(std::string(watcher.text).find("Morvela"), std::string::npos) << watcher.text;
  }
  EXPECT_EQ(WaitForSingleObject(child.hProcess, 10000), WAIT_OBJECT_0);
  DWORD code = 0;
  GetExitCodeProcess(child.hProcess, &code);
  EXPECT_NE(code, 0u);
  CloseHandle(child.hThread);
  CloseHandle(child.hProcess);
}

}  // namespace
