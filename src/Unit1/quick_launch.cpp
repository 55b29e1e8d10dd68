// The quick-launch entries of the main window: loading them at start, launching one, and the
// administrator gate in front of the editor.
#include <algorithm>
#include <limits>
#include <optional>

#include "FormPass_u/FormPass_u.h"
#include "FormSpeed_u/FormSpeed_u.h"
#include "Unit1/Unit1.h"
#include "Unit1/outcome_messages.h"
#include "base/short_text.h"
#include "base/text.h"
#include "ui/application.h"
#include "z_global/credentials.h"
#include "z_global/quick_launch_table.h"
#include "z_global/system_info.h"

namespace {
// A stored position may be as far out as an integer goes: the editor beside it stays at the edge.
int Beside(int coordinate, int offset) {
  return coordinate > std::numeric_limits<int>::max() - offset ? std::numeric_limits<int>::max()
                                                               : coordinate + offset;
}

constexpr char kGateRefused[] =
    "Diese Einträge kann nur der Administrator mit gültigen Passwort bearbeiten!\rBitte das Passwort "
    "eintragen.";
}  // namespace

std::array<TXPSpeedButton*, kQuickEntries> TForm1::QuickButtons() {
  return {&XPSpeedButton1, &XPSpeedButton2, &XPSpeedButton3,
          &XPSpeedButton4, &XPSpeedButton5, &XPSpeedButton6};
}

void TForm1::LoadQuickEntries() {
  for (int index = 0; index < kQuickEntries; ++index) {
    const QuickEntry entry = QuickEntries.Load(index);
    const std::string text = base::ShortText(entry.text);
    // The path stays whole: cut, it could name another program, and its launch refuses it instead.
    const std::string hint = base::ShortText(entry.hint);
    ColumnListBox1.Add(TableValue(text) + kColumnDelimiter + TableValue(entry.path) + kColumnDelimiter +
                       TableValue(hint));
    TXPSpeedButton& button = *QuickButtons()[static_cast<std::size_t>(index)];
    button.SetText(ColumnListBox1.GetItemColumn(static_cast<std::size_t>(index), 0));
    if (!hint.empty()) {
      button.SetHint(hint);
      button.SetShowHint(true);
    }
  }
}

void TForm1::ShowEntry(const QuickEntry& entry) {
  const auto row = static_cast<std::size_t>(entry.index);
  ColumnListBox1.SetItemColumn(row, 0, TableValue(entry.text));
  ColumnListBox1.SetItemColumn(row, 1, TableValue(entry.path));
  ColumnListBox1.SetItemColumn(row, 2, TableValue(entry.hint));
  QuickButtons()[row]->SetText(ColumnListBox1.GetItemColumn(row, 0));
  QuickButtons()[row]->SetHint(ColumnListBox1.GetItemColumn(row, 2));
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
  if (Refused(request, kQuickLaunchFailed)) return;
  // Declined at the consent prompt: the administrator meant it, the password was right.
  if (RunWithTypedPassword(request).kind != z_global::LaunchOutcome::Kind::kFailed) return;

  FormPass->LabelAdmin.SetText(LabelAdminUser.Text());
  FormPass->LabelDomaene.SetText(LabelDom.Text());
  std::optional<secret::Wide> corrected = FormPass->AskPassword(EditPasswort.ReadSecret());
  if (!corrected) return;

  // The corrected password stays in the main window for the launches that follow.
  EditPasswort.SetSecret(*corrected);
  corrected.reset();
  const z_global::LaunchOutcome again = RunWithTypedPassword(request);
  if (again.kind == z_global::LaunchOutcome::Kind::kFailed)
    ShowErrorBox(
        z_global::WithSystemReason(System(), kQuickLaunchFailed, again.error, z_global::ProgramOf(request)));
}

void TForm1::Bearbeiten11Click(TObject*) {
  if (Busy()) return;
  const std::string user = base::ShortText(LabelAdminUser.Text());
  const std::string domain = base::ShortText(LabelDom.Text());
  const secret::Wide password = TypedPassword();
  const platform::CallResult checked =
      z_global::CheckCredentials(System(), user, password, z_global::LogonDomain(user, domain));
  // The check leaves the thread impersonating the administrator: back to the operator's own account at
  // once, so that the editor reads and writes with the operator's rights.
  if (checked.ok) System().RevertToSelf();
  if (checked.ok && base::UpperCaseAscii(user) == base::UpperCaseAscii(AdminUser)) {
    FormSpeed->SetTop(Top() < 0 ? 0 : Beside(Top(), 35));
    FormSpeed->SetLeft(Left() < 0 ? 0 : Beside(Left(), 150));
    std::array<std::string, kQuickEntries> captions;
    for (std::size_t i = 0; i < captions.size(); ++i) captions[i] = QuickButtons()[i]->Text();
    FormSpeed->OpenEditor(QuickEntries, captions, [this](const QuickEntry& entry) { ShowEntry(entry); });
    return;
  }
  ShowErrorBox(z_global::WithSystemReason(System(), kGateRefused, checked.error));
  EditPasswort.SetFocus();
}
