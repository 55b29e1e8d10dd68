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

// A speed button draws itself onto its form's surface, over a snapshot of what its form shows under
// it, which its painter keeps with what the snapshot was taken of.
struct SnapshotKey {
  unsigned look = 0;            // counts the changes of the system's theme, colours and contrast
  std::uint32_t formColor = 0;  // as the screen shows it
  int formWidth = 0, formHeight = 0;
  ui::Rect bounds;
  bool enabled = true;
  bool transparent = false;
  bool flat = false;
  bool operator==(const SnapshotKey&) const = default;
};

// Whether the snapshot must be taken (again) before a styled paint: when there is none, when the
// button's size or place changed or, unless it is transparent or flat, its enabled state, and for a
// button that is not transparent when the system's look (theme, colours, contrast) or the form's colour
// or size changed.
bool SnapshotDue(const std::optional<SnapshotKey>& old, const SnapshotKey& now);

class TXPSpeedButton : public ui::TSpeedButton {
 public:
  using TSpeedButton::TSpeedButton;
};

// The system's colours that a face in high contrast is drawn with (0x00BBGGRR each).
struct SystemColors {
  std::uint32_t face = 0;           // COLOR_BTNFACE
  std::uint32_t text = 0;           // COLOR_BTNTEXT
  std::uint32_t grayText = 0;       // COLOR_GRAYTEXT
  std::uint32_t highlight = 0;      // COLOR_HIGHLIGHT
  std::uint32_t highlightText = 0;  // COLOR_HIGHLIGHTTEXT
};

// A face in high contrast: its fill, its text and glyph, and its border, all of them system colours.
struct FaceColors {
  std::uint32_t back = 0;
  std::uint32_t text = 0;
  std::uint32_t border = 0;
  int borderWidth = 1;  // the default button's border is twice as wide, as the system draws it
  bool operator==(const FaceColors&) const = default;
};

// The colours of a button's face in high contrast, for each of its states: hot and pressed in the
// highlight colours, disabled in the grey text colour, the rest in the button colours.
FaceColors HighContrastFace(const SystemColors& system, FaceState state);

// A glyph (its pixels 0x00BBGGRR, row by row, width a row, one colour transparent) on a face in high
// contrast, in the two colours the user chose to read well: its dark parts and its outline in the
// face's text colour, its light parts in the face's own, by brightness as the eye sees it. So the glyph
// keeps its shape: a light part on the face still shows its edge. Transparent pixels stay empty.
std::vector<std::optional<std::uint32_t>> HighContrastGlyph(const std::vector<std::uint32_t>& pixels,
                                                            int width, std::uint32_t transparent,
                                                            const FaceColors& face);

class TXPBitBtn : public ui::TBitBtn {
 public:
  using TBitBtn::TBitBtn;
};
