// The launch bar: "Ausführen", the file dialog and the command-window button.
#include "Unit1/Unit1.h"
#include "Unit1/outcome_messages.h"
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

bool TForm1::Refused(const z_global::LaunchRequest& request, const char* failed) const {
  switch (request.refusal) {
    case z_global::LaunchRefusal::kNone:
      return false;
    case z_global::LaunchRefusal::kQuoteInProgram:
      // No file can be named so: the launch fails as the system fails such a name.
      ShowErrorBox(z_global::WithSystemReason(System(), failed, platform::kErrorInvalidName));
      return true;
    default:
      ShowErrorBox(RefusalText(request.refusal, RefusalOutcome::kNotStarted));
      return true;
  }
}

// The flag that makes a second launch, the gate and closing wait is up while a host lives, and down
// again however the launch ends.
class TForm1::Host final : public z_global::LaunchHost {
 public:
  explicit Host(TForm1& form) : form_(form) { form_.waitingForHelper_ = true; }
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;
  ~Host() { form_.waitingForHelper_ = false; }

  platform::WindowHandle Owner() const override { return form_.Handle(); }
  void Wait(platform::Handle process) override { ui::Application().WaitFor(process); }
  bool AllowLimitedRights(std::uint32_t error) override {
    std::string reason = z_global::FilledInserts(form_.System().SystemErrorMessage(error), {});
    while (!reason.empty() && std::string_view(". \r\n").find(reason.back()) != std::string_view::npos)
      reason.pop_back();
    const std::string why = (reason.empty() ? "" : reason + ", ") + "Fehler " + std::to_string(error);
    const ui::MessageBoxRequest question{
        "Das Programm kann nicht mit den vollen Administratorrechten gestartet werden (" + why +
            ").\n\nMit eingeschränkten Rechten starten?",
        "Warnung",
        ui::kMbYesNo | ui::kMbIconWarning | ui::kMbDefButton2,
        {},
        {}};
    return ui::Application().ShowMessageBox(question) == ui::kIdYes;
  }

 private:
  TForm1& form_;
};

secret::Wide TForm1::TypedPassword() const {
  secret::Wide password = EditPasswort.ReadSecret();
  password.Cut(base::ShortText::kLength);
  return password;
}

z_global::LaunchOutcome TForm1::RunWithTypedPassword(const z_global::LaunchRequest& request) {
  const secret::Wide password = TypedPassword();
  Host host(*this);
  return z_global::LaunchAsAccount(System(), request, password, host);
}

z_global::LaunchOutcome TForm1::SaveAsAdministrator(const QuickEntry& entry) {
  const std::string user = base::ShortText(LabelAdminUser.Text());
  const std::string domain = base::ShortText(LabelDom.Text());
  const secret::Wide password = TypedPassword();
  Host host(*this);
  return z_global::SaveAsAccount(System(), user, z_global::LogonDomain(user, domain), password, entry, host);
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
  if (Refused(request, kLaunchFailed)) return;
  const z_global::LaunchOutcome launched = RunWithTypedPassword(request);
  if (launched.kind == z_global::LaunchOutcome::Kind::kFailed)
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
