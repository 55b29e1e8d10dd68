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

// What the speed buttons ask of the visual styles: whether they are in use, and the names of the
// current theme (none when the system cannot tell). The Win32 painting sets the real one; without one,
// as in the tests of the forms, no styles are in use.
using ThemeNames = std::array<std::string, 3>;  // theme file, colour scheme, size
class StyleQuery {
 public:
  virtual ~StyleQuery() = default;
  virtual bool Styled() const = 0;
  virtual std::optional<ThemeNames> CurrentThemeNames() const = 0;
};
void SetStyleQuery(const StyleQuery* query);
bool Styled();

// A speed button draws itself onto its form's surface, over a snapshot of what its form painted under
// it. The snapshot is taken once and kept until the theme, the form's colour or size, or the button's
// place, size or enabled state changes; then the button turns transparent for one paint, so that the
// form paints the area under it again, and takes a new snapshot.
class TXPSpeedButton : public ui::TSpeedButton {
 public:
  // Records the theme's names at once when styles are in use.
  TXPSpeedButton(ui::TForm* form, std::string name, ui::Rect bounds, std::string caption = {});

  // True (and the new state recorded) when the theme's names differ from the recorded ones. A theme
  // whose names cannot be read counts as unchanged.
  virtual bool CheckThemeChanged();
  // True (and recorded) when the form's colour, width or height or the button's left or top differ.
  virtual bool CheckBackgroundChanged();

  // Painting step 2, before the face: ends a transparent paint that was only for a new snapshot, or
  // starts one when the theme or the background changed. True when the button must be painted again at
  // once, transparent, so that the form first paints the area under it.
  bool NeedsBackgroundRepaint();
  bool HasSnapshot() const { return hasSnapshot_; }
  void SnapshotTaken() {
    hasSnapshot_ = true;
    ++snapshots_;
  }
  int SnapshotsTaken() const { return snapshots_; }
  bool AutoTransparent = false;  // transparent only until the next snapshot

 protected:
  void EnabledChanged() override;
  void BoundsChanging(const ui::Rect& bounds) override;

 private:
  void RenewBackground();
  ThemeNames names_;
  std::uint32_t formColor_ = 0;
  int formWidth_ = 0, formHeight_ = 0, left_ = 0, top_ = 0;
  bool hasSnapshot_ = false;
  int snapshots_ = 0;
};

class TXPBitBtn : public ui::TBitBtn {
 public:
  TXPBitBtn(ui::TForm* form, std::string name, ui::Rect bounds, std::string caption = {})
      : TBitBtn(form, std::move(name), bounds, std::move(caption)) {}
};
