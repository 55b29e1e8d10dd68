#pragma once
// A running program on the headless backend with the fake platform: the five windows created in
// order, as at program start.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "FormDruckerList_u/FormDruckerList_u.h"
#include "FormInfo_u/FormInfo_u.h"
#include "FormPass_u/FormPass_u.h"
#include "FormSpeed_u/FormSpeed_u.h"
#include "Morvela/program.h"
#include "Unit1/Unit1.h"
#include "fakes/fake_platform.h"
#include "ui/application.h"
#include "ui/headless/headless_backend.h"

// What the operator reads when a launch is refused before the system is asked.
inline const std::string kRefusedTooLong =
    "Der Pfad ist länger als 255 Zeichen. Er wird nicht gekürzt, denn ein gekürzter Pfad könnte ein anderes "
    "Programm starten.\n\nEs wurde nichts gestartet.";
class ProgramTest : public ::testing::Test {
 protected:
  fake::FakePlatform system;
  ui::headless::HeadlessBackend screen;
  std::unique_ptr<ui::TApplication> app;

  static constexpr char kSettings[] = "C:\\Programme\\Morvela\\Morvela.INI";

  ProgramTest() { system.MakeFolder("C:\\Programme\\Morvela\\"); }

  // Tests adjust the fake first, then start the program.
  void Start() {
    app = std::make_unique<ui::TApplication>(screen, system, "Morvela");
    CreateForms(*app);
  }
  void TearDown() override { app.reset(); }

  TForm1& Main() { return *Form1; }
  // Typing Enter in a box: the form's keyboard interface first, then the box's own handler.
  void PressEnter(ui::TControl& control) {
    control.SetFocus();
    if (control.Form()->DialogKey(ui::Key::kReturn)) return;
    char key = '\r';
    control.KeyPress(key);
  }
  const ui::MessageBoxRequest& LastBox() { return screen.messageBoxes.back(); }
  // A click on a control without a window as the mouse makes it, through its form's host: over it,
  // the left button pressed and released inside.
  static void ClickOn(ui::TControl& control) {
    ui::WindowlessHost& host = control.Form()->Windowless();
    const ui::Point at{control.Left() + control.Width() / 2, control.Top() + control.Height() / 2};
    host.MouseMove(at);
    host.ButtonDown(ui::MouseButton::kLeft, at);
    host.ButtonUp(ui::MouseButton::kLeft, at);
  }
  TXPSpeedButton& Quick(int n) {
    return dynamic_cast<TXPSpeedButton&>(*Main().FindComponent("XPSpeedButton" + std::to_string(n)));
  }
  std::string Settings() { return system.ReadFile(kSettings); }
  // A settings file with the given entries: section number, text, path, hint.
  void WriteEntries(const std::vector<std::tuple<int, std::string, std::string, std::string>>& entries) {
    std::string content;
    for (const auto& [n, text, path, hint] : entries)
      content += "[SpeedButton" + std::to_string(n) + "]\r\nText=" + text + "\r\nPfad=" + path +
                 "\r\nHint=" + hint + "\r\n";
    system.WriteFile(kSettings, content);
  }
};

// A table row's test is named by the row's name, not by its bytes.
template <class Row>
std::string NameOf(const ::testing::TestParamInfo<Row>& row) {
  return row.param.name;
}
