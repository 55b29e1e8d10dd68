#pragma once
// Buttons that draw themselves in the visual style when styles are in use, and as the standard
// buttons otherwise. Their logic lives here; the drawing is in the Win32 painting file.
#include "ui/control.h"

class TXPSpeedButton : public ui::TSpeedButton {
 public:
  TXPSpeedButton(ui::TForm* form, std::string name, ui::Rect bounds, std::string caption = {})
      : TSpeedButton(form, std::move(name), bounds, std::move(caption)) {}
};

class TXPBitBtn : public ui::TBitBtn {
 public:
  TXPBitBtn(ui::TForm* form, std::string name, ui::Rect bounds, std::string caption = {})
      : TBitBtn(form, std::move(name), bounds, std::move(caption)) {}
};
