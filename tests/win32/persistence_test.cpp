// The settings file control and the window position store through the real profile functions and the
// real registry.
#include <windows.h>

#include <gtest/gtest.h>

#include "base/error.h"
#include "controls/FormSizeSave.h"
#include "controls/IniCtrl.h"
#include "platform/win32/win32_platform.h"
#include "ui/application.h"
#include "ui/win32/win32_backend.h"

namespace {

class Window : public ui::TForm {
 public:
  explicit Window(ui::TComponent* owner) : TForm(owner, "Form1", "Morvela - Probe", 200, 100) {
    SetBorderStyle(ui::BorderStyle::kSingle);
    SetLeft(329);
    SetTop(208);
    Store.Company = "Morvela-Test";
    Store.ProductName = "vesk-tor";
    Store.SubKey = "Position";
  }
  TFormSizeSave Store{this, "FormSizeSave1"};
  TIniCtrl Ini{this, "IniCtrl1"};
};

class PersistenceTest : public ::testing::Test {
 protected:
  ui::win32::Win32Backend backend{GetModuleHandleA(nullptr)};
  platform::Win32Platform system;
  ui::TApplication app{backend, system, "Morvela"};
  Window* window = nullptr;
  std::string folder;

  void SetUp() override {
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Morvela-Test\\vesk-tor\\Position");
    app.CreateForm(window);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder = std::string(temp) + "morvela-persistence\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    window->Ini.SetTarget(TIniTarget::itIniFile);
    window->Ini.IniPrefix = TIniPathPrefix::ppFixed;
    window->Ini.SetIniFile(folder + "Werkzeug");
  }
  void TearDown() override {
    const std::string file = folder + "Werkzeug.INI";
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(file.c_str());
    RemoveDirectoryA(folder.c_str());
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Morvela-Test\\vesk-tor\\Position");
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Morvela-Test\\vesk-tor");
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Morvela-Test");
  }
  DWORD Stored(const char* name) {
    DWORD value = 0, size = sizeof value;
    RegGetValueA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Morvela-Test\\vesk-tor\\Position", name, RRF_RT_REG_DWORD,
                 nullptr, &value, &size);
    return value;
  }
};

TEST_F(PersistenceTest, TheSettingsControlReadsAndWritesTheRealFile) {
  EXPECT_EQ(window->Ini.IniFile(), folder + "Werkzeug.INI");
  EXPECT_EQ(window->Ini.ReadValue("SpeedButton1", "Text", ""), "");
  window->Ini.WriteValue("SpeedButton1", "Text", "Gerätemanager");
  window->Ini.WriteValue("SpeedButton1", "Hint", "");
  EXPECT_EQ(window->Ini.ReadValue("SpeedButton1", "Text", ""), "Gerätemanager");
  EXPECT_EQ(window->Ini.ReadValue("SpeedButton1", "Hint", "vorgabe"), "");
}

TEST_F(PersistenceTest, AFailedWriteNamesTheFile) {
  window->Ini.SetIniFile(folder + "fehlt\\Werkzeug.INI");
  try {
    window->Ini.WriteValue("SpeedButton1", "Text", "x");
    FAIL() << "no error";
  } catch (const base::EError& error) {
    EXPECT_EQ(std::string(error.what()),
              "nach " + folder + "fehlt\\Werkzeug.INI kann nicht geschrieben werden");
  }
}

TEST_F(PersistenceTest, ThePositionStoreKeepsTheWindowInTheRegistry) {
  window->SetLeft(-20);
  window->SetTop(77);
  window->Store.SaveToRegistry();
  EXPECT_EQ(static_cast<LONG>(Stored("Form1.Left")), -20);
  EXPECT_EQ(Stored("Form1.Top"), 77u);
  EXPECT_EQ(Stored("Form1.State"), 0u);
  window->SetLeft(329);
  window->SetTop(208);
  window->Store.LoadFromRegistry();
  EXPECT_EQ(window->Left(), -20);
  EXPECT_EQ(window->Top(), 77);
}

TEST_F(PersistenceTest, ThePositionStoreRefusesAValueOfTheWrongType) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Morvela-Test\\vesk-tor\\Position", 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(key, "Form1.Top", 0, REG_SZ, reinterpret_cast<const BYTE*>("12345"), 6);
  RegSetValueExA(key, "Form1.Left", 0, REG_SZ, reinterpret_cast<const BYTE*>("12"), 3);
  RegCloseKey(key);
  try {
    window->Store.LoadFromRegistry();
    FAIL() << "no error";
  } catch (const base::EError& error) {
    EXPECT_STREQ(error.what(), "Ungültiger Datentyp für 'Form1.Left'");
  }
}

}  // namespace
