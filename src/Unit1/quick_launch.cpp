// The quick-launch entries of the main window: loading them at start, launching one, and the
// administrator gate in front of the editor.
#include "Unit1/quick_launch.h"

#include <algorithm>

#include "FormPass_u/FormPass_u.h"
#include "FormSpeed_u/FormSpeed_u.h"
#include "Unit1/Unit1.h"
#include "Unit1/outcome_messages.h"
#include "ui/application.h"
#include "ui/text.h"
#include "z_global/credentials.h"
#include "z_global/system_info.h"

namespace {
constexpr std::size_t kShortText = 255;
constexpr std::size_t kRowBuffer = 4096;
constexpr char kGateRefused[] =
    "Diese Einträge kann nur der Administrator mit gültigen Passwort bearbeiten!\rBitte das Passwort "
    "eintragen.";
}  // namespace

std::string QuickSection(int entry) {
  return "SpeedButton" + std::to_string(entry);
}

std::string TableValue(std::string_view value) {
  std::string out(value);
  std::erase(out, kColumnDelimiter);
  return out;
}

bool FitsInTable(std::string_view text, std::string_view path, std::string_view hint) {
  return text.size() + path.size() + hint.size() + 2 < kRowBuffer;
}

bool FitsOnLines(std::string_view text, std::string_view path, std::string_view hint) {
  for (std::string_view value : {text, path, hint})
    if (value.find_first_of("\r\n") != std::string_view::npos) return false;
  return true;
}

void TForm1::LoadQuickEntries() {
  for (int n = 1; n <= 6; ++n) {
    const std::string section = QuickSection(n);
    const std::string text = ui::Cut(IniCtrl1.ReadValue(section, "Text", ""), kShortText);
    // The path stays whole: cut, it could name another program, and its launch refuses it instead.
    const std::string path = IniCtrl1.ReadValue(section, "Pfad", "");
    const std::string hint = ui::Cut(IniCtrl1.ReadValue(section, "Hint", ""), kShortText);
    ColumnListBox1.Add(TableValue(text) + kColumnDelimiter + TableValue(path) + kColumnDelimiter +
                       TableValue(hint));
    if (auto* button = dynamic_cast<TXPSpeedButton*>(FindComponent("XPSpeedButton" + std::to_string(n)))) {
      button->SetText(ColumnListBox1.GetItemColumn(static_cast<std::size_t>(n - 1), 0));
      if (!hint.empty()) {
        button->SetHint(hint);
        button->SetShowHint(true);
      }
    }
  }
}

int TForm1::QuickButtonNumber(TObject* sender) {
  return dynamic_cast<ui::TComponent&>(*sender).Tag();
}

void TForm1::XPSpeedButton1Click(TObject* sender) {
  LaunchQuickEntry(sender, QuickButtonNumber(sender));
}

void TForm1::LaunchQuickEntry(TObject*, int n) {
  if (Busy()) return;
  const std::string stored = ColumnListBox1.GetItemColumn(static_cast<std::size_t>(n - 1), 1);
  const z_global::LaunchRequest request = Request(z_global::LaunchSource::kQuickEntry, stored);
  if (Refused(request)) return;
  // Declined at the consent prompt: the administrator meant it, the password was right.
  if (RunWithTypedPassword(request).kind != LaunchOutcome::Kind::kFailed) return;

  FormPass->LabelAdmin.SetText(LabelAdminUser.Text());
  FormPass->LabelDomaene.SetText(LabelDom.Text());
  FormPass->EditPasswd.SetSecret(EditPasswort.ReadSecret());
  if (FormPass->ShowModal() != ui::mrOk) return;

  // The corrected password stays in the main window for the launches that follow.
  EditPasswort.SetSecret(FormPass->EditPasswd.ReadSecret());
  const LaunchOutcome again = RunWithTypedPassword(request);
  if (again.kind == LaunchOutcome::Kind::kFailed)
    ShowErrorBox(
        z_global::WithSystemReason(System(), kQuickLaunchFailed, again.error, z_global::ProgramOf(request)));
}

void TForm1::Bearbeiten11Click(TObject*) {
  if (Busy()) return;
  const std::string user = ui::Cut(LabelAdminUser.Text(), kShortText);
  const std::string domain = ui::Cut(LabelDom.Text(), kShortText);
  if (!ui::FitsCodePage(user) || !ui::FitsCodePage(domain)) {
    ShowErrorBox(RefusalText(z_global::LaunchRefusal::kAccountNotInCodePage, RefusalOutcome::kNotTried));
    EditPasswort.SetFocus();
    return;
  }
  secret::Wide password = EditPasswort.ReadSecret();
  password.Cut(kShortText);
  const platform::CallResult checked =
      z_global::CheckCredentials(System(), user, password, z_global::LogonDomain(user, domain));
  // The check leaves the thread impersonating the administrator: back to the operator's own account at
  // once, so that the editor reads and writes with the operator's rights.
  if (checked.ok) System().RevertToSelf();
  if (checked.ok && ui::UpperCaseAscii(user) == ui::UpperCaseAscii(AdminUser)) {
    FormSpeed->SetTop(Top() < 0 ? 0 : Top() + 35);
    FormSpeed->SetLeft(Left() < 0 ? 0 : Left() + 150);
    FormSpeed->OpenEditor();
    return;
  }
  ShowErrorBox(z_global::WithSystemReason(System(), kGateRefused, checked.error));
  EditPasswort.SetFocus();
}

LaunchOutcome TForm1::SaveAsAdministrator(const z_global::HelperRequest& save) {
  const std::string user = ui::Cut(LabelAdminUser.Text(), kShortText);
  const std::string domain = ui::Cut(LabelDom.Text(), kShortText);
  secret::Wide password = EditPasswort.ReadSecret();
  password.Cut(kShortText);
  waitingForHelper_ = true;
  const LaunchOutcome saved =
      SaveAsAccount(System(), user, z_global::LogonDomain(user, domain), password, save,
                    [](platform::Handle process) { ui::Application().WaitFor(process); });
  waitingForHelper_ = false;
  return saved;
}
