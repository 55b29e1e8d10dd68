#pragma once
// Drives the real executable from outside, as a user would: it starts the program in a folder of its
// own, finds its windows and controls, types, presses keys and buttons, reads message boxes and files,
// and saves screenshots. Every wait has a deadline.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

// The folder of the driver, where the executables under test lie (with a trailing backslash).
std::string BinFolder();
// A fresh, empty folder for one scenario.
std::string RunFolder(const std::string& name);
// Waits until the condition holds; false when the deadline passes first.
bool WaitFor(const std::function<bool()>& condition, int milliseconds = 10000);
std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& content);
// Saves the screen area of a window as <bin>\screenshots\<name>.png, once its drawing has come to rest.
bool SaveScreenshot(HWND window, const std::string& name);
// Waits until the window looks the same in two looks in a row: its drawing has come to rest.
bool Settled(HWND window);
// Reads a screen pixel (0x00BBGGRR).
COLORREF ScreenPixel(int x, int y);

// The administrator's password in every test that the stand-in answers for.
inline constexpr char kPassword[] = "geheim-123";

// The program's UTF-8 texts as the system's wide ones, and back.
std::wstring Wide(const std::string& utf8);
std::string Utf8(const std::wstring& wide);

// The domain of the account this driver (and so the program) runs under, asked of the system here.
std::string AccountDomain();

class Program {
 public:
  // Copies the shipped executable from the bin folder into the folder (under the given name) and starts
  // it there, with the folder as its current directory and the arguments after its name.
  explicit Program(const std::string& folder, const std::string& copyAs = "Morvela.exe",
                   const std::string& currentDirectory = {}, const std::string& arguments = {});
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  bool Started() const { return main_ != nullptr; }
  HWND Main() const { return main_; }
  DWORD Id() const { return process_.dwProcessId; }
  HANDLE Process() const { return process_.hProcess; }
  const std::string& Folder() const { return folder_; }

  // The top-level window of this process with this title (any class), once it is visible.
  HWND WaitForWindow(const std::string& title, int milliseconds = 10000) const;
  // A child window of the given window whose top-left corner lies at the client point.
  HWND ControlAt(HWND parent, int x, int y) const;
  // A child window showing exactly this text.
  HWND ControlWithText(HWND parent, const std::string& text) const;
  // The window that has the keyboard focus in the program.
  HWND Focus() const;
  // The main window's path box and password box.
  HWND PathBox() const { return ControlAt(main_, 104, 12); }
  HWND PasswordBox() const { return ControlAt(main_, 104, 56); }
  // A launch: the path (when given) and the password into their boxes, then Enter in the password box.
  void Run(const std::optional<std::string>& path = {}, const std::string& password = kPassword) const;
  // The text of the error box that comes next, which is closed then; "(no box)" when none comes.
  std::string NextError() const;
  // "Bearbeiten" from quick-launch button 1's menu: the gate; and then the editor's window, or nullptr.
  bool Gate() const;
  HWND OpenEditor() const;

  static std::string Text(HWND window);
  static void SetText(HWND window, const std::string& text);
  static void Click(HWND button);                                      // a push button: BM_CLICK
  static void ClickAt(HWND window, int x, int y, bool right = false);  // a mouse press and release
  static void PressKey(HWND window, WPARAM key);
  // Real key strokes to the window that has the focus, each with a modifier held (VK_SHIFT, VK_MENU)
  // where one is given.
  static void Keys(const std::vector<std::pair<WORD, WORD>>& strokes);
  // The program's popup menu, once it shows; nullptr when none comes.
  HWND WaitForMenu() const;
  static void FocusBox(HWND edit);  // clicks into an edit box
  // Types into the window that has the focus with real key events, as a keyboard would: letters, digits
  // and "-" only. Selects what the box holds first when told to, so that the keys type it over.
  bool Type(HWND edit, const std::string& keys, bool over = false) const;
  // Waits for the program's popup menu and chooses its item at the position (0 = the first item).
  bool ChooseFromMenu(int item) const;
  // Waits for the program's popup menu and presses the keys in it; optionally saves a screenshot first.
  bool MenuKeys(const std::vector<WPARAM>& keys, const std::string& screenshot = "") const;
  // The entries of a list box.
  static std::vector<std::string> ListItems(HWND list);
  // The text of a message box.
  static std::string BoxText(HWND box);
  static void CloseBox(HWND box);

  // Whether everything posted to the program before has been handled: a pressed state posted to one of
  // its push buttons after it shows. The button is left as it was.
  static bool Handled(HWND button);

  // Closes the main window and waits for the process to end.
  bool Close();

 private:
  std::string folder_;
  PROCESS_INFORMATION process_{};
  HWND main_ = nullptr;
};

}  // namespace e2e
