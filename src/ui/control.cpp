#include "ui/control.h"

#include <algorithm>

#include "ui/application.h"
#include "ui/error.h"
#include "ui/form.h"
#include "ui/text.h"

namespace ui {

TControl::TControl(TForm* form, std::string name, ControlKind kind, Rect bounds, std::string text)
    : TComponent(form, std::move(name)), form_(form), kind_(kind), bounds_(bounds), text_(std::move(text)) {
  if (form_) form_->Register(this);
}

TControl::~TControl() {
  if (form_) form_->Unregister(this);
}

void TControl::SetBounds(Rect bounds) {
  BoundsChanging(bounds);
  bounds_ = bounds;
  if (peer_) peer_->SetBounds(bounds);
  HostChanged();
}

std::string TControl::Text() const {
  return peer_ ? peer_->GetText() : text_;
}

void TControl::SetText(std::string_view text) {
  if (peer_) {
    peer_->SetText(std::string(text));
    return;
  }
  // The old text may be a password: it is wiped before the string reuses or frees its memory.
  WipeStoredText();
  text_.assign(text);
}

void TControl::SetVisible(bool visible) {
  visible_ = visible;
  if (peer_) peer_->SetVisible(visible);
  HostChanged();
}

void TControl::SetEnabled(bool enabled) {
  enabled_ = enabled;
  EnabledChanged();
  if (peer_) peer_->SetEnabled(enabled);
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
  if (peer_) peer_->AppearanceChanged();
  HostChanged();
}

void TControl::HostChanged() {
  if (Windowless() && form_) form_->Windowless().Changed(*this);
}

bool TControl::CanFocus() const {
  return tabOrder_ >= 0 && visible_ && enabled_ && !Windowless() && kind_ != ControlKind::kLabel;
}

void TControl::SetFocus() {
  if (form_) form_->SetActiveControl(this);
  if (peer_) peer_->SetFocus();
}

bool TControl::Focused() const {
  if (peer_) return peer_->HasFocus();
  return form_ && form_->ActiveControl() == this;
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

void TControl::WipeStoredText() {
  secret::Wipe(text_.data(), text_.size());
  text_.clear();
}

void TControl::AttachPeer(std::unique_ptr<ControlPeer> peer) {
  peer_ = std::move(peer);
  WipeStoredText();  // the window holds the text from now on
}

TEdit::~TEdit() {
  WipeStoredText();
}

secret::Text TEdit::ReadSecret() const {
  secret::Text out;
  if (Peer())
    Peer()->ReadSecret(out);
  else
    out = secret::Text(StoredText());
  return out;
}

void TEdit::SetSecret(const secret::Text& text) {
  if (Peer())
    Peer()->SetSecret(text);
  else
    SetText(text.view());
}

void TButton::Click() {
  if (modalResult_ != mrNone && Form()) Form()->SetModalResult(modalResult_);
  TControl::Click();
}

namespace {
// Where a character goes in a list's order, close to the user's locale: punctuation and blanks first,
// then digits, then letters without regard to case, a letter with an accent beside its plain one
// ("Ärger" among the A's). Ties are broken by the characters themselves.
int SortKey(char c) {
  // The plain letter of each CP1252 character from 0xC0 on; "*" marks the two signs among them.
  static constexpr char kPlain[] =
      "aaaaaaaceeeeiiiidnooooo*ouuuuyts"
      "aaaaaaaceeeeiiiidnooooo*ouuuuyty";
  const auto u = static_cast<unsigned char>(c);
  if (u >= 0xC0 && kPlain[u - 0xC0] != '*') return 0x200 + kPlain[u - 0xC0];
  if (u >= 'A' && u <= 'Z') return 0x200 + (u - 'A' + 'a');
  if (u >= 'a' && u <= 'z') return 0x200 + u;
  if (u >= '0' && u <= '9') return 0x100 + u;
  return u;
}

bool ListOrder(const std::string& a, const std::string& b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const int ka = SortKey(a[i]), kb = SortKey(b[i]);
    if (ka != kb) return ka < kb;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}
}  // namespace

void TListBox::ReplaceItems(std::vector<std::string> items) {
  // A list box with a window sorts its entries itself, by the user's locale; without one they are put
  // in nearly the same order here.
  if (Peer()) {
    items_ = Peer()->ShowItems(items);
  } else {
    std::stable_sort(items.begin(), items.end(), ListOrder);
    items_ = std::move(items);
  }
  itemIndex_ = -1;
}

int TListBox::ItemIndex() const {
  return Peer() ? Peer()->GetItemIndex() : itemIndex_;
}

void TListBox::SetItemIndex(int index) {
  itemIndex_ = (index >= 0 && index < static_cast<int>(items_.size())) ? index : -1;
  if (Peer()) Peer()->SetItemIndex(itemIndex_);
}

const StatusPanel& TStatusBar::Panel(std::size_t index) const {
  if (index >= panels_.size())
    throw ui::EError("Der Index der Liste überschreitet das Maximum (" + std::to_string(index) + ")");
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
