#pragma once
// The boxes the operator sees: errors in the "Fehler" box, centred on the screen.
#include <string>

#include "ui/application.h"

inline constexpr char kLaunchFailed[] = "Falsche Zugangsdaten oder Pfad nicht gefunden.";
inline constexpr char kQuickLaunchFailed[] = "Falsche Zugangsdaten oder Dateiname nicht gefunden!";

inline void ShowErrorBox(const std::string& text) {
  ui::Application().ShowMessageBox({text, "Fehler", ui::kMbOk | ui::kMbIconError, {}, {}});
}
