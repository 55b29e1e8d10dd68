#include "ui/control.h"

#include <algorithm>

#include "base/error.h"
#include "ui/accessibility.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/memory_peers.h"
#include "ui/menu.h"

namespace ui {

TControl::TControl(TForm* form, std::string_view name, Rect bounds)
    : TComponent(form, name), form_(form), bounds_(bounds) {
  if (form_) form_->Register(this);
}

TControl::~TControl() {
  if (form_) form_->Unregister(this);
}

void TControl::SetBounds(Rect bounds) {
  BoundsChanging(bounds);
  bounds_ = bounds;
  peer_->SetBounds(bounds);
  HostChanged(false);
}

void TControl::SetVisible(bool visible) {
  visible_ = visible;
  peer_->SetVisible(visible);
  HostChanged(true);
}

void TControl::SetEnabled(bool enabled) {
  enabled_ = enabled;
  EnabledChanged();
  peer_->SetEnabled(enabled);
  HostChanged(true);
}

void TControl::SetFont(const Font& font) {
  font_ = font;
  Appearance();
}

void TControl::SetAlignment(Alignment alignment) {
  alignment_ = alignment;
  Appearance();
}

void TControl::SetHint(std::string_view hint) {
  hint_ = hint;
  Appearance();
}

void TControl::SetShowHint(bool show) {
  showHint_ = show;
  Appearance();
}

void TControl::Appearance() {
  peer_->AppearanceChanged();
  HostChanged(false);
}

void TControl::HostChanged(bool state) {
  if (TWindowlessControl* windowless = AsWindowless(); windowless && form_)
    form_->Windowless().Changed(*windowless, state);
}

bool TControl::CanFocus() const {
  return tabOrder_ >= 0 && visible_ && enabled_ && dynamic_cast<const FocusPeer*>(peer_.get());
}

void TControl::SetFocus() {
  if (form_) form_->SetActiveControl(this);
  if (auto* focus = dynamic_cast<FocusPeer*>(peer_.get())) focus->SetFocus();
}

bool TControl::Focused() const {
  const auto* focus = dynamic_cast<const FocusPeer*>(peer_.get());
  return focus && focus->HasFocus();
}

void TControl::Click() {
  Application().Guard([&] {
    if (OnClick) OnClick(this);
  });
}

void TControl::DblClick() {
  Application().Guard([&] {
    if (OnDblClick) OnDblClick(this);
  });
}

void TControl::KeyPress(char& key) {
  Application().Guard([&] {
    if (OnKeyPress) OnKeyPress(this, key);
  });
}

void TControl::MouseDown(MouseButton button, int x, int y) {
  Application().Guard([&] {
    if (OnMouseDown) OnMouseDown(this, button, x, y);
  });
}

void TControl::AttachPeer(std::unique_ptr<ControlPeer> peer) {
  std::unique_ptr<ControlPeer> old = std::exchange(peer_, std::move(peer));
  PeerReplaced(*old);
}

void TControl::PeerReplaced(ControlPeer&) {}

TTextControl::TTextControl(TForm* form, std::string_view name, Rect bounds) : TControl(form, name, bounds) {}

// Each kind starts with the in-memory peer of its own roles.
TLabel::TLabel(TForm* form, std::string_view name, Rect bounds, std::string_view caption)
    : TTextControl(form, name, bounds) {
  StartWithMemoryPeer(*this);
  if (!caption.empty()) SetText(caption);
}

TEdit::TEdit(TForm* form, std::string_view name, Rect bounds) : TTextControl(form, name, bounds) {
  StartWithMemoryPeer(*this);
}

TButton::TButton(TForm* form, std::string_view name, Rect bounds, std::string_view caption)
    : TTextControl(form, name, bounds) {
  StartWithMemoryPeer(*this);
  if (!caption.empty()) SetText(caption);
}

TBitBtn::TBitBtn(TForm* form, std::string_view name, Rect bounds, std::string_view caption)
    : TButton(form, name, bounds, PeerOfItsOwn{}) {
  StartWithMemoryPeer(*this);
  if (!caption.empty()) SetText(caption);
}

TBevel::TBevel(TForm* form, std::string_view name, Rect bounds) : TWindowlessControl(form, name, bounds) {
  StartWithMemoryPeer(*this);
}

TListBox::TListBox(TForm* form, std::string_view name, Rect bounds) : TControl(form, name, bounds) {
  StartWithMemoryPeer(*this);
}

TStatusBar::TStatusBar(TForm* form, std::string_view name, Rect bounds) : TControl(form, name, bounds) {
  StartWithMemoryPeer(*this);
}

secret::Wide TEdit::ReadSecret() const {
  secret::Wide out;
  As<SecretPeer>().ReadSecret(out);
  return out;
}

// What the box holds goes over into the window: the program's text as it is, and a password through a
// wiping buffer.
void TEdit::PeerReplaced(ControlPeer& old) {
  if (!passwordChar_) {
    const std::string text = dynamic_cast<TextPeer&>(old).GetText();
    if (!text.empty()) SetText(text);
    return;
  }
  secret::Wide typed;
  dynamic_cast<SecretPeer&>(old).ReadSecret(typed);
  if (!typed.empty()) SetSecret(typed);
}

bool TControl::ContextKey(Point screen) {
  if (!popupMenu_) return false;
  popupMenu_->Popup(screen.x, screen.y);
  return true;
}

bool TButton::ContextKey(Point screen) {
  if (!OnDropDown) return TControl::ContextKey(screen);
  DropDown();
  return true;
}

void TButton::DropDown() {
  Application().Guard([&] {
    if (OnDropDown) OnDropDown(this);
  });
}

void TButton::Click() {
  if (modalResult_ != mrNone && Form()) Form()->SetModalResult(modalResult_);
  TControl::Click();
}

void TListBox::ReplaceItems(std::vector<std::string> items) {
  // The system's comparison for the user's language, as a sorted list box of the system would order.
  platform::Platform& system = Application().GetPlatform();
  std::stable_sort(items.begin(), items.end(),
                   [&](const std::string& a, const std::string& b) { return system.CompareText(a, b) < 0; });
  items_ = std::move(items);
  As<ListPeer>().ShowItems(items_);
  As<ListPeer>().SetItemIndex(-1);
}

void TListBox::SetItemIndex(int index) {
  As<ListPeer>().SetItemIndex(index >= 0 && index < static_cast<int>(items_.size()) ? index : -1);
}

void TListBox::PeerReplaced(ControlPeer& old) {
  As<ListPeer>().ShowItems(items_);
  As<ListPeer>().SetItemIndex(dynamic_cast<ListPeer&>(old).GetItemIndex());
}

const StatusPanel& TStatusBar::Panel(std::size_t index) const {
  if (index >= panels_.size())
    throw base::EError("Der Index der Liste überschreitet das Maximum (" + std::to_string(index) + ")");
  return panels_[index];
}

void TStatusBar::AddPanel(StatusPanel panel) {
  panels_.push_back(std::move(panel));
  lastChanged_ = panels_.size() - 1;
  Appearance();
}

void TStatusBar::SetPanelText(std::size_t index, std::string_view text) {
  Panel(index);  // an index outside the list is the list's error
  if (panels_[index].text == text) return;
  panels_[index].text = text;
  lastChanged_ = index;
  Appearance();
}

// --- Controls without a window -------------------------------------------------------------------

// The host paints and finds them in the order they were made: a later one lies over an earlier one.
TWindowlessControl::TWindowlessControl(TForm* form, std::string_view name, Rect bounds)
    : TControl(form, name, bounds) {
  if (Form()) Form()->Windowless().Add(*this);
}

TWindowlessControl::~TWindowlessControl() {
  if (Form()) Form()->Windowless().Remove(*this);
}

bool TWindowlessControl::CanAct() const {
  return Visible() && Enabled() && (!Form() || Form()->TakesInput());
}

void TWindowlessControl::Redraw(bool now) const {
  if (Form()) Form()->Windowless().Redraw(*this, now);
}

bool TWindowlessControl::CanFocus() const {
  return Form() && TakesFocus() && Form()->Windowless().StopOf(TabOrder()) == this;
}

void TWindowlessControl::SetFocus() {
  if (!Form()) return;
  Form()->SetActiveControl(this);
  Form()->Windowless().Focus(const_cast<TWindowlessControl*>(this));
  Form()->Peer().TakeFocus();
}

bool TWindowlessControl::Focused() const {
  return Form() && Form()->Windowless().Focused() == this && Form()->Peer().HoldsFocus();
}

TSpeedButton::TSpeedButton(TForm* form, std::string_view name, Rect bounds, std::string_view caption)
    : TWindowlessControl(form, name, bounds) {
  StartWithMemoryPeer(*this);
  if (!caption.empty()) As<TextPeer>().SetText(caption);
}

void TSpeedButton::SetText(std::string_view text) {
  const bool changed = Text() != text;
  As<TextPeer>().SetText(text);
  if (changed && Form()) Form()->Windowless().NameChanged(*this);
}

long TSpeedButton::AccessibleRole() const {
  return msaa::kRolePushButton;
}

std::optional<std::string> TSpeedButton::AccessibleName() const {
  std::string name = Text();
  if (name.empty()) name = Hint();
  if (name.empty()) return std::nullopt;
  return name;
}

std::optional<std::string> TSpeedButton::AccessibleDescription() const {
  if (Hint().empty()) return std::nullopt;
  return Hint();
}

std::optional<std::string> TSpeedButton::DefaultActionName() const {
  return std::string("Drücken");
}

long TBevel::AccessibleRole() const {
  return msaa::kRoleSeparator;
}

}  // namespace ui
