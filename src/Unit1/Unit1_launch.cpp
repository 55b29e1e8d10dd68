// The launch bar: "Ausführen", the file dialog and the command-window button.
#include "Unit1/Unit1.h"
#include "Unit1/outcome_messages.h"
#include "Unit1/run_as_user.h"
#include "base/short_text.h"
#include "base/text.h"
#include "ui/application.h"
#include "z_global/drives.h"
#include "z_global/system_info.h"

namespace {

bool IsUncPath(std::string_view t) {
  return t.size() >= 3 && t[0] == '\\' && t[1] == '\\';
}

// Up to and including the last "\" or ":"; and the rest.
std::string DirectoryPart(std::string_view path) {
  const std::size_t at = path.find_last_of("\\:");
  return at == std::string_view::npos ? std::string() : std::string(path.substr(0, at + 1));
}
std::string NamePart(std::string_view path) {
  const std::size_t at = path.find_last_of("\\:");
  return std::string(at == std::string_view::npos ? path : path.substr(at + 1));
}

}  // namespace

z_global::LaunchRequest TForm1::Request(z_global::LaunchSource source, const std::string& text) const {
  return z_global::RequestLaunch(System(), {AdminUser, UserDomain}, source, {text});
}

bool TForm1::Refused(const z_global::LaunchRequest& request) const {
  if (request.refusal == z_global::LaunchRefusal::kNone) return false;
  ShowErrorBox(RefusalText(request.refusal, RefusalOutcome::kNotStarted));
  return true;
}

LaunchOutcome TForm1::RunWithTypedPassword(const z_global::LaunchRequest& request) {
  secret::Wide password = EditPasswort.ReadSecret();
  password.Cut(base::ShortText::kLength);
  waitingForHelper_ = true;
  const LaunchOutcome outcome = LaunchAsAccount(
      System(), request, password, [](platform::Handle process) { ui::Application().WaitFor(process); });
  waitingForHelper_ = false;
  return outcome;
}

bool TForm1::Busy() const {
  // A second launch, the gate or the end of the program while the first waits for the administrator's
  // consent would run inside the first's wait: it is ignored, with the beep.
  if (waitingForHelper_) System().MessageBeep(0);
  return waitingForHelper_;
}

void TForm1::ButtonEXEClick(TObject*) {
  if (Busy()) return;
  const z_global::LaunchRequest request = Request(z_global::LaunchSource::kPathBox, EditPfad.Text());
  if (Refused(request)) return;
  const LaunchOutcome launched = RunWithTypedPassword(request);
  if (launched.kind == LaunchOutcome::Kind::kFailed)
    ShowErrorBox(
        z_global::WithSystemReason(System(), kLaunchFailed, launched.error, z_global::ProgramOf(request)));
}

void TForm1::XPBitBtnOeffnenClick(TObject*) {
  const std::string text = EditPfad.Text();
  const std::string t = base::ShortText(text);
  const bool localPath = t.size() >= 3 && t[1] == ':' && t[2] == '\\';
  if (IsUncPath(t) || localPath) AgOpenDialog1.FileName = text;
  if (IsUncPath(t)) {
    const std::string directory = base::ShortText(DirectoryPart(text));
    const std::string name = base::ShortText(NamePart(text));
    AgOpenDialog1.FileName.clear();
    if (directory + name == text && !System().DirectoryExists(directory))
      AgOpenDialog1.InitialDir = text;
    else
      AgOpenDialog1.InitialDir = directory;
  }
  if (AgOpenDialog1.Execute()) EditPfad.SetText(AgOpenDialog1.FileName);
}

void TForm1::XPBitBtnCMDClick(TObject*) {
  EditPfad.SetText("cmd.exe");
  LabelInfo.SetText("DOS - Fenster");
}
