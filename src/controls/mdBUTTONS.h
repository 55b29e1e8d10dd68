#pragma once
// Buttons that draw themselves in the visual style when styles are in use, and as the standard
// buttons otherwise. The decisions of the drawing (which face, where glyph and caption go, when the
// background under a speed button must be captured again) are here; the Win32 painting file draws.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "ui/control.h"

// The visual states of the push-button and toolbar-button parts, with the system's numbers.
enum class FaceState { kNormal = 1, kHot = 2, kPressed = 3, kDisabled = 4, kDefaulted = 5 };

FaceState SpeedButtonState(bool enabled, bool pressed, bool hot);
FaceState BitBtnState(bool enabled, bool selected, bool hot, bool isDefault, bool focused);

struct Size {
  int width = 0;
  int height = 0;
};

struct GlyphPlacement {
  ui::Point glyph;  // top-left of the glyph
  ui::Rect text;    // where the caption is drawn
  int spacing = 0;  // the spacing used (0 without caption or glyph)
};

// Where glyph and caption go on a button: client is the whole button, text the caption's extent, glyph
// the size of one image. A negative margin centres; a negative spacing spreads the rest evenly.
GlyphPlacement LayoutGlyphAndCaption(const ui::Rect& client, Size text, Size glyph, ui::ButtonLayout layout,
                                     int margin, int spacing, bool rightToLeft);

// Which image of a glyph strip to draw: number 1 to numGlyphs, or 0 for the grey copy of the first
// image (a disabled button with a single image).
int GlyphImage(bool enabled, int numGlyphs, FaceState state);

// Turns the rows of a 24-bit bitmap (blue, green, red triples, rows `stride` bytes apart) grey: each
// channel of a pixel becomes the mean of its three.
void ToGrey(std::vector<std::uint8_t>& bgr, int width, int height, int stride);

// What the speed button remembers to decide whether the background under it must be captured again.
class BackgroundWatch {
 public:
  using ThemeNames = std::array<std::string, 3>;  // theme file, colour scheme, size
  struct Geometry {
    std::uint32_t formColor = 0;
    int formWidth = 0;
    int formHeight = 0;
    int left = 0;
    int top = 0;
    bool operator==(const Geometry&) const = default;
  };

  // True (and recorded) when the names differ from the last ones recorded.
  bool ThemeChanged(const ThemeNames& names);
  // True (and recorded) when the parent form's colour or size or the button's position differ.
  bool BackgroundChanged(const Geometry& geometry);

  bool HasSnapshot() const { return hasSnapshot_; }
  void SnapshotTaken() {
    hasSnapshot_ = true;
    ++snapshots_;
  }
  void Discard() { hasSnapshot_ = false; }
  int SnapshotsTaken() const { return snapshots_; }

 private:
  ThemeNames names_;
  Geometry geometry_;
  bool hasSnapshot_ = false;
  int snapshots_ = 0;
};

class TXPSpeedButton : public ui::TSpeedButton {
 public:
  TXPSpeedButton(ui::TForm* form, std::string name, ui::Rect bounds, std::string caption = {})
      : TSpeedButton(form, std::move(name), bounds, std::move(caption)) {}
  BackgroundWatch Background;
};

class TXPBitBtn : public ui::TBitBtn {
 public:
  TXPBitBtn(ui::TForm* form, std::string name, ui::Rect bounds, std::string caption = {})
      : TBitBtn(form, std::move(name), bounds, std::move(caption)) {}
};
