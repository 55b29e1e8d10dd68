#pragma once
// Buttons that draw themselves in the visual style when styles are in use, and as the standard
// buttons otherwise. The decisions of the drawing (which face, where glyph and caption go, when the
// background under a speed button must be captured again) are here; the Win32 painting file draws.
#include <array>
#include <cstdint>
#include <optional>
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

// The names of the current theme: theme file, colour scheme, size.
using ThemeNames = std::array<std::string, 3>;

// A speed button draws itself onto its form's surface, over a snapshot of what its form shows under
// it. The painter keeps the snapshot and takes it when these rules say it is due: once, and again
// after a change of the theme, of the form's colour or size, or of the button's place, size or
// enabled state.
class TXPSpeedButton : public ui::TSpeedButton {
 public:
  TXPSpeedButton(ui::TForm* form, std::string name, ui::Rect bounds, std::string caption = {})
      : TSpeedButton(form, std::move(name), bounds, std::move(caption)) {}

  // True (and the names recorded) when the current theme's names differ from the recorded ones. A
  // theme whose names cannot be read counts as unchanged.
  virtual bool CheckThemeChanged(const std::optional<ThemeNames>& current);
  // True (and recorded) when the form's colour, width or height or the button's left or top differ.
  virtual bool CheckBackgroundChanged();

  // Before a styled paint: whether the snapshot must be taken (again). It is due when there is none,
  // when the button's size or place changed or, unless it is transparent or flat, its enabled state,
  // and for a button that is not transparent when the theme or the background changed. Records what
  // it compared.
  bool SnapshotDue(bool haveSnapshot, const std::optional<ThemeNames>& theme);

 protected:
  void EnabledChanged() override;
  void BoundsChanging(const ui::Rect& bounds) override;

 private:
  ThemeNames names_;
  std::uint32_t formColor_ = 0;
  int formWidth_ = 0, formHeight_ = 0, left_ = 0, top_ = 0;
  bool stale_ = false;  // the button's size, place or enabled state changed since the snapshot
};

class TXPBitBtn : public ui::TBitBtn {
 public:
  TXPBitBtn(ui::TForm* form, std::string name, ui::Rect bounds, std::string caption = {})
      : TBitBtn(form, std::move(name), bounds, std::move(caption)) {}
};
