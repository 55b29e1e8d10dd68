#pragma once
// The status bar along the main window's bottom edge: text panels in thin sunken frames.
#include "ui/control.h"

class TPanelStatusBar : public ui::TStatusBar {
 public:
  TPanelStatusBar(ui::TForm* form, std::string name, ui::Rect bounds) : TStatusBar(form, std::move(name), bounds) {}
};
