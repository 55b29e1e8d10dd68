#pragma once
// The boxes the operator sees: errors in the "Fehler" box, centred on the screen.
#include <string>

#include "ui/application.h"
#include "z_global/launch_request.h"

inline constexpr char kLaunchFailed[] = "Falsche Zugangsdaten oder Pfad nicht gefunden.";
inline constexpr char kQuickLaunchFailed[] = "Falsche Zugangsdaten oder Dateiname nicht gefunden!";

inline void ShowErrorBox(const std::string& text) {
  ui::Application().ShowMessageBox({text, "Fehler", ui::kMbOk | ui::kMbIconError, {}, {}});
}

// What became of a refused text or account: nothing was started, the path box did not take it, or
// the gate did not try the logon.
enum class RefusalOutcome { kNotStarted, kNotTaken, kNotTried };

// Why a request was refused before the system was asked, and what that means; empty when it was not.
inline std::string RefusalText(z_global::LaunchRefusal refusal, RefusalOutcome outcome) {
  std::string why;
  switch (refusal) {
    case z_global::LaunchRefusal::kNone:
    case z_global::LaunchRefusal::kQuoteInProgram:  // told as a failed launch
      return {};
    case z_global::LaunchRefusal::kTooLong:
      why =
          "Der Pfad ist länger als 255 Zeichen. Er wird nicht gekürzt, denn ein gekürzter Pfad könnte ein "
          "anderes Programm starten.";
      break;
  }
  switch (outcome) {
    case RefusalOutcome::kNotStarted:
      return why + "\n\nEs wurde nichts gestartet.";
    case RefusalOutcome::kNotTaken:
      return why + "\n\nDer Pfad wurde nicht übernommen.";
    case RefusalOutcome::kNotTried:
      return why + "\n\nDie Anmeldung wurde nicht versucht.";
  }
  return why;
}
