#include "controls/mdBUTTONS.h"

FaceState SpeedButtonState(bool enabled, bool pressed, bool hot) {
  if (!enabled) return FaceState::kDisabled;
  if (pressed) return FaceState::kPressed;
  if (hot) return FaceState::kHot;
  return FaceState::kNormal;
}

FaceState BitBtnState(bool enabled, bool selected, bool hot, bool isDefault, bool focused) {
  if (!enabled) return FaceState::kDisabled;
  if (selected) return FaceState::kPressed;
  if (hot) return FaceState::kHot;
  if (isDefault || focused) return FaceState::kDefaulted;
  return FaceState::kNormal;
}

GlyphPlacement LayoutGlyphAndCaption(const ui::Rect& client, Size text, Size glyph, ui::ButtonLayout layout,
                                     int margin, int spacing, bool rightToLeft) {
  using ui::ButtonLayout;
  if (rightToLeft) {
    if (layout == ButtonLayout::kGlyphLeft)
      layout = ButtonLayout::kGlyphRight;
    else if (layout == ButtonLayout::kGlyphRight)
      layout = ButtonLayout::kGlyphLeft;
  }
  const int cw = client.width;
  const int ch = client.height;
  const bool horizontal = layout == ButtonLayout::kGlyphLeft || layout == ButtonLayout::kGlyphRight;
  int glyphX = 0, glyphY = 0, textX = 0, textY = 0;
  if (horizontal) {
    glyphY = (ch - glyph.height) / 2;
    textY = (ch - text.height) / 2;
  } else {
    glyphX = (cw - glyph.width) / 2;
    textX = (cw - text.width) / 2;
  }
  if (text.width == 0 || glyph.width == 0) spacing = 0;
  // The free room along the layout's direction, shared out by margin and spacing.
  const int room = horizontal ? cw - glyph.width - text.width : ch - glyph.height - text.height;
  if (margin < 0) {
    if (spacing < 0) {
      margin = room / 3;
      spacing = margin;
    } else {
      margin = (room - spacing) / 2;
    }
  } else if (spacing < 0) {
    spacing = (room - margin) / 2;
  }
  switch (layout) {
    case ButtonLayout::kGlyphLeft:
      glyphX = margin;
      textX = margin + glyph.width + spacing;
      break;
    case ButtonLayout::kGlyphRight:
      glyphX = cw - margin - glyph.width;
      textX = glyphX - spacing - text.width;
      break;
    case ButtonLayout::kGlyphTop:
      glyphY = margin;
      textY = margin + glyph.height + spacing;
      break;
    case ButtonLayout::kGlyphBottom:
      glyphY = ch - margin - glyph.height;
      textY = glyphY - spacing - text.height;
      break;
  }
  return {{client.left + glyphX, client.top + glyphY},
          {client.left + textX, client.top + textY, text.width, text.height},
          spacing};
}

int GlyphImage(bool enabled, int numGlyphs, FaceState state) {
  if (!enabled && numGlyphs <= 1) return 0;
  int image = 1;
  switch (state) {
    case FaceState::kHot:
      image = 2;
      break;
    case FaceState::kPressed:
      image = 3;
      break;
    case FaceState::kDisabled:
      image = 4;
      break;
    case FaceState::kNormal:
    case FaceState::kDefaulted:
      break;
  }
  return image > numGlyphs ? 1 : image;
}

void ToGrey(std::vector<std::uint8_t>& bgr, int width, int height, int stride) {
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(stride) + 3u * x;
      if (at + 2 >= bgr.size()) return;
      const auto mean = static_cast<std::uint8_t>((bgr[at] + bgr[at + 1] + bgr[at + 2]) / 3);
      bgr[at] = bgr[at + 1] = bgr[at + 2] = mean;
    }
  }
}

bool SnapshotDue(const std::optional<SnapshotKey>& old, const SnapshotKey& now) {
  if (!old || old->bounds != now.bounds) return true;
  if (!now.transparent && !now.flat && old->enabled != now.enabled) return true;
  if (now.transparent) return false;
  return old->look != now.look || old->formColor != now.formColor || old->formWidth != now.formWidth ||
         old->formHeight != now.formHeight;
}

std::vector<std::optional<std::uint32_t>> HighContrastGlyph(const std::vector<std::uint32_t>& pixels,
                                                            int width, std::uint32_t transparent,
                                                            const FaceColors& face) {
  const int height = width > 0 ? static_cast<int>(pixels.size()) / width : 0;
  const auto at = [&](int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; };
  const auto empty = [&](int x, int y) {
    return x < 0 || y < 0 || x >= width || y >= height || at(x, y) == transparent;
  };
  std::vector<std::optional<std::uint32_t>> drawn(pixels.size());
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      if (empty(x, y)) continue;
      const std::uint32_t pixel = at(x, y);
      const std::uint32_t red = pixel & 0xFF, green = (pixel >> 8) & 0xFF, blue = (pixel >> 16) & 0xFF;
      const bool dark = (299 * red + 587 * green + 114 * blue) / 1000 < 128;
      const bool edge = empty(x - 1, y) || empty(x + 1, y) || empty(x, y - 1) || empty(x, y + 1);
      drawn[static_cast<std::size_t>(y) * width + x] = dark || edge ? face.text : face.back;
    }
  return drawn;
}

FaceColors HighContrastFace(const SystemColors& system, FaceState state) {
  switch (state) {
    case FaceState::kHot:
      return {system.highlight, system.highlightText, system.highlightText, 1};
    case FaceState::kPressed:
      return {system.highlight, system.highlightText, system.text, 1};
    case FaceState::kDisabled:
      return {system.face, system.grayText, system.grayText, 1};
    case FaceState::kDefaulted:
      return {system.face, system.text, system.text, 2};
    case FaceState::kNormal:
      break;
  }
  return {system.face, system.text, system.text, 1};
}
