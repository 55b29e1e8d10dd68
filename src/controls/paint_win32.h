#pragma once
// The drawing of the custom controls on Win32: the XP-style speed and bit buttons and the status bar.
// The program entry hands these painters to the Win32 backend.
#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <string>

#include "platform/win32/handles.h"
#include "ui/win32/win32_backend.h"

#include "controls/PanelStatusBar.h"
#include "controls/mdBUTTONS.h"

namespace paint {

// Memory device contexts and a work bitmap kept for the painters' life: under Wine, making a device
// context and a bitmap for every paint costs more than the drawing itself.
class Surfaces {
 public:
  Surfaces() = default;
  Surfaces(const Surfaces&) = delete;
  Surfaces& operator=(const Surfaces&) = delete;
  // The work surface, at least width by height, compatible with the reference; what it holds is left
  // from before. Drawn on, then copied onto the screen in one piece.
  HDC Work(HDC reference, int width, int height);
  // A device context to select a bitmap into for a copy from it (slot 0 or 1); the caller selects the
  // bitmap for the copy only, so that none stays selected when it is deleted.
  HDC Holder(HDC reference, int slot);

 private:
  w32::UniqueGdi workBitmap_;
  w32::UniqueDc work_;
  int width_ = 0, height_ = 0;
  w32::UniqueDc holders_[2];
};

// A glyph bitmap with the mask of its transparent colour (its bottom-left pixel's).
struct GlyphImages {
  w32::UniqueGdi image;
  w32::UniqueGdi mask;
  int width = 0, height = 0;
};

// The buttons' glyphs, loaded once from the executable's resources and kept for its life.
class Glyphs {
 public:
  explicit Glyphs(Surfaces& surfaces) : surfaces_(surfaces) {}
  // Nothing for a resource that is not there.
  const GlyphImages* Get(HDC reference, const std::string& resource);

 private:
  Surfaces& surfaces_;
  std::map<std::string, GlyphImages> loaded_;
};

// The speed buttons: styled over a snapshot of the form's surface under each, which it keeps, one
// bitmap per button with what it was taken of, until SnapshotDue says it is due again or the button
// goes. In high contrast, drawn in the system's colours without a style.
class SpeedButtonPainter : public ui::win32::PainterOf<TXPSpeedButton, ui::win32::WindowlessPainter> {
 public:
  SpeedButtonPainter(Surfaces& surfaces, Glyphs& glyphs) : surfaces_(surfaces), glyphs_(glyphs) {}
  void Paint(const ui::TControl& control, HDC dc, const ui::win32::WindowlessFace& face,
             const std::function<void(HDC)>& under) override;
  void Forget(const ui::TControl& control) override { snapshots_.erase(&control); }
  void SystemChanged() override { ++look_; }

 private:
  struct Snapshot {
    w32::UniqueGdi bitmap;
    std::optional<SnapshotKey> key;
  };
  Surfaces& surfaces_;
  Glyphs& glyphs_;
  std::map<const ui::TControl*, Snapshot> snapshots_;
  unsigned look_ = 0;
};

class BitBtnPainter : public ui::win32::PainterOf<TXPBitBtn, ui::win32::ItemPainter> {
 public:
  BitBtnPainter(Surfaces& surfaces, Glyphs& glyphs) : surfaces_(surfaces), glyphs_(glyphs) {}
  void DrawItem(const ui::TControl& control, const DRAWITEMSTRUCT& item, bool hot, bool focused) override;
  bool EraseBackground(HWND window, HDC dc) override;

 private:
  Surfaces& surfaces_;
  Glyphs& glyphs_;
};

class StatusBarPainter : public ui::win32::PainterOf<TPanelStatusBar, ui::win32::SurfacePainter> {
 public:
  explicit StatusBarPainter(Surfaces& surfaces) : surfaces_(surfaces) {}
  void Paint(const ui::TControl& control, HWND window, HDC dc) override;
  bool EraseBackground(HWND, HDC) override { return true; }  // the paint covers all
  void ContentChanged(const ui::TControl& control, HWND window) override;

 private:
  Surfaces& surfaces_;
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
  Surfaces surfaces_;
  Glyphs glyphs_{surfaces_};
  SpeedButtonPainter speed_{surfaces_, glyphs_};
  BitBtnPainter bit_{surfaces_, glyphs_};
  StatusBarPainter status_{surfaces_};
};

}  // namespace paint
