#pragma once
// The drawing of the custom controls on Win32: the XP-style speed and bit buttons and the status bar.
// The program entry hands these painters to the Win32 backend.
#include <windows.h>

#include <functional>
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

// The speed buttons: styled over a snapshot of the form's surface under each, which it keeps, one
// bitmap per button, until the button's rules say it is due again or the button goes.
class SpeedButtonPainter : public ui::win32::WindowlessPainter {
 public:
  explicit SpeedButtonPainter(Glyphs& glyphs) : glyphs_(glyphs) {}
  void Paint(ui::TControl& control, HDC dc, bool hot, bool pressed,
             const std::function<void(HDC)>& under) override;
  void Forget(const ui::TControl& control) override { snapshots_.erase(&control); }

 private:
  Glyphs& glyphs_;
  std::map<const ui::TControl*, w32::UniqueGdi> snapshots_;
};

class BitBtnPainter : public ui::win32::ItemPainter {
 public:
  explicit BitBtnPainter(Glyphs& glyphs) : glyphs_(glyphs) {}
  void DrawItem(const ui::TControl& control, const DRAWITEMSTRUCT& item, bool hot, bool focused) override;
  bool EraseBackground(HWND window, HDC dc) override;

 private:
  Glyphs& glyphs_;
};

class StatusBarPainter : public ui::win32::SurfacePainter {
 public:
  void Paint(const ui::TControl& control, HWND window, HDC dc) override;
  bool EraseBackground(HWND, HDC) override { return true; }  // the paint covers all
  void ContentChanged(const ui::TControl& control, HWND window) override;
};

// All three, registered with the backend for the life of the object.
class Painters {
 public:
  explicit Painters(ui::win32::Win32Backend& backend);
  ~Painters();
  Painters(const Painters&) = delete;
  Painters& operator=(const Painters&) = delete;

 private:
  ui::win32::Win32Backend& backend_;
  Glyphs glyphs_;
  SpeedButtonPainter speed_{glyphs_};
  BitBtnPainter bit_{glyphs_};
  StatusBarPainter status_;
};

}  // namespace paint
