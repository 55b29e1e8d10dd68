// The window position store over a fake registry.
#include <gtest/gtest.h>

#include "base/error.h"
#include "controls/FormSizeSave.h"
#include "fakes/headless_app.h"
#include "ui/application.h"
#include "ui/headless/headless_backend.h"

namespace {

constexpr char kKey[] = "\\SOFTWARE\\Belvark\\vesk-tor\\Position";

class Window : public ui::TForm {
 public:
  explicit Window(ui::TComponent* owner) : TForm(owner, "Form1", "Morvela - Test", 543, 156) {
    SetLeft(329);
    SetTop(208);
    Store.Company = "Belvark";
    Store.ProductName = "vesk-tor";
    Store.SubKey = "Position";
  }
  TFormSizeSave Store{this, "FormSizeSave1"};
};

class FormSizeSaveTest : public ::testing::Test, protected fake::HeadlessApp {
 protected:
  Window* window = nullptr;
  void SetUp() override { app.CreateForm(window); }

  void Store(const std::string& name, std::uint32_t type, std::vector<std::uint8_t> data) {
    system.registry[kKey][name] = {type, std::move(data)};
  }
  void StoreInteger(const std::string& name, std::int32_t value) {
    Store(name, platform::kRegDword, fake::Dword(value));
  }
  std::int32_t Stored(const std::string& name) {
    const auto& data = system.registry[kKey][name].data;
    return static_cast<std::int32_t>(data[0] | data[1] << 8 | data[2] << 16 | std::uint32_t(data[3]) << 24);
  }
  std::string Error(void (TFormSizeSave::*operation)()) {
    try {
      (window->Store.*operation)();
    } catch (const base::EError& error) {
      return error.what();
    }
    return "";
  }
};

TEST_F(FormSizeSaveTest, BuildsTheKeyFromTheLevelsThatAreNotBlank) {
  EXPECT_EQ(window->Store.KeyPath(), kKey);
  window->Store.SubKey = " \t";
  EXPECT_EQ(window->Store.KeyPath(), "\\SOFTWARE\\Belvark\\vesk-tor");
  window->Store.Company = "";
  EXPECT_EQ(window->Store.KeyPath(), "\\SOFTWARE\\\\vesk-tor");
}

TEST_F(FormSizeSaveTest, CreatesTheKeyAtTheFirstStartAndLeavesTheDesignedPosition) {
  window->Store.LoadFromRegistry();
  ASSERT_EQ(system.registryLog.size(), 6u);
  EXPECT_EQ(system.registryLog[0], std::string("open HKCU") + kKey);  // none: on to the machine's
  EXPECT_EQ(system.registryLog[1], std::string("create ") + kKey);
  EXPECT_EQ(window->Left(), 329);
  EXPECT_EQ(window->Top(), 208);
  EXPECT_EQ(system.openKeys, 0);
}

TEST_F(FormSizeSaveTest, RestoresWhatItSaved) {
  window->SetLeft(-15);
  window->SetTop(40);
  window->Store.SaveToRegistry();
  EXPECT_EQ(Stored("Form1.Left"), -15);
  EXPECT_EQ(Stored("Form1.State"), 0);
  const auto& caption = system.registry[kKey]["Form1.Caption"];
  EXPECT_EQ(caption.type, platform::kRegSz);
  EXPECT_EQ(std::string(caption.data.begin(), caption.data.end() - 1), "Morvela - Test");
  EXPECT_EQ(system.registry[kKey].count("Form1.Width"), 0u);  // position only

  window->SetLeft(329);
  window->SetTop(208);
  window->Store.LoadFromRegistry();
  EXPECT_EQ(window->Left(), -15);
  EXPECT_EQ(window->Top(), 40);
  EXPECT_EQ(system.openKeys, 0);
}

TEST_F(FormSizeSaveTest, KeepsTheLastNormalPositionOfAMinimisedWindow) {
  StoreInteger("Form1.Left", 100);
  StoreInteger("Form1.Top", 120);
  window->SetLeft(-32000);
  window->SetWindowState(ui::WindowState::kMinimized);
  window->Store.SaveToRegistry();
  EXPECT_EQ(Stored("Form1.Left"), 100);
  EXPECT_EQ(Stored("Form1.Top"), 120);
  EXPECT_EQ(Stored("Form1.State"), 1);
  window->SetWindowState(ui::WindowState::kNormal);
  window->Store.LoadFromRegistry();
  EXPECT_EQ(window->GetWindowState(), ui::WindowState::kMinimized);
}

TEST_F(FormSizeSaveTest, IgnoresAnUnknownStateAndSizesInPositionMode) {
  StoreInteger("Form1.State", 7);
  StoreInteger("Form1.Width", 1000);
  window->Store.LoadFromRegistry();
  EXPECT_EQ(window->GetWindowState(), ui::WindowState::kNormal);
  EXPECT_EQ(window->Width(), 543 + 6);
  window->Store.SaveMode = TSaveMode::smAll;
  window->Store.LoadFromRegistry();
  EXPECT_EQ(window->Width(), 1000);
}

TEST_F(FormSizeSaveTest, ReportsValuesOfTheWrongTypeOrSize) {
  StoreInteger("Form1.Left", 50);
  Store("Form1.Top", platform::kRegSz, {'4', '0', 0});  // fits in 4 bytes, wrong type
  EXPECT_EQ(Error(&TFormSizeSave::LoadFromRegistry), "Ungültiger Datentyp für 'Form1.Top'");
  EXPECT_EQ(window->Left(), 50);                                  // applied before the error
  Store("Form1.Top", platform::kRegSz, {'1', '2', '3', '4', 0});  // larger than 4 bytes
  EXPECT_EQ(Error(&TFormSizeSave::LoadFromRegistry), "Konnte Daten für 'Form1.Top' nicht holen");
  EXPECT_EQ(system.openKeys, 0);
}

TEST_F(FormSizeSaveTest, ReportsAValueThatCannotBeWrittenAndKeepsTheEarlierOnes) {
  system.unwritableValues.insert("Form1.Caption");
  EXPECT_EQ(Error(&TFormSizeSave::SaveToRegistry), "Konnte Daten für 'Form1.Caption' nicht setzen");
  EXPECT_EQ(Stored("Form1.Left"), 329);
  EXPECT_EQ(system.registry[kKey].count("Form1.State"), 0u);
  EXPECT_EQ(system.openKeys, 0);
}

// A standard user may not write below HKEY_LOCAL_MACHINE: the position goes to the same key below
// HKEY_CURRENT_USER, which is read first at the next start; the machine's is read where the user's
// holds none, and a bad value is reported from either.
TEST_F(FormSizeSaveTest, KeepsAStandardUsersPositionInTheUsersOwnKey) {
  const std::string user = std::string("HKCU") + kKey;
  StoreInteger("Form1.Left", 70);  // the machine's, written by an administrator
  system.standardUser = true;
  window->Store.LoadFromRegistry();
  EXPECT_EQ(window->Left(), 70);
  window->SetLeft(-20);
  window->Store.SaveToRegistry();
  EXPECT_EQ(Stored("Form1.Left"), 70);
  ASSERT_TRUE(system.registry[user].count("Form1.Left"));
  EXPECT_EQ(system.registry[user]["Form1.Left"].data, fake::Dword(-20));
  window->SetLeft(329);
  system.standardUser = false;  // an administrator's start reads the user's position first as well
  window->Store.LoadFromRegistry();
  EXPECT_EQ(window->Left(), -20);
  system.registry[user]["Form1.Top"] = {platform::kRegSz, {'4', 0}};
  EXPECT_EQ(Error(&TFormSizeSave::LoadFromRegistry), "Ungültiger Datentyp für 'Form1.Top'");
  EXPECT_EQ(system.openKeys, 0);
}

TEST_F(FormSizeSaveTest, DoesNothingWithoutAKey) {
  system.registryKeyFails = true;
  window->Store.SaveToRegistry();
  window->Store.LoadFromRegistry();
  EXPECT_EQ(window->Left(), 329);
  EXPECT_TRUE(system.registry.empty());
}

}  // namespace
