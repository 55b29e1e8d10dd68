#include "ui/form.h"

#include <algorithm>

#include "ui/application.h"

namespace ui {

TForm::TForm(TComponent* owner, std::string_view name, std::string_view caption, int clientWidth,
             int clientHeight)
    : TComponent(owner, name),
      caption_(caption),
      clientWidth_(clientWidth),
      clientHeight_(clientHeight),
      peer_(MemoryPeerFor(*this)) {}

TForm::~TForm() = default;

void TForm::SetCaption(std::string_view caption) {
  caption_ = caption;
  peer_->SetCaption(caption_);
}

int TForm::Left() const {
  return peer_->GetBounds().left;
}
int TForm::Top() const {
  return peer_->GetBounds().top;
}
void TForm::SetLeft(int left) {
  peer_->SetPosition(left, Top());
}
void TForm::SetTop(int top) {
  peer_->SetPosition(Left(), top);
}
int TForm::Width() const {
  return peer_->GetBounds().width;
}
int TForm::Height() const {
  return peer_->GetBounds().height;
}
void TForm::SetWidth(int width) {
  peer_->SetSize(width, Height());
}
void TForm::SetHeight(int height) {
  peer_->SetSize(Width(), height);
}

WindowState TForm::GetWindowState() const {
  return peer_->GetWindowState();
}
void TForm::SetWindowState(WindowState state) {
  peer_->SetWindowState(state);
}

Point TForm::ClientToScreen(Point client) const {
  return peer_->ClientToScreen(client);
}

platform::WindowHandle TForm::Handle() const {
  return peer_->Handle();
}

TControl* TForm::ActiveControl() const {
  for (TControl* control : controls_)
    if (control->Focused()) return control;
  return active_;
}

std::vector<TControl*> TForm::TabStops() const {
  std::vector<TControl*> stops;
  for (TControl* control : controls_)
    if (control->CanFocus()) stops.push_back(control);
  std::stable_sort(stops.begin(), stops.end(),
                   [](const TControl* a, const TControl* b) { return a->TabOrder() < b->TabOrder(); });
  return stops;
}

void TForm::SelectNext(bool forward) {
  const std::vector<TControl*> stops = TabStops();
  if (stops.empty()) return;
  auto it = std::find(stops.begin(), stops.end(), ActiveControl());
  std::size_t index = 0;
  if (it != stops.end()) {
    const std::size_t at = static_cast<std::size_t>(it - stops.begin());
    index = forward ? (at + 1) % stops.size() : (at + stops.size() - 1) % stops.size();
  }
  stops[index]->SetFocus();
}

void TForm::NextDlgCtl() {
  peer_->NextDlgCtl();
}

bool TForm::DialogKey(Key key) {
  if (TWindowlessControl* focused = windowless_.Focused();
      key == Key::kReturn && focused && focused->Focused())
    return windowless_.KeyDown(key);
  TButton* target = nullptr;
  for (TControl* control : controls_) {
    auto* button = dynamic_cast<TButton*>(control);
    if (!button || !button->Visible() || !button->Enabled()) continue;
    if (key == Key::kReturn && button->Focused()) {
      target = button;
      break;
    }
    if (!target && ((key == Key::kReturn && button->Default()) || (key == Key::kEscape && button->Cancel())))
      target = button;
  }
  if (!target) return false;
  target->Click();
  return true;
}

int TForm::ShowModal() {
  modalResult_ = mrNone;
  return Application().ShowModal(*this);
}

bool TForm::TakesInput() const {
  return Application().TakesInput(*this);
}

bool TForm::CloseQuery() {
  bool canClose = true;
  Application().Guard([&] {
    if (OnCloseQuery) OnCloseQuery(this, canClose);
  });
  return canClose;
}

bool TForm::Close() {
  if (!CloseQuery()) return false;
  modalResult_ = mrCancel;
  return true;
}

void TForm::DropFiles(const std::vector<std::string>& files) {
  Application().Guard([&] {
    if (OnDropFiles) OnDropFiles(this, files);
  });
}

void TForm::DoCreate() {
  Application().Guard([&] {
    if (OnCreate) OnCreate(this);
  });
}

void TForm::DoActivate() {
  Application().Guard([&] {
    if (OnActivate) OnActivate(this);
  });
}

void TForm::Register(TControl* control) {
  controls_.push_back(control);
}

void TForm::Unregister(TControl* control) {
  std::erase(controls_, control);
  if (active_ == control) active_ = nullptr;
}

std::vector<TControl*> CreationOrder(const TForm& form) {
  std::vector<TControl*> order;
  std::vector<TControl*> labels;
  for (TControl* c : form.Controls())
    if (dynamic_cast<TLabel*>(c)) labels.push_back(c);
  const auto placed = [&](const TControl* control) {
    return std::find(order.begin(), order.end(), control) != order.end();
  };
  // Every control with a place in the Tab order, shown and enabled or not, with or without a window:
  // screen readers step through the form in this order, and it must not change while the form lives.
  std::vector<TControl*> stops;
  for (TControl* control : form.Controls())
    if (control->TabOrder() >= 0) stops.push_back(control);
  std::stable_sort(stops.begin(), stops.end(),
                   [](const TControl* a, const TControl* b) { return a->TabOrder() < b->TabOrder(); });
  for (TControl* control : stops) {
    for (TControl* label : labels)
      if (static_cast<TLabel*>(label)->FocusControl == control && !placed(label)) {
        order.push_back(label);
        break;
      }
    if (!placed(control)) order.push_back(control);
  }
  for (TControl* label : labels)
    if (!placed(label)) order.push_back(label);
  for (TControl* control : form.Controls())
    if (!placed(control)) order.push_back(control);
  return order;
}

void TForm::AttachPeer(std::unique_ptr<FormPeer> peer) {
  peer_ = std::move(peer);
}

}  // namespace ui
