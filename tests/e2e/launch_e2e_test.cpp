// The real executable under Wine: the main window, the Enter keys, the command-window button, and the
// launch exactly as the system receives it, through the stand-in for the call Wine cannot make.
#include <gtest/gtest.h>

#include "e2e/driver.h"
#include "e2e/stand_in.h"
// After windows.h, which the driver brings:
#include <winioctl.h>
#include <winnetwk.h>

namespace {

using e2e::Program;
namespace standin = e2e::standin;

const char kCaption[] = "Morvela - Programm als Administrator ausführen";
const char kLaunchFailed[] = "Falsche Zugangsdaten oder Pfad nicht gefunden.";
using e2e::kPassword;

struct MainControls {
  HWND path, password, run, commandWindow;
  explicit MainControls(const Program& program)
      : path(program.ControlAt(program.Main(), 104, 12)),
        password(program.ControlAt(program.Main(), 104, 56)),
        run(program.ControlAt(program.Main(), 464, 108)),
        commandWindow(program.ControlAt(program.Main(), 8, 100)) {}
};

TEST(MainWindowE2E, OpensWithItsCaptionAndClientSize) {
  Program program(e2e::RunFolder("main-window"));
  ASSERT_TRUE(program.Started());
  EXPECT_EQ(Program::Text(program.Main()), kCaption);
  RECT client;
  GetClientRect(program.Main(), &client);
  EXPECT_EQ(client.right, 543);
  EXPECT_EQ(client.bottom, 156);
  const LONG style = GetWindowLongA(program.Main(), GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  MainControls controls(program);
  EXPECT_EQ(Program::Text(controls.run), "Ausführen");
  EXPECT_EQ(GetWindowLongA(controls.password, GWL_STYLE) & ES_PASSWORD, ES_PASSWORD);
  EXPECT_EQ(program.Focus(), controls.path);  // the first box in tab order
  // Speed buttons and the bevel have no windows: 2 boxes, 4 picture buttons, "Ausführen", the status
  // bar and 9 labels.
  int children = 0;
  for (HWND child = GetWindow(program.Main(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    ++children;
  EXPECT_EQ(children, 17);
  // Each box's label stands right before it, where screen readers take the box's name from.
  EXPECT_EQ(Program::Text(GetWindow(controls.path, GW_HWNDPREV)), "Programmname:");
  EXPECT_EQ(Program::Text(GetWindow(controls.password, GW_HWNDPREV)), "Passwort:");
  EXPECT_EQ(Program::Text(controls.commandWindow), "Eingabeaufforderung");  // a picture's name
  EXPECT_TRUE(e2e::SaveScreenshot(program.Main(), "main_window"));
}

TEST(MainWindowE2E, TheCommandWindowButtonFillsThePathBoxAndTheLabel) {
  Program program(e2e::RunFolder("command-window"));
  ASSERT_TRUE(program.Started());
  MainControls controls(program);
  Program::Click(controls.commandWindow);
  EXPECT_TRUE(e2e::WaitFor([&] { return Program::Text(controls.path) == "cmd.exe"; }));
  EXPECT_NE(program.ControlWithText(program.Main(), "DOS - Fenster"), nullptr);
}

// The shipped executable with the stand-in in place of the launch that Wine always refuses.
class LaunchE2E : public ::testing::Test {
 protected:
  standin::Session session{kPassword};
  Program program{e2e::RunFolder("launch")};
  MainControls controls{program};

  void SetUp() override { ASSERT_TRUE(e2e::standin::Ready(program, session)); }
};

// The wiring from the boxes to the system, one row for each file type: the arguments' own rules are
// tested below this tier, against the fake and against the adapter.
TEST_F(LaunchE2E, HandsTheSystemEachFileTypesCommandLineWithTheCredentialsAndClosesBothHandles) {
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\Tools\\setup.msi", "msiexec.exe /i \"C:\\Tools\\setup.msi\""},
      {"C:\\WINDOWS\\system32\\compmgmt.msc", "mmc.exe \"C:\\WINDOWS\\system32\\compmgmt.msc\""},
      {"C:\\Program Files\\App\\app.exe", "\"C:\\Program Files\\App\\app.exe\""},
      {"rundll32.exe shell32.dll Control_RunDLL appwiz.cpl",
       "rundll32.exe shell32.dll Control_RunDLL appwiz.cpl"},
  };
  for (const auto& [path, commandLine] : cases) {
    const std::size_t before = session.Calls(standin::kLaunch).size();
    program.Run(path);
    const standin::Record r = session.Next(standin::kLaunch, before);
    EXPECT_EQ(standin::Narrow(r.commandLine), commandLine);
    ASSERT_TRUE(r.answer) << path;
    for (const char* handle : r.handles)
      EXPECT_TRUE(e2e::WaitFor([&] { return standin::Closed(handle); })) << handle << " is still open";
  }
  // The rest of the record is the same for every row: the account and its domain, the password, and
  // the empty settings of the call.
  const standin::Record r = session.Calls(standin::kLaunch).back();
  EXPECT_EQ(standin::Narrow(r.user), "Administrator");
  EXPECT_EQ(standin::Narrow(r.domain), e2e::AccountDomain());
  EXPECT_EQ(r.password, standin::SecretOf(kPassword));
  // The applet's host, found in the system folder, starts there.
  char system[MAX_PATH] = "";
  GetSystemDirectoryA(system, MAX_PATH);
  EXPECT_EQ(
      lstrcmpiA(standin::Narrow(r.application).c_str(), (std::string(system) + "\\rundll32.exe").c_str()), 0);
  EXPECT_EQ(lstrcmpiA(standin::Narrow(r.directory).c_str(), (std::string(system) + "\\").c_str()), 0);
  EXPECT_TRUE(r.startupRestZero);
  ASSERT_TRUE(Program::Handled(controls.run));
  EXPECT_EQ(program.WaitForWindow("Fehler", 0), nullptr);  // success shows nothing
}

// A wrong password fails at the logon that comes before each launch: one failed logon, no launch.
TEST_F(LaunchE2E, ARefusedLaunchShowsTheErrorBoxAndKeepsBothBoxes) {
  program.Run("C:\\Tools\\setup.msi", "geheim-124");
  ASSERT_TRUE(e2e::WaitFor([&] { return !session.Calls(standin::kLogon).empty(); }));
  EXPECT_FALSE(session.Calls(standin::kLogon)[0].answer);
  HWND box = program.WaitForWindow("Fehler");
  ASSERT_NE(box, nullptr);
  const std::string text = Program::BoxText(box);
  EXPECT_EQ(text.rfind(std::string(kLaunchFailed) + "\n\n", 0), 0u) << text;
  EXPECT_TRUE(text.ends_with("(Fehler 1326)")) << text;
  e2e::SaveScreenshot(box, "error_box");
  Program::CloseBox(box);
  ASSERT_TRUE(e2e::WaitFor([&] { return !IsWindow(box); }));
  EXPECT_EQ(Program::Text(controls.path), "C:\\Tools\\setup.msi");
  EXPECT_EQ(Program::Text(controls.password), "geheim-124");
  EXPECT_EQ(session.Calls(standin::kLogon).size(), 1u);
  EXPECT_TRUE(session.Calls(standin::kLaunch).empty());
}

TEST_F(LaunchE2E, EnterInThePathBoxMovesToThePasswordBoxAndStartsNothing) {
  Program::SetText(controls.path, "C:\\windows\\notepad.exe");
  Program::FocusBox(controls.path);
  ASSERT_TRUE(e2e::WaitFor([&] { return program.Focus() == controls.path; }));
  Program::PressKey(controls.path, VK_RETURN);
  EXPECT_TRUE(e2e::WaitFor([&] { return program.Focus() == controls.password; }));
  ASSERT_TRUE(Program::Handled(controls.run));
  EXPECT_TRUE(session.Calls(standin::kLaunch).empty());
}

// A mapped network drive over a folder, defined through Wine's mount manager for as long as the
// object lives, as the operator's session may have one.
class NetworkDrive {
 public:
  NetworkDrive(wchar_t letter, const std::string& folder) : letter_(letter) {
    using UnixName = char*(CDECL*)(LPCWSTR);
    auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    const std::wstring wide(folder.begin(), folder.end());
    char* path = unixName ? unixName(wide.c_str()) : nullptr;
    defined_ = path && Define(DRIVE_REMOTE, path);
    if (path) HeapFree(GetProcessHeap(), 0, path);
  }
  ~NetworkDrive() { Define(DRIVE_NO_ROOT_DIR, ""); }
  NetworkDrive(const NetworkDrive&) = delete;
  NetworkDrive& operator=(const NetworkDrive&) = delete;
  bool Defined() const { return defined_; }

 private:
  // The mount manager's record of a drive, followed by the folder's path.
  struct UnixDrive {
    ULONG size, type, fsType;
    DWORD serial;
    ULONGLONG device;
    WCHAR letter;
    USHORT mountPointOffset, deviceOffset, labelOffset;
  };
  bool Define(ULONG type, const std::string& path) const {
    std::vector<char> request(sizeof(UnixDrive) + path.size() + 1);
    auto* drive = reinterpret_cast<UnixDrive*>(request.data());
    *drive = {static_cast<ULONG>(request.size()),
              type,
              0,
              0,
              0,
              letter_,
              path.empty() ? USHORT{0} : USHORT{sizeof(UnixDrive)},
              0,
              0};
    path.copy(request.data() + sizeof(UnixDrive), path.size());
    HANDLE manager = CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (manager == INVALID_HANDLE_VALUE) return false;
    DWORD returned = 0;
    const DWORD defineDrive = CTL_CODE(0x6D, 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);
    const bool ok = DeviceIoControl(manager, defineDrive, request.data(), static_cast<DWORD>(request.size()),
                                    nullptr, 0, &returned, nullptr);
    CloseHandle(manager);
    return ok;
  }
  wchar_t letter_;
  bool defined_ = false;
};

// A program on a network drive is started by its universal name, in its own folder so named: the
// administrator's logon session does not see the operator's drive mappings.
TEST(NetworkLaunchE2E, StartsAProgramOnANetworkDriveByItsUniversalName) {
  const std::string folder = e2e::RunFolder("network-drive");
  e2e::WriteFile(folder + "tool.exe", "");
  NetworkDrive drive(L'n', folder);
  ASSERT_TRUE(drive.Defined());
  ASSERT_EQ(GetDriveTypeA("N:\\"), static_cast<UINT>(DRIVE_REMOTE));
  standin::Session session(kPassword);
  Program program(folder);
  ASSERT_TRUE(e2e::standin::Ready(program, session));
  program.Run("N:\\tool.exe");
  const standin::Record r = session.Next(standin::kLaunch);

  union {
    UNIVERSAL_NAME_INFOA info;
    char bytes[1024];
  } universal{};
  DWORD size = sizeof universal;
  const bool named =
      WNetGetUniversalNameA("N:\\tool.exe", UNIVERSAL_NAME_INFO_LEVEL, &universal, &size) == NO_ERROR;
  const std::string file = named ? universal.info.lpUniversalName : "N:\\tool.exe";
  EXPECT_EQ(standin::Narrow(r.application), file);
  EXPECT_EQ(standin::Narrow(r.directory), file.substr(0, file.rfind('\\') + 1));
  EXPECT_EQ(standin::Narrow(r.commandLine), "\"" + file + "\"");
}

}  // namespace
