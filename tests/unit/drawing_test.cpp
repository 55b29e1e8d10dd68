// The decisions of the custom drawing: which face a button shows, where glyph and caption go, the grey
// glyph, when the speed button captures its background again, and the status bar's rectangles and
// repaints.
#include <gtest/gtest.h>

#include <functional>

#include "controls/PanelStatusBar.h"
#include "controls/mdBUTTONS.h"
#include "fakes/fake_platform.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/headless/headless_backend.h"

namespace {

using ui::ButtonLayout;

TEST(FaceStates, FollowTheOrderDisabledPressedHotDefaultedNormal) {
  EXPECT_EQ(SpeedButtonState(false, true, true), FaceState::kDisabled);
  EXPECT_EQ(SpeedButtonState(true, true, true), FaceState::kPressed);  // pressed wins over hot
  EXPECT_EQ(SpeedButtonState(true, false, true), FaceState::kHot);
  EXPECT_EQ(SpeedButtonState(true, false, false), FaceState::kNormal);
  EXPECT_EQ(BitBtnState(false, true, true, true, true), FaceState::kDisabled);
  EXPECT_EQ(BitBtnState(true, true, true, true, true), FaceState::kPressed);
  EXPECT_EQ(BitBtnState(true, false, true, true, true), FaceState::kHot);
  EXPECT_EQ(BitBtnState(true, false, false, true, false), FaceState::kDefaulted);
  EXPECT_EQ(BitBtnState(true, false, false, false, true), FaceState::kDefaulted);  // focused
  EXPECT_EQ(BitBtnState(true, false, false, false, false), FaceState::kNormal);
}

TEST(GlyphLayout, PlacesTheQuickLaunchButtonsGlyphAndCaption) {
  const GlyphPlacement p =
      LayoutGlyphAndCaption({0, 0, 81, 17}, {40, 14}, {8, 5}, ButtonLayout::kGlyphLeft, -1, 4, false);
  EXPECT_EQ(p.glyph, (ui::Point{14, 6}));
  EXPECT_EQ(p.text, (ui::Rect{26, 1, 40, 14}));
}

TEST(GlyphLayout, CentresAGlyphWithoutCaptionAndACaptionWithoutGlyph) {
  GlyphPlacement p =
      LayoutGlyphAndCaption({0, 0, 81, 17}, {0, 0}, {8, 5}, ButtonLayout::kGlyphLeft, -1, 4, false);
  EXPECT_EQ(p.glyph, (ui::Point{36, 6}));
  EXPECT_EQ(p.spacing, 0);
  p = LayoutGlyphAndCaption({0, 0, 34, 25}, {20, 13}, {0, 0}, ButtonLayout::kGlyphLeft, -1, 4, false);
  EXPECT_EQ(p.text, (ui::Rect{7, 6, 20, 13}));
}

TEST(GlyphLayout, HandlesEveryLayoutWithMarginsAndSpacings) {
  struct Case {
    ButtonLayout layout;
    int margin, spacing;
    ui::Point glyph;
    ui::Point text;
  };
  // A 100 x 60 button, a 10 x 8 glyph and a 30 x 12 caption.
  const Case cases[] = {
      {ButtonLayout::kGlyphLeft, 5, 3, {5, 26}, {18, 24}},
      {ButtonLayout::kGlyphLeft, -1, -1, {20, 26}, {50, 24}},  // (100-10-30)/3 = 20 everywhere
      {ButtonLayout::kGlyphLeft, 6, -1, {6, 26}, {43, 24}},    // spacing (100-6-10-30)/2 = 27
      {ButtonLayout::kGlyphRight, 5, 3, {85, 26}, {52, 24}},
      {ButtonLayout::kGlyphRight, -1, 4, {62, 26}, {28, 24}},  // margin (100-10-4-30)/2 = 28
      {ButtonLayout::kGlyphTop, 2, 1, {45, 2}, {35, 11}},
      {ButtonLayout::kGlyphTop, -1, -1, {45, 13}, {35, 34}},  // (60-8-12)/3 = 13
      {ButtonLayout::kGlyphBottom, 2, 1, {45, 50}, {35, 37}},
      {ButtonLayout::kGlyphBottom, 0, -1, {45, 52}, {35, 20}},  // spacing (60-0-8-12)/2 = 20
  };
  for (const Case& c : cases) {
    const GlyphPlacement p =
        LayoutGlyphAndCaption({0, 0, 100, 60}, {30, 12}, {10, 8}, c.layout, c.margin, c.spacing, false);
    EXPECT_EQ(p.glyph, c.glyph) << static_cast<int>(c.layout) << " " << c.margin << " " << c.spacing;
    EXPECT_EQ((ui::Point{p.text.left, p.text.top}), c.text) << static_cast<int>(c.layout) << " " << c.margin;
  }
}

TEST(GlyphLayout, SwapsLeftAndRightForRightToLeftAndMovesByTheClientCorner) {
  const GlyphPlacement rtl =
      LayoutGlyphAndCaption({0, 0, 100, 60}, {30, 12}, {10, 8}, ButtonLayout::kGlyphLeft, 5, 3, true);
  EXPECT_EQ(rtl.glyph, (ui::Point{85, 26}));
  const GlyphPlacement top =
      LayoutGlyphAndCaption({0, 0, 100, 60}, {30, 12}, {10, 8}, ButtonLayout::kGlyphTop, 2, 1, true);
  EXPECT_EQ(top.glyph, (ui::Point{45, 2}));  // top and bottom stay
  const GlyphPlacement moved =
      LayoutGlyphAndCaption({7, 9, 81, 17}, {40, 14}, {8, 5}, ButtonLayout::kGlyphLeft, -1, 4, false);
  EXPECT_EQ(moved.glyph, (ui::Point{21, 15}));
  EXPECT_EQ(moved.text, (ui::Rect{33, 10, 40, 14}));
}

TEST(GlyphLayout, TruncatesTowardZeroWhenTheButtonIsTooSmall) {
  const GlyphPlacement p =
      LayoutGlyphAndCaption({0, 0, 20, 10}, {30, 12}, {10, 8}, ButtonLayout::kGlyphLeft, -1, 4, false);
  EXPECT_EQ(p.glyph.x, -12);  // (20 - 10 - 4 - 30) / 2 = -24 / 2
  EXPECT_EQ(p.text.left, 2);
  EXPECT_EQ(p.text.top, -1);  // (10 - 12) / 2
}

TEST(GlyphImages, FollowTheStateAndFallBackToTheFirst) {
  EXPECT_EQ(GlyphImage(true, 1, FaceState::kHot), 1);
  EXPECT_EQ(GlyphImage(true, 4, FaceState::kHot), 2);
  EXPECT_EQ(GlyphImage(true, 4, FaceState::kPressed), 3);
  EXPECT_EQ(GlyphImage(true, 2, FaceState::kPressed), 1);
  EXPECT_EQ(GlyphImage(true, 4, FaceState::kDefaulted), 1);
  EXPECT_EQ(GlyphImage(false, 4, FaceState::kDisabled), 4);
  EXPECT_EQ(GlyphImage(false, 1, FaceState::kDisabled), 0);  // the grey copy
}

TEST(GreyGlyph, AveragesEachPixelAndLeavesTheRowPaddingAlone) {
  // Two rows of two pixels, each row padded to 8 bytes.
  std::vector<std::uint8_t> bgr = {0, 0, 255, 10, 20, 30, 0xEE, 0xEE, 255, 255, 255, 0, 128, 1, 0xEE, 0xEE};
  ToGrey(bgr, 2, 2, 8);
  EXPECT_EQ(bgr, (std::vector<std::uint8_t>{85, 85, 85, 20, 20, 20, 0xEE, 0xEE, 255, 255, 255, 43, 43, 43,
                                            0xEE, 0xEE}));
}

// When the painter takes a speed button's snapshot again: one change of what it was taken of at a time.
TEST(SpeedButtonSnapshot, IsDueOnceAndAfterEachChangeOfWhatLiesUnderIt) {
  const SnapshotKey taken{3, 0xC8D0D4, 549, 185, {144, 100, 81, 17}, true, false, false};
  struct Row {
    const char* name;
    std::function<void(SnapshotKey&)> change;
    bool due;
  };
  const Row rows[] = {
      {"nothing", [](SnapshotKey&) {}, false},
      {"another look of the system", [](SnapshotKey& k) { ++k.look; }, true},
      {"another form colour", [](SnapshotKey& k) { k.formColor = 0xFFFFFF; }, true},
      {"the form resized", [](SnapshotKey& k) { k.formWidth = 600; }, true},
      {"moved", [](SnapshotKey& k) { k.bounds.left = 145; }, true},
      {"resized", [](SnapshotKey& k) { k.bounds.height = 18; }, true},
      {"disabled", [](SnapshotKey& k) { k.enabled = false; }, true},
      {"disabled while flat", [](SnapshotKey& k) { k.flat = true, k.enabled = false; }, false},
      {"transparent, the form resized", [](SnapshotKey& k) { k.transparent = true, k.formHeight = 99; },
       false},
      {"transparent, disabled", [](SnapshotKey& k) { k.transparent = true, k.enabled = false; }, false},
      {"transparent, moved", [](SnapshotKey& k) { k.transparent = true, k.bounds.top = 90; }, true},
  };
  EXPECT_TRUE(SnapshotDue(std::nullopt, taken)) << "the first paint";
  for (const Row& row : rows) {
    SnapshotKey now = taken;
    row.change(now);
    SnapshotKey old = taken;
    old.transparent = now.transparent, old.flat = now.flat;  // the button's own kind does not change
    EXPECT_EQ(SnapshotDue(old, now), row.due) << row.name;
  }
}

// In high contrast each face shows the system's colours: hot and pressed in the highlight colours,
// disabled in grey text, the default button with a double border.
TEST(HighContrast, DrawsEachFaceInTheSystemsColours) {
  const SystemColors system{0x000000, 0xFFFFFF, 0x00FF00, 0xFF8000, 0x101010};
  const std::pair<FaceState, FaceColors> rows[] = {
      {FaceState::kNormal, {0x000000, 0xFFFFFF, 0xFFFFFF, 1}},
      {FaceState::kHot, {0xFF8000, 0x101010, 0x101010, 1}},
      {FaceState::kPressed, {0xFF8000, 0x101010, 0xFFFFFF, 1}},
      {FaceState::kDisabled, {0x000000, 0x00FF00, 0x00FF00, 1}},
      {FaceState::kDefaulted, {0x000000, 0xFFFFFF, 0xFFFFFF, 2}},
  };
  for (const auto& [state, colors] : rows) EXPECT_EQ(HighContrastFace(system, state), colors) << int(state);
}

// A glyph in high contrast keeps its shape: its dark parts and its outline in the text colour, its
// light ones in the face's, by the brightness the eye sees (green looks lighter than red, red than blue).
TEST(HighContrast, DrawsAGlyphInTheFacesTwoColoursWithItsOutline) {
  constexpr std::uint32_t T = 0x808000, kText = 0xFFFFFF, kFace = 0x000000;
  const FaceColors face{kFace, kText, kText, 1};
  const std::pair<std::uint32_t, std::optional<std::uint32_t>> centres[] = {
      {0x000000, kText}, {0x7F7F7F, kText}, {0x808080, kFace}, {0xFFFFFF, kFace},
      {0x00FF00, kFace}, {0x0000FF, kText}, {0xFF0000, kText}, {T, std::nullopt},
  };
  for (const auto& [centre, drawn] : centres) {
    // A light square (L) with the pixel in its middle, in a frame of transparent ones.
    constexpr std::uint32_t L = 0xFFFFFF;
    // clang-format off
    const std::vector<std::uint32_t> glyph = {T, T, T,      T, T,
                                              T, L, L,      L, T,
                                              T, L, centre, L, T,
                                              T, L, L,      L, T,
                                              T, T, T,      T, T};
    // clang-format on
    const std::vector<std::optional<std::uint32_t>> shown = HighContrastGlyph(glyph, 5, T, face);
    EXPECT_EQ(shown[12], drawn) << centre;
    EXPECT_EQ(shown[6], std::optional<std::uint32_t>(kText)) << "its outline";
    EXPECT_EQ(shown[0], std::nullopt);
  }
}

// The main window's bar: 543 x 16, panels of 300 and 200 pixels after gaps of 3.
const std::vector<ui::StatusPanel> kPanels = {{"Morvela", 300, 3}, {"Computername:  PC01", 200, 3}};
const ui::Rect kArea{0, 0, 543, 16};

TEST(StatusBar, LaysOutThePanelsAndStretchesTheLast) {
  const std::vector<ui::Rect> boxes = PanelBoxes(kArea, kPanels, true);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0], (ui::Rect{3, 0, 300, 16}));
  EXPECT_EQ(boxes[1], (ui::Rect{306, 0, 237, 16}));
  EXPECT_EQ(InnerBox(boxes[0]), (ui::Rect{4, 1, 298, 14}));
  EXPECT_EQ(InnerBox(boxes[1]), (ui::Rect{307, 1, 235, 14}));
  EXPECT_EQ(PanelBoxes(kArea, kPanels, false)[1], (ui::Rect{306, 0, 200, 16}));
  const std::vector<ui::StatusPanel> wide = {{"", 300, 3}, {"", 400, 3}};
  EXPECT_EQ(PanelBoxes(kArea, wide, true)[1], (ui::Rect{306, 0, 400, 16}));  // never shortened
  EXPECT_EQ(PanelBoxes(kArea, {{"", 5, 3}}, true)[0], (ui::Rect{3, 0, 540, 16}));
}

TEST(StatusBar, PutsTheGripInTheCornerOfThePanelArea) {
  EXPECT_EQ(GripBox(kArea, false), (ui::Rect{530, 3, 13, 13}));
  EXPECT_EQ(GripBox(kArea, true), (ui::Rect{524, 0, 19, 15}));
}

TEST(StatusBar, DrawsTextOnOneLineWithoutPrefixesInItsAlignment) {
  EXPECT_EQ(TextFormat(TPanelAlignment::agTopLeft), 0x20u | 0x40u | 0x800u);
  EXPECT_EQ(TextFormat(TPanelAlignment::agCenter), 5u | 0x20u | 0x40u | 0x800u);
  EXPECT_EQ(TextFormat(TPanelAlignment::agBottomRight), 10u | 0x20u | 0x40u | 0x800u);
}

TEST(StatusBar, RepaintsOnlyTheChangedPanelUnlessItIsTheLast) {
  EXPECT_EQ(RepaintAfterChange(kArea, kPanels, 0), std::optional<ui::Rect>(ui::Rect{3, 0, 300, 16}));
  EXPECT_EQ(RepaintAfterChange(kArea, kPanels, 1), std::nullopt);
  const std::vector<ui::StatusPanel> three = {{"", 100, 3}, {"", 50, 5}, {"", 10, 3}};
  EXPECT_EQ(RepaintAfterChange({2, 1, 398, 14}, three, 1), std::optional<ui::Rect>(ui::Rect{110, 1, 50, 14}));
}

}  // namespace
