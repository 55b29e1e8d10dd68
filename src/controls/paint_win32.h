#pragma once
// The drawing of the custom controls on Win32: the XP-style speed and bit buttons and the status bar.
// The program entry hands these painters to the Win32 backend.
#include <windows.h>

#include <map>
#include <string>

#include "platform/win32/handles.h"
#include "ui/win32/win32_backend.h"

#include "controls/mdBUTTONS.h"

namespace paint {

// The buttons' glyph bitmaps, loaded once from the executable's resources and kept for its life.
class Glyphs {
 public:
  HBITMAP Get(const std::string& resource);

 private:
  std::map<std::string, w32::UniqueGdi> bitmaps_;
};

class SpeedButtonPainter : public ui::win32::ControlPainter {
 public:
  explicit SpeedButtonPainter(Glyphs& glyphs) : glyphs_(glyphs) {}
  void Paint(ui::TControl& control, HWND window, HDC dc, bool hot, bool pressed) override;
  void DrawItem(ui::TControl&, const DRAWITEMSTRUCT&, bool, bool) override {}
  bool EraseBackground(ui::TControl&, HWND, HDC) override { return false; }
  void ContentChanged(ui::TControl&, HWND) override {}
  bool PrepareBackground(ui::TControl& control) override;

 private:
  void PaintStyled(TXPSpeedButton& button, HDC dc, bool hot, bool pressed, HANDLE theme);
  Glyphs& glyphs_;
  std::map<const ui::TControl*, w32::UniqueGdi> snapshots_;
};

class BitBtnPainter : public ui::win32::ControlPainter {
 public:
  explicit BitBtnPainter(Glyphs& glyphs) : glyphs_(glyphs) {}
  void Paint(ui::TControl&, HWND, HDC, bool, bool) override {}
  void DrawItem(ui::TControl& control, const DRAWITEMSTRUCT& item, bool hot, bool focused) override;
  bool EraseBackground(ui::TControl& control, HWND window, HDC dc) override;
  void ContentChanged(ui::TControl&, HWND window) override { InvalidateRect(window, nullptr, TRUE); }

 private:
  Glyphs& glyphs_;
};

class StatusBarPainter : public ui::win32::ControlPainter {
 public:
  void Paint(ui::TControl& control, HWND window, HDC dc, bool hot, bool pressed) override;
  void DrawItem(ui::TControl&, const DRAWITEMSTRUCT&, bool, bool) override {}
  bool EraseBackground(ui::TControl&, HWND, HDC) override { return true; }  // the paint covers all
  void ContentChanged(ui::TControl& control, HWND window) override;
};

// Whether visual styles are in use and the current theme's names, as the speed buttons ask.
class StyleQueries : public StyleQuery {
 public:
  bool Styled() const override;
  std::optional<ThemeNames> CurrentThemeNames() const override;
};

// All three, registered with the backend for the life of the object, and the style queries.
class Painters {
 public:
  explicit Painters(ui::win32::Win32Backend& backend);
  ~Painters();
  Painters(const Painters&) = delete;
  Painters& operator=(const Painters&) = delete;

 private:
  ui::win32::Win32Backend& backend_;
  StyleQueries styles_;
  Glyphs glyphs_;
  SpeedButtonPainter speed_{glyphs_};
  BitBtnPainter bit_{glyphs_};
  StatusBarPainter status_;
};

}  // namespace paint
