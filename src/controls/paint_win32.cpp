#include "controls/paint_win32.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "controls/PanelStatusBar.h"
#include "controls/mdBUTTONS.h"
#include "controls/mdTHEMES.h"
#include "ui/form.h"
#include "ui/win32/convert.h"

namespace paint {
namespace {

constexpr int kButtonPart = 1;            // BP_PUSHBUTTON, and TP_BUTTON of the toolbar
constexpr int kGripperPart = 3;           // SP_GRIPPER of the status bar
constexpr int kTextColorProperty = 3803;  // TMT_TEXTCOLOR

// A memory surface of a given size, compatible with a device context; drawn on, then copied in one piece.
class Canvas {
 public:
  Canvas(HDC reference, int width, int height)
      : dc_(CreateCompatibleDC(reference)), bitmap_(CreateCompatibleBitmap(reference, width, height)) {
    old_ = SelectObject(dc_.get(), bitmap_.get());
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  ~Canvas() {
    if (old_) SelectObject(dc_.get(), old_);
  }
  HDC dc() const { return dc_.get(); }

 private:
  w32::UniqueDc dc_;
  w32::UniqueGdi bitmap_;
  HGDIOBJ old_ = nullptr;
};

// The glyph: one image of the strip (or a grey copy of the first), its transparent colour left
// unpainted by its mask.
void DrawGlyph(HDC dc, Surfaces& surfaces, const GlyphImages* glyph, const ui::GlyphSettings& pictures,
               POINT at, bool enabled, FaceState state) {
  if (!glyph || pictures.glyph.Empty()) return;
  const int numGlyphs = std::max(1, pictures.numGlyphs);
  const int width = glyph->width / numGlyphs;
  const int height = glyph->height;
  const int image = GlyphImage(enabled, numGlyphs, state);
  HDC source = surfaces.Holder(dc, 0);
  w32::SelectGuard imageSelected(source, glyph->image.get());
  int left = (std::max(image, 1) - 1) * width;
  std::optional<Canvas> grey;
  if (image == 0) {
    // A disabled button with a single image: a grey copy, released after this drawing.
    BITMAPINFO bits{};
    bits.bmiHeader.biSize = sizeof(bits.bmiHeader);
    bits.bmiHeader.biWidth = glyph->width;
    bits.bmiHeader.biHeight = -height;
    bits.bmiHeader.biPlanes = 1;
    bits.bmiHeader.biBitCount = 24;
    const int stride = (glyph->width * 3 + 3) & ~3;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(stride) * height);
    GetDIBits(source, static_cast<HBITMAP>(glyph->image.get()), 0, static_cast<UINT>(height), pixels.data(),
              &bits, DIB_RGB_COLORS);
    ToGrey(pixels, glyph->width, height, stride);
    grey.emplace(dc, glyph->width, height);
    SetDIBitsToDevice(grey->dc(), 0, 0, static_cast<DWORD>(glyph->width), static_cast<DWORD>(height), 0, 0, 0,
                      static_cast<UINT>(height), pixels.data(), &bits, DIB_RGB_COLORS);
    source = grey->dc();
    left = 0;
  }
  HDC mask = surfaces.Holder(dc, 1);
  w32::SelectGuard maskSelected(mask, glyph->mask.get());
  const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
  const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
  BitBlt(dc, at.x, at.y, width, height, source, left, 0, SRCINVERT);
  BitBlt(dc, at.x, at.y, width, height, mask, left, 0, SRCAND);
  BitBlt(dc, at.x, at.y, width, height, source, left, 0, SRCINVERT);
  SetBkColor(dc, oldBack);
  SetTextColor(dc, oldText);
}

Size GlyphSize(const GlyphImages* glyph, const ui::GlyphSettings& pictures) {
  if (!glyph || pictures.glyph.Empty()) return {};
  return {glyph->width / std::max(1, pictures.numGlyphs), glyph->height};
}

// The work surface of one drawing, its settings (font, colours) put back when the drawing ends.
class Work {
 public:
  Work(Surfaces& surfaces, HDC reference, int width, int height)
      : dc_(surfaces.Work(reference, width, height)), saved_(dc_) {}
  HDC dc() const { return dc_; }

 private:
  HDC dc_;
  w32::SavedDc saved_;
};

// The glyph in the face's two colours of high contrast, its dark parts in one and its light parts in
// the other, where it is not transparent: readable on any face, and still its shape.
void DrawGlyphInContrast(HDC dc, const GlyphImages* glyph, const ui::GlyphSettings& pictures, POINT at,
                         const FaceColors& face) {
  if (!glyph || pictures.glyph.Empty()) return;
  const int width = glyph->width / std::max(1, pictures.numGlyphs);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), glyph->width, -glyph->height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<std::uint32_t> rows(static_cast<std::size_t>(glyph->width) * glyph->height);  // 0x00RRGGBB
  if (!GetDIBits(dc, static_cast<HBITMAP>(glyph->image.get()), 0, glyph->height, rows.data(), &info,
                 DIB_RGB_COLORS))
    return;
  // The first picture of the strip, as the system's colours (0x00BBGGRR).
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < glyph->height; ++y)
    for (int x = 0; x < width; ++x) {
      const std::uint32_t pixel = rows[static_cast<std::size_t>(y) * glyph->width + x];
      pixels.push_back(RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF));
    }
  const std::uint32_t transparent = pixels[static_cast<std::size_t>(glyph->height - 1) * width];
  const std::vector<std::optional<std::uint32_t>> drawn = HighContrastGlyph(pixels, width, transparent, face);
  for (std::size_t i = 0; i < drawn.size(); ++i)
    if (drawn[i])
      SetPixelV(dc, at.x + static_cast<int>(i) % width, at.y + static_cast<int>(i) / width, *drawn[i]);
}

SystemColors CurrentSystemColors() {
  return {GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNTEXT), GetSysColor(COLOR_GRAYTEXT),
          GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_HIGHLIGHTTEXT)};
}

// The face of a button without a style: the system's push button, or in high contrast a flat face in
// the system's colours with the glyph in the text colour.
void DrawStandardButton(HDC dc, Surfaces& surfaces, const RECT& area, const ui::TControl& control,
                        const std::string& caption, const ui::GlyphSettings& pictures,
                        const GlyphImages* glyph, FaceState state, bool focused) {
  RECT face = area;
  const bool pressed = state == FaceState::kPressed;
  const bool contrast = ui::win32::Backend().HighContrast();
  const FaceColors colors = HighContrastFace(CurrentSystemColors(), state);
  if (contrast) {
    w32::UniqueGdi back(CreateSolidBrush(colors.back));
    FillRect(dc, &face, static_cast<HBRUSH>(back.get()));
    w32::UniqueGdi border(CreateSolidBrush(colors.border));
    for (int i = 0; i < colors.borderWidth; ++i) {
      FrameRect(dc, &face, static_cast<HBRUSH>(border.get()));
      InflateRect(&face, -1, -1);
    }
  } else {
    DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0u));
  }
  w32::SelectGuard font(dc, ui::win32::Backend().FontFor(control.GetFont()));
  RECT extent{0, 0, 0, 0};
  if (!caption.empty())
    DrawTextW(dc, ui::win32::Wide(caption).c_str(), -1, &extent, DT_CALCRECT | DT_SINGLELINE);
  const GlyphPlacement place = LayoutGlyphAndCaption(ui::win32::RectOf(area), {extent.right, extent.bottom},
                                                     GlyphSize(glyph, pictures), pictures.layout,
                                                     pictures.margin, pictures.spacing, false);
  const int shift = pressed ? 1 : 0;
  if (!caption.empty()) {
    RECT text{place.text.left + shift, place.text.top + shift, place.text.left + place.text.width + shift,
              place.text.top + place.text.height + shift};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc,
                 contrast ? colors.text : GetSysColor(control.Enabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    DrawTextW(dc, ui::win32::Wide(caption).c_str(), -1, &text, DT_SINGLELINE);
  }
  const POINT at{place.glyph.x + shift, place.glyph.y + shift};
  if (contrast)
    DrawGlyphInContrast(dc, glyph, pictures, at, colors);
  else
    DrawGlyph(dc, surfaces, glyph, pictures, at, control.Enabled(), state);
  if (focused) {
    RECT focus = area;
    InflateRect(&focus, -3, -3);
    SetTextColor(dc, contrast ? colors.text : GetSysColor(COLOR_BTNTEXT));
    SetBkColor(dc, contrast ? colors.back : GetSysColor(COLOR_BTNFACE));
    DrawFocusRect(dc, &focus);
  }
}

// Caption and glyph on a styled face: the caption measured and drawn by the theme.
void DrawStyledContent(HDC dc, Surfaces& surfaces, HANDLE theme, const RECT& area,
                       const ui::TControl& control, const std::string& captionText,
                       const ui::GlyphSettings& pictures, const GlyphImages* glyph, FaceState state) {
  themes::ThemeLibrary& library = *themes::Library();
  const int part = kButtonPart;
  const int stateId = static_cast<int>(state);
  w32::SelectGuard font(dc, ui::win32::Backend().FontFor(control.GetFont()));
  const std::wstring caption = ui::win32::Wide(captionText);
  RECT extent{0, 0, 0, 0};
  if (!caption.empty())
    library.GetThemeTextExtent(theme, dc, part, stateId, caption.c_str(), -1, 0, nullptr, &extent);
  const GlyphPlacement place = LayoutGlyphAndCaption(
      ui::win32::RectOf(area), {extent.right - extent.left, extent.bottom - extent.top},
      GlyphSize(glyph, pictures), pictures.layout, pictures.margin, pictures.spacing, false);
  if (!caption.empty()) {
    const RECT text{place.text.left, place.text.top, place.text.left + place.text.width,
                    place.text.top + place.text.height};
    library.DrawThemeText(theme, dc, part, stateId, caption.c_str(), -1, 0, 0, &text);
  }
  DrawGlyph(dc, surfaces, glyph, pictures, {place.glyph.x, place.glyph.y}, control.Enabled(), state);
}

}  // namespace

HDC Surfaces::Work(HDC reference, int width, int height) {
  if (!work_) work_.reset(CreateCompatibleDC(reference));
  if (width > width_ || height > height_) {
    width_ = std::max(width, width_);
    height_ = std::max(height, height_);
    w32::UniqueGdi bigger(CreateCompatibleBitmap(reference, width_, height_));
    SelectObject(work_.get(), bigger.get());
    workBitmap_ = std::move(bigger);  // the old one is no longer selected anywhere
  }
  return work_.get();
}

HDC Surfaces::Holder(HDC reference, int slot) {
  w32::UniqueDc& holder = holders_[slot];
  if (!holder) holder.reset(CreateCompatibleDC(reference));
  return holder.get();
}

const GlyphImages* Glyphs::Get(HDC reference, const std::string& resource) {
  if (resource.empty()) return nullptr;
  auto it = loaded_.find(resource);
  if (it == loaded_.end()) {
    GlyphImages glyph;
    glyph.image.reset(LoadImageW(GetModuleHandleW(nullptr), ui::win32::Wide(resource).c_str(), IMAGE_BITMAP,
                                 0, 0, LR_CREATEDIBSECTION));
    if (glyph.image) {
      BITMAP info{};
      GetObjectW(glyph.image.get(), sizeof(info), &info);
      glyph.width = info.bmWidth;
      glyph.height = info.bmHeight;
      // The mask: white where the glyph has its transparent colour, black elsewhere.
      glyph.mask.reset(CreateBitmap(glyph.width, glyph.height, 1, 1, nullptr));
      HDC image = surfaces_.Holder(reference, 0);
      HDC mask = surfaces_.Holder(reference, 1);
      w32::SelectGuard imageSelected(image, glyph.image.get());
      w32::SelectGuard maskSelected(mask, glyph.mask.get());
      SetBkColor(image, GetPixel(image, 0, glyph.height - 1));
      BitBlt(mask, 0, 0, glyph.width, glyph.height, image, 0, 0, SRCCOPY);
    }
    it = loaded_.emplace(resource, std::move(glyph)).first;
  }
  return it->second.image ? &it->second : nullptr;
}

// --- Speed buttons -------------------------------------------------------------------------------

void SpeedButtonPainter::Paint(const ui::TControl& control, HDC dc, const ui::win32::WindowlessFace& face,
                               const std::function<void(HDC)>& under) {
  const TXPSpeedButton& button = Typed(control);
  const RECT area{0, 0, button.Width(), button.Height()};
  const FaceState state = SpeedButtonState(button.Enabled(), face.pressed, face.hot);
  const GlyphImages* glyph = glyphs_.Get(dc, button.Pictures.glyph.resource);
  const std::string caption = button.Text();
  Work work(surfaces_, dc, area.right, area.bottom);
  const bool contrast = ui::win32::Backend().HighContrast();
  themes::Theme theme(nullptr, contrast ? nullptr : button.Flat ? L"Toolbar" : L"Button");
  if (!theme) {
    // Without a style a speed button shows no hot face, as the system's buttons show none.
    DrawStandardButton(work.dc(), surfaces_, area, button, caption, button.Pictures, glyph,
                       state == FaceState::kHot && !contrast ? FaceState::kNormal : state, face.focusShown);
    BitBlt(dc, 0, 0, area.right, area.bottom, work.dc(), 0, 0, SRCCOPY);
    return;
  }
  // The snapshot: the form paints what lies under the button into it, once, and again only when
  // SnapshotDue says so.
  Snapshot& kept = snapshots_[&button];
  const ui::TForm* form = button.Form();
  const SnapshotKey key{look_,
                        form ? ui::win32::ColorRefOf(form->GetColor()) : 0u,
                        form ? form->Width() : 0,
                        form ? form->Height() : 0,
                        button.Bounds(),
                        button.Enabled(),
                        button.Transparent,
                        button.Flat};
  if (!kept.bitmap || SnapshotDue(kept.key, key)) {
    w32::UniqueGdi taken(CreateCompatibleBitmap(dc, area.right, area.bottom));
    HDC into = surfaces_.Holder(dc, 0);
    w32::SelectGuard selected(into, taken.get());
    under(into);
    kept.bitmap = std::move(taken);
  }
  kept.key = key;
  {
    HDC from = surfaces_.Holder(dc, 0);
    w32::SelectGuard selected(from, kept.bitmap.get());
    BitBlt(work.dc(), 0, 0, area.right, area.bottom, from, 0, 0, SRCCOPY);
  }
  themes::Library()->DrawThemeBackground(theme.get(), work.dc(), kButtonPart, static_cast<int>(state), &area,
                                         nullptr);
  DrawStyledContent(work.dc(), surfaces_, theme.get(), area, button, caption, button.Pictures, glyph, state);
  if (face.focusShown) {
    RECT focus = area;
    InflateRect(&focus, -2, -2);
    SetTextColor(work.dc(), GetSysColor(COLOR_BTNTEXT));
    SetBkColor(work.dc(), GetSysColor(COLOR_BTNFACE));
    DrawFocusRect(work.dc(), &focus);
  }
  BitBlt(dc, 0, 0, area.right, area.bottom, work.dc(), 0, 0, SRCCOPY);
}

// --- Bit buttons ---------------------------------------------------------------------------------

void BitBtnPainter::DrawItem(const ui::TControl& control, const DRAWITEMSTRUCT& item, bool hot,
                             bool focused) {
  const TXPBitBtn& button = Typed(control);
  const std::string caption = button.Text();
  const RECT& area = item.rcItem;
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  const FaceState state = BitBtnState(button.Enabled(), selected, hot, button.Default(), focused);
  const GlyphImages* glyph = glyphs_.Get(item.hDC, button.Pictures.glyph.resource);
  // Drawn off-screen and copied in one piece, so the button never flickers.
  Work work(surfaces_, item.hDC, width, height);
  const RECT local{0, 0, width, height};
  const bool contrast = ui::win32::Backend().HighContrast();
  // The focus rectangle follows the keyboard cues, as the system's own buttons do.
  const bool focusShown = focused && !(item.itemState & ODS_NOFOCUSRECT);
  themes::Theme theme(nullptr, contrast ? nullptr : L"Button");
  if (!theme) {
    DrawStandardButton(work.dc(), surfaces_, local, button, caption, button.Pictures, glyph,
                       selected ? FaceState::kPressed : state, focusShown);
  } else {
    themes::ThemeLibrary& library = *themes::Library();
    const int stateId = static_cast<int>(state);
    if (library.IsThemeBackgroundPartiallyTransparent(theme.get(), kButtonPart, stateId))
      library.DrawThemeParentBackground(item.hwndItem, work.dc(), &local);
    library.DrawThemeBackground(theme.get(), work.dc(), kButtonPart, stateId, &local, nullptr);
    if (focusShown) {
      COLORREF text = 0;
      if (library.GetThemeColor(theme.get(), kButtonPart, stateId, kTextColorProperty, &text) == S_OK)
        SetTextColor(work.dc(), text);
      RECT content = local;
      library.GetThemeBackgroundContentRect(theme.get(), work.dc(), kButtonPart, stateId, &local, &content);
      DrawFocusRect(work.dc(), &content);
    }
    DrawStyledContent(work.dc(), surfaces_, theme.get(), local, button, caption, button.Pictures, glyph,
                      state);
  }
  BitBlt(item.hDC, area.left, area.top, width, height, work.dc(), 0, 0, SRCCOPY);
}

// Styled, the draw request that follows paints every pixel of the button, its parent's background
// where the face lets it through included: erasing first would have the form paint that background
// once more for nothing.
bool BitBtnPainter::EraseBackground(HWND, HDC) {
  return themes::UseThemes() && !ui::win32::Backend().HighContrast();
}

// --- Status bar ----------------------------------------------------------------------------------

namespace {

void DrawClassicGrip(HDC dc, const ui::Rect& area, COLORREF face, COLORREF light) {
  const int r = area.left + area.width;
  const int b = area.top + area.height;
  w32::UniqueGdi facePen(CreatePen(PS_SOLID, 1, face));
  w32::UniqueGdi faceBrush(CreateSolidBrush(face));
  w32::UniqueGdi shadowPen(CreatePen(PS_SOLID, 2, GetSysColor(COLOR_BTNSHADOW)));
  w32::UniqueGdi whitePen(CreatePen(PS_SOLID, 1, light));
  {
    w32::SelectGuard pen(dc, facePen.get());
    w32::SelectGuard brush(dc, faceBrush.get());
    Rectangle(dc, r - 13, b - 13, r, b);
  }
  const auto line = [dc](HGDIOBJ pen, int x1, int y1, int x2, int y2) {
    w32::SelectGuard selected(dc, pen);
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
  };
  for (int i = 0; i < 3; ++i) {
    line(shadowPen.get(), r - 2, b - 12 + 4 * i, r - 12 + 4 * i, b - 2);
    line(whitePen.get(), r - 2, b - 13 + 4 * i, r - 14 + 4 * i, b - 1);
    line(facePen.get(), r - 1, b - 11 + 4 * i, r - 11 + 4 * i, b - 1);
  }
}

}  // namespace

void StatusBarPainter::Paint(const ui::TControl& control, HWND window, HDC dc) {
  const TPanelStatusBar& bar = Typed(control);
  RECT client;
  GetClientRect(window, &client);
  Work work(surfaces_, dc, client.right, client.bottom);
  // In high contrast the bar shows the system's colours, whatever its own.
  const bool contrast = ui::win32::Backend().HighContrast();
  const COLORREF face = contrast ? GetSysColor(COLOR_BTNFACE) : ui::win32::ColorRefOf(bar.Color);
  {
    w32::UniqueGdi brush(CreateSolidBrush(face));
    FillRect(work.dc(), &client, static_cast<HBRUSH>(brush.get()));
  }
  // The bar draws no frame of its own: the panel area is the whole client area.
  const ui::Rect panelArea = ui::win32::RectOf(client);
  const std::vector<ui::Rect> boxes = PanelBoxes(panelArea, bar.Panels(), bar.AutoSizeLastPanel);
  w32::SelectGuard font(work.dc(), ui::win32::Backend().FontFor(bar.GetFont()));
  SetBkMode(work.dc(), TRANSPARENT);
  SetTextColor(work.dc(),
               bar.Enabled() ? ui::win32::TextColorOf(bar.GetFont()) : GetSysColor(COLOR_GRAYTEXT));
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    RECT frame = ui::win32::ToRECT(boxes[i]);
    DrawEdge(work.dc(), &frame, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    std::wstring text = ui::win32::Wide(bar.Panel(i).text);
    if (!text.empty() && frame.right > frame.left && frame.bottom > frame.top)
      DrawTextExW(work.dc(), text.data(), -1, &frame, TextFormat(bar.Alignment), nullptr);
  }
  const ui::TForm* form = bar.Form();
  if (bar.SizeGrip && (!form || form->GetWindowState() != ui::WindowState::kMaximized)) {
    themes::Theme theme(nullptr, contrast ? nullptr : L"STATUS");
    if (theme && bar.CtlXP) {
      const RECT grip = ui::win32::ToRECT(GripBox(panelArea, true));
      themes::Library()->DrawThemeBackground(theme.get(), work.dc(), kGripperPart, 1, &grip, nullptr);
    } else {
      DrawClassicGrip(work.dc(), panelArea, face,
                      contrast ? GetSysColor(COLOR_BTNHIGHLIGHT) : RGB(255, 255, 255));
    }
  }
  BitBlt(dc, 0, 0, client.right, client.bottom, work.dc(), 0, 0, SRCCOPY);
}

void StatusBarPainter::ContentChanged(const ui::TControl& control, HWND window) {
  const TPanelStatusBar& bar = Typed(control);
  RECT client;
  GetClientRect(window, &client);
  const std::optional<ui::Rect> part =
      RepaintAfterChange(ui::win32::RectOf(client), bar.Panels(), bar.LastChangedPanel());
  if (!part) {
    InvalidateRect(window, nullptr, FALSE);
    return;
  }
  const RECT area = ui::win32::ToRECT(*part);
  InvalidateRect(window, &area, FALSE);
}

// --- Registration --------------------------------------------------------------------------------

Painters::Painters(ui::win32::Win32Backend& backend) : backend_(backend) {
  backend_.Painters().windowless.Add(speed_);
  backend_.Painters().items.Add(bit_);
  backend_.Painters().surfaces.Add(status_);
}

Painters::~Painters() {
  backend_.Painters().windowless.Remove(speed_);
  backend_.Painters().items.Remove(bit_);
  backend_.Painters().surfaces.Remove(status_);
}

}  // namespace paint
