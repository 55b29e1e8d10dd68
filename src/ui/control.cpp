#include "ui/control.h"

#include <algorithm>

#include "ui/application.h"
#include "ui/error.h"
#include "ui/form.h"
#include "ui/memory_peers.h"

namespace ui {

TControl::TControl(TForm* form, std::string name, ControlKind kind, Rect bounds)
    : TComponent(form, std::move(name)),
      form_(form),
      kind_(kind),
      bounds_(bounds),
      peer_(MemoryPeerFor(*this)) {
  if (form_) form_->Register(this);
}

TControl::~TControl() {
  if (form_) form_->Unregister(this);
}

void TControl::SetBounds(Rect bounds) {
  BoundsChanging(bounds);
  bounds_ = bounds;
  peer_->SetBounds(bounds);
  HostChanged();
}

void TControl::SetVisible(bool visible) {
  visible_ = visible;
  peer_->SetVisible(visible);
  HostChanged();
}

void TControl::SetEnabled(bool enabled) {
  enabled_ = enabled;
  EnabledChanged();
  peer_->SetEnabled(enabled);
  HostChanged();
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
  HostChanged();
}

void TControl::HostChanged() {
  if (Windowless() && form_) form_->Windowless().Changed(*this);
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

TTextControl::TTextControl(TForm* form, std::string name, ControlKind kind, Rect bounds,
                           std::string_view text)
    : TControl(form, std::move(name), kind, bounds) {
  if (!text.empty()) SetText(text);
}

secret::Wide TEdit::ReadSecret() const {
  secret::Wide out;
  As<SecretPeer>().ReadSecret(out);
  return out;
}

// What the box holds goes over into the window: the program's text through the code page, and a
// password through a wiping buffer.
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
    throw EError("Der Index der Liste überschreitet das Maximum (" + std::to_string(index) + ")");
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

}  // namespace ui
